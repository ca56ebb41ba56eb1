#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "regex/regex_object.h"
#include "text/codepage.h"

namespace {

// Every worker builds its own object over its own page, as the search workers
// do, while the others run: the engine's per-thread stacks and the shared
// converters must keep the runs apart.
TEST(RegexConcurrency, ObjectsOnSeveralThreadsKeepTheirOwnResults) {
    constexpr int workers = 6;
    constexpr int rounds = 20;
    const Text pattern = "<a href=\"(.*?)\">(.*?)</a></li><li>";
    const Text title = gbk("功夫");
    std::vector<int> failures(workers, 0);
    std::vector<std::thread> threads;
    for (int worker = 0; worker < workers; ++worker) {
        threads.emplace_back([&, worker] {
            const std::string link = "/w" + std::to_string(worker);
            std::string page;
            const int rows = 200 + worker;
            for (int row = 0; row < rows; ++row) {
                page += "<li><a href=\"" + link + "\">" + title.str() + "</a></li><li>\r\n";
            }
            for (int round = 0; round < rounds; ++round) {
                RegexObject regex;
                regex.create(pattern, Text(page));
                bool good = regex.match_count() == rows;
                for (int i = 1; good && i <= rows; ++i) {
                    good = regex.submatch_text(i, 1).str() == link &&
                           regex.submatch_text(i, 2) == title;
                }
                if (!good) ++failures[static_cast<std::size_t>(worker)];
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(failures, std::vector<int>(workers, 0));
}

}  // namespace
