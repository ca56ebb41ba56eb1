#include <gtest/gtest.h>

#include "hostile_links.h"
#include "hostile_server.h"
#include "recording_window.h"
#include "search/program_state.h"
#include "search/result_search.h"
#include "text/codepage.h"

namespace {

struct SearchCase {
    std::string name;
    hostile::Behaviour behaviour;
    int runs = 1;
    // The one row the page must give, when the case expects one.
    std::optional<std::string> row_address;
};

std::string result_row(const std::string& address) {
    return "<li><a href=\"" + address + "\">title</a></li><li>";
}

std::vector<SearchCase> search_cases() {
    std::vector<SearchCase> cases;
    for (auto& common : hostile::common_behaviours(result_row("/d/1"))) {
        cases.push_back({common.name, common.behaviour, common.runs, std::nullopt});
    }
    for (const auto& link : hostile::hostile_links()) {
        cases.push_back({"row to " + link.name,
                         hostile::always(test_site::page(result_row(link.link))), 1, link.link});
    }
    return cases;
}

TEST(HostileSearch, EndsWithAnAllowedStatusAndOpensNothing) {
    hostile::write_marker_file(result_row("/from-file"));
    const std::vector<Text> done = {gbk("获取完毕"), gbk("双击表项 立即解析磁力链接")};
    const std::vector<Text> failed = {gbk("获取失败，请检查网络后重试")};
    for (const SearchCase& c : search_cases()) {
        SCOPED_TRACE(c.name);
        hostile::Server server(c.behaviour);
        RecordingWindow window;
        window.set_text(Control::编辑框1, "k");
        ProgramState state;
        ResultSearch search(window, state, Text(server.url("")));
        const auto limit = c.runs * hostile::fetch_limit + hostile::slack;
        hostile::run_bounded(
            "search", c.name, limit,
            [&] {
                for (int run = 0; run < c.runs; ++run) search.search();
                return hostile::last_status(window.statuses()) + ", " +
                       std::to_string(window.rows().size()) + " rows";
            },
            [&] { server.stop(); });

        // Every run shows one of the two sequences, one after the other.
        const auto all = window.statuses();
        std::size_t at = 0;
        std::vector<Text> statuses;
        for (int run = 0; run < c.runs; ++run) {
            const auto& expected = at < all.size() && all[at] == failed[0] ? failed : done;
            statuses.assign(
                all.begin() + static_cast<long>(std::min(at, all.size())),
                all.begin() + static_cast<long>(std::min(at + expected.size(), all.size())));
            EXPECT_EQ(statuses, expected) << "run " << run;
            at += expected.size();
        }
        EXPECT_EQ(at, all.size()) << "statuses beyond the runs' own";
        EXPECT_TRUE(window.opened().empty());
        for (const auto& row : window.rows()) {
            EXPECT_EQ(row.address.str().find(hostile::file_marker()), std::string::npos);
            EXPECT_NE(row.address, Text("/from-file"));
        }
        if (c.row_address) {
            ASSERT_EQ(statuses, done);
            ASSERT_EQ(window.rows().size(), 1U);
            EXPECT_EQ(window.rows()[0].address, Text(*c.row_address));
        }
    }
}

}  // namespace
