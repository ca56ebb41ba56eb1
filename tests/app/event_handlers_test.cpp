#include "app/event_handlers.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <thread>

#include "app/result_model.h"
#include "app/result_view.h"
#include "text/codepage.h"
#include "window_fixture.h"

namespace {

class EventHandlersTest : public WindowFixture {
  protected:
    void wire(Workflows workflows) {
        handlers = std::make_unique<EventHandlers>(window, operations, state, std::move(workflows));
        window.show_centred();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void add_rows(std::initializer_list<const char*> links) {
        for (const char* link : links) {
            const int row = operations.list_add_row();
            operations.list_set_cell(row, 0, gbk("标题"));
            operations.list_set_cell(row, 1, Text(link));
        }
        window.results().show_pending_rows();
    }

    // As a person does it: the first click selects, the second press is the
    // double-click.
    void double_click_at(QPoint where) {
        QWidget* rows = find<ResultView>(u"超级列表框1")->viewport();
        QTest::mouseClick(rows, Qt::LeftButton, {}, where);
        QTest::mouseDClick(rows, Qt::LeftButton, {}, where);
    }

    void double_click_row(int row) {
        auto* list = find<ResultView>(u"超级列表框1");
        double_click_at(list->visualRect(list->model()->index(row, 1)).center());
    }

    std::unique_ptr<EventHandlers> handlers;
};

struct LoadPageCall {
    int page;
    int append;
    int current_page_then;
    friend bool operator==(const LoadPageCall&, const LoadPageCall&) = default;
};

struct PagingCase {
    const char* name;
    const char16_t* control;
    bool press_only;  // a left-button press, not a click
    int append;
};

const PagingCase paging_cases[] = {
    {"next page", u"按钮3", false, 0},
    {"add next page", u"按钮2", false, 1},
    {"press on the hint", u"透明标签2", true, 1},
};

TEST_F(EventHandlersTest, PagingRaisesTheCurrentPageFirstAndLoadsTheRaisedPage) {
    std::vector<LoadPageCall> calls;
    Workflows workflows;
    workflows.load_page = [&](int page, int append) {
        calls.push_back({page, append, state.current_page.load()});
    };
    wire(std::move(workflows));
    for (const PagingCase& paging : paging_cases) {
        SCOPED_TRACE(paging.name);
        calls.clear();
        state.current_page = 0;
        QWidget* control = find(paging.control);
        for (std::size_t time = 1; time <= 2; ++time) {
            if (paging.press_only) {
                // The handler runs on the press, before any release.
                QTest::mousePress(control, Qt::LeftButton);
                EXPECT_EQ(calls.size(), time);
                QTest::mouseRelease(control, Qt::LeftButton);
            } else {
                QTest::mouseClick(control, Qt::LeftButton);
            }
        }
        EXPECT_EQ(calls, (std::vector<LoadPageCall>{{1, paging.append, 1}, {2, paging.append, 2}}));
    }
}

TEST_F(EventHandlersTest, PagingWithoutAnEntryPointStillRaisesThePage) {
    wire({});
    QTest::mouseClick(find(u"按钮3"), Qt::LeftButton);
    EXPECT_EQ(state.current_page.load(), 1);
}

TEST_F(EventHandlersTest, EachSearchClickStartsItsOwnWorker) {
    std::mutex mutex;
    std::condition_variable both_running;
    std::vector<std::thread::id> threads;
    int ended = 0;
    Workflows workflows;
    workflows.search = [&] {
        std::unique_lock lock(mutex);
        threads.push_back(std::this_thread::get_id());
        both_running.notify_all();
        // Both workers are alive at once, so their ids cannot be a reused one.
        both_running.wait_for(lock, std::chrono::seconds(10), [&] { return threads.size() >= 2; });
        ++ended;
    };
    wire(std::move(workflows));
    QTest::mouseClick(find(u"按钮1"), Qt::LeftButton);
    QTest::mouseClick(find(u"按钮1"), Qt::LeftButton);
    ASSERT_TRUE(process_events_until([&] {
        const std::lock_guard lock(mutex);
        return ended == 2;
    }));
    EXPECT_NE(threads[0], std::this_thread::get_id());
    EXPECT_NE(threads[1], std::this_thread::get_id());
    EXPECT_NE(threads[0], threads[1]);
}

TEST_F(EventHandlersTest, DoubleClickWithNoRowSelectedDoesNothing) {
    std::atomic<int> resolutions{0};
    Workflows workflows;
    workflows.resolve_magnet = [&](Text) { ++resolutions; };
    wire(std::move(workflows));
    state.selected_link = Text("http://search.chenglan.example/d/0.html");
    operations.show_status(gbk("获取完毕"));

    double_click_at({100, 100});  // an empty list
    add_rows({"http://search.chenglan.example/d/1.html"});
    double_click_at({100, 200});  // below the only row
    QApplication::processEvents();

    EXPECT_EQ(operations.list_selected_row(), -1);
    EXPECT_EQ(resolutions.load(), 0);
    EXPECT_EQ(state.selected_link, Text("http://search.chenglan.example/d/0.html"));
    EXPECT_EQ(operations.get_text(Control::透明标签1), gbk("获取完毕"));
}

TEST_F(EventHandlersTest, DoubleClickHandsTheRowsLinkToItsWorkerAsACopy) {
    std::mutex mutex;
    std::vector<Text> links;
    std::promise<void> release_first;
    std::shared_future<void> first_released = release_first.get_future().share();
    Workflows workflows;
    workflows.resolve_magnet = [&](Text link) {
        bool first = false;
        {
            const std::lock_guard lock(mutex);
            first = links.empty();
            links.push_back(link);
        }
        // The first worker holds on to its link while the second double-click
        // replaces selected_link.
        if (first) first_released.wait();
        const std::lock_guard lock(mutex);
        links.push_back(link);
    };
    wire(std::move(workflows));
    add_rows(
        {"http://search.chenglan.example/d/1.html", "http://search.chenglan.example/d/2.html"});

    double_click_row(0);
    ASSERT_TRUE(process_events_until([&] {
        const std::lock_guard lock(mutex);
        return links.size() == 1;
    }));
    EXPECT_EQ(state.selected_link, Text("http://search.chenglan.example/d/1.html"));

    double_click_row(1);
    EXPECT_EQ(state.selected_link, Text("http://search.chenglan.example/d/2.html"));
    ASSERT_TRUE(process_events_until([&] {
        const std::lock_guard lock(mutex);
        return links.size() == 3;
    }));
    release_first.set_value();
    ASSERT_TRUE(process_events_until([&] {
        const std::lock_guard lock(mutex);
        return links.size() == 4;
    }));
    // Started, second started and done, then the first one ends with its own link.
    EXPECT_EQ(links, (std::vector<Text>{Text("http://search.chenglan.example/d/1.html"),
                                        Text("http://search.chenglan.example/d/2.html"),
                                        Text("http://search.chenglan.example/d/2.html"),
                                        Text("http://search.chenglan.example/d/1.html")}));
}

TEST_F(EventHandlersTest, BannerOpensTheFileSharePageThenTheSecondSite) {
    wire({});
    QTest::mousePress(find(u"图片框10"), Qt::LeftButton);
    EXPECT_EQ(handed_off, (std::vector<QString>{QStringLiteral("http://pan.chenglan.example/"),
                                                QStringLiteral("http://blog.chenglan.example/")}));
    QTest::mouseRelease(find(u"图片框10"), Qt::LeftButton);
    EXPECT_EQ(handed_off.size(), 2u);
}

TEST_F(EventHandlersTest, UpdateCheckRunsOnCreationBeforeTheWindowShowsAndOnTheHiddenButton) {
    std::vector<bool> shown_during_check;
    Workflows workflows;
    workflows.check_update = [&] { shown_during_check.push_back(window.isVisible()); };
    handlers = std::make_unique<EventHandlers>(window, operations, state, std::move(workflows));
    handlers->window_created();
    EXPECT_EQ(shown_during_check, std::vector<bool>{false});

    window.show_centred();
    find<QPushButton>(u"按钮4")->click();
    EXPECT_EQ(shown_during_check, (std::vector<bool>{false, true}));
}

}  // namespace
