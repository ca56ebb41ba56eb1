#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <iostream>
#include <sstream>

#include "hostile_server.h"
#include "text/codepage.h"
#include "web/curl_session.h"

namespace hostile {

namespace {

// The limits are process-wide, so they go in force once, before any test.
class ShortLimits : public ::testing::Environment {
  public:
    void SetUp() override {
        WebSettings settings;
        settings.connect_timeout = connect_timeout;
        settings.idle_timeout = idle_timeout;
        settings.transfer_timeout = transfer_timeout;
        settings.body_limit = body_limit;
        init_web(settings);
    }
    void TearDown() override { std::filesystem::remove(marker_file_path()); }
};

[[maybe_unused]] ::testing::Environment* const short_limits =
    ::testing::AddGlobalTestEnvironment(new ShortLimits);

std::string repeated(const std::string& piece, std::size_t total) {
    std::string text;
    text.reserve(total + piece.size());
    while (text.size() < total) text += piece;
    return text;
}

std::size_t status_kib(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with(field + ":")) {
            std::istringstream value(line.substr(field.size() + 1));
            std::size_t kib = 0;
            value >> kib;
            return kib;
        }
    }
    return 0;
}

}  // namespace

const std::string& file_marker() {
    static const std::string marker = "hostile-file-marker-7f3a";
    return marker;
}

const std::string& marker_file_path() {
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("hostile_marker_" + std::to_string(getpid()) + ".html"))
                                        .string();
    return path;
}

void write_marker_file(const std::string& contents) {
    std::ofstream(marker_file_path(), std::ios::binary) << contents << file_marker();
}

std::vector<NamedBehaviour> common_behaviours(const std::string& good) {
    using test_site::Fault;
    using test_site::Reply;
    Reply silent;
    silent.fault = Fault::stall_before_reply;
    Reply stall_after_head = test_site::page(good);
    stall_after_head.fault = Fault::stall_mid_body;
    // One byte a second, never ending: every byte resets the idle limit.
    Reply drip = test_site::page("x");
    drip.content_length = false;
    drip.fault = Fault::endless_body;
    drip.piece_delay = std::chrono::seconds(1);
    Reply endless = test_site::page(repeated(good, 64 * 1024));
    endless.content_length = false;
    endless.fault = Fault::endless_body;
    Reply many_headers = test_site::page(good);
    for (int line = 0; line < 100'000; ++line) {
        many_headers.headers.push_back("X-Filler-" + std::to_string(line) + ": v");
    }
    Reply reset = test_site::page(repeated(good, 1 << 20));
    reset.fault = Fault::close_mid_body;
    reset.fault_after = 300 * 1024;
    Reply cookies = test_site::page(good);
    for (int cookie = 0; cookie < 10'000; ++cookie) {
        cookies.headers.push_back("Set-Cookie: c" + std::to_string(cookie) + "=v; Path=/");
    }

    return {
        {"never answers", always(silent)},
        {"head then stall", always(stall_after_head)},
        {"drips a byte a second", always(drip)},
        {"endless body", always(endless)},
        {"100000 header lines", always(many_headers)},
        {"redirect loop",
         [](const test_site::Request& request, const std::string& base) {
             return test_site::redirect(base + request.target);
         }},
        {"redirect to file",
         [](const test_site::Request&, const std::string&) {
             return test_site::redirect("file://" + marker_file_path());
         }},
        {"redirect to other scheme",
         [](const test_site::Request&, const std::string& base) {
             return test_site::redirect("ftp" + base.substr(4) + "/");
         }},
        {"reset mid-body", always(reset)},
        {"invalid UTF-8 and lone percent",
         always(test_site::page("%\xff\xfe%%E5%\x80%" + good + "%\xc3%G%" + good + "%"))},
        {"10 MB nested anchors",
         always(test_site::page(repeated("<a href=\"<a href=\"", 10 << 20)))},
        {"10000 cookies", always(cookies), 2},
    };
}

Behaviour always(test_site::Reply reply) {
    return
        [reply = std::move(reply)](const test_site::Request&, const std::string&) { return reply; };
}

std::string last_status(const std::vector<Text>& statuses) {
    return statuses.empty() ? std::string("no status") : gbk_to_utf8(statuses.back()).str();
}

Server::Server(Behaviour behaviour)
    : behaviour_(std::move(behaviour)), site_([this](const test_site::Request& request) {
          return behaviour_(request, site_.url(""));
      }) {
    site_.start();
}

void Server::stop() { site_.stop(); }

Memory read_memory() { return {status_kib("VmRSS") * 1024, status_kib("VmHWM") * 1024}; }

void reset_peak_memory() {
    // "5" resets the peak to the present size (Linux 4.0 on); where that is
    // refused the peak only gets stricter.
    std::ofstream("/proc/self/clear_refs") << "5";
}

void run_bounded(const std::string& table, const std::string& name, std::chrono::seconds limit,
                 const std::function<std::string()>& call, const std::function<void()>& release) {
    reset_peak_memory();
    const Memory before = read_memory();
    const auto start = std::chrono::steady_clock::now();
    auto running = std::async(std::launch::async, call);
    // A call that hangs must fail the case, not the whole program by its
    // time-out: ending the server's connections lets it return.
    const bool returned = running.wait_for(limit) == std::future_status::ready;
    if (!returned) release();
    const std::string outcome = running.get();
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(returned) << name << ": still running after " << limit.count()
                          << " s; returned only once the server hung up";
    const Memory after = read_memory();
    ASSERT_GT(before.resident, 0U) << "no /proc/self/status to read memory from";
    const std::size_t grown = after.peak > before.resident ? after.peak - before.resident : 0;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(took).count();
    std::cout << "[hostile] " << table << " | " << name << " | " << ms << " ms | peak +"
              << grown / (1024 * 1024) << " MiB | " << outcome << "\n";
    EXPECT_LE(grown, memory_bound) << name << ": memory grew past the body cap's bound";
}

}  // namespace hostile
