#include "icu_reference.h"

#include <unicode/ucnv.h>

#include <stdexcept>

namespace icu_reference {
namespace {

// A converter of its own per call: slow, and nothing shared with the code
// under test.
struct Converter {
    explicit Converter(const char* name) {
        UErrorCode status = U_ZERO_ERROR;
        handle = ucnv_open(name, &status);
        if (U_FAILURE(status)) throw std::runtime_error(name);
        ucnv_setSubstChars(handle, "?", 1, &status);
    }
    ~Converter() { ucnv_close(handle); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    UConverter* handle = nullptr;
};

std::u16string decode(const char* name, std::string_view bytes) {
    Converter converter(name);
    std::u16string units(bytes.size() * 2 + 4, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t count = ucnv_toUChars(converter.handle, reinterpret_cast<UChar*>(units.data()),
                                        static_cast<int32_t>(units.size()), bytes.data(),
                                        static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status)) throw std::runtime_error("toUChars");
    units.resize(static_cast<std::size_t>(count));
    return units;
}

}  // namespace

std::u16string gbk_to_units(std::string_view gbk) { return decode("windows-936-2000", gbk); }

std::string units_to_gbk(std::u16string_view units) {
    Converter converter("windows-936-2000");
    std::string bytes(units.size() * 4 + 4, '\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t count = ucnv_fromUChars(
        converter.handle, bytes.data(), static_cast<int32_t>(bytes.size()),
        reinterpret_cast<const UChar*>(units.data()), static_cast<int32_t>(units.size()), &status);
    if (U_FAILURE(status)) throw std::runtime_error("fromUChars");
    bytes.resize(static_cast<std::size_t>(count));
    return bytes;
}

std::string utf8_to_gbk(std::string_view utf8) { return units_to_gbk(decode("UTF-8", utf8)); }

}  // namespace icu_reference
