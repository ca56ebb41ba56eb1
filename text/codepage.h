#pragma once

#include <string_view>

#include "text/text.h"

// Conversions between GBK (Windows code page 936), UTF-8 and UTF-16LE.
// Invalid input is replaced and the conversion goes on; a character that the
// target lacks becomes "?"; empty input gives empty output. Safe to call from
// any number of threads at once.

namespace code_page {
constexpr int ansi = 0;  // the system's ANSI code page; GBK here
constexpr int gbk = 936;
constexpr int utf8 = 65001;
}  // namespace code_page

// `text` under `code_page` to terminated UTF-16 (the last unit is U+0000).
[[nodiscard]] Bytes text_to_utf16(const Text& text, int code_page = code_page::utf8);
// Units up to the first U+0000 (or all of them) to a text under `code_page`.
[[nodiscard]] Text utf16_to_text(const Bytes& utf16, int code_page = code_page::ansi);

[[nodiscard]] Text gbk_to_utf8(const Text& gbk);
[[nodiscard]] Text utf8_to_gbk(const Text& utf8);
// Counted UTF-8 to GBK; a zero byte in the input ends the text.
[[nodiscard]] Text utf8_bytes_to_gbk(const Bytes& utf8);

// GBK to terminated UTF-16.
[[nodiscard]] Bytes gbk_to_utf16(const Text& gbk);
// Counted UTF-16 to GBK, composing base characters and combining marks first;
// a U+0000 unit ends the text.
[[nodiscard]] Text utf16_to_gbk(const Bytes& utf16);

// The whole text to UTF-16 without a terminator, and back up to the first U+0000.
[[nodiscard]] std::u16string ansi_to_utf16(const Text& text);
[[nodiscard]] Text utf16_to_ansi(std::u16string_view utf16);

// Buffers of UTF-16 units, for callers that hold them already (the regular
// expression object): no Bytes round trip.
[[nodiscard]] std::u16string gbk_to_u16(std::string_view gbk);
[[nodiscard]] Text u16_to_gbk(std::u16string_view utf16, bool compose = false);

// A GBK text from UTF-8 source text: how the program writes its own Chinese
// literals, which the source files hold as UTF-8.
[[nodiscard]] Text gbk(std::string_view utf8);
