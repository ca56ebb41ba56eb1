#pragma once

#include <QAbstractTableModel>
#include <QTimer>
#include <array>
#include <vector>

#include "text/text.h"

// The rows of the result list: a title and a detail-page address per row.
// Cells are kept as the GBK the workflows wrote, so a cell reads back exactly
// as written; the view gets them converted only for the rows it draws.
//
// A row is stored at once, so it can be written and read back at once, but it
// is announced to the view a moment later, together with the rows added in
// the meantime: each announcement makes the view re-measure all its rows, so
// announcing rows one by one would make filling the list quadratic. Appending
// stays amortised O(1) and the list usable at 100,000 rows.
class ResultModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    static constexpr int column_count = 2;

    explicit ResultModel(QObject* parent = nullptr);
    ResultModel(const ResultModel&) = delete;
    ResultModel& operator=(const ResultModel&) = delete;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

    void clear();
    // Appends an empty row and gives its index.
    int add_row();
    // A cell outside the rows or columns is left alone.
    void set_cell(int row, int column, const Text& text);
    // Empty for a cell that does not exist.
    [[nodiscard]] Text cell(int row, int column) const;

    // Announces the rows added since the last announcement now rather than
    // when the batch is due; for callers that look at the view next.
    void show_pending_rows();

    // How long a new row may wait before the view hears of it.
    static constexpr int batch_milliseconds = 20;

  private:
    [[nodiscard]] bool holds(int row, int column) const;

    std::vector<std::array<Text, column_count>> rows_;
    std::array<QString, column_count> headings_;
    // Rows [0, shown_) are the ones the view knows of.
    std::size_t shown_ = 0;
    QTimer batch_timer_;
};
