#pragma once

#include <QWidget>

#include "search/window_operations.h"

class Banner;
class PressableLabel;
class QLabel;
class QLineEdit;
class QPushButton;
class ResultModel;
class ResultView;

// The program's one window and its twelve controls, placed at fixed pixel
// positions in the client area (no layout, so resizing moves nothing). Each
// control's objectName is its name in the window. The window only reports its
// events as signals; the handlers live in EventHandlers.
class MainWindow final : public QWidget {
    Q_OBJECT

  public:
    // The whole window, frame and title bar included.
    static constexpr int outer_width = 516;
    static constexpr int outer_height = 587;

    // Created hidden; show_centred() shows it.
    MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow() override;

    [[nodiscard]] QWidget& control(Control control) const;
    [[nodiscard]] ResultModel& results() const { return *results_; }
    [[nodiscard]] ResultView& result_list() const { return *超级列表框1; }

    // Shows the window centred on its screen. The outer size is reached once
    // the window manager has told the frame's size; until then (and where
    // there is no frame) the client area takes the whole size.
    void show_centred();

  signals:
    void search_clicked();        // 按钮1
    void next_page_clicked();     // 按钮3
    void add_page_requested();    // 按钮2 clicked, or a press on 透明标签2
    void update_check_clicked();  // 按钮4
    void list_double_clicked();   // 超级列表框1
    void banner_pressed();        // 图片框10

  protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void create_controls();
    void wire_events();
    void fit_frame();
    [[nodiscard]] QPoint centred_top_left() const;

    QLineEdit* 编辑框1 = nullptr;
    QPushButton* 按钮1 = nullptr;
    QPushButton* 按钮4 = nullptr;
    QLabel* 透明标签3 = nullptr;
    QLabel* 标签1 = nullptr;
    QLineEdit* 编辑框2 = nullptr;
    QLabel* 透明标签1 = nullptr;
    ResultView* 超级列表框1 = nullptr;
    PressableLabel* 透明标签2 = nullptr;
    QPushButton* 按钮3 = nullptr;
    QPushButton* 按钮2 = nullptr;
    Banner* 图片框10 = nullptr;
    ResultModel* results_ = nullptr;

    bool shown_centred_ = false;
    bool frame_fitted_ = false;
};
