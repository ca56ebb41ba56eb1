#pragma once

#include <functional>

#include "text/text.h"

// The controls of the main window, by their names in the window.
enum class Control {
    编辑框1,     // the keyword box
    按钮1,       // search
    按钮4,       // hidden; runs the update check
    透明标签3,   // the hint
    标签1,       // "新版下载地址："
    编辑框2,     // the new-version download address
    透明标签1,   // the status label
    超级列表框1, // the result list
    透明标签2,   // the second add-next-page trigger
    按钮3,       // next page
    按钮2,       // add next page
    图片框10,    // the banner
};

// How the workflows reach the window and the desktop. Every operation may be
// called from any thread: a worker's call is carried out by the window's
// thread and returns once it has taken effect, so one thread's calls take
// effect in the order issued and a read sees that thread's earlier updates.
// Rows and columns of the result list count from 0.
class WindowOperations {
public:
    virtual ~WindowOperations() = default;

    virtual void show_status(const Text& text) = 0;
    virtual void set_text(Control control, const Text& text) = 0;
    [[nodiscard]] virtual Text get_text(Control control) = 0;
    virtual void set_visible(Control control, bool visible) = 0;

    virtual void list_clear() = 0;
    // Appends an empty row and gives its index.
    virtual int list_add_row() = 0;
    virtual void list_set_cell(int row, int column, const Text& text) = 0;
    // The whole text of a cell; empty for a cell that does not exist.
    [[nodiscard]] virtual Text list_cell(int row, int column) = 0;
    // The selected row, or -1.
    [[nodiscard]] virtual int list_selected_row() = 0;

    // Title "信息：", one OK button, no icon, modal; returns when it is closed.
    virtual void message_box(const Text& text) = 0;
    // Handles the calling thread's events until more than `milliseconds` have
    // passed; 0 or less returns at once.
    virtual void wait_with_events(int milliseconds) = 0;
    // Starts a detached thread that runs `workflow` with `argument`, which the
    // thread then owns; returns at once.
    virtual void start_worker(std::function<void(Text)> workflow, Text argument = {}) = 0;
    // Runs `steps` on the window's thread with no other thread's window
    // operation in between, and returns when they are done. Operations called
    // inside `steps` take effect at once. This is how a run changes the list
    // as one step that no other run can interleave with.
    virtual void run_exclusive(const std::function<void()>& steps) = 0;

    // Hands an address to the desktop's handler for it; the result is not
    // looked at. `open_address` is the hand-off for magnet links.
    virtual void shell_open(const Text& address) = 0;
    virtual void open_address(const Text& address) = 0;
};
