// Many threads at once against one site, sharing the cookie store.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "http_fixture.h"
#include "web/http_request.h"

namespace {

using test_site::Request;
using test_site::TestSite;

constexpr int thread_count = 16;
constexpr int requests_per_thread = 25;

class HttpConcurrencyTest : public HttpTest {
  protected:
    const std::string payload = std::string(20'000, 'p');

    // The page is the payload, whole, followed by cookie tN=N among others.
    bool carries(const Text& page, int n) const {
        if (!page.view().starts_with(payload)) return false;
        const std::string cookies = "; " + page.str().substr(payload.size()) + ";";
        const std::string cookie = std::to_string(n);
        return cookies.find("; t" + cookie + "=" + cookie + ";") != std::string::npos;
    }
};

TEST_F(HttpConcurrencyTest, SixteenThreadsShareTheCookieStoreSafely) {
    // "/set/N" stores cookie tN; any other path echoes the cookies it got
    // after a payload long enough to take several reads.
    TestSite site([this](const Request& request) {
        if (request.target.starts_with("/set/")) {
            const std::string n = request.target.substr(5);
            test_site::Reply reply = test_site::page("set " + n);
            reply.headers.push_back("Set-Cookie: t" + n + "=" + n + "; Path=/");
            return reply;
        }
        return test_site::page(payload + request.header("Cookie").value_or(""));
    });
    site.start();

    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < thread_count; ++t) {
        threads.emplace_back([&, t] {
            const std::string n = std::to_string(t);
            if (fetch_text(Text(site.url("/set/" + n))) != Text("set " + n)) ++wrong;
            for (int i = 1; i < requests_per_thread; ++i) {
                // This thread's own cookie, stored before, goes out each time.
                if (!carries(fetch_text(Text(site.url("/page/" + n))), t)) ++wrong;
            }
        });
    }
    for (std::thread& thread : threads) thread.join();

    EXPECT_EQ(wrong.load(), 0);
    EXPECT_EQ(site.requests().size(), std::size_t{thread_count * requests_per_thread});
    const Text last = fetch_text(url_of(site, "/last"));
    for (int t = 0; t < thread_count; ++t) EXPECT_TRUE(carries(last, t)) << t;
}

}  // namespace
