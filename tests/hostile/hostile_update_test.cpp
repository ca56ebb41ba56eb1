#include <gtest/gtest.h>

#include "hostile_links.h"
#include "hostile_server.h"
#include "recording_window.h"
#include "search/update_check.h"
#include "text/codepage.h"

namespace {

struct UpdateCase {
    std::string name;
    hostile::Behaviour behaviour;
    // Whether the notice must be announced (its version is readable).
    bool announced = false;
    // The address that must be opened when announced; empty: none may be.
    std::string opens;
    int runs = 1;
};

std::string notice(const std::string& address) {
    return "<p>【墨川开始】1.6【墨川结束】" + address + "【墨川地址】</p>";
}

std::vector<UpdateCase> update_cases() {
    std::vector<UpdateCase> cases;
    for (auto& common : hostile::common_behaviours(notice("http://127.0.0.1/new.zip"))) {
        cases.push_back({common.name, common.behaviour, false, {}, common.runs});
    }
    for (const auto& link : hostile::hostile_links()) {
        cases.push_back({"download address: " + link.name,
                         hostile::always(test_site::page(notice(link.link))),
                         true,
                         {},
                         1});
    }
    const std::string long_web = "http://127.0.0.1/" + std::string(100 * 1024, 'a');
    cases.push_back({"100 KB web download address",
                     hostile::always(test_site::page(notice(long_web))), true, long_web, 1});
    return cases;
}

TEST(HostileUpdate, StaysSilentOrAnnouncesAndOpensOnlyAWebAddress) {
    hostile::write_marker_file(notice("http://127.0.0.1/from-file"));
    const Text message = gbk("已有新版本更新，请到下载地址下载。");
    for (const UpdateCase& c : update_cases()) {
        SCOPED_TRACE(c.name);
        hostile::Server server(c.behaviour);
        RecordingWindow window;
        // Two readings of the notice when a new version is announced.
        const auto limit = 2 * c.runs * hostile::fetch_limit + hostile::slack;
        hostile::run_bounded(
            "update", c.name, limit,
            [&] {
                RecordingWindow earlier;
                for (int run = 1; run < c.runs; ++run) {
                    check_update(earlier, Text(server.url("/notice")));
                }
                check_update(window, Text(server.url("/notice")));
                return std::string(window.messages().empty() ? "silent" : "announced") + ", " +
                       std::to_string(window.opened().size()) + " opened";
            },
            [&] { server.stop(); });

        EXPECT_TRUE(window.statuses().empty());
        const auto messages = window.messages();
        const auto handed = window.opened();
        if (messages.empty()) {
            EXPECT_FALSE(c.announced);
            EXPECT_TRUE(window.events().empty());
            EXPECT_TRUE(handed.empty());
        } else {
            EXPECT_EQ(messages, std::vector<Text>{message});
            EXPECT_TRUE(window.visible(Control::编辑框2));
            EXPECT_TRUE(window.visible(Control::标签1));
            EXPECT_LE(handed.size(), 1U);
            for (const Text& address : handed) {
                EXPECT_TRUE(is_web_address(address));
                EXPECT_NE(address, Text("http://127.0.0.1/from-file"));
            }
        }
        if (c.announced) {
            EXPECT_EQ(messages.size(), 1U);
            if (c.opens.empty()) {
                EXPECT_TRUE(handed.empty());
            } else {
                EXPECT_EQ(handed, std::vector<Text>{Text(gbk(c.opens))});
            }
        }
    }
}

}  // namespace
