#include "web/http_request.h"

#include <string>
#include <string_view>
#include <vector>

#include "text/text_ops.h"
#include "web/cookies.h"
#include "web/curl_transfer.h"
#include "web/url_parts.h"

namespace {

constexpr const char* default_agent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

// The value of the first line named User-Agent (any letter case), else the
// default. Only that line is read, so the agent text never holds a line break.
Text agent_text(const Text& headers) {
    for (const Text& line : split(headers, "\r\n")) {
        const int colon = find(line, ":");
        if (colon > 1 && to_lower(left(line, colon - 1)) == Text("user-agent")) {
            return header_value(line);
        }
    }
    return default_agent;
}

// The caller's lines first, unchanged, then each default line whose name
// (with its colon, letter case significant) occurs nowhere yet.
Text compose_headers(Text headers, const Text& url, const Text* cookies) {
    if (headers.empty()) {
        headers = "Accept: */*";
    } else if (find(headers, "Accept:") == -1) {
        headers += "\r\nAccept: */*";
    }
    // A line break in the address must not start header lines of its own.
    if (find(headers, "Referer:") == -1) {
        headers += Text("\r\nReferer: ") + Text(escape_request_bytes(url.view(), false));
    }
    if (find(headers, "Accept-Language:") == -1) headers += "\r\nAccept-Language: zh-cn";
    if (find(headers, "Content-Type:") == -1) {
        headers += "\r\nContent-Type: application/x-www-form-urlencoded";
    }
    if (cookies != nullptr && !cookies->empty()) headers += Text("\r\nCookie: ") + *cookies;
    return headers;
}

bool is_blank(std::string_view text) {
    return text.find_first_not_of(" \t\r\n\v\f") == std::string_view::npos;
}

// The header text as libcurl's list wants it. libcurl sends no line without
// a name and a colon (nor would a server read one), and takes "Name:" with
// nothing after it as "leave out my own Name header"; "Name;" is how it is
// told to send the line with an empty value.
std::vector<std::string> transfer_header_lines(const Text& headers) {
    std::vector<std::string> lines;
    for (const Text& line : split(headers, "\r\n")) {
        const std::string_view text = line.view();
        const std::size_t colon = text.find(':');
        if (colon == std::string_view::npos || colon == 0) continue;
        if (is_blank(text.substr(colon + 1))) {
            lines.emplace_back(std::string(text.substr(0, colon)) + ";");
        } else {
            lines.emplace_back(text);
        }
    }
    return lines;
}

TransferMethod transfer_method(int method) {
    switch (method) {
        case 1:
            return TransferMethod::post;
        case 2:
            return TransferMethod::head;
        default:
            return TransferMethod::get;
    }
}

}  // namespace

Bytes http_request(const Text& url, int method, const Text& post_text, Text* cookies,
                   Text* received_cookies, Text* headers, Text* received_headers, bool no_redirect,
                   Bytes* post_bytes, const Text& proxy) {
    if (method < 0 || method > 2) method = 0;
    const bool secure = is_secure_address(url);
    const Text caller_headers = headers != nullptr ? *headers : Text();
    const Text agent = agent_text(caller_headers);

    const auto settings = web_settings();
    CurlEasy easy = new_easy_handle();
    if (!easy) return {};

    const Text composed = compose_headers(caller_headers, url, cookies);
    if (headers != nullptr) *headers = composed;

    TransferRequest request;
    request.url = transfer_url(secure, url_host(url), url_port(url), url_path(url));
    request.method = transfer_method(method);
    if (method != 0) {
        Bytes own_body;
        Bytes& body = post_bytes != nullptr ? *post_bytes : own_body;
        if (body.empty()) body = post_text.to_bytes();
        request.body = body;
    }
    request.header_lines = transfer_header_lines(composed);
    request.agent = agent.str();
    request.use_cookie_store = cookies == nullptr;
    request.follow_redirects = !no_redirect;
    // A secure request may be redirected to secure addresses only.
    request.secure_redirects_only = secure;
    request.proxy = proxy.str();

    TransferResult result = perform_transfer(easy.get(), request, *settings);
    easy.reset();

    const Text response_headers =
        replace_all(Text(std::move(result.raw_headers)), "Set-Cookie", "Set-Cookie", true);
    Text collected = collect_cookies(response_headers);
    if (cookies != nullptr) static_cast<void>(merge_cookies(*cookies, collected));
    if (received_headers != nullptr) *received_headers = response_headers;
    if (received_cookies != nullptr) *received_cookies = collected;
    return std::move(result.body);
}

Text fetch_text(const Text& url) {
    Bytes body = http_request(url);
    return Text(std::move(body.storage()));
}

Text header_value(const Text& text) {
    const int colon = find(text, ":");
    if (colon == -1) return {};
    return trim(middle(text, colon + 1));
}
