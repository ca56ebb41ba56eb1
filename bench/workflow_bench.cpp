// The workflows in the real window (offscreen): from a search click to the
// last row shown for a 1 MB result page of 500 results beside the part of that
// spent off the window's thread, and appending 10,000 rows beside Qt's stock
// item model doing the same.
//
//   QT_QPA_PLATFORM=offscreen workflow_bench

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QStandardItemModel>
#include <QTableView>
#include <string>
#include <thread>

#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/qt_window_operations.h"
#include "app/result_model.h"
#include "search/program_state.h"
#include "search/result_pages.h"
#include "search/result_search.h"
#include "test_site.h"
#include "text/codepage.h"
#include "text/percent.h"
#include "web/curl_session.h"
#include "web/http_request.h"

namespace {

constexpr int result_count = 500;

// About 1 MB: 500 results with Chinese titles and percent-escaped hrefs,
// padded with markup between them as a real result page is.
std::string result_page() {
    std::string page = "<!DOCTYPE html>\r\n<html><body><ul>";
    const std::string padding(1900, 'x');
    // One anchor more than the results: the last is followed by "</ul>" and
    // is not a result.
    for (int i = 0; i <= result_count; ++i) {
        page += "<li><a href=\"http://127.0.0.1/d/%E5%8A%9F" + std::to_string(i) +
                ".html\">功夫2 高清 第" + std::to_string(i) + "部</a></li>";
        page += i < result_count ? "<li>" : "</ul>";
        page += "\r\n<!-- " + padding + " -->\r\n";
    }
    return page + "</body></html>\r\n";
}

// Bytes the heap holds in use: what a filled list adds, whatever memory the
// process had freed earlier and now reuses.
std::size_t heap_bytes_in_use() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

struct Fixture {
    Fixture()
        : page(result_page()),
          site([this](const test_site::Request&) { return test_site::page(page); }) {
        site.start();
        search = std::make_unique<ResultSearch>(operations, state, Text(site.url("")));
        window.show_centred();
    }
    void run_events_until(const std::function<bool()>& done) {
        while (!done()) QApplication::processEvents(QEventLoop::AllEvents, 1);
    }

    std::string page;
    test_site::TestSite site;
    MainWindow window;
    QtWindowOperations operations{window, [](const QString&) {}};
    ProgramState state;
    std::unique_ptr<ResultSearch> search;
};

Fixture& fixture() {
    static Fixture instance;
    return instance;
}

void BM_SearchClickToLastRowShown(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        state.PauseTiming();
        f.operations.list_clear();
        f.window.results().show_pending_rows();
        state.ResumeTiming();
        std::atomic<bool> finished{false};
        std::thread worker([&] {
            f.search->search();
            finished = true;
        });
        f.run_events_until(
            [&] { return finished && f.window.results().rowCount() == result_count; });
        worker.join();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(f.page.size()));
}

// What the worker does before it hands the rows to the window's thread.
void BM_SearchOffTheWindowThread(benchmark::State& state) {
    Fixture& f = fixture();
    const Text address(f.site.url("/s/x/1/"));
    for (auto _ : state) {
        std::vector<ResultRow> rows = read_result_rows(url_decode(fetch_text(address), true));
        if (rows.size() != result_count) state.SkipWithError("wrong row count");
        benchmark::DoNotOptimize(rows);
    }
}

constexpr int appended_rows = 10000;
constexpr int rows_per_page = 50;

std::vector<ResultRow> page_of_rows() {
    std::vector<ResultRow> rows;
    for (int i = 0; i < rows_per_page; ++i) {
        rows.push_back({gbk("功夫2 高清 第" + std::to_string(i) + "部"),
                        Text("http://127.0.0.1/d/" + std::to_string(i) + ".html")});
    }
    return rows;
}

// 10,000 rows arriving in pages of 50, as paging brings them, each page shown
// before the next comes; the heap memory the rows take is measured beside the
// bytes of text they hold.
void BM_AppendTenThousandRows(benchmark::State& state) {
    Fixture& f = fixture();
    const std::vector<ResultRow> rows = page_of_rows();
    std::size_t text_bytes = 0;
    for (const auto& row : rows) text_bytes += row.title.size() + row.detail_address.size();

    double heap_bytes_per_row = 0;
    for (auto _ : state) {
        state.PauseTiming();
        f.operations.list_clear();
        f.window.results().show_pending_rows();
        QApplication::processEvents();
        const std::size_t before = heap_bytes_in_use();
        state.ResumeTiming();
        for (int page = 0; page < appended_rows / rows_per_page; ++page) {
            f.operations.run_exclusive([&] {
                for (const auto& row : rows) {
                    const int index = f.operations.list_add_row();
                    f.operations.list_set_cell(index, 0, row.title);
                    f.operations.list_set_cell(index, 1, row.detail_address);
                }
            });
            f.window.results().show_pending_rows();
            QApplication::processEvents();
        }
        heap_bytes_per_row =
            (static_cast<double>(heap_bytes_in_use()) - static_cast<double>(before)) /
            appended_rows;
    }
    if (f.window.results().rowCount() != appended_rows) state.SkipWithError("rows missing");
    state.counters["heap_bytes_per_row"] = heap_bytes_per_row;
    state.counters["text_bytes_per_row"] = static_cast<double>(text_bytes) / rows_per_page;
}

// The same rows through Qt's stock item model in a table view of the same
// size: what a list built the usual way costs.
void BM_AppendTenThousandRowsStockModel(benchmark::State& state) {
    Fixture& f = fixture();
    const std::vector<ResultRow> rows = page_of_rows();
    QStandardItemModel model(0, 2);
    QTableView view;
    view.setModel(&model);
    view.resize(f.window.findChild<QTableView*>()->size());
    view.show();
    for (auto _ : state) {
        state.PauseTiming();
        model.removeRows(0, model.rowCount());
        QApplication::processEvents();
        state.ResumeTiming();
        for (int page = 0; page < appended_rows / rows_per_page; ++page) {
            for (const auto& row : rows) {
                model.appendRow({new QStandardItem(to_qstring(row.title)),
                                 new QStandardItem(to_qstring(row.detail_address))});
            }
            QApplication::processEvents();
        }
    }
    if (model.rowCount() != appended_rows) state.SkipWithError("rows missing");
}

BENCHMARK(BM_SearchClickToLastRowShown)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SearchOffTheWindowThread)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AppendTenThousandRows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AppendTenThousandRowsStockModel)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    init_web();
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::fflush(nullptr);
    std::_Exit(0);
}
