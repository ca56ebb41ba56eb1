// A double-click on the real result list: the detail page it fetches and the
// magnet link handed to the desktop.

#include <QTest>

#include "app/result_view.h"
#include "program_fixture.h"

namespace {

class MagnetTest : public ProgramFixture {
  protected:
    void SetUp() override {
        start_program();
        site.clear_requests();
    }
};

TEST_F(MagnetTest, DoubleClickHandsTheRowsMagnetLinkWithItsNameDecoded) {
    ASSERT_TRUE(search_and_wait());
    site.clear_requests();

    double_click_row(4);
    ASSERT_TRUE(wait_for_status(ui("解析完毕，已经打开磁力链接")));

    EXPECT_EQ(targets(), std::vector<std::string>{"/d/1-5.html"});
    // The detail page writes the name percent-encoded in UTF-8.
    EXPECT_EQ(hand_offs(),
              std::vector<QString>{ui("magnet:?xt=urn:btih:c0ffee1e50000000000000000000000000000000"
                                      "&dn=澄岚演示 1-5")});
}

TEST_F(MagnetTest, DoubleClickWhereNoRowEndsUpSelectedDoesNothing) {
    const auto item = [&](const char* path, const char* title) {
        return "<a href=\"" + site_root() + path + "\">" + title + "</a></li><li>";
    };
    script(first_page_target, test_site::page("<ul><li>" + item("/d/1-1.html", "one") +
                                              item("/d/1-2.html", "two") + "</ul>"));
    ASSERT_TRUE(search_and_wait());
    ASSERT_EQ(row_count(), 2);
    site.clear_requests();

    // A row is selected first; the double-click below the rows takes the
    // selection away with its first click.
    const ResultView& list = window.result_list();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualRect(list.model()->index(0, 0)).center());
    ASSERT_TRUE(list.selectionModel()->hasSelection());
    double_click_at({list.viewport()->width() / 2, list.viewport()->height() - 5});
    ASSERT_FALSE(list.selectionModel()->hasSelection());

    // A worker wrongly started would have fetched by now.
    QTest::qWait(300);
    EXPECT_TRUE(targets().empty());
    EXPECT_TRUE(hand_offs().empty());
    EXPECT_EQ(status(), ui("双击表项 立即解析磁力链接"));
}

}  // namespace
