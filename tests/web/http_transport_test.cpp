// TLS, redirects, proxies and the shared cookie store.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "http_fixture.h"
#include "web/http_request.h"

namespace {

using test_site::Reply;
using test_site::Request;
using test_site::TestSite;

// Answers every request with "<name> <target>", so a body tells which site
// served it.
test_site::Handler naming(std::string name) {
    return [name](const Request& request) { return test_site::page(name + " " + request.target); };
}

class HttpTransportTest : public HttpTest {
  protected:
    TestSite secure{naming("secure"), true};
    TestSite other{naming("other")};
    TestSite site{[this](const Request& request) { return route(request); }};

    void SetUp() override {
        HttpTest::SetUp();
        secure.start();
        other.start();
        site.start();
    }

    Reply route(const Request& request) {
        const std::string& target = request.target;
        if (target == "/here") return test_site::redirect("/there", 301);
        if (target == "/away") return test_site::redirect(other.url("/landed"));
        if (target == "/up") return test_site::redirect(secure.url("/safe"));
        if (target == "/file") return test_site::redirect("file:///etc/passwd");
        if (target == "/login") {
            Reply reply = test_site::page("welcome");
            reply.headers.push_back("Set-Cookie: session=s1; Path=/");
            return reply;
        }
        if (target == "/other-login") {
            Reply reply = test_site::page("welcome");
            reply.headers.push_back("Set-Cookie: bypass=b1; Path=/");
            return reply;
        }
        return test_site::page("site " + target +
                               " cookie=" + request.header("Cookie").value_or("none"));
    }
};

TEST_F(HttpTransportTest, SecureAddressesRunOverVerifiedTls) {
    const std::string url = secure.url("/page");
    EXPECT_EQ(fetch_text(Text(url)), Text("secure /page"));
    ASSERT_EQ(secure.requests().size(), 1u);
    EXPECT_EQ(secure.requests()[0].header_text(),
              "Host: " + secure.authority() +
                  "\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)\r\n" +
                  default_header_lines(url));

    // The same server without trust in its certificate: nothing is read.
    WebSettings untrusting = test_settings();
    untrusting.trusted_certificates.clear();
    init_web(untrusting);
    EXPECT_EQ(fetch_text(Text(url)), Text());
    EXPECT_EQ(secure.requests().size(), 1u);
}

TEST_F(HttpTransportTest, RedirectsAreFollowedUnlessAskedNotTo) {
    struct Case {
        std::string url;
        std::string body;
    };
    const std::vector<Case> cases = {
        {site.url("/here"), "site /there cookie=none"},
        {site.url("/away"), "other /landed"},
        {site.url("/up"), "secure /safe"},
        {site.url("/file"), ""},  // only http and https are followed
        {secure.url("/x").replace(0, 5, "HTTPS"), "secure /x"},
    };
    for (const Case& c : cases) EXPECT_EQ(fetch_text(Text(c.url)), Text(c.body)) << c.url;

    Text received_headers;
    const Bytes body = http_request(url_of(site, "/here"), 0, {}, nullptr, nullptr, nullptr,
                                    &received_headers, true);
    EXPECT_TRUE(body.empty());
    EXPECT_TRUE(received_headers.view().starts_with("HTTP/1.1 301 Moved Permanently\r\n"));
    EXPECT_NE(received_headers.view().find("\r\nLocation: /there\r\n"), std::string_view::npos);
}

TEST_F(HttpTransportTest, ASecureRequestIsNotRedirectedToAPlainAddress) {
    TestSite downgrading([this](const Request&) { return test_site::redirect(site.url("/")); },
                         true);
    downgrading.start();
    EXPECT_EQ(fetch_text(Text(downgrading.url("/"))), Text());
    EXPECT_TRUE(site.requests().empty());
}

TEST_F(HttpTransportTest, ReceivedHeadersAreThoseOfTheFinalResponse) {
    Text received_headers;
    static_cast<void>(
        http_request(url_of(site, "/away"), 0, {}, nullptr, nullptr, nullptr, &received_headers));
    EXPECT_EQ(received_headers,
              Text("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 13\r\n"));
}

TEST_F(HttpTransportTest, APlainRequestThroughAProxyCarriesTheAbsoluteAddress) {
    TestSite proxy(naming("proxy"));
    proxy.start();
    const std::string url = other.url("/via?q=1");
    const Bytes body = http_request(Text(url), 0, {}, nullptr, nullptr, nullptr, nullptr, false,
                                    nullptr, Text(proxy.authority()));
    EXPECT_EQ(body, Bytes("proxy " + url));
    EXPECT_TRUE(other.requests().empty());
    ASSERT_EQ(proxy.requests().size(), 1u);
    EXPECT_EQ(proxy.requests()[0].head,
              "GET " + url + " HTTP/1.1\r\nHost: " + other.authority() +
                  "\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)\r\n" +
                  default_header_lines(url) + "\r\n\r\n");
}

TEST_F(HttpTransportTest, ASecureRequestThroughAProxyTunnelsAndKeepsItsLinesInside) {
    TestSite proxy([](const Request& request) {
        Reply reply;
        reply.reason = "Connection established";
        reply.content_length = false;
        reply.tunnel = true;
        if (request.method != "CONNECT") reply = test_site::page("not a tunnel", 400);
        return reply;
    });
    proxy.start();
    Text cookies("secret=1");
    const Bytes body = http_request(Text(secure.url("/inside")), 0, {}, &cookies, nullptr, nullptr,
                                    nullptr, false, nullptr, Text(proxy.authority()));
    EXPECT_EQ(body, Bytes(std::string("secure /inside")));
    ASSERT_EQ(proxy.requests().size(), 1u);
    const Request connect = proxy.requests()[0];
    EXPECT_EQ(connect.method + " " + connect.target, "CONNECT " + secure.authority());
    EXPECT_EQ(connect.header("Cookie"), std::nullopt);
    EXPECT_EQ(connect.header("Referer"), std::nullopt);
    ASSERT_EQ(secure.requests().size(), 1u);
    EXPECT_EQ(secure.requests()[0].header("Cookie"), std::optional<std::string>("secret=1"));
}

TEST_F(HttpTransportTest, NoProxyMeansDirectWhateverTheEnvironmentSays) {
    TestSite proxy(naming("proxy"));
    proxy.start();
    const std::string proxy_url = proxy.url("");
    for (const char* name : {"http_proxy", "HTTPS_PROXY", "ALL_PROXY"}) {
        ::setenv(name, proxy_url.c_str(), 1);
    }
    const Text plain = fetch_text(url_of(other, "/direct"));
    const Text tls = fetch_text(url_of(secure, "/direct"));
    for (const char* name : {"http_proxy", "HTTPS_PROXY", "ALL_PROXY"}) ::unsetenv(name);
    EXPECT_EQ(plain, Text("other /direct"));
    EXPECT_EQ(tls, Text("secure /direct"));
    EXPECT_TRUE(proxy.requests().empty());
}

TEST_F(HttpTransportTest, RequestsWithoutCookiesShareTheStore) {
    EXPECT_EQ(fetch_text(url_of(site, "/login")), Text("welcome"));
    EXPECT_EQ(fetch_text(url_of(site, "/page")), Text("site /page cookie=session=s1"));

    // A request with a cookie text of its own neither reads nor fills the store.
    Text cookies;
    EXPECT_EQ(http_request(url_of(site, "/page"), 0, {}, &cookies),
              Bytes(std::string("site /page cookie=none")));
    static_cast<void>(http_request(url_of(site, "/other-login"), 0, {}, &cookies));
    EXPECT_EQ(cookies, Text("bypass=b1"));
    EXPECT_EQ(fetch_text(url_of(site, "/page")), Text("site /page cookie=session=s1"));
}

}  // namespace
