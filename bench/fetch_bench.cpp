// fetch_text of a 1 MB page from the loopback site, against the least a
// client can do for the same page: one libcurl easy handle kept for every
// GET, its connection reused, writing into one buffer whose capacity stays.
// Compare the medians:
//
//   fetch_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <string>

#include "test_site.h"
#include "web/curl_handles.h"
#include "web/curl_session.h"
#include "web/http_request.h"

namespace {

constexpr std::size_t page_size = 1 << 20;

test_site::TestSite& loopback_site() {
    static const test_site::Reply reply = test_site::page(std::string(page_size, 'p'));
    static test_site::TestSite site([](const test_site::Request&) { return reply; });
    return site;
}

std::size_t keep(char* data, std::size_t size, std::size_t count, void* user) {
    static_cast<std::string*>(user)->append(data, size * count);
    return size * count;
}

void fetch_text_1mb(benchmark::State& state) {
    const Text url(loopback_site().url("/page"));
    for (auto _ : state) {
        const Text page = fetch_text(url);
        if (page.size() != page_size) state.SkipWithError("short page");
        benchmark::DoNotOptimize(page.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page_size));
}

void reused_handle_1mb(benchmark::State& state) {
    const std::string url = loopback_site().url("/page");
    CurlEasy easy(curl_easy_init());
    if (!easy) {
        state.SkipWithError("no easy handle");
        return;
    }
    std::string buffer;
    curl_easy_setopt(easy.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy.get(), CURLOPT_PROXY, "");
    curl_easy_setopt(easy.get(), CURLOPT_WRITEFUNCTION, keep);
    curl_easy_setopt(easy.get(), CURLOPT_WRITEDATA, &buffer);
    for (auto _ : state) {
        buffer.clear();
        if (curl_easy_perform(easy.get()) != CURLE_OK || buffer.size() != page_size) {
            state.SkipWithError("failed GET");
        }
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page_size));
}

}  // namespace

BENCHMARK(fetch_text_1mb)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(reused_handle_1mb)->Unit(benchmark::kMicrosecond)->UseRealTime();

int main(int argc, char** argv) {
    init_web();
    loopback_site().start();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    loopback_site().stop();
    return 0;
}
