#include <cstddef>
#include <cstdint>

#include "fuzz/support/fuzz_input.h"
#include "text/codepage.h"
#include "text/percent.h"

namespace {

bool is_escape_digit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

// Every byte comes out as "%" and two upper-case digits, or as itself when it
// is in the safe set and the caller asked to keep those.
void check_encoded_form(const Text& encoded, bool keep_safe) {
    const std::string_view e = encoded.view();
    for (std::size_t i = 0; i < e.size();) {
        if (e[i] == '%') {
            fuzz_require(i + 2 < e.size(), "an escape has two digits");
            fuzz_require(is_escape_digit(e[i + 1]) && is_escape_digit(e[i + 2]),
                         "escape digits are upper-case hexadecimal");
            i += 3;
            continue;
        }
        const char c = e[i];
        const bool safe = c == '-' || c == '.' || (c >= '0' && c <= '9') ||
                          (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        fuzz_require(keep_safe && safe, "only safe bytes stay unescaped");
        ++i;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzInput input(data, size);
    const Text text = input.part(0);
    const bool keep_safe = input.option(0);

    const Text encoded = url_encode(text, keep_safe);
    check_encoded_form(encoded, keep_safe);
    fuzz_require(url_decode(encoded) == text, "decoding an encoded text gives it back");

    // Decoding never grows a text: each byte or escape gives at most one byte.
    fuzz_require(url_decode(text).size() <= text.size(), "decoding does not grow the text");
    (void)url_decode(text, true);

    // Through UTF-8 only texts that GBK -> UTF-8 -> GBK keeps can come back.
    if (utf8_to_gbk(gbk_to_utf8(text)) == text) {
        const Text utf8_encoded = url_encode(text, keep_safe, true);
        check_encoded_form(utf8_encoded, keep_safe);
        fuzz_require(url_decode(utf8_encoded, true) == text,
                     "decoding the UTF-8 encoding with to_gbk gives the text back");
    }
    return 0;
}
