#pragma once

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "search/window_operations.h"
#include "text_printer.h"

// A stand-in for the main window that keeps what a person would see: the
// statuses in the order shown, the list, the controls' texts and visibility,
// the message boxes and every hand-off to the desktop. Thread-safe; workers
// it starts are joined by join_workers().
class RecordingWindow : public WindowOperations {
public:
    struct Row {
        Text title;
        Text address;
        friend bool operator==(const Row&, const Row&) = default;
    };

    ~RecordingWindow() override { join_workers(); }

    void show_status(const Text& text) override {
        std::lock_guard lock(mutex_);
        statuses_.push_back(text);
    }
    void set_text(Control control, const Text& text) override {
        std::lock_guard lock(mutex_);
        texts_[control] = text;
    }
    Text get_text(Control control) override {
        std::lock_guard lock(mutex_);
        return texts_[control];
    }
    void set_visible(Control control, bool visible) override {
        std::lock_guard lock(mutex_);
        visible_[control] = visible;
        events_.push_back("visible");
    }
    void list_clear() override {
        std::lock_guard lock(mutex_);
        rows_.clear();
    }
    int list_add_row() override {
        std::lock_guard lock(mutex_);
        rows_.emplace_back();
        return static_cast<int>(rows_.size()) - 1;
    }
    void list_set_cell(int row, int column, const Text& text) override {
        std::lock_guard lock(mutex_);
        if (row < 0 || row >= static_cast<int>(rows_.size())) return;
        (column == 0 ? rows_[row].title : rows_[row].address) = text;
    }
    Text list_cell(int row, int column) override {
        std::lock_guard lock(mutex_);
        if (row < 0 || row >= static_cast<int>(rows_.size()) || column < 0 || column > 1) return {};
        return column == 0 ? rows_[row].title : rows_[row].address;
    }
    int list_selected_row() override { return -1; }
    void message_box(const Text& text) override {
        std::lock_guard lock(mutex_);
        messages_.push_back(text);
        events_.push_back("message");
    }
    void wait_with_events(int milliseconds) override {
        std::function<void()> during;
        {
            std::lock_guard lock(mutex_);
            waits_.push_back(milliseconds);
            during = std::move(during_wait_);
        }
        if (during) during();
    }
    void start_worker(std::function<void(Text)> workflow, Text argument) override {
        std::lock_guard lock(mutex_);
        workers_.emplace_back(std::move(workflow), std::move(argument));
    }
    void run_exclusive(const std::function<void()>& steps) override {
        std::lock_guard lock(exclusive_);
        steps();
    }
    void shell_open(const Text& address) override {
        std::lock_guard lock(mutex_);
        opened_.push_back(address);
        events_.push_back("shell_open");
    }
    void open_address(const Text& address) override {
        std::lock_guard lock(mutex_);
        opened_.push_back(address);
    }

    // Runs once, inside the next wait_with_events: a click during the wait.
    void during_next_wait(std::function<void()> steps) {
        std::lock_guard lock(mutex_);
        during_wait_ = std::move(steps);
    }
    void join_workers() {
        std::vector<std::thread> workers;
        {
            std::lock_guard lock(mutex_);
            workers.swap(workers_);
        }
        for (auto& worker : workers) worker.join();
    }

    std::vector<Text> statuses() const { return locked(statuses_); }
    std::vector<Row> rows() const { return locked(rows_); }
    std::vector<Text> opened() const { return locked(opened_); }
    std::vector<Text> messages() const { return locked(messages_); }
    std::vector<int> waits() const { return locked(waits_); }
    std::vector<std::string> events() const { return locked(events_); }
    bool visible(Control control) const {
        std::lock_guard lock(mutex_);
        auto it = visible_.find(control);
        return it != visible_.end() && it->second;
    }

private:
    template <typename T>
    T locked(const T& value) const {
        std::lock_guard lock(mutex_);
        return value;
    }

    mutable std::mutex mutex_;
    // Kept apart from mutex_ so that the steps inside can call the operations.
    std::mutex exclusive_;
    std::vector<Text> statuses_;
    std::vector<Row> rows_;
    std::map<Control, Text> texts_;
    std::map<Control, bool> visible_;
    std::vector<Text> messages_;
    std::vector<Text> opened_;
    std::vector<int> waits_;
    std::vector<std::string> events_;
    std::function<void()> during_wait_;
    std::vector<std::thread> workers_;
};
