#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QThread>
#include <functional>
#include <vector>

#include "app/main_window.h"
#include "app/qt_window_operations.h"
#include "event_wait.h"
#include "search/program_state.h"


// A main window with its operations, whose hand-offs to the desktop are
// recorded instead of carried out.
class WindowFixture : public testing::Test {
  protected:
    template <class Widget = QWidget>
    [[nodiscard]] Widget* find(const char16_t* name) const {
        return window.findChild<Widget*>(QString::fromUtf16(name));
    }

    MainWindow window;
    // Written by the hand-off, which runs on the window's thread.
    std::vector<QString> handed_off;
    std::vector<bool> handed_off_on_window_thread;
    QtWindowOperations operations{
        window, [this](const QString& address) {
            handed_off.push_back(address);
            handed_off_on_window_thread.push_back(QThread::currentThread() == window.thread());
        }};
    ProgramState state;
};
