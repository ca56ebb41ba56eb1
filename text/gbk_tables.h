#pragma once

#include <string>
#include <string_view>

// Table-driven GBK conversions for the texts that pages are made of: ASCII,
// well-formed GBK pairs, well-formed UTF-8 of the Basic Multilingual Plane.
// The tables are read off the ICU converter itself, one character at a time,
// so every result equals ICU's. Each function gives false, with `out` in an
// unspecified state, when the input holds anything else (a broken pair, a
// lone 0x80 or 0xFF, malformed UTF-8, a supplementary character, a lone
// surrogate); the caller then converts the whole text with ICU.
namespace gbk_tables {

[[nodiscard]] bool gbk_to_units(std::string_view gbk, std::u16string& out);
[[nodiscard]] bool units_to_gbk(std::u16string_view units, std::string& out);
[[nodiscard]] bool utf8_to_gbk(std::string_view utf8, std::string& out);

}  // namespace gbk_tables
