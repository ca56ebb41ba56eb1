#include "web/url_parts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

namespace {

struct UrlCase {
    const char* name;
    const char* url;
    const char* host;
    const char* host_with_port;
    std::int32_t port;
    const char* path;
};

// GBK: 0x81 0x40 has "@" as its trail byte, 0x81 0x41 has "A".
constexpr const char* gbk_host_url =
    "http://\x81\x40\x81\x41"
    "B.CN/p";
constexpr const char* gbk_host =
    "\x81\x40\x81\x41"
    "b.cn";

const UrlCase url_cases[] = {
    {"port and query", "http://Example.COM:8080/Path/a?q=1&b=2", "example.com", "example.com:8080",
     8080, "/Path/a?q=1&b=2"},
    {"secure default port", "https://example.com/x", "example.com", "example.com", 443, "/x"},
    {"plain default port", "http://example.com/x", "example.com", "example.com", 80, "/x"},
    {"capitals", "HTTPS://WWW.Example.Com/A/B?Q=C", "www.example.com", "www.example.com", 443,
     "/A/B?Q=C"},
    {"no slash after host", "http://example.com", "example.com", "example.com", 80, "/"},
    {"ends after port", "https://Secure.Example:8443", "secure.example", "secure.example:8443",
     8443, "/"},
    {"port without digits", "http://example.com:abc/x", "example.com", "example.com:abc", 0, "/x"},
    {"empty port", "http://example.com:/x", "example.com", "example.com:", 0, "/x"},
    {"no scheme", "Example.com/a/B", "example.com", "example.com", 80, "/a/B"},
    {"no scheme with port", "localhost:8080/x", "localhost", "localhost:8080", 8080, "/x"},
    {"no scheme, query names another address", "example.com/go?to=http://other.org/x",
     "example.com", "example.com", 80, "/go?to=http://other.org/x"},
    {"host letter also in scheme", "http://t/x", "t", "t", 80, "/x"},
    {"user info", "http://user:pw@host:81/p", "host", "host:81", 81, "/p"},
    {"at sign after the host", "http://host/p@q", "host", "host", 80, "/p@q"},
    {"query right after host", "http://h?q=1", "h", "h", 80, "/?q=1"},
    {"fragment right after host", "http://h#top", "h", "h", 80, "/"},
    {"query and fragment kept", "http://h/p?q=1#frag", "h", "h", 80, "/p?q=1#frag"},
    {"other scheme is plain", "ftp://files.example/p", "files.example", "files.example", 80, "/p"},
    {"gbk bytes in host", gbk_host_url, gbk_host, gbk_host, 80, "/p"},
    {"empty", "", "", "", 80, "/"},
};

TEST(UrlParts, SplitsAddressIntoHostPortAndPath) {
    for (const UrlCase& c : url_cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(url_host(c.url), Text(c.host));
        EXPECT_EQ(url_host(c.url, true), Text(c.host_with_port));
        EXPECT_EQ(url_port(c.url), c.port);
        EXPECT_EQ(url_path(c.url), Text(c.path));
    }
}

TEST(UrlParts, UserAndPasswordComeFromTheUserInfo) {
    struct Case {
        const char* url;
        const char* user;
        const char* password;
    };
    const Case cases[] = {
        {"http://user:pw@host/p", "user", "pw"},
        {"https://User@host/", "User", ""},
        {"http://us:p:w@host/", "us", "p:w"},
        {"http://a@b:c@host:81/", "a@b", "c"},
        {"http://host/p?mail=a:b@c", "", ""},
        {gbk_host_url, "", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        EXPECT_EQ(url_user(c.url), Text(c.user));
        EXPECT_EQ(url_password(c.url), Text(c.password));
    }
}

TEST(UrlParts, SecureAddressIsHttpsInAnyCase) {
    const std::pair<const char*, bool> cases[] = {
        {"https://x/", true}, {"HtTpS://x/", true}, {"http://x/", false},
        {"ftp://x/", false},  {"http", false},      {"", false},
    };
    for (const auto& [url, secure] : cases) {
        SCOPED_TRACE(url);
        EXPECT_EQ(is_secure_address(url), secure);
    }
}

}  // namespace
