#include "search/magnet.h"

#include <gtest/gtest.h>

#include <map>
#include <thread>

#include "recording_window.h"
#include "test_site.h"
#include "text/codepage.h"

namespace {

using test_site::Request;

const std::string magnet_start = "BTUP在线观看</a>\r\n<a href=\"";
const std::string magnet_end = "\">磁力链接</a>";

std::string detail_page(const std::string& link) {
    return "<p><a href=\"/play\">" + magnet_start + link + magnet_end + "</p>";
}

class MagnetTest : public ::testing::Test {
protected:
    void SetUp() override {
        site_.start();
    }
    void serve(const std::string& path, std::string body) {
        std::lock_guard lock(pages_mutex_);
        pages_[path] = std::move(body);
    }
    std::vector<Text> resolve(const std::string& path) {
        RecordingWindow window;
        resolve_magnet(window, Text(site_.url(path)));
        statuses_ = window.statuses();
        return window.opened();
    }

    std::mutex pages_mutex_;
    std::map<std::string, std::string> pages_;
    test_site::TestSite site_{[this](const Request& request) {
        std::lock_guard lock(pages_mutex_);
        auto it = pages_.find(request.target);
        return it == pages_.end() ? test_site::page("gone", 404) : test_site::page(it->second);
    }};
    std::vector<Text> statuses_;
};

const std::vector<Text> resolved_statuses() {
    return {gbk("开始解析.."), gbk("开始解析..."), gbk("开始解析."), gbk("解析完毕，已经打开磁力链接")};
}
const std::vector<Text> failed_statuses() {
    return {gbk("开始解析.."), gbk("开始解析..."), gbk("开始解析."), gbk("解析失败，未找到磁力链接")};
}

TEST_F(MagnetTest, OpensTheLinkBetweenTheMarkersExactly) {
    const std::vector<std::tuple<std::string, std::string, Text>> cases = {
        {"plain", detail_page("magnet:?xt=urn:btih:ABC&dn= x "), "magnet:?xt=urn:btih:ABC&dn= x "},
        {"display name decoded to GBK", detail_page("magnet:?xt=urn:btih:1&dn=%E5%8A%9F%E5%A4%AB"),
         gbk("magnet:?xt=urn:btih:1&dn=功夫")},
        {"first start marker wins", detail_page("MAGNET:?first") + detail_page("magnet:?second"),
         "MAGNET:?first"},
    };
    int page = 0;
    for (const auto& [name, body, link] : cases) {
        const std::string path = "/found" + std::to_string(++page);
        serve(path, body);
        EXPECT_EQ(resolve(path), std::vector<Text>{link}) << name;
        EXPECT_EQ(statuses_, resolved_statuses()) << name;
    }
}

TEST_F(MagnetTest, HandsNothingButAMagnetLinkToTheDesktop) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"line feed only", "BTUP在线观看</a>\n<a href=\"magnet:?xt=1" + magnet_end},
        {"no end marker", "BTUP在线观看</a>\r\n<a href=\"magnet:?xt=1\">"},
        {"empty link", detail_page("")},
        {"file", detail_page("file:///etc/passwd")},
        {"javascript", detail_page("javascript:alert(1)")},
        {"program", detail_page("/usr/bin/xterm -e sh")},
        {"scheme lookalike", detail_page(" magnet:?xt=1")},
    };
    int page = 0;
    for (const auto& [name, body] : cases) {
        const std::string path = "/not-found" + std::to_string(++page);
        serve(path, body);
        EXPECT_TRUE(resolve(path).empty()) << name;
        EXPECT_EQ(statuses_, failed_statuses()) << name;
    }
    // No page at all.
    EXPECT_TRUE(resolve("/missing").empty());
    EXPECT_EQ(statuses_, failed_statuses());
    RecordingWindow window;
    resolve_magnet(window, "");
    EXPECT_TRUE(window.opened().empty());
}

TEST_F(MagnetTest, ConcurrentWorkersEachOpenTheirOwnLink) {
    for (int i = 0; i < 8; ++i) serve("/d" + std::to_string(i), detail_page("magnet:?n=" + std::to_string(i)));
    RecordingWindow window;
    for (int i = 0; i < 8; ++i) {
        window.start_worker([&window](Text link) { resolve_magnet(window, link); },
                            Text(site_.url("/d" + std::to_string(i))));
    }
    window.join_workers();
    auto opened = window.opened();
    std::sort(opened.begin(), opened.end());
    std::vector<Text> expected;
    for (int i = 0; i < 8; ++i) expected.push_back(Text("magnet:?n=" + std::to_string(i)));
    EXPECT_EQ(opened, expected);
}

}  // namespace
