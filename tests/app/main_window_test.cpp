#include <QAccessible>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "app/banner.h"
#include "app/result_model.h"
#include "app/result_view.h"
#include "text/codepage.h"
#include "window_fixture.h"

namespace {

using MainWindowTest = WindowFixture;

struct ControlAtStart {
    const char16_t* name;
    QRect geometry;
    const char* text;  // UTF-8; what the control shows
    bool shown;
};

const ControlAtStart controls_at_start[] = {
    {u"编辑框1", {95, 56, 240, 32}, "功夫2", true},
    {u"按钮1", {351, 56, 80, 32}, "搜  索", true},
    {u"按钮4", {440, 64, 48, 24}, "按钮", false},
    {u"透明标签3", {144, 16, 232, 24}, "请配合，讯雷、QQ旋风等下载工具", true},
    {u"标签1", {24, 112, 80, 24}, "新版下载地址：", false},
    {u"编辑框2", {112, 112, 376, 24}, "", false},
    {u"透明标签1", {123, 120, 232, 24}, "", true},
    {u"超级列表框1", {16, 177, 480, 280}, "", true},
    {u"透明标签2", {16, 472, 184, 32}, "如果搜索后没有结果请点此", true},
    {u"按钮3", {309, 470, 80, 32}, "下一页", true},
    {u"按钮2", {400, 470, 80, 32}, "加入下一页", true},
    {u"图片框10", {-8, 512, 520, 40}, "", true},
};

TEST_F(MainWindowTest, ControlsStartWithTheirPlaceTextAndVisibility) {
    for (const ControlAtStart& expected : controls_at_start) {
        const QString name = QString::fromUtf16(expected.name);
        SCOPED_TRACE(name.toStdString());
        const QWidget* control = find(expected.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->geometry(), expected.geometry);
        EXPECT_EQ(control->property("text").toString(), QString::fromUtf8(expected.text));
        EXPECT_EQ(!control->isHidden(), expected.shown);
        EXPECT_TRUE(control->isEnabled());
    }
    EXPECT_EQ(window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(),
              std::size(controls_at_start));
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowTest, WindowIsTheOuterSizeCentredWithMinimiseBoxOnly) {
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("澄岚—http://www.chenglan.example/"));
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(window.windowIcon().isNull());

    window.show_centred();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QRect screen = window.screen()->geometry();
    EXPECT_EQ(window.frameGeometry(),
              QRect((screen.width() - 516) / 2, (screen.height() - 587) / 2, 516, 587));
}

TEST_F(MainWindowTest, ResizingMovesNoControl) {
    window.show_centred();
    std::vector<QRect> before;
    for (const ControlAtStart& control : controls_at_start) {
        before.push_back(find(control.name)->geometry());
    }
    window.resize(800, 700);
    QApplication::processEvents();
    for (std::size_t i = 0; i < std::size(controls_at_start); ++i) {
        EXPECT_EQ(find(controls_at_start[i].name)->geometry(), before[i]);
    }
}

TEST_F(MainWindowTest, TextsAreRedWhereTheWindowShowsThroughAndFontsAsAskedFor) {
    const QColor red(255, 0, 0);
    for (const char16_t* name : {u"透明标签1", u"透明标签2", u"透明标签3"}) {
        const auto* label = find<QLabel>(name);
        EXPECT_EQ(label->palette().color(QPalette::WindowText), red);
        EXPECT_FALSE(label->autoFillBackground());
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
    }
    EXPECT_EQ(find<QLabel>(u"透明标签1")->alignment(), Qt::AlignCenter);
    EXPECT_EQ(find<QLineEdit>(u"编辑框1")->alignment(), Qt::AlignCenter);
    EXPECT_TRUE(find<QLabel>(u"标签1")->autoFillBackground());

    const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    const QFont keyword_font = find(u"编辑框1")->font();
    EXPECT_EQ(keyword_font.pixelSize(), 16);
    EXPECT_FALSE(keyword_font.bold());
    EXPECT_TRUE(chinese.contains(QFontInfo(keyword_font).family()))
        << QFontInfo(keyword_font).family().toStdString();
    const QFont hint_font = find(u"透明标签2")->font();
    EXPECT_EQ(hint_font.pixelSize(), 12);
    EXPECT_TRUE(hint_font.underline());
    EXPECT_TRUE(chinese.contains(QFontInfo(hint_font).family()));

    for (const char16_t* name : {u"按钮1", u"透明标签3", u"编辑框2", u"超级列表框1"}) {
        EXPECT_EQ(find(name)->font(), QApplication::font())
            << QString::fromUtf16(name).toStdString();
    }
}

