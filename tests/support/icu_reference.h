#pragma once

#include <string>
#include <string_view>

// GBK conversions done by ICU alone, character by character as ICU decides,
// with "?" for what GBK lacks: what the program's own conversions must give
// for every input, however they get there.
namespace icu_reference {

[[nodiscard]] std::u16string gbk_to_units(std::string_view gbk);
[[nodiscard]] std::string units_to_gbk(std::u16string_view units);
[[nodiscard]] std::string utf8_to_gbk(std::string_view utf8);

}  // namespace icu_reference
