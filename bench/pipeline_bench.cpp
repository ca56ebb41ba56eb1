// How fast a fetched result page turns into result rows: percent-decoding
// with the UTF-8 to GBK conversion, the result pattern over the decoded page,
// and both together, against a plain copy of the same bytes; for pages of
// 100 KB, 1 MB and 10 MB.

#include <benchmark/benchmark.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "regex/regex_object.h"
#include "text/percent.h"

namespace {

const Text result_pattern = "<a href=\"(.*?)\">(.*?)</a></li><li>";
// One result, with its markup and description, takes about 3.4 KB: 300 of
// them fill most of a 1 MB page, the rest is the list of page links.
constexpr std::size_t bytes_per_result = 3500;

std::string percent_encoded(const std::string& utf8) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += '%';
            out += hex[byte >> 4];
            out += hex[byte & 0x0F];
        }
    }
    return out;
}

// A result page as the site sends it: UTF-8 markup with CRLF line breaks,
// Chinese titles and descriptions, percent-escaped links, a result list whose
// items close with "</li><li>", and plain anchors that the pattern starts on
// but must give up.
std::string make_page(std::size_t page_size, int result_count) {
    const std::vector<std::string> words = {"功夫",   "熊猫",   "中文字幕", "高清", "电影",
                                            "纪录片", "第二季", "合集",     "蓝光", "国语"};
    std::string page =
        "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n"
        "<title>搜索结果</title>\r\n<link rel=\"stylesheet\" href=\"/css/main.css\">\r\n"
        "</head>\r\n<body>\r\n<div class=\"nav\"><a href=\"/\">首页</a> "
        "<a href=\"/hot\">热门</a></div>\r\n<ul class=\"list\">\r\n<li>";
    std::string description;
    for (int i = 0; description.size() < 2600; ++i) {
        description += words[static_cast<std::size_t>(i * 7 % 10)] + " size " +
                       std::to_string(i * 37 % 1000) + " MB ";
        if (i % 12 == 11) description += "\r\n";
    }
    for (int i = 0; i < result_count; ++i) {
        const std::string title = words[static_cast<std::size_t>(i % 10)] + " " +
                                  words[static_cast<std::size_t>(i * 3 % 10)] + " " +
                                  std::to_string(2000 + i) + " 1080p";
        page += "<a href=\"/detail/" + percent_encoded(title) + "-" + std::to_string(i * 7919) +
                ".html\">" + title + "</a></li><li>\r\n";
        page += "<div class=\"meta\"><span>大小：1." + std::to_string(i % 10) +
                " GB</span><span>时间：2024-01-0" + std::to_string(i % 9 + 1) +
                "</span> <a href=\"/tag/" +
                percent_encoded(words[static_cast<std::size_t>(i % 10)]) + "\">" +
                words[static_cast<std::size_t>(i % 10)] + "</a></div>\r\n";
        page += "<p class=\"desc\">" + description + "</p>\r\n";
    }
    page += "</li></ul>\r\n<div class=\"pages\">";
    while (page.size() < page_size) page += "<a href=\"/s/%E5%8A%9F%E5%A4%AB/2/\">2</a> \r\n";
    page += "</div>\r\n</body>\r\n</html>\r\n";
    return page;
}

struct Page {
    explicit Page(std::size_t size)
        : results(static_cast<int>(size / bytes_per_result)),
          raw(make_page(size, results)),
          decoded(url_decode(raw, true)) {}
    int results;
    Text raw;
    Text decoded;
};

const Page& page(const benchmark::State& state) {
    static std::map<std::size_t, Page> pages;
    const auto size = static_cast<std::size_t>(state.range(0));
    return pages.try_emplace(size, size).first->second;
}

// Reads every result as the search workflow does; the count tells a broken
// run from a fast one.
int read_results(const Text& decoded) {
    RegexObject regex;
    regex.create(result_pattern, decoded);
    const int count = regex.match_count();
    for (int i = 1; i <= count; ++i) {
        benchmark::DoNotOptimize(regex.submatch_text(i, 2));
        benchmark::DoNotOptimize(regex.submatch_text(i, 1));
    }
    return count;
}

bool check_results(benchmark::State& state) {
    const Page& tested = page(state);
    if (read_results(tested.decoded) == tested.results) return true;
    state.SkipWithError("the page did not give every result");
    return false;
}

void page_sizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(100 << 10)->Arg(1 << 20)->Arg(10 << 20);
}

void memcpy_page(benchmark::State& state) {
    const Text& source = page(state).raw;
    std::vector<char> target(source.size());
    std::memset(target.data(), 1, target.size());  // no page faults inside the loop
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), source.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(source.size()));
}
BENCHMARK(memcpy_page)->Apply(page_sizes);

void url_decode_page(benchmark::State& state) {
    const Text& source = page(state).raw;
    for (auto _ : state) benchmark::DoNotOptimize(url_decode(source, true));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(source.size()));
}
BENCHMARK(url_decode_page)->Apply(page_sizes);

void match_results(benchmark::State& state) {
    if (!check_results(state)) return;
    const Text& decoded = page(state).decoded;
    for (auto _ : state) benchmark::DoNotOptimize(read_results(decoded));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(decoded.size()));
}
BENCHMARK(match_results)->Apply(page_sizes);

void whole_pipeline(benchmark::State& state) {
    if (!check_results(state)) return;
    const Text& source = page(state).raw;
    for (auto _ : state) benchmark::DoNotOptimize(read_results(url_decode(source, true)));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(source.size()));
}
BENCHMARK(whole_pipeline)->Apply(page_sizes);

}  // namespace

BENCHMARK_MAIN();
