#include "search/result_search.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "recording_window.h"
#include "search/program_state.h"
#include "test_site.h"
#include "text/codepage.h"

namespace {

using Row = RecordingWindow::Row;
using test_site::Reply;
using test_site::Request;

// The site sends UTF-8 pages; rows come out in GBK.
std::string anchor(const std::string& href, const std::string& title) {
    return "<li><a href=\"" + href + "\">" + title + "</a></li><li>";
}

// A result page per page number: page N lists "pN-1" and "pN-2".
Reply numbered_page(const Request& request) {
    const std::string& target = request.target;
    const auto end = target.rfind('/');
    const auto start = target.rfind('/', end - 1);
    const std::string page = target.substr(start + 1, end - start - 1);
    return test_site::page("<ul>" + anchor("/d/" + page + "a", "p" + page + "-1") +
                           anchor("/d/" + page + "b", "p" + page + "-2") + "</ul>");
}

class ResultSearchTest : public ::testing::Test {
protected:
    void serve(test_site::Handler handler) {
        site_ = std::make_unique<test_site::TestSite>(std::move(handler));
        site_->start();
        search_ = std::make_unique<ResultSearch>(window_, state_, Text(site_->url("")));
    }
    void next_page(int append) {
        state_.current_page += 1;
        search_->load_page(state_.current_page, append);
    }
    std::vector<std::string> targets() const {
        std::vector<std::string> targets;
        for (const auto& request : site_->requests()) targets.push_back(request.target);
        return targets;
    }
    static std::vector<Row> rows_of(std::initializer_list<int> pages) {
        std::vector<Row> rows;
        for (int page : pages) {
            const std::string n = std::to_string(page);
            rows.push_back({Text("p" + n + "-1"), Text("/d/" + n + "a")});
            rows.push_back({Text("p" + n + "-2"), Text("/d/" + n + "b")});
        }
        return rows;
    }

