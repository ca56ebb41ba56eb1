#pragma once

#include "app/shell_hand_off.h"
#include "app/window_thread.h"
#include "search/window_operations.h"

class MainWindow;

// The window operations over the Qt main window. Any thread may call them:
// each is carried out on the window's thread (see WindowThread), except
// start_worker, which only starts a thread, and a worker's wait_with_events,
// which waits on the worker itself.
class QtWindowOperations final : public WindowOperations {
  public:
    // Must be constructed on the window's thread.
    QtWindowOperations(MainWindow& window, ShellHandOff hand_off);
    QtWindowOperations(const QtWindowOperations&) = delete;
    QtWindowOperations& operator=(const QtWindowOperations&) = delete;

    void show_status(const Text& text) override;
    void set_text(Control control, const Text& text) override;
    [[nodiscard]] Text get_text(Control control) override;
    void set_visible(Control control, bool visible) override;

    void list_clear() override;
    int list_add_row() override;
    void list_set_cell(int row, int column, const Text& text) override;
    [[nodiscard]] Text list_cell(int row, int column) override;
    [[nodiscard]] int list_selected_row() override;

    void message_box(const Text& text) override;
    void wait_with_events(int milliseconds) override;
    void start_worker(std::function<void(Text)> workflow, Text argument = {}) override;
    void run_exclusive(const std::function<void()>& steps) override;

    void shell_open(const Text& address) override;
    void open_address(const Text& address) override;

  private:
    MainWindow& window_;
    ShellHandOff hand_off_;
    WindowThread window_thread_;
};
