// What http_request puts on the wire and what it hands back.
#include "web/http_request.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "http_fixture.h"
#include "web/curl_transfer.h"

namespace {

using test_site::Reply;
using test_site::Request;
using test_site::TestSite;

constexpr const char* default_agent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

class HttpRequestTest : public HttpTest {
  protected:
    test_site::SharedReply reply{test_site::page("ok")};
    TestSite site{[this](const Request&) { return reply.get(); }};

    void SetUp() override {
        HttpTest::SetUp();
        site.start();
    }

    Request only_request() {
        const std::vector<Request> requests = site.requests();
        EXPECT_EQ(requests.size(), 1u);
        return requests.empty() ? Request{} : requests.front();
    }

    std::string host_line() const { return "Host: " + site.authority() + "\r\n"; }
};

TEST_F(HttpRequestTest, FetchTextSendsExactlyTheDefaultRequest) {
    const std::string url = site.url("/s/%E4%B8%AD/1/?q=a&b=c");
    reply.set(test_site::page("<html>页</html>"));
    EXPECT_EQ(fetch_text(Text(url)), Text("<html>页</html>"));
    EXPECT_EQ(only_request().head, "GET /s/%E4%B8%AD/1/?q=a&b=c HTTP/1.1\r\n" + host_line() +
                                       "User-Agent: " + default_agent + "\r\n" +
                                       default_header_lines(url) + "\r\n\r\n");
}

TEST_F(HttpRequestTest, ComposedHeaderTextIsSentAndWrittenBack) {
    struct Case {
        const char* name;
        std::string headers;
        std::string composed_tail;  // what follows the caller's lines
        std::string agent;          // the agent text libcurl is given; empty for none
    };
    const std::string url = site.url("/page");
    const std::string referer = "\r\nReferer: " + url;
    const std::string rest =
        "\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded";
    const std::vector<Case> cases = {
        {"lower-case accept still gets the default", "accept: text/html",
         "\r\nAccept: */*" + referer + rest, default_agent},
        {"a longer name ending in Accept: counts", "X-Accept: 1", referer + rest, default_agent},
        {"caller's own defaults are kept", "Accept: a\r\nReferer: r\r\nAccept-Language: en",
         "\r\nContent-Type: application/x-www-form-urlencoded", default_agent},
        {"agent from a User-Agent line without a line break", "User-Agent: Probe/1.0 ",
         "\r\nAccept: */*" + referer + rest, ""},
        {"agent from a lower-case line after others", "X-One: 1\r\nuser-agent: Lower/2",
         "\r\nAccept: */*" + referer + rest, ""},
        {"a name merely ending in User-Agent is no agent", "X-User-Agent: no",
         "\r\nAccept: */*" + referer + rest, default_agent},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        site.clear_requests();
        Text headers(c.headers);
        static_cast<void>(http_request(Text(url), 0, {}, nullptr, nullptr, &headers));
        EXPECT_EQ(headers, Text(c.headers + c.composed_tail));
        const Request request = only_request();
        std::string expected = "GET /page HTTP/1.1\r\n" + host_line();
        if (!c.agent.empty()) expected += "User-Agent: " + c.agent + "\r\n";
        EXPECT_EQ(request.head, expected + c.headers + c.composed_tail + "\r\n\r\n");
    }
}

TEST_F(HttpRequestTest, AgentTextNeverCarriesOtherHeaderLines) {
    // A User-Agent line with an empty value: the agent is empty, not
    // "everything after the first colon" of the whole text.
    Text headers("X-First: 1\r\nUser-Agent:\r\nX-Injected: evil");
    static_cast<void>(http_request(url_of(site, "/"), 0, {}, nullptr, nullptr, &headers));
    const Request request = only_request();
    EXPECT_EQ(request.header("User-Agent"), std::optional<std::string>(""));
    int agents = 0;
    for (const auto& [name, value] : request.headers) agents += name == "User-Agent";
    EXPECT_EQ(agents, 1);
    EXPECT_EQ(request.header("X-Injected"), std::optional<std::string>("evil"));
}

TEST_F(HttpRequestTest, MethodsAndBodies) {
    struct Case {
        int method;
        const char* post_text;
        std::string verb;
        std::string body;
    };
    const std::vector<Case> cases = {
        {0, "ignored", "GET", ""},     {1, "a=1&b=%E4", "POST", "a=1&b=%E4"},
        {2, "probe", "HEAD", "probe"}, {2, "", "HEAD", ""},
        {3, "ignored", "GET", ""},     {-1, "ignored", "GET", ""},
        {1, "", "POST", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.method) + " " + c.post_text);
        site.clear_requests();
        Bytes post_bytes;
        const Bytes body = http_request(url_of(site, "/form"), c.method, Text(c.post_text), nullptr,
                                        nullptr, nullptr, nullptr, false, &post_bytes);
        const Request request = only_request();
        EXPECT_EQ(request.method, c.verb);
        EXPECT_EQ(request.body, c.body);
        EXPECT_EQ(request.header("Expect"), std::nullopt);
        EXPECT_EQ(request.header("Content-Type"),
                  std::optional<std::string>("application/x-www-form-urlencoded"));
        const bool sends_body = c.verb == "POST" || !c.body.empty();
        EXPECT_EQ(request.header("Content-Length"),
                  sends_body ? std::optional(std::to_string(c.body.size())) : std::nullopt);
        // The caller's post_bytes are filled from the text for POST and HEAD only.
        EXPECT_EQ(post_bytes, c.verb == "GET" ? Bytes() : Bytes(std::string(c.post_text)));
        EXPECT_EQ(body, c.verb == "HEAD" ? Bytes() : Bytes(std::string("ok")));
    }
    // A HEAD with a body ends with the response's headers instead of waiting
    // for a body that never comes.
    TransferRequest head;
    head.url = site.url("/");
    head.method = TransferMethod::head;
    head.body = Bytes(std::string("x"));
    EXPECT_EQ(perform_transfer(new_easy_handle().get(), head, test_settings()).error, CURLE_OK);
}

