#pragma once

#include "text/text.h"

// A cookie text holds elements "name=value" joined by ";" (with or without a
// space after it); the texts made here join them with "; ". Spaces are the
// ASCII space and the GBK full-width space.

// The first element of every "Set-Cookie" line of a response header text (the
// header name already written in that letter case), in the order of the lines;
// attributes are dropped and a line without a value gives an empty element.
[[nodiscard]] Text collect_cookies(const Text& headers);

// Brings `cookies` up to date with `received_cookies`: the received elements
// first, then the old ones whose names were not received; elements ending in
// "=deleted" are dropped and no element stays twice. Both variables lose the
// spaces around their elements and separators (never those inside a value).
// Gives a copy of the new `cookies`.
Text merge_cookies(Text& cookies, Text& received_cookies);

// The part of an element before its first "=" (all of it without one),
// trimmed. Names compare exactly.
[[nodiscard]] Text cookie_name(const Text& element);

// The pieces of `text` between `separator`s, each kept at its first
// occurrence, joined by `separator` again.
[[nodiscard]] Text join_distinct(const Text& text, const Text& separator);
