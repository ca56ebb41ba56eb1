#include "web/url_parts.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "text/text_ops.h"

namespace {

bool is_ascii_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool is_scheme_char(char c) {
    return is_ascii_letter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

// Where the text after "scheme://" begins, or 0 when the address has no scheme.
std::size_t scheme_length(std::string_view url) {
    if (url.empty() || !is_ascii_letter(url.front())) return 0;
    std::size_t at = 1;
    while (at < url.size() && is_scheme_char(url[at])) ++at;
    return url.substr(at).starts_with("://") ? at + 3 : 0;
}

struct Authority {
    std::string_view user_info;  // before the last "@", without it
    std::string_view host_port;
    std::string_view rest;  // from the first "/", "?" or "#" on
};

Authority split_authority(std::string_view url) {
    const std::string_view after_scheme = url.substr(scheme_length(url));
    const Text searched(after_scheme);
    std::size_t end = after_scheme.size();
    for (const char* mark : {"/", "?", "#"}) {
        if (const int at = find(searched, mark); at != -1) {
            end = std::min(end, static_cast<std::size_t>(at) - 1);
        }
    }
    Authority parts{{}, after_scheme.substr(0, end), after_scheme.substr(end)};
    // "@" (0x40) can be the trail byte of a GBK character, so the search steps
    // over characters rather than bytes.
    if (const int at = find_last(Text(parts.host_port), "@"); at != -1) {
        const std::size_t user_end = static_cast<std::size_t>(at) - 1;
        parts.user_info = after_scheme.substr(0, user_end);
        parts.host_port = after_scheme.substr(user_end + 1, end - user_end - 1);
    }
    return parts;
}

// ASCII letters to lower case, stepping over GBK characters: a trail byte in
// "A".."Z" belongs to its character and stays.
Text host_to_lower(std::string_view host) {
    std::string lower(host);
    for (std::size_t at = 0; at < lower.size();) {
        const auto lead = static_cast<unsigned char>(lower[at]);
        if (lead >= 'A' && lead <= 'Z') lower[at] = static_cast<char>(lead - 'A' + 'a');
        at += lead >= 0x80 ? 2 : 1;
    }
    return Text(std::move(lower));
}

}  // namespace

Text url_host(const Text& url, bool keep_port) {
    const Text host_port = host_to_lower(split_authority(url.view()).host_port);
    if (keep_port) return host_port;
    const int colon = find(host_port, ":");
    return colon == -1 ? host_port : left(host_port, colon - 1);
}

std::int32_t url_port(const Text& url) {
    const Text host_port = url_host(url, true);
    const int colon = find_last(host_port, ":");
    if (colon != -1) return to_int(middle(host_port, colon + 1));
    return is_secure_address(url) ? 443 : 80;
}

Text url_path(const Text& url) {
    const std::string_view rest = split_authority(url.view()).rest;
    if (rest.starts_with('/')) return Text(rest);
    if (rest.starts_with('?')) return Text("/") + Text(rest);
    return Text("/");
}

Text url_user(const Text& url) {
    const Text user_info(split_authority(url.view()).user_info);
    const int colon = find(user_info, ":");
    return colon == -1 ? user_info : left(user_info, colon - 1);
}

Text url_password(const Text& url) {
    const Text user_info(split_authority(url.view()).user_info);
    const int colon = find(user_info, ":");
    return colon == -1 ? Text() : middle(user_info, colon + 1);
}

bool is_secure_address(const Text& url) { return to_lower(left(url, 5)) == Text("https"); }
