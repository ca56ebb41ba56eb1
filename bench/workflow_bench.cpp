// The workflows in the real window (offscreen): from a search click to the
// last row shown for a 1 MB result page of 500 results, the part of that spent
// off the window's thread, and appending many rows.
//
//   QT_QPA_PLATFORM=offscreen workflow_bench

#include <benchmark/benchmark.h>

#include <QApplication>
#include <fstream>
#include <string>
#include <thread>

#include "app/main_window.h"
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

long resident_kilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return 0;
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
        f.run_events_until([&] { return finished && f.window.results().rowCount() == result_count; });
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

void BM_AppendPagesOfFiftyRows(benchmark::State& state) {
    Fixture& f = fixture();
    std::vector<ResultRow> rows;
    for (int i = 0; i < 50; ++i) {
        rows.push_back({gbk("功夫2 高清 第" + std::to_string(i) + "部"),
                        Text("http://127.0.0.1/d/" + std::to_string(i) + ".html")});
    }
    std::size_t text_bytes = 0;
    for (const auto& row : rows) text_bytes += row.title.size() + row.detail_address.size();

    f.operations.list_clear();
    f.window.results().show_pending_rows();
    QApplication::processEvents();
    const long before = resident_kilobytes();
    int pages = 0;
    for (auto _ : state) {
        f.operations.run_exclusive([&] {
            for (const auto& row : rows) {
                const int index = f.operations.list_add_row();
                f.operations.list_set_cell(index, 0, row.title);
                f.operations.list_set_cell(index, 1, row.detail_address);
            }
        });
        f.window.results().show_pending_rows();
        QApplication::processEvents();
        ++pages;
    }
    const long after = resident_kilobytes();
    const double rows_added = pages * 50.0;
    state.counters["rss_bytes_per_row"] = (after - before) * 1024.0 / rows_added;
    state.counters["text_bytes_per_row"] = static_cast<double>(text_bytes) / 50.0;
    state.counters["rows"] = rows_added;
}

BENCHMARK(BM_SearchClickToLastRowShown)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SearchOffTheWindowThread)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AppendPagesOfFiftyRows)->Iterations(200)->Unit(benchmark::kMicrosecond);

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
