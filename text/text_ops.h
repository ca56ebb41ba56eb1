#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "text/text.h"

// Operations on GBK texts. Positions are 1-based byte positions and -1 means
// "not found". Searches step over GBK characters: a byte of 0x80 or above and
// the byte after it are passed over together, so a match never begins on the
// trail byte of a double-byte character. Letter-case folding, where asked for,
// touches ASCII letters only.

// Where `what` first occurs in `text` at or after `start` (below 1 counts as 1).
// The empty `what` is found at 1 whenever `start` lies within a non-empty text.
[[nodiscard]] int find(const Text& text, const Text& what, int start = 1, bool ignore_case = false);

// Where `what` occurs last in `text`, on a character boundary.
[[nodiscard]] int find_last(const Text& text, const Text& what, bool ignore_case = false);

// Every occurrence of `what`, left to right without overlap, replaced by `with`.
[[nodiscard]] Text replace_all(const Text& text, const Text& what, const Text& with,
                               bool ignore_case = false);

// The pieces between separators, compared exactly. Empty pieces between two
// separators stay; a separator at the very end adds nothing; the empty text
// gives no pieces.
[[nodiscard]] std::vector<Text> split(const Text& text, const Text& separator);

// The first / last n bytes; n of 0 or less gives the empty text.
[[nodiscard]] Text left(const Text& text, int n);
[[nodiscard]] Text right(const Text& text, int n);
// n bytes from the 1-based `start` (below 1 counts as 1); n below 0 means to the end.
[[nodiscard]] Text middle(const Text& text, int start, int n = -1);

// Spaces are the ASCII space and the GBK full-width space A1 A1; tabs and line
// breaks are not spaces.
[[nodiscard]] Text trim(const Text& text);
[[nodiscard]] Text remove_spaces(const Text& text);

[[nodiscard]] Text to_lower(const Text& text);
[[nodiscard]] Text to_upper(const Text& text);

// The leading decimal digits after blanks and an optional sign (full-width
// digits count too), clamped to the 32-bit range; 0 when there are none.
[[nodiscard]] int to_int(const Text& text);
[[nodiscard]] Text from_int(long long value);

namespace gbk_scan {

constexpr std::size_t npos = std::string_view::npos;

// The 0-based search behind `find`: stepping starts at `from`, and the result
// is npos when nothing is found.
[[nodiscard]] std::size_t find(std::string_view text, std::string_view what, std::size_t from = 0,
                               bool ignore_case = false);

// The length of the character that begins with `lead`: 2 for a byte of 0x80 or
// above, else 1.
[[nodiscard]] constexpr std::size_t step(unsigned char lead) { return lead >= 0x80 ? 2 : 1; }

}  // namespace gbk_scan
