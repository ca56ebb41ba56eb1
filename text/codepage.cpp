#include "text/codepage.h"

#include <unicode/ucnv.h>
#include <unicode/unorm2.h>

#include <memory>
#include <string>

#include "text/gbk_tables.h"

namespace {

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using ConverterHandle = std::unique_ptr<UConverter, ConverterCloser>;

ConverterHandle open_converter(const char* name) {
    UErrorCode status = U_ZERO_ERROR;
    ConverterHandle converter(ucnv_open(name, &status));
    if (U_FAILURE(status)) return nullptr;
    // GBK's own substitute is "?" already; UTF-8 keeps ICU's U+FFFD.
    if (std::string_view(name) != "UTF-8") {
        status = U_ZERO_ERROR;
        ucnv_setSubstChars(converter.get(), "?", 1, &status);
    }
    return converter;
}

// ICU converters keep state and must not be shared between threads, so every
// thread opens its own pair once and reuses it (each conversion resets it).
struct ThreadConverters {
    ConverterHandle gbk = open_converter("windows-936-2000");
    ConverterHandle utf8 = open_converter("UTF-8");
};

UConverter* converter_for(int code_page) {
    thread_local ThreadConverters converters;
    switch (code_page) {
        case code_page::ansi:
        case code_page::gbk:
            return converters.gbk.get();
        case code_page::utf8:
            return converters.utf8.get();
        default:
            return nullptr;
    }
}

std::size_t terminated_length(std::u16string_view units) {
    const std::size_t nul = units.find(u'\0');
    return nul == std::u16string_view::npos ? units.size() : nul;
}

std::u16string bytes_to_units(const Bytes& utf16) {
    std::u16string units(utf16.size() / 2, u'\0');
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf16.data());
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    }
    return units;
}

Bytes units_to_bytes(std::u16string_view units) {
    std::string bytes(units.size() * 2, '\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        bytes[2 * i] = static_cast<char>(units[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(units[i] >> 8);
    }
    return Bytes(std::move(bytes));
}

std::u16string to_units(UConverter* from, std::string_view source) {
    if (!from || source.empty()) return {};
    // No code page used here gives more than one unit per source byte; the
    // loop still grows the buffer should a converter ever need more.
    std::u16string units(source.size() + 1, u'\0');
    for (;;) {
        UErrorCode status = U_ZERO_ERROR;
        const int32_t length = ucnv_toUChars(from, reinterpret_cast<UChar*>(units.data()),
                                             static_cast<int32_t>(units.size()), source.data(),
                                             static_cast<int32_t>(source.size()), &status);
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            units.resize(static_cast<std::size_t>(length) + 1);
            continue;
        }
        if (U_FAILURE(status)) return {};
        units.resize(static_cast<std::size_t>(length));
        return units;
    }
}

std::string from_units(UConverter* to, std::u16string_view units) {
    if (!to || units.empty()) return {};
    std::string bytes(units.size() * 3 + 1, '\0');
    for (;;) {
        UErrorCode status = U_ZERO_ERROR;
        const int32_t length = ucnv_fromUChars(to, bytes.data(), static_cast<int32_t>(bytes.size()),
                                               reinterpret_cast<const UChar*>(units.data()),
                                               static_cast<int32_t>(units.size()), &status);
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            bytes.resize(static_cast<std::size_t>(length) + 1);
            continue;
        }
        if (U_FAILURE(status)) return {};
        bytes.resize(static_cast<std::size_t>(length));
        return bytes;
    }
}

// One code page to another through ICU's UTF-16 pivot, without a full
// intermediate UTF-16 copy of the source.
std::string convert(UConverter* to, UConverter* from, std::string_view source) {
    if (!to || !from || source.empty()) return {};
    std::string out(source.size() * 3 / 2 + 16, '\0');
    UChar pivot[4096];
    UChar* pivot_source = pivot;
    UChar* pivot_target = pivot;
    const char* in = source.data();
    char* target = out.data();
    bool reset = true;
    for (;;) {
        UErrorCode status = U_ZERO_ERROR;
        ucnv_convertEx(to, from, &target, out.data() + out.size(), &in,
                       source.data() + source.size(), pivot, &pivot_source, &pivot_target,
                       pivot + std::size(pivot), reset, true, &status);
        reset = false;
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            const std::size_t written = static_cast<std::size_t>(target - out.data());
            out.resize(out.size() * 2);
            target = out.data() + written;
            continue;
        }
        if (U_FAILURE(status)) return {};
        out.resize(static_cast<std::size_t>(target - out.data()));
        return out;
    }
}