TEST_F(HttpRequestTest, PostBytesWinOverPostTextAndMayHoldZeroBytes) {
    Bytes post_bytes(std::string("a\0b", 3));
    static_cast<void>(http_request(url_of(site), 1, "text", nullptr, nullptr, nullptr, nullptr,
                                   false, &post_bytes));
    EXPECT_EQ(only_request().body, std::string("a\0b", 3));
    EXPECT_EQ(post_bytes, Bytes(std::string("a\0b", 3)));
}

TEST_F(HttpRequestTest, BodyWithZeroBytesComesBackWhole) {
    reply.set(test_site::page(std::string("ab\0cd", 5)));
    EXPECT_EQ(http_request(url_of(site)), Bytes(std::string("ab\0cd", 5)));
    EXPECT_EQ(fetch_text(url_of(site)), Text("ab"));
}

TEST_F(HttpRequestTest, ErrorStatusesGiveTheirBodies) {
    for (int status : {404, 500}) {
        reply.set(test_site::page("<html>" + std::to_string(status) + "</html>", status));
        EXPECT_EQ(fetch_text(url_of(site)), Text("<html>" + std::to_string(status) + "</html>"));
    }
}

TEST_F(HttpRequestTest, ReceivedHeadersAreTheWholeRawBlockWithSetCookieNormalised) {
    Reply cookies = test_site::page("ok");
    cookies.headers = {"set-cookie: a=1; path=/", "X-Note: SET-COOKIE in a value",
                       "SeT-CoOkIe: b=2; HttpOnly"};
    reply.set(cookies);
    Text received_headers;
    Text received_cookies;
    static_cast<void>(
        http_request(url_of(site), 0, {}, nullptr, &received_cookies, nullptr, &received_headers));
    EXPECT_EQ(received_headers,
              Text("HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nX-Note: Set-Cookie in a "
                   "value\r\nSet-Cookie: b=2; HttpOnly\r\nContent-Length: 2\r\n"));
    EXPECT_EQ(received_cookies, Text("a=1; b=2"));
}

TEST_F(HttpRequestTest, HeaderBlocksBeyondFiveThousandBytesKeepEveryCookie) {
    Reply padded = test_site::page("whole body");
    for (int i = 0; i < 200; ++i) {
        padded.headers.push_back("X-Padding-" + std::to_string(i) + ": " + std::string(40, 'p'));
    }
    padded.headers.push_back("Set-Cookie: last=1; path=/");
    reply.set(padded);
    Text received_headers;
    Text received_cookies;
    const Bytes body =
        http_request(url_of(site), 0, {}, nullptr, &received_cookies, nullptr, &received_headers);
    EXPECT_GT(received_headers.size(), 5000u);
    EXPECT_EQ(received_cookies, Text("last=1"));
    EXPECT_EQ(body, Bytes(std::string("whole body")));
}

TEST_F(HttpRequestTest, SuppliedCookiesAreSentAndMerged) {
    Reply setting = test_site::page("ok");
    setting.headers = {"Set-Cookie: a=2; path=/", "Set-Cookie: old=deleted"};
    reply.set(setting);
    Text cookies("a=1; old=x; keep=3");
    Text received_cookies;
    Text headers("Cookie: mine=1");
    static_cast<void>(http_request(url_of(site), 0, {}, &cookies, &received_cookies, &headers));
    const Request request = only_request();
    // The caller's own Cookie line stays and a second one follows it.
    EXPECT_NE(request.head.find("\r\nCookie: mine=1\r\n"), std::string::npos);
    EXPECT_NE(request.head.find("\r\nCookie: a=1; old=x; keep=3\r\n"), std::string::npos);
    EXPECT_EQ(cookies, Text("a=2; keep=3"));
    EXPECT_EQ(received_cookies, Text("a=2;old=deleted"));
}

TEST_F(HttpRequestTest, EmptySuppliedCookiesSendNoCookieLineYetMerge) {
    Reply setting = test_site::page("ok");
    setting.headers = {"Set-Cookie: fresh=1"};
    reply.set(setting);
    Text cookies;
    static_cast<void>(http_request(url_of(site), 0, {}, &cookies));
    EXPECT_EQ(only_request().header("Cookie"), std::nullopt);
    EXPECT_EQ(cookies, Text("fresh=1"));
}

TEST_F(HttpRequestTest, PathBytesThatWouldBreakTheRequestLineAreEscaped) {
    static_cast<void>(fetch_text(Text(site.url("/a b\r\nX-Evil: 1\r\n/c"))));
    const Request request = only_request();
    EXPECT_EQ(request.target, "/a%20b%0D%0AX-Evil:%201%0D%0A/c");
    EXPECT_EQ(request.header("X-Evil"), std::nullopt);
    EXPECT_EQ(request.header("Referer"), site.url("/a b%0D%0AX-Evil: 1%0D%0A/c"));
}

}  // namespace