TEST_F(MainWindowTest, ResultListIsAFixedTwoColumnReportOfWholeRows) {
    auto* list = find<ResultView>(u"超级列表框1");
    ASSERT_NE(list, nullptr);
    const QAbstractItemModel* model = list->model();
    ASSERT_EQ(model->columnCount(), 2);
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QString::fromUtf8("标题"));
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), QString::fromUtf8("下站地址"));
    const QHeaderView* header = list->horizontalHeader();
    for (int column = 0; column < 2; ++column) {
        EXPECT_EQ(header->sectionSize(column), 200);
        EXPECT_EQ(model->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole)
                          .value<Qt::Alignment>() &
                      Qt::AlignHorizontal_Mask,
                  Qt::AlignLeft);
    }
    EXPECT_TRUE(header->sectionsMovable());
    EXPECT_FALSE(header->sectionsClickable());
    EXPECT_FALSE(list->isSortingEnabled());
    EXPECT_TRUE(list->showGrid());
    EXPECT_TRUE(list->verticalHeader()->isHidden());
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(list->editTriggers(), QAbstractItemView::NoEditTriggers);

    operations.list_add_row();
    operations.list_set_cell(0, 0, gbk("标题甲"));
    window.results().show_pending_rows();
    const QModelIndex cell = model->index(0, 0);
    EXPECT_FALSE(model->flags(cell).testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(model->flags(cell).testFlag(Qt::ItemIsUserCheckable));
    EXPECT_EQ(
        model->data(cell, Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
        Qt::AlignLeft);
}

// The colour in the middle of the first row's first cell, as drawn.
QColor first_cell_colour(QTableView& list) {
    const QRect cell = list.visualRect(list.model()->index(0, 0));
    return list.viewport()->grab().toImage().pixelColor(cell.center() +
                                                        QPoint(cell.width() / 4, 0));
}

TEST_F(MainWindowTest, SelectionShowsOnlyWhileTheListHasTheFocus) {
    operations.list_add_row();
    window.results().show_pending_rows();
    auto* list = find<ResultView>(u"超级列表框1");
    window.show_centred();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    list->selectRow(0);

    list->setFocus();
    ASSERT_TRUE(process_events_until([&] { return list->hasFocus(); }));
    EXPECT_NE(first_cell_colour(*list), QColor(Qt::white));

    find(u"编辑框1")->setFocus();
    ASSERT_TRUE(process_events_until([&] { return !list->hasFocus(); }));
    EXPECT_EQ(first_cell_colour(*list), QColor(Qt::white));
    EXPECT_EQ(operations.list_selected_row(), 0);
}

TEST_F(MainWindowTest, EscapeClosesTheWindowAndEndsTheLoop) {
    window.show_centred();
    QTimer::singleShot(0, &window, [&] {
        window.activateWindow();
        if (QTest::qWaitForWindowActive(&window)) QTest::keyClick(find(u"编辑框1"), Qt::Key_Escape);
    });
    // Only a failure reaches this: the loop would otherwise run on.
    QTimer::singleShot(10'000, &window, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowTest, EnterInTheKeywordBoxStartsNothing) {
    const std::vector<void (MainWindow::*)()> events = {
        &MainWindow::search_clicked,      &MainWindow::next_page_clicked,
        &MainWindow::add_page_requested,  &MainWindow::update_check_clicked,
        &MainWindow::list_double_clicked, &MainWindow::banner_pressed,
    };
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (auto event : events) spies.push_back(std::make_unique<QSignalSpy>(&window, event));
    window.show_centred();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* keyword = find<QLineEdit>(u"编辑框1");
    keyword->setFocus();

    QTest::keyClick(keyword, Qt::Key_Return);
    QTest::keyClick(keyword, Qt::Key_Enter);
    QApplication::processEvents();

    for (const auto& spy : spies) EXPECT_EQ(spy->count(), 0);
    EXPECT_TRUE(keyword->hasFocus());
    EXPECT_EQ(keyword->text(), QString::fromUtf8("功夫2"));
    // The keyboard still works: a focused button is activated by Space.
    auto* search = find<QPushButton>(u"按钮1");
    search->setFocus();
    QTest::keyClick(search, Qt::Key_Space);
    EXPECT_EQ(spies[0]->count(), 1);
}

TEST_F(MainWindowTest, BannerBlinksBetweenTwoFramesStretchedToItsBox) {
    auto* banner = find<Banner>(u"图片框10");
    ASSERT_NE(banner, nullptr);
    EXPECT_TRUE(banner->hasScaledContents());
    const QImage first = banner->pixmap().toImage();
    EXPECT_EQ(first.size(), QSize(930, 80));
    ASSERT_TRUE(process_events_until([&] { return banner->frame() == 1; }));
    const QImage second = banner->pixmap().toImage();
    EXPECT_EQ(second.size(), QSize(930, 80));
    EXPECT_NE(first, second);
    // Same red ground in both frames: only the text changes colour.
    EXPECT_EQ(first.pixelColor(2, 2), QColor(255, 0, 0));
    EXPECT_EQ(second.pixelColor(2, 2), QColor(255, 0, 0));
    ASSERT_TRUE(process_events_until([&] { return banner->frame() == 0; }));
}

QString accessible_text(QWidget* widget) {
    QAccessibleInterface* control = QAccessible::queryAccessibleInterface(widget);
    if (control == nullptr) return {};
    const QString value = control->text(QAccessible::Value);
    return value.isEmpty() ? control->text(QAccessible::Name) : value;
}

TEST_F(MainWindowTest, ScreenReadersGetTheTextsOfTheControls) {
    operations.show_status(gbk("获取完毕"));
    operations.set_text(Control::编辑框2, Text("http://dl.chenglan.example/1.6.zip"));
    const int row = operations.list_add_row();
    operations.list_set_cell(row, 0, gbk("功夫2 高清"));
    operations.list_set_cell(row, 1, Text("http://search.chenglan.example/d/1.html"));
    window.results().show_pending_rows();
    window.show_centred();

    const std::pair<const char16_t*, const char*> expected[] = {
        {u"编辑框1", "功夫2"},      {u"按钮1", "搜  索"},
        {u"透明标签1", "获取完毕"}, {u"编辑框2", "http://dl.chenglan.example/1.6.zip"},
        {u"按钮2", "加入下一页"},
    };
    for (const auto& [name, text] : expected) {
        EXPECT_EQ(accessible_text(find(name)), QString::fromUtf8(text));
    }
    EXPECT_FALSE(accessible_text(find(u"图片框10")).isEmpty());

    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(find(u"超级列表框1"));
    ASSERT_NE(list, nullptr);
    ASSERT_NE(list->tableInterface(), nullptr);
    QAccessibleInterface* title = list->tableInterface()->cellAt(0, 0);
    QAccessibleInterface* link = list->tableInterface()->cellAt(0, 1);
    ASSERT_NE(title, nullptr);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(title->text(QAccessible::Name), QString::fromUtf8("功夫2 高清"));
    EXPECT_EQ(link->text(QAccessible::Name),
              QString::fromUtf8("http://search.chenglan.example/d/1.html"));
}

}  // namespace
