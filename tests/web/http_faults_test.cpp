// Servers that fail, stall or never stop: every call ends, within its limits,
// with what could be read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "http_fixture.h"
#include "loopback_socket.h"
#include "web/curl_transfer.h"
#include "web/http_request.h"

namespace {

using test_site::Fault;
using test_site::Reply;
using test_site::Request;
using test_site::TestSite;

class HttpFaultTest : public HttpTest {
  protected:
    test_site::SharedReply reply{test_site::page("0123456789")};
    TestSite site{[this](const Request& request) {
        if (request.target == "/loop") return test_site::redirect("/loop");
        return reply.get();
    }};

    void set_fault(Fault fault, std::size_t after = 0) {
        Reply faulty = test_site::page("0123456789");
        faulty.fault = fault;
        faulty.fault_after = after;
        reply.set(faulty);
    }

    void SetUp() override {
        HttpTest::SetUp();
        site.start();
    }

    TransferResult transfer(const std::string& url, const WebSettings& settings) {
        TransferRequest request;
        request.url = url;
        CurlEasy easy = new_easy_handle();
        return perform_transfer(easy.get(), request, settings);
    }
};

// A label over 63 bytes cannot be put into a DNS query, so the lookup fails
// on this machine without a packet leaving it.
const std::string unresolvable = "http://" + std::string(64, 'a') + ".invalid/";

TEST_F(HttpFaultTest, NothingReadGivesEmptyResultsAfterComposingAndMerging) {
    LoopbackSocket closed(false);
    ASSERT_NE(closed.port(), 0);
    struct Case {
        const char* name;
        std::string url;
        Fault fault;
    };
    const std::vector<Case> cases = {
        {"refused port", "http://127.0.0.1:" + std::to_string(closed.port()) + "/", Fault::none},
        {"host that does not resolve", unresolvable, Fault::none},
        {"closed before answering", site.url("/"), Fault::close_before_reply},
        {"silent after the request", site.url("/"), Fault::stall_before_reply},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        set_fault(c.fault);
        Text cookies("a=1;b=2");
        Text received_cookies("stale");
        Text headers;
        Text received_headers("stale");
        const Bytes body = http_request(Text(c.url), 0, {}, &cookies, &received_cookies, &headers,
                                        &received_headers);
        EXPECT_TRUE(body.empty());
        EXPECT_EQ(headers, Text(default_header_lines(c.url) + "\r\nCookie: a=1;b=2"));
        EXPECT_EQ(received_headers, Text());
        EXPECT_EQ(received_cookies, Text());
        EXPECT_EQ(cookies, Text("a=1; b=2"));  // the merge ran on nothing received
        EXPECT_EQ(fetch_text(Text(c.url)), Text());
    }
}

TEST_F(HttpFaultTest, ABodyCutShortGivesWhatCameBeforeTheCut) {
    for (Fault fault : {Fault::close_mid_body, Fault::stall_mid_body}) {
        set_fault(fault, 4);
        Text received_headers;
        const Bytes body =
            http_request(url_of(site), 0, {}, nullptr, nullptr, nullptr, &received_headers);
        EXPECT_EQ(body, Bytes(std::string("0123")));
        EXPECT_TRUE(received_headers.view().starts_with("HTTP/1.1 200 OK\r\n"));
    }
}

TEST_F(HttpFaultTest, SilenceEndsTheTransferButSlowProgressDoesNot) {
    set_fault(Fault::stall_before_reply);
    EXPECT_EQ(transfer(site.url("/"), test_settings()).error, CURLE_ABORTED_BY_CALLBACK);

    // Six pieces a quarter second apart take longer than the idle limit in
    // all, yet no gap reaches it.
    Reply slow = test_site::page("abcdef");
    slow.piece_size = 1;
    slow.piece_delay = std::chrono::milliseconds(250);
    reply.set(slow);
    const TransferResult result = transfer(site.url("/"), test_settings());
    EXPECT_EQ(result.error, CURLE_OK);
    EXPECT_EQ(result.body, Bytes(std::string("abcdef")));
}

TEST_F(HttpFaultTest, AConnectionThatIsNeverEstablishedTimesOut) {
    // TCP is accepted by the kernel, but the TLS handshake never gets an answer.
    LoopbackSocket silent(true);
    ASSERT_NE(silent.port(), 0);
    WebSettings settings = test_settings();
    settings.connect_timeout = std::chrono::milliseconds(300);
    settings.idle_timeout = std::chrono::milliseconds(60'000);
    const TransferResult result =
        transfer("https://127.0.0.1:" + std::to_string(silent.port()) + "/", settings);
    EXPECT_EQ(result.error, CURLE_OPERATION_TIMEDOUT);
    EXPECT_EQ(result.status, 0);
}

TEST_F(HttpFaultTest, ARedirectLoopStopsAfterTenRedirects) {
    const TransferResult result = transfer(site.url("/loop"), test_settings());
    EXPECT_EQ(result.error, CURLE_TOO_MANY_REDIRECTS);
    EXPECT_EQ(site.requests().size(), 11u);
    EXPECT_EQ(fetch_text(url_of(site, "/loop")), Text());
}

TEST_F(HttpFaultTest, AnEndlessBodyStopsAtSixtyFourMebibytes) {
    WebSettings settings;  // the limit in force in the program
    settings.idle_timeout = test_settings().idle_timeout;
    init_web(settings);
    Reply endless;
    endless.fault = Fault::endless_body;
    reply.set(endless);
    const Bytes body = http_request(url_of(site));
    EXPECT_EQ(body.size(), std::size_t{64} << 20);
    EXPECT_EQ(body.view().find_first_not_of('x'), std::string_view::npos);
}

TEST_F(HttpFaultTest, ABodyLimitKeepsTheBytesBeforeIt) {
    WebSettings settings = test_settings();
    settings.body_limit = 7;
    const TransferResult result = transfer(site.url("/"), settings);
    EXPECT_TRUE(result.truncated);
    EXPECT_EQ(result.body, Bytes(std::string("0123456")));
}

}  // namespace
