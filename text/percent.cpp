#include "text/percent.h"

#include <cstring>
#include <string>

#include "text/codepage.h"

namespace {

constexpr char hex_digits[] = "0123456789ABCDEF";

constexpr bool is_safe(unsigned char byte) {
    return byte == '-' || byte == '.' || (byte >= '0' && byte <= '9') ||
           (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
}

constexpr int hex_value(unsigned char byte) {
    if (byte >= '0' && byte <= '9') return byte - '0';
    if (byte >= 'A' && byte <= 'F') return byte - 'A' + 10;
    if (byte >= 'a' && byte <= 'f') return byte - 'a' + 10;
    return -1;
}

}  // namespace

Text url_encode(const Text& text, bool keep_safe, bool utf8) {
    if (text.empty()) return {};
    const Text source = utf8 ? gbk_to_utf8(text) : text;
    std::string out;
    out.reserve(source.size() * 3);
    for (const char c : source.view()) {
        const auto byte = static_cast<unsigned char>(c);
        if (keep_safe && is_safe(byte)) {
            out += c;
        } else {
            out += '%';
            out += hex_digits[byte >> 4];
            out += hex_digits[byte & 0x0F];
        }
    }
    return Text(std::move(out));
}

Text url_decode(const Text& text, bool to_gbk) {
    const std::string_view source = text.view();
    std::string out;
    out.reserve(source.size());
    std::size_t at = 0;
    while (at < source.size()) {
        const void* percent = std::memchr(source.data() + at, '%', source.size() - at);
        const std::size_t next =
            percent ? static_cast<std::size_t>(static_cast<const char*>(percent) - source.data())
                    : source.size();
        out.append(source, at, next - at);
        at = next;
        if (at == source.size()) break;

        // Only "%" with two hexadecimal digits is an escape: a stray "%" in a
        // page stays as it is instead of eating the two bytes after it.
        const int high = at + 1 < source.size() ? hex_value(source[at + 1]) : -1;
        const int low = at + 2 < source.size() ? hex_value(source[at + 2]) : -1;
        if (high < 0 || low < 0) {
            out += '%';
            at += 1;
            continue;
        }
        if (const int byte = high * 16 + low; byte != 0) out += static_cast<char>(byte);
        at += 3;
    }
    Text decoded(std::move(out));
    return to_gbk ? utf8_to_gbk(decoded) : decoded;
}