std::string_view before_nul(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

// Base characters followed by combining marks become their precomposed forms
// where one exists, so that GBK can hold them.
std::u16string composed(std::u16string_view units) {
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2* nfc = unorm2_getNFCInstance(&status);
    if (U_FAILURE(status)) return std::u16string(units);
    const auto* source = reinterpret_cast<const UChar*>(units.data());
    const auto length = static_cast<int32_t>(units.size());
    const int32_t already = unorm2_spanQuickCheckYes(nfc, source, length, &status);
    if (U_FAILURE(status) || already == length) return std::u16string(units);

    std::u16string out(units.substr(0, static_cast<std::size_t>(already)));
    std::u16string rest(units.size() * 3 + 1, u'\0');
    status = U_ZERO_ERROR;
    const int32_t rest_length = unorm2_normalize(nfc, source + already, length - already,
                                                 reinterpret_cast<UChar*>(rest.data()),
                                                 static_cast<int32_t>(rest.size()), &status);
    if (U_FAILURE(status)) return std::u16string(units);
    rest.resize(static_cast<std::size_t>(rest_length));
    return out + rest;
}

// GBK through the tables where they cover the text, else through ICU.
std::u16string gbk_units(std::string_view gbk) {
    std::u16string units;
    if (gbk_tables::gbk_to_units(gbk, units)) return units;
    return to_units(converter_for(code_page::gbk), gbk);
}

std::string gbk_bytes(std::u16string_view units) {
    std::string bytes;
    if (gbk_tables::units_to_gbk(units, bytes)) return bytes;
    return from_units(converter_for(code_page::gbk), units);
}

std::string gbk_of_utf8(std::string_view utf8) {
    std::string bytes;
    if (gbk_tables::utf8_to_gbk(utf8, bytes)) return bytes;
    return convert(converter_for(code_page::gbk), converter_for(code_page::utf8), utf8);
}

bool is_gbk(int code_page) { return code_page == code_page::ansi || code_page == code_page::gbk; }

}  // namespace

Bytes text_to_utf16(const Text& text, int code_page) {
    if (text.empty()) return {};
    std::u16string units = is_gbk(code_page) ? gbk_units(text.view())
                                             : to_units(converter_for(code_page), text.view());
    units.push_back(u'\0');
    return units_to_bytes(units);
}

Text utf16_to_text(const Bytes& utf16, int code_page) {
    const std::u16string units = bytes_to_units(utf16);
    const std::u16string_view view(units);
    const std::u16string_view counted = view.substr(0, terminated_length(view));
    return Text(is_gbk(code_page) ? gbk_bytes(counted)
                                  : from_units(converter_for(code_page), counted));
}

Text gbk_to_utf8(const Text& gbk) {
    return Text(convert(converter_for(code_page::utf8), converter_for(code_page::gbk), gbk.view()));
}

Text utf8_to_gbk(const Text& utf8) { return Text(gbk_of_utf8(utf8.view())); }

Text utf8_bytes_to_gbk(const Bytes& utf8) { return Text(before_nul(gbk_of_utf8(utf8.view()))); }

Bytes gbk_to_utf16(const Text& gbk) { return text_to_utf16(gbk, code_page::gbk); }

Text utf16_to_gbk(const Bytes& utf16) { return u16_to_gbk(bytes_to_units(utf16), true); }

std::u16string ansi_to_utf16(const Text& text) { return gbk_units(text.view()); }

Text utf16_to_ansi(std::u16string_view utf16) {
    return Text(gbk_bytes(utf16.substr(0, terminated_length(utf16))));
}

std::u16string gbk_to_u16(std::string_view gbk) { return gbk_units(gbk); }

Text u16_to_gbk(std::u16string_view utf16, bool compose) {
    const std::u16string_view counted = utf16.substr(0, terminated_length(utf16));
    return Text(compose ? gbk_bytes(composed(counted)) : gbk_bytes(counted));
}

Text gbk(std::string_view utf8) { return utf8_to_gbk(Text(utf8)); }