    RecordingWindow window_;
    ProgramState state_;
    std::unique_ptr<test_site::TestSite> site_;
    std::unique_ptr<ResultSearch> search_;
};

TEST_F(ResultSearchTest, RequestsTheEncodedKeywordsFirstPage) {
    serve([](const Request&) { return test_site::page("none"); });
    const std::vector<std::pair<Text, std::string>> cases = {
        {gbk("功夫2"), "/s/%E5%8A%9F%E5%A4%AB%32/1/"},
        {"", "/s//1/"},
        {"a b", "/s/%61%20%62/1/"},
    };
    for (const auto& [keyword, target] : cases) {
        site_->clear_requests();
        window_.set_text(Control::编辑框1, keyword);
        search_->search();
        ASSERT_EQ(site_->requests().size(), 1u);
        EXPECT_EQ(site_->requests()[0].target, target);
        EXPECT_EQ(site_->requests()[0].method, "GET");
    }
}

TEST_F(ResultSearchTest, ListsOnlyAnchorsFollowedByTheNextItemInPageOrder) {
    const std::string body = "<ul>\r\n" + anchor("/d/1", "一号") + "\r\n" +
                             anchor("/d/%E4%B8%AD", "second") +
                             "<li><a href=\"/d/x\">broken\ntitle</a></li><li>" +
                             anchor("/d/3", "third") +
                             "<li><a href=\"/d/4\">last</a></li></ul>";
    serve([body](const Request&) { return test_site::page(body); });
    state_.current_page = 7;
    window_.show_status("old");
    search_->search();

    EXPECT_EQ(window_.rows(), (std::vector<Row>{{gbk("一号"), "/d/1"},
                                                {"second", gbk("/d/中")},
                                                {"third", "/d/3"}}));
    EXPECT_EQ(window_.statuses(),
              (std::vector<Text>{"old", gbk("获取完毕"), gbk("双击表项 立即解析磁力链接")}));
    EXPECT_EQ(state_.current_page, 1);
}

TEST_F(ResultSearchTest, AnErrorPageIsSearchedLikeAnyOther) {
    serve([](const Request&) { return test_site::page("<h1>Not Found</h1>", 404); });
    window_.list_set_cell(window_.list_add_row(), 0, "old row");
    search_->search();
    EXPECT_TRUE(window_.rows().empty());
    EXPECT_EQ(window_.statuses().back(), gbk("双击表项 立即解析磁力链接"));
    EXPECT_EQ(state_.current_page, 1);
}

TEST_F(ResultSearchTest, PagingReplacesOrAppendsAndLabelsThePage) {
    serve(numbered_page);
    window_.set_text(Control::编辑框1, gbk("功夫2"));
    search_->search();
    next_page(0);
    EXPECT_EQ(window_.rows(), rows_of({2}));
    EXPECT_EQ(window_.statuses().back(), gbk("现正为第（2）页"));
    next_page(0);
    EXPECT_EQ(window_.rows(), rows_of({3}));
    EXPECT_EQ(window_.statuses().back(), gbk("现正为第（3）页"));
    next_page(1);
    EXPECT_EQ(window_.rows(), rows_of({3, 4}));
    next_page(2);  // any value but 1 replaces
    EXPECT_EQ(window_.rows(), rows_of({5}));

    EXPECT_EQ(targets(), (std::vector<std::string>{"/s/%E5%8A%9F%E5%A4%AB%32/1/",
                                                   "/s/%E5%8A%9F%E5%A4%AB%32/2/",
                                                   "/s/%E5%8A%9F%E5%A4%AB%32/3/",
                                                   "/s/%E5%8A%9F%E5%A4%AB%32/4/",
                                                   "/s/%E5%8A%9F%E5%A4%AB%32/5/"}));
    EXPECT_EQ(window_.waits(), (std::vector<int>{1000, 1000, 1000, 1000}));
    const auto statuses = window_.statuses();
    EXPECT_EQ(statuses[statuses.size() - 2], gbk("双击表项 立即解析磁力链接"));
}

TEST_F(ResultSearchTest, PagingBeforeAnySearchLoadsPageOneOfTheBoxesKeyword) {
    serve(numbered_page);
    window_.set_text(Control::编辑框1, "x");
    next_page(0);
    EXPECT_EQ(targets(), std::vector<std::string>{"/s/%78/1/"});
    EXPECT_EQ(window_.statuses().back(), gbk("现正为第（1）页"));
    window_.set_text(Control::编辑框1, "y");
    next_page(1);
    EXPECT_EQ(targets().back(), "/s/%79/2/");
    EXPECT_EQ(window_.rows(), rows_of({1, 2}));
}

TEST_F(ResultSearchTest, TheLabelShowsThePageAsItStandsAfterTheWait) {
    serve(numbered_page);
    search_->search();
    // A second "下一页" clicked during the first one's wait runs nested.
    window_.during_next_wait([this] { next_page(0); });
    next_page(0);
    EXPECT_EQ(window_.rows(), rows_of({3}));
    EXPECT_EQ(window_.statuses().back(), gbk("现正为第（3）页"));
}

TEST_F(ResultSearchTest, AFetchThatReadsNothingLeavesEverythingAsItWas) {
    // A port that nothing listens on: the site is stopped after start.
    serve(numbered_page);
    search_->search();
    next_page(0);
    site_->stop();
    const auto rows_before = window_.rows();

    search_->search();
    EXPECT_EQ(window_.statuses().back(), gbk("获取失败，请检查网络后重试"));
    EXPECT_EQ(state_.current_page, 2);

    next_page(1);
    EXPECT_EQ(state_.current_page, 2);  // the increment is taken back
    EXPECT_EQ(window_.statuses().back(), gbk("获取失败，请检查网络后重试"));
    EXPECT_EQ(window_.rows(), rows_before);
}

TEST_F(ResultSearchTest, ConcurrentSearchesEndWithTheRowsOfTheLastOne) {
    std::atomic<bool> slow_arrived{false};
    serve([&](const Request& request) {
        if (request.target == "/s/%73%6C%6F%77/1/") {
            slow_arrived = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
            return test_site::page(anchor("/slow", "slow"));
        }
        return test_site::page(anchor("/fast", "fast"));
    });
    window_.set_text(Control::编辑框1, "slow");
    std::thread first([this] { search_->search(); });
    while (!slow_arrived) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    window_.set_text(Control::编辑框1, "fast");
    std::thread second([this] { search_->search(); });
    first.join();
    second.join();

    EXPECT_EQ(window_.rows(), (std::vector<Row>{{"fast", "/fast"}}));
    EXPECT_EQ(window_.statuses(),
              (std::vector<Text>{gbk("获取完毕"), gbk("双击表项 立即解析磁力链接")}));
}

}  // namespace
