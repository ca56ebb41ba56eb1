#pragma once

#include <QTableView>

// The result list's view. Its double-click event fires on the second press,
// after the first click has selected the row under the pointer, wherever in
// the list the pointer is (also below the last row).
class ResultView final : public QTableView {
    Q_OBJECT

  public:
    explicit ResultView(QWidget* parent = nullptr);
    ResultView(const ResultView&) = delete;
    ResultView& operator=(const ResultView&) = delete;

  signals:
    void double_clicked();

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
