#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/event_handlers.h"
#include "app/main_window.h"
#include "app/qt_window_operations.h"
#include "search/program_state.h"
#include "search/result_search.h"
#include "event_wait.h"
#include "test_site.h"

// A program's own text as the window shows it.
[[nodiscard]] QString ui(const char* utf8);

// The request target of the first result page for the box's first keyword.
inline constexpr const char* first_page_target = "/s/%E5%8A%9F%E5%A4%AB%32/1/";

// The whole program assembled as its entry point does it: the real main
// window, its window operations and handlers, and the real workflows, over a
// loopback site that serves the demo pages (notice version "1.5" unless a
// test says otherwise). Hand-offs to the desktop are recorded, not carried
// out.
//
// Every test waits for the workers it started to finish before it ends: the
// fixture's window and site must outlive them.
class ProgramFixture : public testing::Test {
  protected:
    ProgramFixture();

    // Start-up in the program's order: the created event's update check
    // against `notice_address`, then the window shown centred.
    void start_program(const std::string& notice_address);
    void start_program() { start_program(site.url("/notice.html")); }

    // What the site answers for one request target in place of its demo page.
    void script(const std::string& target, test_site::Reply reply);
    void set_notice_version(const std::string& version);

    template <class Widget = QWidget>
    [[nodiscard]] Widget* find(const char16_t* name) const {
        return window.findChild<Widget*>(QString::fromUtf16(name));
    }

    // What a person sees: the status label, the list's rows and cells.
    [[nodiscard]] QString status() const;
    [[nodiscard]] int row_count() const;
    [[nodiscard]] QString cell(int row, int column) const;
    [[nodiscard]] bool wait_for_status(const QString& text) const;

    void click(const char16_t* button) const;
    // The first click selects the row, the second press is the double-click.
    void double_click_at(QPoint where) const;
    void double_click_row(int row) const;
    // Clicks "搜  索" and waits until its worker has listed its rows.
    [[nodiscard]] bool search_and_wait();

    // The targets of the requests received so far, in order.
    [[nodiscard]] std::vector<std::string> targets() const;
    [[nodiscard]] std::vector<QString> hand_offs() const;

    [[nodiscard]] std::string site_root() const { return site.url(""); }

  private:
    test_site::Reply serve(const test_site::Request& request);

    // Site threads read these while the test writes them.
    mutable std::mutex site_mutex_;
    std::map<std::string, test_site::Reply> scripted_;
    std::string notice_version_ = "1.5";

    // The window's thread writes the hand-offs; the test reads them.
    mutable std::mutex hand_off_mutex_;
    std::vector<QString> handed_off_;

  protected:
    test_site::TestSite site{[this](const test_site::Request& request) { return serve(request); }};
    MainWindow window;
    QtWindowOperations operations{window, [this](const QString& address) {
                                      const std::lock_guard lock(hand_off_mutex_);
                                      handed_off_.push_back(address);
                                  }};
    ProgramState state;
    std::unique_ptr<ResultSearch> result_search;
    std::unique_ptr<EventHandlers> handlers;
};
