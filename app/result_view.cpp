#include "app/result_view.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPalette>

ResultView::ResultView(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setFrameShadow(QFrame::Sunken);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    QHeaderView* columns = horizontalHeader();
    columns->setSectionsMovable(true);
    // A header press selects nothing and sorts nothing; dragging still moves.
    columns->setSectionsClickable(false);
    columns->setSortIndicatorShown(false);
    columns->setStretchLastSection(false);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    columns->setSectionResizeMode(QHeaderView::Interactive);

    // Fixed row heights keep a long list cheap: no row is ever measured.
    QHeaderView* rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(fontMetrics().height() + 6);
    rows->hide();

    // Item views draw with the inactive colours while they lack the focus;
    // making those the plain cell colours hides the selection then.
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    colours.setColor(QPalette::Inactive, QPalette::Highlight, Qt::white);
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::black);
    setPalette(colours);
}

void ResultView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) emit double_clicked();
}
