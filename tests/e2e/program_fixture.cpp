#include "program_fixture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QTest>
#include <QThread>

#include "app/result_view.h"
#include "demo_pages.h"
#include "search/entry_points.h"

QString ui(const char* utf8) { return QString::fromUtf8(utf8); }

ProgramFixture::ProgramFixture() { site.start(); }

void ProgramFixture::start_program(const std::string& notice_address) {
    result_search = std::make_unique<ResultSearch>(operations, state, Text(site.url("")));
    handlers = std::make_unique<EventHandlers>(
        window, operations, state,
        make_workflows(operations, *result_search, Text(notice_address)));
    handlers->window_created();
    window.show_centred();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
}

void ProgramFixture::script(const std::string& target, test_site::Reply reply) {
    const std::lock_guard lock(site_mutex_);
    scripted_[target] = std::move(reply);
}

void ProgramFixture::set_notice_version(const std::string& version) {
    const std::lock_guard lock(site_mutex_);
    notice_version_ = version;
}

test_site::Reply ProgramFixture::serve(const test_site::Request& request) {
    const std::lock_guard lock(site_mutex_);
    if (const auto scripted = scripted_.find(request.target); scripted != scripted_.end()) {
        return scripted->second;
    }
    std::string body = demo_pages::page_for(site.url(""), request.target, notice_version_);
    if (body.empty()) return test_site::page("not here", 404);
    return test_site::page(std::move(body));
}

QString ProgramFixture::status() const { return find<QLabel>(u"透明标签1")->text(); }

int ProgramFixture::row_count() const { return window.result_list().model()->rowCount(); }

QString ProgramFixture::cell(int row, int column) const {
    const QAbstractItemModel* rows = window.result_list().model();
    return rows->data(rows->index(row, column), Qt::DisplayRole).toString();
}

bool ProgramFixture::wait_for_status(const QString& text) const {
    return process_events_until([&] { return status() == text; });
}

void ProgramFixture::click(const char16_t* button) const {
    QTest::mouseClick(find(button), Qt::LeftButton);
}

void ProgramFixture::double_click_at(QPoint where) const {
    QWidget* rows = window.result_list().viewport();
    QTest::mouseClick(rows, Qt::LeftButton, {}, where);
    QTest::mouseDClick(rows, Qt::LeftButton, {}, where);
}

void ProgramFixture::double_click_row(int row) const {
    const ResultView& list = window.result_list();
    double_click_at(list.visualRect(list.model()->index(row, 1)).center());
}

bool ProgramFixture::search_and_wait() {
    // The label may already hold the hint from an earlier run.
    find<QLabel>(u"透明标签1")->clear();
    click(u"按钮1");
    return wait_for_status(ui("双击表项 立即解析磁力链接"));
}

std::vector<std::string> ProgramFixture::targets() const {
    std::vector<std::string> out;
    for (const test_site::Request& request : site.requests()) out.push_back(request.target);
    return out;
}

std::vector<QString> ProgramFixture::hand_offs() const {
    const std::lock_guard lock(hand_off_mutex_);
    return handed_off_;
}
