#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <atomic>
#include <future>
#include <string>
#include <thread>

#include "app/result_model.h"
#include "app/result_view.h"
#include "text/codepage.h"
#include "window_fixture.h"

namespace {

using WindowOperationsTest = WindowFixture;

// Runs `steps` on a new thread and handles the window's events until it ends.
void on_worker(const std::function<void()>& steps) {
    std::atomic<bool> done{false};
    std::thread worker([&] {
        steps();
        done = true;
    });
    const bool ended = process_events_until([&] { return done.load(); });
    worker.join();
    ASSERT_TRUE(ended);
}

struct TextCase {
    const char* name;
    Control control;
    const char16_t* widget;
    Text text;
    const char* shown;  // UTF-8
};

TEST_F(WindowOperationsTest, TextsReadBackAsTheGbkWrittenAndShowAsTheirCharacters) {
    const std::string long_address = "http://dl.chenglan.example/" + std::string(40'000, 'a');
    const TextCase cases[] = {
        {"keyword", Control::编辑框1, u"编辑框1", gbk("功夫３ 续集"), "功夫３ 续集"},
        {"status is plain text", Control::透明标签1, u"透明标签1", gbk("<b>粗</b>"), "<b>粗</b>"},
        {"button", Control::按钮4, u"按钮4", gbk("检查"), "检查"},
        {"no length limit", Control::编辑框2, u"编辑框2", Text(long_address), long_address.c_str()},
        {"empty", Control::编辑框1, u"编辑框1", Text(), ""},
    };
    EXPECT_EQ(operations.get_text(Control::编辑框1), gbk("功夫2"));
    for (const TextCase& test : cases) {
        SCOPED_TRACE(test.name);
        operations.set_text(test.control, test.text);
        EXPECT_EQ(operations.get_text(test.control), test.text);
        EXPECT_EQ(find(test.widget)->property("text").toString(), QString::fromUtf8(test.shown));
    }
    operations.show_status(gbk("获取完毕"));
    EXPECT_EQ(find<QLabel>(u"透明标签1")->text(), QString::fromUtf8("获取完毕"));
}

TEST_F(WindowOperationsTest, CellsAreEmptyOutsideTheListAndSelectionIsMinusOneWithoutOne) {
    EXPECT_EQ(operations.list_selected_row(), -1);
    EXPECT_EQ(operations.list_cell(0, 0), Text());
    EXPECT_EQ(operations.list_add_row(), 0);
    EXPECT_EQ(operations.list_add_row(), 1);
    operations.list_set_cell(1, 1, Text("http://search.chenglan.example/d/9.html"));
    for (const auto& [row, column] : {std::pair{-1, 0}, {2, 0}, {1, 2}, {1, -1}}) {
        operations.list_set_cell(row, column, Text("x"));
        EXPECT_EQ(operations.list_cell(row, column), Text());
    }
    EXPECT_EQ(operations.list_cell(1, 0), Text());
    EXPECT_EQ(operations.list_cell(1, 1), Text("http://search.chenglan.example/d/9.html"));

    window.results().show_pending_rows();
    find<ResultView>(u"超级列表框1")->selectRow(1);
    EXPECT_EQ(operations.list_selected_row(), 1);
    operations.list_clear();
    EXPECT_EQ(operations.list_selected_row(), -1);
    EXPECT_EQ(operations.list_add_row(), 0);
}

TEST_F(WindowOperationsTest, NewRowsReadBackAtOnceAndReachTheViewInABatch) {
    const QAbstractItemModel* shown = find<ResultView>(u"超级列表框1")->model();
    for (int i = 0; i < 3; ++i) {
        operations.list_set_cell(operations.list_add_row(), 0, Text(std::to_string(i)));
    }
    EXPECT_EQ(operations.list_cell(2, 0), Text("2"));
    ASSERT_TRUE(process_events_until([&] { return shown->rowCount() == 3; }));
    EXPECT_EQ(shown->index(1, 0).data().toString(), QStringLiteral("1"));
    operations.list_set_cell(1, 0, gbk("改"));
    EXPECT_EQ(shown->index(1, 0).data().toString(), QString::fromUtf8("改"));

    // Rows cleared before they were announced are never announced.
    operations.list_add_row();
    operations.list_clear();
    operations.wait_with_events(3 * ResultModel::batch_milliseconds);
    EXPECT_EQ(shown->rowCount(), 0);
    EXPECT_EQ(operations.list_add_row(), 0);
    ASSERT_TRUE(process_events_until([&] { return shown->rowCount() == 1; }));
}

TEST_F(WindowOperationsTest, WorkersCallsTakeEffectInTheOrderIssued) {
    constexpr int rows_per_worker = 200;
    auto fill = [this](const std::string& worker, std::vector<int>& indices) {
        for (int i = 0; i < rows_per_worker; ++i) {
            const int row = operations.list_add_row();
            indices.push_back(row);
            const Text title(worker + std::to_string(i));
            operations.list_set_cell(row, 0, title);
            // A read sees this thread's own earlier update.
            if (operations.list_cell(row, 0) != title) indices.push_back(-1);
        }
    };
    std::vector<int> first_rows;
    std::vector<int> second_rows;
    on_worker([&] {
        std::thread second([&] { fill("b", second_rows); });
        fill("a", first_rows);
        second.join();
    });

    const QAbstractItemModel* shown = find<ResultView>(u"超级列表框1")->model();
    EXPECT_TRUE(process_events_until([&] { return shown->rowCount() == 2 * rows_per_worker; }));
    for (const auto& [name, indices] : {std::pair{"a", &first_rows}, {"b", &second_rows}}) {
        ASSERT_EQ(indices->size(), static_cast<std::size_t>(rows_per_worker)) << name;
        for (int i = 0; i < rows_per_worker; ++i) {
            const int row = (*indices)[static_cast<std::size_t>(i)];
            if (i > 0) {
                EXPECT_GT(row, (*indices)[static_cast<std::size_t>(i - 1)]);
            }
            EXPECT_EQ(operations.list_cell(row, 0), Text(name + std::to_string(i)));
        }
    }
}

TEST_F(WindowOperationsTest, WorkersReachEveryControlOnTheWindowsThread) {
    on_worker([&] {
        operations.set_visible(Control::编辑框2, true);
        operations.set_visible(Control::标签1, true);
        operations.set_text(Control::编辑框2, Text("http://dl.chenglan.example/"));
        operations.shell_open(operations.get_text(Control::编辑框2));
        operations.open_address(gbk("magnet:?xt=urn:btih:ABC&dn=功夫"));
        operations.open_address(Text());
    });
    EXPECT_FALSE(find(u"编辑框2")->isHidden());
    EXPECT_FALSE(find(u"标签1")->isHidden());
    EXPECT_EQ(handed_off, (std::vector<QString>{
                              QStringLiteral("http://dl.chenglan.example/"),
                              QString::fromUtf8("magnet:?xt=urn:btih:ABC&dn=功夫"), QString()}));
    EXPECT_EQ(handed_off_on_window_thread, (std::vector<bool>{true, true, true}));
}

TEST_F(WindowOperationsTest, RunExclusiveLetsNoOtherThreadInEvenWhileItWaitsWithEvents) {
    std::atomic<bool> worker_calling{false};
    std::atomic<bool> worker_done{false};
    std::thread worker;
    operations.run_exclusive([&] {
        operations.list_set_cell(operations.list_add_row(), 0, Text("first"));
        worker = std::thread([&] {
            worker_calling = true;
            operations.list_set_cell(operations.list_add_row(), 0, Text("worker"));
            worker_done = true;
        });
        while (!worker_calling) operations.wait_with_events(5);
        // The worker's call is queued by now; events are handled meanwhile.
        operations.wait_with_events(100);
        operations.list_set_cell(operations.list_add_row(), 0, Text("second"));
    });
    EXPECT_TRUE(process_events_until([&] { return worker_done.load(); }));
    worker.join();
    EXPECT_EQ(operations.list_cell(0, 0), Text("first"));
    EXPECT_EQ(operations.list_cell(1, 0), Text("second"));
    EXPECT_EQ(operations.list_cell(2, 0), Text("worker"));
}

TEST_F(WindowOperationsTest, RunExclusiveFromAWorkerRunsItsStepsOnTheWindowsThread) {
    std::thread::id steps_thread;
    const std::thread::id window_thread = std::this_thread::get_id();
    on_worker([&] {
        operations.run_exclusive([&] {
            steps_thread = std::this_thread::get_id();
            operations.list_set_cell(operations.list_add_row(), 1, Text("inside"));
        });
    });
    EXPECT_EQ(steps_thread, window_thread);
    EXPECT_EQ(operations.list_cell(0, 1), Text("inside"));
}

TEST_F(WindowOperationsTest, WaitWithEventsHandlesQueuedEventsForMoreThanTheTime) {
    for (const int milliseconds : {0, -5}) {
        bool handled = false;
        QTimer::singleShot(0, &window, [&] { handled = true; });
        operations.wait_with_events(milliseconds);
        EXPECT_FALSE(handled) << milliseconds;
        QApplication::processEvents();
    }

    bool handled = false;
    QTimer::singleShot(0, &window, [&] { handled = true; });
    QElapsedTimer clock;
    clock.start();
    operations.wait_with_events(60);
    EXPECT_GT(clock.elapsed(), 60);
    EXPECT_TRUE(handled);
}

TEST_F(WindowOperationsTest, StartWorkerReturnsAtOnceAndTheThreadOwnsItsText) {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::promise<std::pair<Text, std::thread::id>> seen;
    std::future<std::pair<Text, std::thread::id>> result = seen.get_future();
    {
        Text argument = gbk("http://search.chenglan.example/d/功夫.html");
        operations.start_worker(
            [&](Text link) {
                released.wait();
                seen.set_value({std::move(link), std::this_thread::get_id()});
            },
            argument);
        argument = Text("changed");
    }
    release.set_value();
    const auto [link, thread] = result.get();
    EXPECT_EQ(link, gbk("http://search.chenglan.example/d/功夫.html"));
    EXPECT_NE(thread, std::this_thread::get_id());
}

TEST_F(WindowOperationsTest, MessageBoxIsTitledWithOneOkButtonNoIconAndModal) {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Critical;
    QMessageBox::StandardButtons buttons;
    Qt::WindowModality modality = Qt::NonModal;
    bool owned = true;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->standardButtons();
        modality = box->windowModality();
        owned = box->parentWidget() != nullptr;
        box->button(QMessageBox::Ok)->click();
    });
    operations.message_box(gbk("已有新版本更新，请到下载地址下载。"));
    EXPECT_EQ(title, QString::fromUtf8("信息："));
    EXPECT_EQ(text, QString::fromUtf8("已有新版本更新，请到下载地址下载。"));
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(buttons, QMessageBox::Ok);
    EXPECT_EQ(modality, Qt::ApplicationModal);
    EXPECT_FALSE(owned);
}

}  // namespace
