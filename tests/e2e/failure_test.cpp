// The site going away or being slow while the real window is in use.

#include <chrono>

#include "demo_pages.h"
#include "program_fixture.h"

namespace {

class FailureTest : public ProgramFixture {
  protected:
    void SetUp() override { start_program(); }
};

TEST_F(FailureTest, AFailedFetchSaysSoAndLeavesTheListAsItWas) {
    ASSERT_TRUE(search_and_wait());
    const QString first_title = cell(0, 0);
    const QString last_link = cell(19, 1);
    site.stop();

    for (const char16_t* command : {u"按钮1", u"按钮3", u"按钮2"}) {
        SCOPED_TRACE(QString::fromUtf16(command).toStdString());
        operations.show_status(Text());
        click(command);
        ASSERT_TRUE(wait_for_status(ui("获取失败，请检查网络后重试")));
        EXPECT_EQ(row_count(), 20);
        EXPECT_EQ(cell(0, 0), first_title);
        EXPECT_EQ(cell(19, 1), last_link);
    }
}

TEST_F(FailureTest, ClosingTheWindowWhileASearchFetchesBreaksNothing) {
    // About a second to send the whole page.
    test_site::Reply slow = test_site::page(demo_pages::result_page(site_root(), "功夫2", 1));
    slow.piece_size = slow.body.size() / 20 + 1;
    slow.piece_delay = std::chrono::milliseconds(50);
    script(first_page_target, slow);
    site.clear_requests();

    click(u"按钮1");
    ASSERT_TRUE(process_events_until([&] { return !targets().empty(); }));
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(status().isEmpty());

    // The worker's window operations still reach the closed window, in order,
    // and the worker ends.
    ASSERT_TRUE(wait_for_status(ui("双击表项 立即解析磁力链接")));
    EXPECT_EQ(row_count(), 20);
}

}  // namespace
