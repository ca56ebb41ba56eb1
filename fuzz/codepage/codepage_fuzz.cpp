#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz/support/fuzz_input.h"
#include "icu_reference.h"
#include "text/codepage.h"

namespace {

bool is_terminated_utf16(const Bytes& utf16) {
    const std::string_view units = utf16.view();
    return units.size() >= 2 && units.size() % 2 == 0 &&
           units.ends_with(std::string_view("\0\0", 2));
}

}  // namespace

// The whole input is taken as raw bytes: as GBK, as UTF-8 and as UTF-16 units,
// odd lengths and zero bytes included.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes raw(data, size);
    const Text text(raw);

    // The table-driven conversions give what ICU gives, on any bytes.
    fuzz_require(gbk_to_u16(text.view()) == icu_reference::gbk_to_units(text.view()),
                 "GBK to UTF-16 as ICU reads it");
    fuzz_require(utf8_to_gbk(text) == Text(icu_reference::utf8_to_gbk(text.view())),
                 "UTF-8 to GBK as ICU converts it");

    const Text utf8 = gbk_to_utf8(text);
    const Text gbk_again = utf8_to_gbk(utf8);
    // What one trip leaves is what GBK can say, so a second trip keeps it.
    fuzz_require(utf8_to_gbk(gbk_to_utf8(gbk_again)) == gbk_again, "GBK -> UTF-8 -> GBK settles");
    // Whatever came in, what goes out as UTF-8 is well-formed: UTF-16 keeps it.
    fuzz_require(utf16_to_text(text_to_utf16(utf8), code_page::utf8) == utf8,
                 "GBK -> UTF-8 gives well-formed UTF-8");
    fuzz_require(utf8_bytes_to_gbk(raw) == utf8_to_gbk(text),
                 "counted UTF-8 ends at its first zero byte");

    for (int page : {code_page::ansi, code_page::gbk, code_page::utf8}) {
        const Bytes utf16 = text_to_utf16(text, page);
        fuzz_require(text.empty() ? utf16.empty() : is_terminated_utf16(utf16),
                     "text_to_utf16 gives terminated units, nothing for nothing");
        (void)utf16_to_text(utf16, page);
        (void)utf16_to_text(raw, page);
    }

    const Bytes utf16 = gbk_to_utf16(text);
    fuzz_require(text.empty() ? utf16.empty() : is_terminated_utf16(utf16),
                 "gbk_to_utf16 gives terminated units, nothing for nothing");
    if (!utf16.empty()) {
        fuzz_require(
            utf16_to_gbk(utf16) == utf16_to_gbk(Bytes(utf16.view().substr(0, utf16.size() - 2))),
            "the terminator adds nothing");
    }
    (void)utf16_to_gbk(raw);

    const std::u16string units = ansi_to_utf16(text);
    fuzz_require(utf16_to_ansi(units) == u16_to_gbk(units), "utf16_to_ansi reads as GBK");
    fuzz_require(gbk_to_u16(text.view()) == units, "both GBK to UTF-16 readings agree");
    std::u16string raw_units(raw.size() / 2, u'\0');
    std::memcpy(raw_units.data(), raw.data(), raw_units.size() * sizeof(char16_t));
    fuzz_require(u16_to_gbk(raw_units) ==
                     Text(icu_reference::units_to_gbk(std::u16string_view(raw_units).substr(
                         0, std::u16string_view(raw_units).find(u'\0')))),
                 "UTF-16 to GBK as ICU converts it");
    (void)u16_to_gbk(raw_units, true);
    (void)utf16_to_ansi(raw_units);
    return 0;
}
