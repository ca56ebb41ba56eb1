// The update check as start-up runs it: against the notice page, before the
// window is shown, with the real message box and the new-version row.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <ostream>
#include <string>

#include "program_fixture.h"

namespace {

// Closes every message box that start-up shows, noting what it said and
// whether the main window was on screen at that moment.
class MessageBoxWatch {
  public:
    explicit MessageBoxWatch(const QWidget& main_window) : main_window_(main_window) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
        timer_.start(5);
    }

    struct Seen {
        QString title;
        QString text;
        bool main_window_visible = false;
    };
    std::vector<Seen> seen;

  private:
    void look() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) return;
        seen.push_back({box->windowTitle(), box->text(), main_window_.isVisible()});
        box->button(QMessageBox::Ok)->click();
    }

    const QWidget& main_window_;
    QTimer timer_;
};

class UpdateCheckTest : public ProgramFixture {
  protected:
    [[nodiscard]] long notice_requests() const {
        const std::vector<std::string> all = targets();
        return std::count(all.begin(), all.end(), "/notice.html");
    }
};

TEST_F(UpdateCheckTest, ANewerVersionIsAnnouncedBeforeTheWindowShows) {
    set_notice_version("1.6");
    MessageBoxWatch watch(window);
    start_program();

    ASSERT_EQ(watch.seen.size(), 1u);
    EXPECT_EQ(watch.seen[0].title, ui("信息："));
    EXPECT_EQ(watch.seen[0].text, ui("已有新版本更新，请到下载地址下载。"));
    EXPECT_FALSE(watch.seen[0].main_window_visible);

    const QString address = QString::fromStdString(site_root() + "/download/");
    EXPECT_TRUE(find(u"编辑框2")->isVisible());
    EXPECT_TRUE(find(u"标签1")->isVisible());
    EXPECT_EQ(find<QLineEdit>(u"编辑框2")->text(), address);
    EXPECT_EQ(hand_offs(), std::vector<QString>{address});
    EXPECT_EQ(notice_requests(), 2);
}

enum class Silent { own_version, no_server };

const char* name_of(Silent notice) {
    return notice == Silent::own_version ? "OurOwnVersion" : "NoServer";
}

void PrintTo(Silent notice, std::ostream* out) { *out << name_of(notice); }

class SilentUpdateCheckTest : public UpdateCheckTest, public testing::WithParamInterface<Silent> {
  protected:
    // A port where nothing listens any more.
    [[nodiscard]] static std::string unreachable_notice() {
        test_site::TestSite gone([](const test_site::Request&) { return test_site::page(""); });
        gone.start();
        std::string address = gone.url("/notice.html");
        gone.stop();
        return address;
    }
};

TEST_P(SilentUpdateCheckTest, NothingIsShownOrOpened) {
    const bool own_version = GetParam() == Silent::own_version;
    MessageBoxWatch watch(window);
    start_program(own_version ? site.url("/notice.html") : unreachable_notice());

    EXPECT_TRUE(watch.seen.empty());
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(find(u"编辑框2")->isVisible());
    EXPECT_FALSE(find(u"标签1")->isVisible());
    EXPECT_TRUE(hand_offs().empty());
    EXPECT_EQ(notice_requests(), own_version ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Notices, SilentUpdateCheckTest,
                         testing::Values(Silent::own_version, Silent::no_server),
                         [](const testing::TestParamInfo<Silent>& info) {
                             return std::string(name_of(info.param));
                         });

}  // namespace
