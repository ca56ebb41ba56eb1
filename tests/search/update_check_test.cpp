#include "search/update_check.h"

#include <gtest/gtest.h>

#include "recording_window.h"
#include "test_site.h"
#include "text/codepage.h"

namespace {

using test_site::Request;

std::string notice(const std::string& version, const std::string& address) {
    return "<html>公告【墨川开始】" + version + "【墨川结束】" + address + "【墨川地址】</html>";
}

struct Outcome {
    std::size_t requests = 0;
    std::vector<std::string> events;
    Text box;
    std::vector<Text> opened;
};

Outcome check_against(const std::string& body, const std::string& path = "/notice") {
    test_site::TestSite site([body](const Request&) { return test_site::page(body); });
    site.start();
    RecordingWindow window;
    check_update(window, Text(site.url(path)));
    Outcome outcome{site.requests().size(), window.events(), window.get_text(Control::编辑框2),
                    window.opened()};
    for (const Text& message : window.messages()) {
        EXPECT_EQ(message, gbk("已有新版本更新，请到下载地址下载。"));
    }
    EXPECT_EQ(window.visible(Control::编辑框2), window.visible(Control::标签1));
    return outcome;
}

const std::vector<std::string> announced = {"message", "visible", "visible", "shell_open"};

TEST(UpdateCheck, OurOwnVersionShowsNothing) {
    const Outcome outcome = check_against(notice("1.5", "http://dl.example/new"));
    EXPECT_EQ(outcome.requests, 1u);
    EXPECT_TRUE(outcome.events.empty());
}

TEST(UpdateCheck, AnyOtherVersionIsAnnouncedAndItsAddressOpened) {
    for (const std::string version : {"1.6", "1.4", " 1.5", "1.5\r\n", "1.50"}) {
        const Outcome outcome = check_against(notice(version, "http://dl.example/新版"));
        EXPECT_EQ(outcome.requests, 2u) << version;
        EXPECT_EQ(outcome.events, announced) << version;
        EXPECT_EQ(outcome.box, gbk("http://dl.example/新版")) << version;
        EXPECT_EQ(outcome.opened, std::vector<Text>{gbk("http://dl.example/新版")}) << version;
    }
}

TEST(UpdateCheck, TheAddressFollowsTheFirstEndMarkerOfThePage) {
    const Outcome outcome =
        check_against("【墨川结束】HTTPS://first.example/【墨川地址】" + notice("2.0", "http://second.example/"));
    EXPECT_EQ(outcome.opened, std::vector<Text>{"HTTPS://first.example/"});
}

TEST(UpdateCheck, OnlyWebAddressesAreOpened) {
    for (const std::string address : {"file:///etc/passwd", "", "magnet:?xt=1", "/usr/bin/xterm"}) {
        const Outcome outcome = check_against(notice("1.6", address));
        EXPECT_EQ(outcome.box, gbk(address)) << address;
        EXPECT_TRUE(outcome.opened.empty()) << address;
        EXPECT_EQ(outcome.events, (std::vector<std::string>{"message", "visible", "visible"}));
    }
}

TEST(UpdateCheck, ANoticeWithoutAVersionIsSilent) {
    EXPECT_TRUE(check_against("no markers here").events.empty());
    EXPECT_EQ(check_against("no markers here").requests, 1u);
    EXPECT_TRUE(check_against(notice("", "http://x.example/")).events.empty());

    RecordingWindow window;  // nothing listens at all
    test_site::TestSite site([](const Request&) { return test_site::page(""); });
    site.start();
    const Text address(site.url("/notice"));
    site.stop();
    check_update(window, address);
    EXPECT_TRUE(window.events().empty());
}

TEST(UpdateCheck, TheFragmentIsNeverSent) {
    test_site::TestSite site([](const Request&) { return test_site::page(notice("1.5", "")); });
    site.start();
    RecordingWindow window;
    check_update(window, Text(site.url("/notice?v=1#top")));
    ASSERT_EQ(site.requests().size(), 1u);
    EXPECT_EQ(site.requests()[0].target, "/notice?v=1");
    EXPECT_EQ(site.requests()[0].version, "HTTP/1.0");
}

}  // namespace
