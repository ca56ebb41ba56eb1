#include "web/cookies.h"

#include <algorithm>
#include <vector>

#include "text/text_ops.h"

namespace {

const Text element_separator("; ");
const Text deleted_mark("=deleted");

// Drops the last `count` bytes (everything when there are fewer).
Text cut_end(const Text& text, std::size_t count) {
    return left(text, static_cast<int>(text.size()) - static_cast<int>(count));
}

// Spaces at the ends of every element go, those inside stay: a value is data.
// A ";" at the very end is kept, as is every empty element.
Text tidy_separators(const Text& cookie_text) {
    Text tidy;
    bool first = true;
    for (const Text& element : split(cookie_text, ";")) {
        if (!first) tidy += ";";
        tidy += trim(element);
        first = false;
    }
    // The separator (0x3B) is never the trail byte of a GBK character.
    if (right(cookie_text, 1) == Text(";")) tidy += ";";
    return tidy;
}

}  // namespace

Text collect_cookies(const Text& headers) {
    Text cookies;
    for (const Text& line : split(headers, "\r\n")) {
        // Only a Set-Cookie header line sets a cookie: a line that merely
        // mentions the name in its value must not smuggle one in.
        const int colon = find(line, ":");
        if (colon == -1 || trim(left(line, colon - 1)) != Text("Set-Cookie")) continue;
        const Text value = middle(line, colon + 1);
        const int semicolon = find(value, ";");
        cookies += trim(semicolon == -1 ? value : left(value, semicolon - 1)) + element_separator;
    }
    return cut_end(cookies, element_separator.size());
}

Text merge_cookies(Text& cookies, Text& received_cookies) {
    cookies = tidy_separators(cookies);
    received_cookies = tidy_separators(received_cookies);

    std::vector<Text> merged = split(received_cookies, ";");
    std::vector<Text> merged_names;
    merged_names.reserve(merged.size());
    for (const Text& element : merged) merged_names.push_back(cookie_name(element));
    for (const Text& old : split(cookies, ";")) {
        Text name = cookie_name(old);
        if (std::find(merged_names.begin(), merged_names.end(), name) != merged_names.end()) {
            continue;
        }
        merged.push_back(old);
        merged_names.push_back(std::move(name));
    }

    Text joined;
    for (const Text& element : merged) {
        if (right(element, static_cast<int>(deleted_mark.size())) == deleted_mark) continue;
        joined += element + element_separator;
    }
    cookies = join_distinct(cut_end(joined, element_separator.size()), element_separator);
    return cookies;
}

Text cookie_name(const Text& element) {
    const int equals = find(element, "=");
    return trim(equals == -1 ? element : left(element, equals - 1));
}

Text join_distinct(const Text& text, const Text& separator) {
    std::vector<Text> kept;
    Text joined;
    for (Text& piece : split(text, separator)) {
        if (std::find(kept.begin(), kept.end(), piece) != kept.end()) continue;
        joined += piece + separator;
        kept.push_back(std::move(piece));
    }
    return cut_end(joined, separator.size());
}
