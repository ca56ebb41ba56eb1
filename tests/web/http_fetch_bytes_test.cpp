// The update check's own GET.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "http_fixture.h"
#include "web/fetch_bytes.h"

namespace {

using test_site::Reply;
using test_site::Request;
using test_site::TestSite;

class FetchBytesTest : public HttpTest {
  protected:
    test_site::SharedReply reply{test_site::page("ok")};
    TestSite site{[this](const Request& request) { return handle(request); }};

    void SetUp() override {
        HttpTest::SetUp();
        site.start();
    }

    Reply handle(const Request& request) {
        if (request.target == "/moved") return test_site::redirect("/notice");
        if (request.target == "/guarded") {
            // Basic credentials "editor" / "s3cret".
            if (request.header("Authorization") == "Basic ZWRpdG9yOnMzY3JldA==") {
                return test_site::page("let in");
            }
            Reply challenge = test_site::page("who?", 401);
            challenge.headers.push_back("WWW-Authenticate: Basic realm=\"notice\"");
            return challenge;
        }
        return reply.get();
    }
};

TEST_F(FetchBytesTest, SendsItsOwnPlainRequestWithoutTheFragment) {
    reply.set(test_site::page(std::string("公告\0tail", 11)));
    EXPECT_EQ(fetch_bytes(Text(site.url("/notice?v=1#top"))), Bytes(std::string("公告\0tail", 11)));
    const std::vector<Request> requests = site.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].head, "GET /notice?v=1 HTTP/1.0\r\nHost: " + site.authority() +
                                    "\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows "
                                    "NT 5.0)\r\nAccept: */*\r\n\r\n");
}

TEST_F(FetchBytesTest, StatusIsNotLookedAtAndRedirectsAreFollowed) {
    reply.set(test_site::page("<h1>gone</h1>", 404));
    EXPECT_EQ(fetch_bytes(Text(site.url("/notice"))), Bytes(std::string("<h1>gone</h1>")));
    EXPECT_EQ(fetch_bytes(Text(site.url("/moved"))), Bytes(std::string("<h1>gone</h1>")));
}

TEST_F(FetchBytesTest, CredentialsInTheAddressAnswerTheServersChallenge) {
    const std::string url = "http://editor:s3cret@" + site.authority() + "/guarded";
    EXPECT_EQ(fetch_bytes(Text(url)), Bytes(std::string("let in")));
    const std::vector<Request> requests = site.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].header("Authorization"), std::nullopt);
    EXPECT_EQ(requests[1].target, "/guarded");
}

TEST_F(FetchBytesTest, NothingToReadGivesEmptyBytes) {
    EXPECT_TRUE(fetch_bytes(Text()).empty());
    Reply closing;
    closing.fault = test_site::Fault::close_before_reply;
    reply.set(closing);
    EXPECT_TRUE(fetch_bytes(Text(site.url("/notice"))).empty());
}

}  // namespace
