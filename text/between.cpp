#include "text/between.h"

#include "text/codepage.h"
#include "text/text_ops.h"

namespace {

// Markers may write a double quote as "#引号".
Text expand_quotes(const Text& marker) {
    static const Text quote_word = gbk("#引号");
    return replace_all(marker, quote_word, "\"");
}

}  // namespace

Text text_between(const Text& text, const Text& start_marker, const Text& end_marker, int from,
                  bool ignore_case) {
    const Text start = expand_quotes(start_marker);
    const Text end = expand_quotes(end_marker);

    int s = find(text, start, from < 2 ? 1 : from, ignore_case);
    if (s != -1) s += static_cast<int>(start.size());
    const int e = find(text, end, s == -1 ? 1 : s, ignore_case);
    // An empty end marker is "found" at the first byte, before s.
    if (s == -1 || e == -1 || e <= s) return {};
    return middle(text, s, e - s);
}
