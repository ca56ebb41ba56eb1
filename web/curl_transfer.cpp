#include "web/curl_transfer.h"

#include <algorithm>
#include <chrono>
#include <string_view>

#include "web/cookie_store.h"

namespace {

using Clock = std::chrono::steady_clock;

// What the callbacks share; lives on perform_transfer's stack for the
// length of the transfer. libcurl calls every callback on the thread that
// runs curl_easy_perform, so no lock is needed.
struct Exchange {
    CURL* easy = nullptr;
    TransferResult* result = nullptr;
    std::size_t body_limit = 0;
    std::chrono::milliseconds idle_timeout{0};
    // The header block of the current response has ended; header lines after
    // it (trailers) are not part of it.
    bool headers_done = false;
    // A HEAD that carries a body goes out as an upload, after which libcurl
    // would wait for a response body that a HEAD answer never has: the
    // transfer ends with the first header block that is not interim.
    bool end_after_headers = false;
    bool ended_after_headers = false;
    std::string_view upload;
    bool reserved = false;
    Clock::time_point last_activity = Clock::now();
    curl_off_t downloaded = 0;
    curl_off_t uploaded = 0;
};

// A 1xx status line: another header block follows.
bool is_interim(std::string_view status_line) {
    const std::size_t space = status_line.find(' ');
    return space != std::string_view::npos && status_line.substr(space + 1).starts_with('1');
}

std::size_t on_header(char* data, std::size_t size, std::size_t count, void* user) {
    auto& exchange = *static_cast<Exchange*>(user);
    const std::size_t length = size * count;
    const std::string_view line(data, length);
    exchange.last_activity = Clock::now();
    TransferResult& result = *exchange.result;
    // Interim, redirect and final responses each begin with a status line;
    // only the last block and its body belong to the result.
    if (line.starts_with("HTTP/") && (exchange.headers_done || result.raw_headers.empty())) {
        result.raw_headers.clear();
        result.body.clear();
        exchange.headers_done = false;
        exchange.reserved = false;
    }
    if (exchange.headers_done) return length;
    if (line == "\r\n" || line == "\n") {
        exchange.headers_done = true;
        if (exchange.end_after_headers && !is_interim(result.raw_headers)) {
            exchange.ended_after_headers = true;
            return 0;  // less than given: libcurl ends the transfer
        }
    } else {
        result.raw_headers.append(line);
    }
    return length;
}

std::size_t on_body(char* data, std::size_t size, std::size_t count, void* user) {
    auto& exchange = *static_cast<Exchange*>(user);
    const std::size_t length = size * count;
    exchange.last_activity = Clock::now();
    Bytes& body = exchange.result->body;
    if (!exchange.reserved) {
        // One allocation for a body of announced size, instead of a string
        // that doubles its way up through every page of a large body.
        exchange.reserved = true;
        curl_off_t announced = -1;
        if (curl_easy_getinfo(exchange.easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced) ==
                CURLE_OK &&
            announced > 0) {
            body.storage().reserve(
                std::min(static_cast<std::size_t>(announced), exchange.body_limit));
        }
    }
    const std::size_t room = exchange.body_limit - std::min(exchange.body_limit, body.size());
    if (length > room) {
        body.append(data, room);
        exchange.result->truncated = true;
        return 0;  // less than given: libcurl ends the transfer
    }
    body.append(data, length);
    return length;
}

std::size_t on_upload(char* buffer, std::size_t size, std::size_t count, void* user) {
    auto& exchange = *static_cast<Exchange*>(user);
    const std::size_t length = std::min(size * count, exchange.upload.size());
    std::copy_n(exchange.upload.data(), length, buffer);
    exchange.upload.remove_prefix(length);
    return length;
}

int on_progress(void* user, curl_off_t, curl_off_t downloaded, curl_off_t, curl_off_t uploaded) {
    auto& exchange = *static_cast<Exchange*>(user);
    const auto now = Clock::now();
    if (downloaded != exchange.downloaded || uploaded != exchange.uploaded) {
        exchange.downloaded = downloaded;
        exchange.uploaded = uploaded;
        exchange.last_activity = now;
    }
    return now - exchange.last_activity > exchange.idle_timeout ? 1 : 0;
}

}  // namespace

