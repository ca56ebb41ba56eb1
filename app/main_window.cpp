#include "app/main_window.h"

#include <QGuiApplication>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QWindow>

#include "app/banner.h"
#include "app/pressable_label.h"
#include "app/qt_text.h"
#include "app/result_model.h"
#include "app/result_view.h"
#include "search/addresses.h"

// Resources compiled into a static library are dropped by the linker unless
// something calls their initialiser; the macro must be used outside any
// namespace.
static void load_resources() { Q_INIT_RESOURCE(chenglan); }

MainWindow::MainWindow() {
    load_resources();
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(ui_text("澄岚—") + to_qstring(Text(addresses::maker_site)));
    setWindowIcon(QIcon(QStringLiteral(":/chenglan/icon.png")));

    // The face colour of 3-D controls, as behind every control of the window.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    setPalette(colours);
    setAutoFillBackground(true);

    resize(outer_width, outer_height);
    create_controls();
    wire_events();

    // Esc closes the window wherever the focus is; closing it ends the program.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

MainWindow::~MainWindow() = default;

void MainWindow::wire_events() {
    connect(按钮1, &QPushButton::clicked, this, &MainWindow::search_clicked);
    connect(按钮3, &QPushButton::clicked, this, &MainWindow::next_page_clicked);
    connect(按钮2, &QPushButton::clicked, this, &MainWindow::add_page_requested);
    connect(透明标签2, &PressableLabel::pressed, this, &MainWindow::add_page_requested);
    connect(按钮4, &QPushButton::clicked, this, &MainWindow::update_check_clicked);
    connect(超级列表框1, &ResultView::double_clicked, this, &MainWindow::list_double_clicked);
    connect(图片框10, &Banner::pressed, this, &MainWindow::banner_pressed);
}

QWidget& MainWindow::control(Control control) const {
    switch (control) {
        case Control::编辑框1:
            return *编辑框1;
        case Control::按钮1:
            return *按钮1;
        case Control::按钮4:
            return *按钮4;
        case Control::透明标签3:
            return *透明标签3;
        case Control::标签1:
            return *标签1;
        case Control::编辑框2:
            return *编辑框2;
        case Control::透明标签1:
            return *透明标签1;
        case Control::超级列表框1:
            return *超级列表框1;
        case Control::透明标签2:
            return *透明标签2;
        case Control::按钮3:
            return *按钮3;
        case Control::按钮2:
            return *按钮2;
        case Control::图片框10:
            return *图片框10;
    }
    return *透明标签1;
}

QPoint MainWindow::centred_top_left() const {
    const QScreen* shown_on = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (shown_on == nullptr) return {};
    const QRect area = shown_on->geometry();
    return {area.x() + (area.width() - outer_width) / 2,
            area.y() + (area.height() - outer_height) / 2};
}

void MainWindow::show_centred() {
    // move() places the frame's top-left corner, so the frame is centred once
    // its outer size is reached.
    move(centred_top_left());
    shown_centred_ = true;
    show();
    fit_frame();
}

// The frame's size is known only after the window manager has framed the
// window; it arrives as a move or resize. Then the client area shrinks so the
// whole window is the outer size, once: later resizes are the user's.
void MainWindow::fit_frame() {
    if (!shown_centred_ || frame_fitted_ || windowHandle() == nullptr) return;
    const QMargins frame = windowHandle()->frameMargins();
    if (frame.isNull()) return;
    frame_fitted_ = true;
    resize(outer_width - frame.left() - frame.right(), outer_height - frame.top() - frame.bottom());
    move(centred_top_left());
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    fit_frame();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fit_frame();
}
