#pragma once

#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "search/window_operations.h"

// Passes every operation on to the real window and keeps each status shown,
// with the thread that asked for it, for the probe to judge.
class RecordingOperations final : public WindowOperations {
public:
    using Status = std::pair<std::thread::id, Text>;

    explicit RecordingOperations(WindowOperations& window) : window_(window) {}

    // The statuses recorded since the last call, oldest first.
    [[nodiscard]] std::vector<Status> take_statuses();

    void show_status(const Text& text) override;
    void set_text(Control control, const Text& text) override { window_.set_text(control, text); }
    Text get_text(Control control) override { return window_.get_text(control); }
    void set_visible(Control control, bool visible) override {
        window_.set_visible(control, visible);
    }
    void list_clear() override { window_.list_clear(); }
    int list_add_row() override { return window_.list_add_row(); }
    void list_set_cell(int row, int column, const Text& text) override {
        window_.list_set_cell(row, column, text);
    }
    Text list_cell(int row, int column) override { return window_.list_cell(row, column); }
    int list_selected_row() override { return window_.list_selected_row(); }
    void message_box(const Text& text) override { window_.message_box(text); }
    void wait_with_events(int milliseconds) override { window_.wait_with_events(milliseconds); }
    void start_worker(std::function<void(Text)> workflow, Text argument) override {
        window_.start_worker(std::move(workflow), std::move(argument));
    }
    void run_exclusive(const std::function<void()>& steps) override {
        window_.run_exclusive(steps);
    }
    void shell_open(const Text& address) override { window_.shell_open(address); }
    void open_address(const Text& address) override { window_.open_address(address); }

private:
    WindowOperations& window_;
    std::mutex mutex_;
    std::vector<Status> statuses_;
};
