// A search and the paging commands through the real controls: the requests
// that reach the site and the rows and statuses the window then shows.

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include "program_fixture.h"

namespace {

class SearchTest : public ProgramFixture {
  protected:
    void SetUp() override {
        start_program();
        site.clear_requests();
    }

    [[nodiscard]] QString link(const char* path) const {
        return QString::fromStdString(site_root() + path);
    }
};

TEST_F(SearchTest, SearchForTheInitialKeywordListsTheFirstPageAsChinese) {
    ASSERT_TRUE(search_and_wait());

    EXPECT_EQ(targets(), std::vector<std::string>{first_page_target});
    // The demo page holds twenty results, an advertisement that closes the
    // list and an anchor broken across lines; only the twenty are listed.
    ASSERT_EQ(row_count(), 20);
    struct Row {
        int row;
        const char* title;
        const char* path;
    };
    const Row rows[] = {
        {0, "功夫2 1080p 第1部", "/d/1-1.html"},
        {10, "功夫2 1080p 第11部", "/d/1-11.html"},  // its item breaks the line first
        {19, "功夫2 高清 第20部", "/d/1-20.html"},
    };
    for (const Row& expected : rows) {
        SCOPED_TRACE(expected.row);
        EXPECT_EQ(cell(expected.row, 0), ui(expected.title));
        EXPECT_EQ(cell(expected.row, 1), link(expected.path));
    }
}

TEST_F(SearchTest, PagingReplacesOrAppendsAndLabelsThePageAfterTheWait) {
    ASSERT_TRUE(search_and_wait());
    site.clear_requests();

    // A timer can only fire while "下一页" lets events through, which its
    // one-second wait does: the rows are in by then, the page label is not.
    QString status_during_wait;
    QString first_title_during_wait;
    QTimer::singleShot(0, &window, [&] {
        status_during_wait = status();
        first_title_during_wait = cell(0, 0);
    });
    QElapsedTimer clock;
    clock.start();
    click(u"按钮3");
    EXPECT_GE(clock.elapsed(), 1000);
    EXPECT_EQ(status_during_wait, ui("双击表项 立即解析磁力链接"));
    EXPECT_EQ(first_title_during_wait, ui("功夫2 1080p 第21部"));
    EXPECT_EQ(status(), ui("现正为第（2）页"));
    ASSERT_EQ(row_count(), 20);
    EXPECT_EQ(cell(0, 0), ui("功夫2 1080p 第21部"));

    // A press on the hint, before any release, appends the next page.
    QTest::mousePress(find(u"透明标签2"), Qt::LeftButton);
    EXPECT_EQ(status(), ui("现正为第（3）页"));
    QTest::mouseRelease(find(u"透明标签2"), Qt::LeftButton);
    ASSERT_EQ(row_count(), 40);
    EXPECT_EQ(cell(0, 0), ui("功夫2 1080p 第21部"));
    EXPECT_EQ(cell(20, 0), ui("功夫2 1080p 第41部"));
    EXPECT_EQ(cell(20, 1), link("/d/3-1.html"));

    // Past the site's last page: nothing to append, the page still counts.
    click(u"按钮2");
    EXPECT_EQ(status(), ui("现正为第（4）页"));
    EXPECT_EQ(row_count(), 40);

    EXPECT_EQ(targets(), (std::vector<std::string>{"/s/%E5%8A%9F%E5%A4%AB%32/2/",
                                                   "/s/%E5%8A%9F%E5%A4%AB%32/3/",
                                                   "/s/%E5%8A%9F%E5%A4%AB%32/4/"}));
}

}  // namespace
