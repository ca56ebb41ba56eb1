#pragma once

#include <gtest/gtest.h>

#include <string>

#include "test_site.h"
#include "text/text.h"
#include "text_printer.h"
#include "web/cookie_store.h"
#include "web/curl_session.h"

// Puts short limits and trust in the test certificate in force for each test,
// so that a stall ends in about a second instead of thirty, and starts each
// test with no stored cookies: every site here is 127.0.0.1, whose cookies
// hold for every port.
class HttpTest : public ::testing::Test {
  protected:
    void SetUp() override {
        init_web(test_settings());
        clear_cookie_store();
    }

    static WebSettings test_settings() {
        WebSettings settings;
        settings.connect_timeout = std::chrono::milliseconds(2000);
        settings.idle_timeout = std::chrono::milliseconds(1000);
        settings.trusted_certificates = test_site::TestSite::certificate_pem();
        return settings;
    }

    static Text url_of(const test_site::TestSite& site, std::string_view path = "/") {
        return Text(site.url(path));
    }
};

// The header text that every default request carries after Host and
// User-Agent, for a request to `url`.
inline std::string default_header_lines(const std::string& url) {
    return "Accept: */*\r\nReferer: " + url +
           "\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded";
}
