#pragma once

#include "text/text.h"

// The text strictly between the first `start_marker` at or after the 1-based
// byte position `from` (below 2 means the first byte) and the first
// `end_marker` after it; the empty text when either is missing. Inside a
// marker, "#引号" stands for a double quote.
[[nodiscard]] Text text_between(const Text& text, const Text& start_marker, const Text& end_marker,
                                int from = 0, bool ignore_case = false);
