#pragma once

#include <curl/curl.h>

#include <string>
#include <string_view>
#include <vector>

#include "text/text.h"
#include "web/curl_handles.h"
#include "web/curl_session.h"

// One HTTP exchange over a libcurl easy handle, told exactly what to send.
// The requests that callers compose (http_request, fetch_bytes) are turned
// into this; the result keeps what the transport did apart from what the
// server said.

enum class TransferMethod { get, post, head };

struct TransferRequest {
    // The address libcurl connects to: scheme, host, port and path.
    std::string url;
    TransferMethod method = TransferMethod::get;
    // Sent for post, and for head when not empty.
    Bytes body;
    bool http_1_0 = false;
    // Header lines without line ends, in order; each is sent as it stands.
    std::vector<std::string> header_lines;
    // Sent as User-Agent by libcurl unless a header line names one; empty
    // for none.
    std::string agent;
    bool use_cookie_store = true;
    bool follow_redirects = true;
    // Redirects may lead to "https" addresses only (else also to "http").
    bool secure_redirects_only = false;
    // "host:port" of an HTTP proxy; empty for direct access.
    std::string proxy;
    // Handed to the server when it asks for them (never before).
    std::string user;
    std::string password;
};

struct TransferResult {
    // libcurl's verdict: CURLE_OK when the exchange ran to its end.
    CURLcode error = CURLE_FAILED_INIT;
    // The final response's status; 0 when none came.
    long status = 0;
    // Every body byte received, up to the body limit.
    Bytes body;
    // The status line and header lines of the final response as received,
    // each with its line end, without the empty line after them; empty when
    // no response came.
    std::string raw_headers;
    // The body limit stopped the transfer.
    bool truncated = false;

    [[nodiscard]] bool transport_failed() const { return error != CURLE_OK; }
};

// Control bytes and DEL (and spaces when asked) as "%" and two hexadecimal
// digits, everything else as written: what may stand in a request or header
// line without ending it.
[[nodiscard]] std::string escape_request_bytes(std::string_view text, bool escape_space);

// The address libcurl is given for a host, port and path, the path escaped
// with spaces.
[[nodiscard]] std::string transfer_url(bool secure, const Text& host, int port, const Text& path);

// A fresh easy handle, null when libcurl cannot make one.
[[nodiscard]] CurlEasy new_easy_handle();

// Runs `request` on `easy` (fresh from new_easy_handle) under `settings`.
[[nodiscard]] TransferResult perform_transfer(CURL* easy, const TransferRequest& request,
                                              const WebSettings& settings);
