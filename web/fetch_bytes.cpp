#include "web/fetch_bytes.h"

#include "text/text_ops.h"
#include "web/curl_transfer.h"
#include "web/url_parts.h"

namespace {

// The same agent text as always: the maker's server may tell the update
// check apart by it.
constexpr const char* update_agent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

}  // namespace

Bytes fetch_bytes(const Text& url) {
    if (url.empty()) return {};
    const int hash = find(url, "#");
    const Text address = hash == -1 ? url : left(url, hash - 1);

    const auto settings = web_settings();
    CurlEasy easy = new_easy_handle();
    if (!easy) return {};

    TransferRequest request;
    request.url = transfer_url(is_secure_address(address), url_host(address), url_port(address),
                               url_path(address));
    request.http_1_0 = true;
    request.header_lines = {"Accept: */*"};
    request.agent = update_agent;
    request.user = url_user(address).str();
    request.password = url_password(address).str();
    return perform_transfer(easy.get(), request, *settings).body;
}
