#include "app/qt_window_operations.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <chrono>
#include <thread>

#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/result_model.h"
#include "app/result_view.h"

namespace {

// Window's thread. Controls without a visible text (the list, the banner)
// keep theirs in the window title, which a child never shows, so a text
// written to them still reads back.
QString text_of(const QWidget& widget) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(&widget)) return edit->text();
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
    return widget.windowTitle();
}

void set_text_of(QWidget& widget, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
        edit->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(&widget)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
        button->setText(text);
    } else {
        widget.setWindowTitle(text);
    }
}

// Window's thread: runs the thread's event loop until more than
// `milliseconds` have passed, or until the application is leaving its loops.
void handle_events_for(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() <= milliseconds) {
        QEventLoop loop;
        bool timed_out = false;
        QTimer::singleShot(static_cast<int>(milliseconds - clock.elapsed() + 1), Qt::PreciseTimer,
                           &loop, [&] {
                               timed_out = true;
                               loop.quit();
                           });
        loop.exec();
        if (!timed_out) return;
    }
}

}  // namespace

QtWindowOperations::QtWindowOperations(MainWindow& window, ShellHandOff hand_off)
    : window_(window), hand_off_(std::move(hand_off)), window_thread_(window) {}

void QtWindowOperations::show_status(const Text& text) { set_text(Control::透明标签1, text); }

void QtWindowOperations::set_text(Control control, const Text& text) {
    window_thread_.call([&] { set_text_of(window_.control(control), to_qstring(text)); });
}

Text QtWindowOperations::get_text(Control control) {
    return window_thread_.call_for_result(
        [&] { return to_text(text_of(window_.control(control))); });
}

void QtWindowOperations::set_visible(Control control, bool visible) {
    window_thread_.call([&] { window_.control(control).setVisible(visible); });
}

void QtWindowOperations::list_clear() {
    window_thread_.call([&] { window_.results().clear(); });
}

int QtWindowOperations::list_add_row() {
    return window_thread_.call_for_result([&] { return window_.results().add_row(); });
}

void QtWindowOperations::list_set_cell(int row, int column, const Text& text) {
    window_thread_.call([&] { window_.results().set_cell(row, column, text); });
}

Text QtWindowOperations::list_cell(int row, int column) {
    return window_thread_.call_for_result([&] { return window_.results().cell(row, column); });
}

int QtWindowOperations::list_selected_row() {
    return window_thread_.call_for_result([&] {
        const QItemSelectionModel* selection = window_.result_list().selectionModel();
        if (selection == nullptr) return -1;
        const QModelIndexList rows = selection->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    });
}

void QtWindowOperations::message_box(const Text& text) {
    window_thread_.call([&] {
        // No owner window; modal for the whole application.
        QMessageBox box(QMessageBox::NoIcon, ui_text("信息："), to_qstring(text), QMessageBox::Ok);
        box.setTextFormat(Qt::PlainText);
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
    });
}

void QtWindowOperations::wait_with_events(int milliseconds) {
    if (milliseconds <= 0) return;
    if (window_thread_.is_current()) {
        handle_events_for(milliseconds);
        return;
    }
    // A worker has no window and no event loop, hence no events of its own.
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds) +
                                std::chrono::milliseconds(1));
}

void QtWindowOperations::start_worker(std::function<void(Text)> workflow, Text argument) {
    std::thread([workflow = std::move(workflow), argument = std::move(argument)]() mutable {
        workflow(std::move(argument));
    }).detach();
}

void QtWindowOperations::run_exclusive(const std::function<void()>& steps) {
    // A block of steps is a batch of its own: the view hears of its rows as
    // soon as it ends instead of when the next batch falls due.
    window_thread_.run_exclusive([&] {
        steps();
        window_.results().show_pending_rows();
    });
}

void QtWindowOperations::shell_open(const Text& address) {
    window_thread_.call([&] {
        if (hand_off_) hand_off_(to_qstring(address));
    });
}

// Linux has no owner window to look for: both hand-offs are the same call.
void QtWindowOperations::open_address(const Text& address) { shell_open(address); }
