#include "app/result_model.h"

#include "app/qt_text.h"

namespace {

constexpr Qt::Alignment left_aligned = Qt::AlignLeft | Qt::AlignVCenter;

}  // namespace

ResultModel::ResultModel(QObject* parent)
    : QAbstractTableModel(parent), headings_{ui_text("标题"), ui_text("下站地址")} {
    batch_timer_.setSingleShot(true);
    batch_timer_.setInterval(batch_milliseconds);
    connect(&batch_timer_, &QTimer::timeout, this, &ResultModel::show_pending_rows);
}

int ResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_);
}

int ResultModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : column_count;
}

QVariant ResultModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || !holds(index.row(), index.column())) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return to_qstring(rows_[static_cast<std::size_t>(index.row())]
                                   [static_cast<std::size_t>(index.column())]);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(left_aligned);
        default:
            return {};
    }
}

QVariant ResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= column_count) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (role) {
        case Qt::DisplayRole:
            return headings_[static_cast<std::size_t>(section)];
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(left_aligned);
        default:
            return {};
    }
}

Qt::ItemFlags ResultModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void ResultModel::clear() {
    beginResetModel();
    batch_timer_.stop();
    rows_.clear();
    shown_ = 0;
    endResetModel();
}

int ResultModel::add_row() {
    const int row = static_cast<int>(rows_.size());
    rows_.emplace_back();
    if (!batch_timer_.isActive()) batch_timer_.start();
    return row;
}

void ResultModel::set_cell(int row, int column, const Text& text) {
    if (!holds(row, column)) return;
    rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
    // A row not yet announced is drawn from its cells when it is.
    if (static_cast<std::size_t>(row) >= shown_) return;
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

Text ResultModel::cell(int row, int column) const {
    if (!holds(row, column)) return {};
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void ResultModel::show_pending_rows() {
    batch_timer_.stop();
    if (shown_ == rows_.size()) return;
    beginInsertRows(QModelIndex(), static_cast<int>(shown_), static_cast<int>(rows_.size()) - 1);
    shown_ = rows_.size();
    endInsertRows();
}

bool ResultModel::holds(int row, int column) const {
    return row >= 0 && static_cast<std::size_t>(row) < rows_.size() && column >= 0 &&
           column < column_count;
}
