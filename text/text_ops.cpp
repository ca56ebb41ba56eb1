#include "text/text_ops.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

namespace {

constexpr unsigned char full_width_space_lead = 0xA1;

constexpr char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

bool equal_folded(const char* a, const char* b, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

std::size_t char_length(std::string_view text, std::size_t at) {
    return std::min(gbk_scan::step(static_cast<unsigned char>(text[at])), text.size() - at);
}

// The length of the space character at `at` (1 or 2), or 0 when none stands there.
std::size_t space_length(std::string_view text, std::size_t at) {
    if (text[at] == ' ') return 1;
    if (at + 1 < text.size() && static_cast<unsigned char>(text[at]) == full_width_space_lead &&
        static_cast<unsigned char>(text[at + 1]) == full_width_space_lead) {
        return 2;
    }
    return 0;
}

Text map_ascii(const Text& text, char from_first, char from_last, int shift) {
    std::string out(text.view());
    // The trail byte of a double-byte character may look like a letter; it
    // is stepped over with its lead byte.
    for (std::size_t at = 0; at < out.size(); at += gbk_scan::step(static_cast<unsigned char>(out[at]))) {
        char& c = out[at];
        if (c >= from_first && c <= from_last) c = static_cast<char>(c + shift);
    }
    return Text(std::move(out));
}

}  // namespace

namespace gbk_scan {

std::size_t find(std::string_view text, std::string_view what, std::size_t from, bool ignore_case) {
    if (from >= text.size()) return npos;
    if (what.empty()) return 0;
    if (what.size() > text.size()) return npos;
    const std::size_t last_start = text.size() - what.size();

    if (ignore_case) {
        for (std::size_t at = from; at <= last_start; at += gbk_scan::step(static_cast<unsigned char>(text[at]))) {
            if (equal_folded(text.data() + at, what.data(), what.size())) return at;
        }
        return npos;
    }

    // memchr finds candidates quickly; `boundary` walks the character starts so
    // that a candidate on a trail byte is passed over.
    std::size_t boundary = from;
    std::size_t candidate_from = from;
    const char first = what.front();
    while (candidate_from <= last_start) {
        const void* hit = std::memchr(text.data() + candidate_from, first, last_start - candidate_from + 1);
        if (!hit) return npos;
        const std::size_t candidate = static_cast<const char*>(hit) - text.data();
        while (boundary < candidate) boundary += gbk_scan::step(static_cast<unsigned char>(text[boundary]));
        if (boundary == candidate &&
            std::memcmp(text.data() + candidate, what.data(), what.size()) == 0) {
            return candidate;
        }
        candidate_from = candidate + 1;
    }
    return npos;
}

}  // namespace gbk_scan

int find(const Text& text, const Text& what, int start, bool ignore_case) {
    const std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start) - 1;
    if (what.empty()) return from < text.size() ? 1 : -1;
    const std::size_t at = gbk_scan::find(text.view(), what.view(), from, ignore_case);
    return at == gbk_scan::npos ? -1 : static_cast<int>(at) + 1;
}

int find_last(const Text& text, const Text& what, bool ignore_case) {
    if (what.empty()) return text.empty() ? -1 : 1;
    int last = -1;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = gbk_scan::find(text.view(), what.view(), from, ignore_case);
        if (at == gbk_scan::npos) return last;
        last = static_cast<int>(at) + 1;
        // The match starts on a boundary, so the character after it is one too.
        from = at + char_length(text.view(), at);
    }
}

Text replace_all(const Text& text, const Text& what, const Text& with, bool ignore_case) {
    if (what.empty() || text.empty()) return text;
    const std::string_view source = text.view();
    std::string out;
    out.reserve(source.size());
    std::size_t copied = 0;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = gbk_scan::find(source, what.view(), from, ignore_case);
        if (at == gbk_scan::npos) break;
        out.append(source, copied, at - copied);
        out += with.view();
        copied = from = at + what.size();
    }
    out.append(source, copied);
    return Text(std::move(out));
}