std::string escape_request_bytes(std::string_view text, bool escape_space) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || (escape_space && byte == ' ')) {
            escaped += '%';
            escaped += hex[byte >> 4];
            escaped += hex[byte & 0x0F];
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::string transfer_url(bool secure, const Text& host, int port, const Text& path) {
    return (secure ? "https://" : "http://") + host.str() + ":" + std::to_string(port) +
           escape_request_bytes(path.view(), true);
}

CurlEasy new_easy_handle() {
    static_cast<void>(web_settings());  // libcurl's global initialisation first
    return CurlEasy(curl_easy_init());
}

TransferResult perform_transfer(CURL* easy, const TransferRequest& request,
                                const WebSettings& settings) {
    TransferResult result;
    if (easy == nullptr) return result;

    CurlList headers;
    bool listed = true;
    for (const std::string& line : request.header_lines) {
        listed = listed && append_line(headers, line.c_str());
    }
    // A header named without a value keeps libcurl from adding its own.
    for (const char* suppressed : {"Accept:", "Expect:", "Content-Type:"}) {
        listed = listed && append_line(headers, suppressed);
    }
    CurlList proxy_headers;
    listed = listed && append_line(proxy_headers, "Proxy-Connection:");
    if (!listed) {
        result.error = CURLE_OUT_OF_MEMORY;
        return result;
    }

    Exchange exchange;
    exchange.easy = easy;
    exchange.result = &result;
    exchange.body_limit = settings.body_limit;
    exchange.idle_timeout = settings.idle_timeout;

    CURLcode error = CURLE_OK;
    auto set = [&](CURLoption option, auto value) {
        if (error == CURLE_OK) error = curl_easy_setopt(easy, option, value);
    };
    set(CURLOPT_NOSIGNAL, 1L);
    set(CURLOPT_URL, request.url.c_str());
    set(CURLOPT_PROTOCOLS_STR, "http,https");
    set(CURLOPT_REDIR_PROTOCOLS_STR, request.secure_redirects_only ? "https" : "http,https");
    // A redirected HEAD upload would wait on the redirect's absent body.
    const bool head_upload = request.method == TransferMethod::head && !request.body.empty();
    set(CURLOPT_FOLLOWLOCATION, request.follow_redirects && !head_upload ? 1L : 0L);
    set(CURLOPT_MAXREDIRS, settings.max_redirects);
    set(CURLOPT_HTTP_VERSION,
        request.http_1_0 ? long{CURL_HTTP_VERSION_1_0} : long{CURL_HTTP_VERSION_1_1});
    set(CURLOPT_PATH_AS_IS, 1L);
    set(CURLOPT_HTTPHEADER, headers.get());
    // Separate lists: the tunnel request to a proxy carries none of the
    // server's header lines (cookies among them).
    set(CURLOPT_HEADEROPT, long{CURLHEADER_SEPARATE});
    set(CURLOPT_PROXYHEADER, proxy_headers.get());
    if (!request.agent.empty()) set(CURLOPT_USERAGENT, request.agent.c_str());
    // An empty proxy switches off the proxy variables of the environment too.
    set(CURLOPT_PROXY, request.proxy.c_str());
    if (!request.proxy.empty()) set(CURLOPT_NOPROXY, "");
    set(CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);

    switch (request.method) {
        case TransferMethod::get:
            set(CURLOPT_HTTPGET, 1L);
            break;
        case TransferMethod::post:
            set(CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
            set(CURLOPT_POSTFIELDS, request.body.data());
            break;
        case TransferMethod::head:
            if (request.body.empty()) {
                set(CURLOPT_NOBODY, 1L);
                break;
            }
            exchange.end_after_headers = true;
            exchange.upload = request.body.view();
            set(CURLOPT_UPLOAD, 1L);
            set(CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
            set(CURLOPT_READFUNCTION, on_upload);
            set(CURLOPT_READDATA, &exchange);
            set(CURLOPT_CUSTOMREQUEST, "HEAD");
            break;
    }

    // Every transfer joins the share for its connections; only those that use
    // the cookie store switch on the cookie engine ("": in memory, no file),
    // without which libcurl neither sends nor keeps the shared cookies.
    if (CURLSH* store = cookie_store(); store != nullptr) set(CURLOPT_SHARE, store);
    if (request.use_cookie_store) set(CURLOPT_COOKIEFILE, "");

    set(CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(settings.connect_timeout.count()));
    set(CURLOPT_TIMEOUT_MS, static_cast<long>(settings.transfer_timeout.count()));
    set(CURLOPT_NOPROGRESS, 0L);
    set(CURLOPT_XFERINFOFUNCTION, on_progress);
    set(CURLOPT_XFERINFODATA, &exchange);
    set(CURLOPT_HEADERFUNCTION, on_header);
    set(CURLOPT_HEADERDATA, &exchange);
    set(CURLOPT_WRITEFUNCTION, on_body);
    set(CURLOPT_WRITEDATA, &exchange);
    set(CURLOPT_SSL_VERIFYPEER, 1L);
    set(CURLOPT_SSL_VERIFYHOST, 2L);
    curl_blob trusted{const_cast<char*>(settings.trusted_certificates.data()),
                      settings.trusted_certificates.size(), CURL_BLOB_NOCOPY};
    if (!settings.trusted_certificates.empty()) set(CURLOPT_CAINFO_BLOB, &trusted);
    if (!request.user.empty() || !request.password.empty()) {
        set(CURLOPT_USERNAME, request.user.c_str());
        set(CURLOPT_PASSWORD, request.password.c_str());
        // More than one method: libcurl asks the server first and answers
        // its challenge, so the first request carries no credentials.
        set(CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC | CURLAUTH_DIGEST));
    }
    if (error != CURLE_OK) {
        result.error = error;
        return result;
    }

    result.error = curl_easy_perform(easy);
    if (exchange.ended_after_headers && result.error == CURLE_WRITE_ERROR) result.error = CURLE_OK;
    long status = 0;
    if (curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK)
        result.status = status;
    return result;
}
