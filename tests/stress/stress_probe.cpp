// The real program against a loopback demo site that answers after random
// delays, flooded with searches, paging clicks and double-clicks as fast as
// the window takes them, then closed while workers are still fetching.
// Started by the stress test.
//
//   stress_probe [seed]
//
// Prints "stress searches S pages P double-clicks D hand-offs H statuses N"
// and ends through the program's own exit path with code 0, or prints
// "violation: ..." to stderr and ends with code 1.

#include <QAbstractItemModel>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "app/main_window.h"
#include "app/program.h"
#include "app/qt_text.h"
#include "app/result_view.h"
#include "demo_pages.h"
#include "recording_operations.h"
#include "search/entry_points.h"
#include "search/result_search.h"
#include "search/texts.h"
#include "test_site.h"
#include "text/text_ops.h"
#include "web/curl_session.h"

namespace {

constexpr int clicks_per_kind = 200;
// Paging clicks run nested inside the one-second wait of the click before;
// this bounds how deep they stack.
constexpr int max_paging_depth = 16;

[[noreturn]] void violation(const std::string& what) {
    std::fprintf(stderr, "violation: %s\n", what.c_str());
    std::fflush(nullptr);
    std::_Exit(1);
}

// The demo site, slowed by a seeded random delay of 0-50 ms per request.
class SlowSite {
  public:
    explicit SlowSite(unsigned seed) : random_(seed) { site_.start(); }
    [[nodiscard]] std::string root() const { return site_.url(""); }

  private:
    test_site::Reply serve(const test_site::Request& request) {
        int delay = 0;
        {
            const std::lock_guard lock(mutex_);
            delay = std::uniform_int_distribution<int>(0, 50)(random_);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        std::string body = demo_pages::page_for(site_.url(""), request.target, "1.5");
        if (body.empty()) return test_site::page("not here", 404);
        return test_site::page(std::move(body));
    }

    std::mutex mutex_;
    std::mt19937 random_;
    test_site::TestSite site_{[this](const test_site::Request& request) { return serve(request); }};
};

MainWindow* main_window() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<MainWindow*>(widget)) return window;
    }
    return nullptr;
}

// Judges each status as it comes: the window's thread shows the list's
// statuses, each resolving worker its own sequence of four.
class StatusJudge {
  public:
    explicit StatusJudge(std::thread::id window_thread) : window_thread_(window_thread) {
        const WorkflowTexts& texts = workflow_texts();
        list_statuses_ = {texts.fetched, texts.double_click_hint, texts.fetch_failed};
        resolving_ = {texts.resolving_two_dots, texts.resolving_three_dots,
                      texts.resolving_one_dot};
        resolved_ = {texts.magnet_opened, texts.magnet_not_found};
    }

    void judge(const RecordingOperations::Status& status) {
        ++count_;
        const auto& [thread, text] = status;
        if (thread == window_thread_) {
            if (contains(list_statuses_, text) || is_page_label(text)) return;
            violation("status on the window's thread: " + to_qstring(text).toStdString());
        }
        // A worker's thread id may come back for a later worker once the
        // first has shown its last status.
        std::size_t& step = worker_steps_[thread];
        if (step < resolving_.size()) {
            if (text != resolving_[step]) {
                violation("resolving status out of order: " + to_qstring(text).toStdString());
            }
            ++step;
            return;
        }
        if (!contains(resolved_, text)) {
            violation("resolving ended with: " + to_qstring(text).toStdString());
        }
        step = 0;
    }

    [[nodiscard]] int count() const { return count_; }

  private:
    static bool contains(const std::vector<Text>& texts, const Text& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }

    // "现正为第（N）页" for some page number N, written as the search writes it.
    static bool is_page_label(const Text& text) {
        const WorkflowTexts& texts = workflow_texts();
        const std::string_view view = text.view();
        const std::string_view before = texts.page_label_before.view();
        const std::string_view after = texts.page_label_after.view();
        if (!view.starts_with(before) || !view.ends_with(after) ||
            view.size() <= before.size() + after.size()) {
            return false;
        }
        const Text number(view.substr(before.size(), view.size() - before.size() - after.size()));
        return text == page_label(to_int(number));
    }

    std::thread::id window_thread_;
    std::vector<Text> list_statuses_;
    std::vector<Text> resolving_;
    std::vector<Text> resolved_;
    std::map<std::thread::id, std::size_t> worker_steps_;
    int count_ = 0;
};

// Clicks on the window's thread, one action per turn of the event loop,
// nested loops included, and checks the window between actions.
class Driver {
  public:
    Driver(RecordingOperations& operations, unsigned seed)
        : operations_(operations), random_(seed), judge_(std::this_thread::get_id()) {}

    void start() {
        window_ = main_window();
        if (window_ == nullptr) violation("no main window");
        keyword_box_ = window_->findChild<QLineEdit*>(QStringLiteral("编辑框1"));
        for (const char* name : {"按钮3", "按钮2", "透明标签2"}) {
            QWidget* control = window_->findChild<QWidget*>(QString::fromUtf8(name));
            if (control == nullptr) violation(std::string("no control ") + name);
            paging_controls_.push_back(control);
        }
        if (keyword_box_ == nullptr) violation("no keyword box");
        schedule();
    }

    void record_hand_off(const QString& address) {
        // The window's thread carries out every hand-off.
        ++hand_offs_;
        if (!address.startsWith(QStringLiteral("magnet:?xt=urn:btih:"))) {
            violation("handed off: " + address.left(200).toStdString());
        }
    }

  private:
    enum class Action { search, paging, double_click };

