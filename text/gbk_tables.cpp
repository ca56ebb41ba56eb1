#include "text/gbk_tables.h"

#include <unicode/ucnv.h>

#include <array>
#include <cstdint>
#include <cstring>

namespace gbk_tables {
namespace {

// A zero entry means "not in the table": no GBK pair gives U+0000 and no
// character above ASCII gives the byte 0x00.
struct Tables {
    std::array<char16_t, 0x10000> unit_of_pair{};        // lead << 8 | trail
    std::array<std::uint16_t, 0x10000> bytes_of_unit{};  // one byte, or lead << 8 | trail
    bool usable = false;
};

// Each pair and each character converted on its own: GBK keeps no state
// between characters, so these are the results ICU gives inside any text.
// A pair is kept only when ICU reads it as one character; a broken pair,
// whose second byte ICU reads again on its own, is left out.
Tables read_off_icu() {
    Tables tables;
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open("windows-936-2000", &status);
    if (U_FAILURE(status)) return tables;
    ucnv_setSubstChars(converter, "?", 1, &status);

    bool ascii_is_itself = U_SUCCESS(status);
    for (int c = 0; c < 0x80 && ascii_is_itself; ++c) {
        const char byte = static_cast<char>(c);
        UChar units[4];
        char back[4];
        status = U_ZERO_ERROR;
        const int32_t count = ucnv_toUChars(converter, units, 4, &byte, 1, &status);
        const int32_t back_count = ucnv_fromUChars(converter, back, 4, units, 1, &status);
        ascii_is_itself =
            U_SUCCESS(status) && count == 1 && units[0] == c && back_count == 1 && back[0] == byte;
    }

    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0; trail <= 0xFF; ++trail) {
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            UChar units[4];
            status = U_ZERO_ERROR;
            const int32_t count = ucnv_toUChars(converter, units, 4, pair, 2, &status);
            if (U_SUCCESS(status) && count == 1 && units[0] != 0) {
                tables.unit_of_pair[lead << 8 | trail] = units[0];
            }
        }
    }

    for (unsigned unit = 0x80; unit <= 0xFFFF; ++unit) {
        if (unit >= 0xD800 && unit <= 0xDFFF) continue;
        const UChar source = static_cast<UChar>(unit);
        char bytes[8];
        status = U_ZERO_ERROR;
        const int32_t count = ucnv_fromUChars(converter, bytes, sizeof bytes, &source, 1, &status);
        if (U_FAILURE(status)) continue;
        const auto first = static_cast<unsigned char>(bytes[0]);
        const auto second = static_cast<unsigned char>(bytes[1]);
        if (count == 1 && first != 0) tables.bytes_of_unit[unit] = first;
        if (count == 2 && first != 0)
            tables.bytes_of_unit[unit] = static_cast<std::uint16_t>(first << 8 | second);
    }

    ucnv_close(converter);
    tables.usable = ascii_is_itself;
    return tables;
}

const Tables& tables() {
    static const Tables instance = read_off_icu();
    return instance;
}

constexpr std::uint64_t high_bits = 0x8080808080808080u;

// Copies the ASCII bytes at `in` eight at a time, as far as a whole word of
// them reaches; both pointers move past what was copied.
template <typename Unit>
void copy_ascii_words(const unsigned char*& in, const unsigned char* end, Unit*& out) {
    while (end - in >= 8) {
        std::uint64_t word;
        std::memcpy(&word, in, sizeof word);
        if (word & high_bits) return;
        for (int i = 0; i < 8; ++i) out[i] = static_cast<Unit>(in[i]);
        in += 8;
        out += 8;
    }
}

// The GBK bytes of a character above ASCII; false when the table lacks it.
bool put_gbk(const Tables& tables, unsigned unit, char*& out) {
    const std::uint16_t bytes = tables.bytes_of_unit[unit];
    if (bytes == 0) return false;
    if (bytes > 0xFF) *out++ = static_cast<char>(bytes >> 8);
    *out++ = static_cast<char>(bytes & 0xFF);
    return true;
}

bool continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

bool gbk_to_units(std::string_view gbk, std::u16string& out) {
    const Tables& table = tables();
    if (!table.usable) return false;
    out.resize(gbk.size());  // never more units than bytes
    char16_t* target = out.data();
    const auto* in = reinterpret_cast<const unsigned char*>(gbk.data());
    const auto* end = in + gbk.size();
    while (in < end) {
        copy_ascii_words(in, end, target);
        if (in == end) break;
        const unsigned byte = *in;
        if (byte < 0x80) {
            *target++ = static_cast<char16_t>(byte);
            ++in;
            continue;
        }
        if (end - in < 2) return false;
        const char16_t unit = table.unit_of_pair[byte << 8 | in[1]];
        if (unit == 0) return false;
        *target++ = unit;
        in += 2;
    }
    out.resize(static_cast<std::size_t>(target - out.data()));
    return true;
}

bool units_to_gbk(std::u16string_view units, std::string& out) {
    const Tables& table = tables();
    if (!table.usable) return false;
    out.resize(units.size() * 2);
    char* target = out.data();
    for (const char16_t unit : units) {
        if (unit < 0x80) {
            *target++ = static_cast<char>(unit);
        } else if (!put_gbk(table, unit, target)) {
            return false;
        }
    }
    out.resize(static_cast<std::size_t>(target - out.data()));
    return true;
}

bool utf8_to_gbk(std::string_view utf8, std::string& out) {
    const Tables& table = tables();
    if (!table.usable) return false;
    // A character of two or three UTF-8 bytes gives at most two GBK bytes.
    out.resize(utf8.size());
    char* target = out.data();
    const auto* in = reinterpret_cast<const unsigned char*>(utf8.data());
    const auto* end = in + utf8.size();
    while (in < end) {
        copy_ascii_words(in, end, target);
        if (in == end) break;
        const unsigned byte = *in;
        unsigned code_point;
        if (byte < 0x80) {
            *target++ = static_cast<char>(byte);
            ++in;
            continue;
        }
        if (byte >= 0xC2 && byte <= 0xDF && end - in >= 2 && continuation(in[1])) {
            code_point = (byte & 0x1Fu) << 6 | (in[1] & 0x3Fu);
            in += 2;
        } else if (byte >= 0xE0 && byte <= 0xEF && end - in >= 3 && continuation(in[1]) &&
                   continuation(in[2]) && !(byte == 0xE0 && in[1] < 0xA0) &&
                   !(byte == 0xED && in[1] > 0x9F)) {
            code_point = (byte & 0x0Fu) << 12 | (in[1] & 0x3Fu) << 6 | (in[2] & 0x3Fu);
            in += 3;
        } else {
            return false;  // malformed, or beyond the Basic Multilingual Plane
        }
        if (!put_gbk(table, code_point, target)) return false;
    }
    out.resize(static_cast<std::size_t>(target - out.data()));
    return true;
}

}  // namespace gbk_tables
