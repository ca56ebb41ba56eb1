#include <gtest/gtest.h>

#include "hostile_links.h"
#include "hostile_server.h"
#include "recording_window.h"
#include "search/magnet.h"
#include "text/codepage.h"

namespace {

struct MagnetCase {
    std::string name;
    hostile::Behaviour behaviour;
    // The link that must be handed over; none: whatever is handed over, if
    // anything, is a magnet link.
    std::optional<std::string> opens;
    bool must_not_open = false;
    int runs = 1;
};

std::string detail_page(const std::string& link) {
    return "<p><a href=\"/play\">BTUP在线观看</a>\r\n<a href=\"" + link + "\">磁力链接</a></p>";
}

std::vector<MagnetCase> magnet_cases() {
    std::vector<MagnetCase> cases;
    for (auto& common : hostile::common_behaviours(detail_page("magnet:?xt=urn:btih:GOOD"))) {
        cases.push_back({common.name, common.behaviour, std::nullopt, false, common.runs});
    }
    for (const auto& link : hostile::hostile_links()) {
        MagnetCase c{"marker link: " + link.name,
                     hostile::always(test_site::page(detail_page(link.link))), std::nullopt, false,
                     1};
        if (link.is_magnet) {
            c.opens = link.link;
        } else {
            c.must_not_open = true;
        }
        cases.push_back(std::move(c));
    }
    return cases;
}

TEST(HostileMagnet, HandsOverNothingButAMagnetLink) {
    hostile::write_marker_file(detail_page("magnet:?xt=urn:btih:FROMFILE"));
    const std::vector<Text> stages = {gbk("开始解析.."), gbk("开始解析..."), gbk("开始解析.")};
    const Text opened = gbk("解析完毕，已经打开磁力链接");
    const Text not_found = gbk("解析失败，未找到磁力链接");
    for (const MagnetCase& c : magnet_cases()) {
        SCOPED_TRACE(c.name);
        hostile::Server server(c.behaviour);
        RecordingWindow window;
        const auto limit = c.runs * hostile::fetch_limit + hostile::slack;
        hostile::run_bounded(
            "magnet", c.name, limit,
            [&] {
                RecordingWindow earlier;
                for (int run = 1; run < c.runs; ++run) {
                    resolve_magnet(earlier, Text(server.url("/detail")));
                }
                resolve_magnet(window, Text(server.url("/detail")));
                return hostile::last_status(window.statuses()) + ", " +
                       std::to_string(window.opened().size()) + " handed over";
            },
            [&] { server.stop(); });

        const auto statuses = window.statuses();
        ASSERT_EQ(statuses.size(), 4U);
        EXPECT_EQ(std::vector<Text>(statuses.begin(), statuses.begin() + 3), stages);
        const auto handed = window.opened();
        if (statuses[3] == opened) {
            ASSERT_EQ(handed.size(), 1U);
            EXPECT_TRUE(is_magnet_link(handed[0]));
            EXPECT_NE(handed[0], Text("magnet:?xt=urn:btih:FROMFILE"));
        } else {
            EXPECT_EQ(statuses[3], not_found);
            EXPECT_TRUE(handed.empty());
        }
        if (c.opens) {
            ASSERT_EQ(handed.size(), 1U);
            EXPECT_EQ(handed[0], Text(*c.opens));
        }
        if (c.must_not_open) {
            EXPECT_TRUE(handed.empty());
        }
    }
}

}  // namespace