    // A timer does not fire again while its own handler runs, so each turn
    // asks for the next one before it acts: a click that waits with events
    // then runs the next turns nested inside it.
    void schedule() {
        QTimer::singleShot(0, window_, [this] { turn(); });
    }

    void turn() {
        if (closed_) return;
        schedule();
        check();
        if (searches_ == clicks_per_kind && pages_ == clicks_per_kind &&
            double_clicks_ == clicks_per_kind) {
            close();
            return;
        }
        std::vector<Action> possible;
        if (searches_ < clicks_per_kind) possible.push_back(Action::search);
        if (pages_ < clicks_per_kind && paging_depth_ < max_paging_depth && list_is_current()) {
            possible.push_back(Action::paging);
        }
        if (double_clicks_ < clicks_per_kind && row_count() > 0) {
            possible.push_back(Action::double_click);
        }
        if (possible.empty()) return;
        switch (
            possible[std::uniform_int_distribution<std::size_t>(0, possible.size() - 1)(random_)]) {
            case Action::search:
                search();
                break;
            case Action::paging:
                page();
                break;
            case Action::double_click:
                double_click();
                break;
        }
    }

    void search() {
        ++searches_;
        keyword_ = QStringLiteral("stress%1").arg(searches_);
        keyword_box_->setText(keyword_);
        QTest::mouseClick(window_->findChild<QPushButton*>(QStringLiteral("按钮1")),
                          Qt::LeftButton);
    }

    // A paging click lists pages of the keyword in the box, so it comes only
    // when the list already shows that keyword: rows of an older keyword
    // appended to it would be the driver's mixing, not the program's.
    void page() {
        ++pages_;
        QWidget* control = paging_controls_[std::uniform_int_distribution<std::size_t>(
            0, paging_controls_.size() - 1)(random_)];
        ++paging_depth_;
        // The handler waits a second with events, so this returns late and
        // other turns run inside it.
        QTest::mouseClick(control, Qt::LeftButton);
        --paging_depth_;
    }

    void double_click() {
        ++double_clicks_;
        const ResultView& list = window_->result_list();
        const int row = std::uniform_int_distribution<int>(0, row_count() - 1)(random_);
        const QPoint where = list.visualRect(list.model()->index(row, 1)).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, where);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, where);
    }

    [[nodiscard]] int row_count() const { return window_->result_list().model()->rowCount(); }

    [[nodiscard]] QString title(int row) const {
        const QAbstractItemModel* rows = window_->result_list().model();
        return rows->data(rows->index(row, 0), Qt::DisplayRole).toString();
    }

    // The keyword that the rows' titles begin with; empty for no rows.
    [[nodiscard]] QString listed_keyword() const {
        if (row_count() == 0) return {};
        const QString first = title(0);
        return first.left(first.indexOf(u' '));
    }

    [[nodiscard]] bool list_is_current() const {
        return row_count() == 0 || listed_keyword() == keyword_;
    }

    void check() {
        for (const RecordingOperations::Status& status : operations_.take_statuses()) {
            judge_.judge(status);
        }
        const QString keyword = listed_keyword();
        if (keyword.isEmpty() && row_count() > 0) violation("a row without a keyword");
        const QString prefix = keyword + u' ';
        for (int row = 0; row < row_count(); ++row) {
            if (!title(row).startsWith(prefix)) {
                violation("rows of two searches: " + title(0).toStdString() + " / " +
                          title(row).toStdString());
            }
        }
    }

    void close() {
        closed_ = true;
        // Start fresh fetches so that workers are surely busy as it closes.
        // They count beyond the clicks above.
        keyword_box_->setText(QStringLiteral("closing"));
        QTest::mouseClick(window_->findChild<QPushButton*>(QStringLiteral("按钮1")),
                          Qt::LeftButton);
        if (row_count() > 0) {
            const ResultView& list = window_->result_list();
            const QPoint where = list.visualRect(list.model()->index(0, 1)).center();
            QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, where);
        }
        for (const RecordingOperations::Status& status : operations_.take_statuses()) {
            judge_.judge(status);
        }
        std::printf("stress searches %d pages %d double-clicks %d hand-offs %d statuses %d\n",
                    searches_, pages_, double_clicks_, hand_offs_, judge_.count());
        std::fflush(stdout);
        window_->close();
    }

    RecordingOperations& operations_;
    std::mt19937 random_;
    StatusJudge judge_;
    MainWindow* window_ = nullptr;
    QLineEdit* keyword_box_ = nullptr;
    std::vector<QWidget*> paging_controls_;
    QString keyword_;
    int searches_ = 0;
    int pages_ = 0;
    int double_clicks_ = 0;
    int hand_offs_ = 0;
    int paging_depth_ = 0;
    bool closed_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    const unsigned seed = argc > 1 ? static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10)) : 6U;
    init_web();
    // Everything below lives until the process ends: workers still use it
    // when the exit path ends the process without tearing anything down.
    auto* site = new SlowSite(seed);
    Driver* driver = nullptr;
    run_program(
        argc, argv,
        [&driver](const QString& address) {
            if (driver == nullptr) violation("hand-off before the run");
            driver->record_hand_off(address);
        },
        [&](WindowOperations& window, ProgramState& state) {
            auto* operations = new RecordingOperations(window);
            auto* search = new ResultSearch(*operations, state, Text(site->root()));
            driver = new Driver(*operations, seed);
            // The window exists only once the workflows are made; the first
            // turn of the loop finds it.
            QTimer::singleShot(0, [driver] { driver->start(); });
            return make_workflows(*operations, *search, Text(site->root() + "/notice.html"));
        });
}