std::vector<Text> split(const Text& text, const Text& separator) {
    std::vector<Text> pieces;
    if (text.empty()) return pieces;
    if (separator.empty()) {
        pieces.push_back(text);
        return pieces;
    }
    const std::string_view source = text.view();
    std::size_t piece_start = 0;
    for (;;) {
        const std::size_t at = gbk_scan::find(source, separator.view(), piece_start);
        if (at == gbk_scan::npos) break;
        pieces.emplace_back(source.substr(piece_start, at - piece_start));
        piece_start = at + separator.size();
    }
    if (piece_start < source.size()) pieces.emplace_back(source.substr(piece_start));
    return pieces;
}

Text left(const Text& text, int n) {
    if (n <= 0) return {};
    return Text(text.view().substr(0, static_cast<std::size_t>(n)));
}

Text right(const Text& text, int n) {
    if (n <= 0) return {};
    const std::size_t count = std::min(static_cast<std::size_t>(n), text.size());
    return Text(text.view().substr(text.size() - count));
}

Text middle(const Text& text, int start, int n) {
    const std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start) - 1;
    if (from >= text.size() || n == 0) return {};
    return Text(n < 0 ? text.view().substr(from) : text.view().substr(from, static_cast<std::size_t>(n)));
}

Text trim(const Text& text) {
    const std::string_view source = text.view();
    std::size_t begin = 0;
    while (begin < source.size()) {
        const std::size_t space = space_length(source, begin);
        if (space == 0) break;
        begin += space;
    }
    // Walk the characters forwards so that a trail byte A1 is never taken for
    // half of a full-width space.
    std::size_t end = begin;
    for (std::size_t at = begin; at < source.size();) {
        const std::size_t space = space_length(source, at);
        if (space) {
            at += space;
        } else {
            at += char_length(source, at);
            end = at;
        }
    }
    return Text(source.substr(begin, end - begin));
}

Text remove_spaces(const Text& text) {
    const std::string_view source = text.view();
    std::string out;
    out.reserve(source.size());
    for (std::size_t at = 0; at < source.size();) {
        if (const std::size_t space = space_length(source, at)) {
            at += space;
            continue;
        }
        const std::size_t length = char_length(source, at);
        out.append(source, at, length);
        at += length;
    }
    return Text(std::move(out));
}

Text to_lower(const Text& text) { return map_ascii(text, 'A', 'Z', 'a' - 'A'); }
Text to_upper(const Text& text) { return map_ascii(text, 'a', 'z', 'A' - 'a'); }

int to_int(const Text& text) {
    const std::string_view s = text.view();
    std::size_t at = 0;
    while (at < s.size()) {
        if (s[at] == ' ' || s[at] == '\t' || s[at] == '\r' || s[at] == '\n') {
            ++at;
        } else if (space_length(s, at) == 2) {
            at += 2;
        } else {
            break;
        }
    }
    bool negative = false;
    if (at < s.size() && (s[at] == '+' || s[at] == '-')) {
        negative = s[at] == '-';
        ++at;
    }
    long long value = 0;
    for (;;) {
        int digit;
        if (at < s.size() && s[at] >= '0' && s[at] <= '9') {
            digit = s[at] - '0';
            at += 1;
        } else if (at + 1 < s.size() && static_cast<unsigned char>(s[at]) == 0xA3 &&
                   static_cast<unsigned char>(s[at + 1]) >= 0xB0 &&
                   static_cast<unsigned char>(s[at + 1]) <= 0xB9) {
            digit = static_cast<unsigned char>(s[at + 1]) - 0xB0;  // full-width "０" to "９"
            at += 2;
        } else {
            break;
        }
        value = std::min(value * 10 + digit, static_cast<long long>(INT_MAX) + 1);
    }
    if (negative) value = -value;
    return static_cast<int>(std::clamp(value, static_cast<long long>(INT_MIN), static_cast<long long>(INT_MAX)));
}

Text from_int(long long value) { return Text(std::to_string(value)); }
