// The GBK conversions must give exactly what ICU gives, whichever way they
// take: every pair and every character inside a text, the inputs that no
// table holds, and random mixtures of both.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "icu_reference.h"
#include "text/codepage.h"

namespace {

std::string hex(std::string_view bytes) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        out += {digits[byte >> 4], digits[byte & 0xF], ' '};
    }
    return out;
}

std::string utf8_of(char32_t code_point) {
    std::string out;
    if (code_point < 0x80) {
        out += static_cast<char>(code_point);
    } else if (code_point < 0x800) {
        out += static_cast<char>(0xC0 | code_point >> 6);
        out += static_cast<char>(0x80 | (code_point & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | code_point >> 12);
        out += static_cast<char>(0x80 | (code_point >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code_point & 0x3F));
    }
    return out;
}

// Collects the inputs on which a conversion and ICU disagree, so that one
// failure names the first few instead of tens of thousands.
class Disagreements {
  public:
    void check_gbk(const std::string& gbk) {
        if (gbk_to_u16(gbk) != icu_reference::gbk_to_units(gbk)) add("GBK " + hex(gbk));
    }
    void check_utf8(const std::string& utf8) {
        if (utf8_to_gbk(Text(utf8)) != Text(icu_reference::utf8_to_gbk(utf8))) {
            add("UTF-8 " + hex(utf8));
        }
    }
    void check_units(const std::u16string& units) {
        if (u16_to_gbk(units) != Text(icu_reference::units_to_gbk(units))) {
            add("UTF-16 " + hex(std::string_view(reinterpret_cast<const char*>(units.data()),
                                                 units.size() * 2)));
        }
    }
    ::testing::AssertionResult none() const {
        if (found_.empty()) return ::testing::AssertionSuccess();
        auto failure = ::testing::AssertionFailure() << count_ << " inputs disagree, first:";
        for (const auto& input : found_) failure << "\n  " << input;
        return failure;
    }

  private:
    void add(std::string input) {
        if (++count_ <= 8) found_.push_back(std::move(input));
    }
    std::vector<std::string> found_;
    int count_ = 0;
};

TEST(CodePageTables, EveryByteAfterEveryHighByteReadsAsIcuReadsIt) {
    Disagreements disagreements;
    for (int first = 0x80; first <= 0xFF; ++first) {
        for (int second = 0; second <= 0xFF; ++second) {
            std::string text = "ab";
            text += static_cast<char>(first);
            text += static_cast<char>(second);
            disagreements.check_gbk(text + "cd");
            disagreements.check_gbk(text);
        }
        disagreements.check_gbk(std::string(1, static_cast<char>(first)));
        disagreements.check_gbk(std::string(11, 'x') + static_cast<char>(first));
    }
    EXPECT_TRUE(disagreements.none());
}

TEST(CodePageTables, EveryUnitOfThePlaneWritesAsIcuWritesIt) {
    Disagreements disagreements;
    for (char32_t unit = 1; unit <= 0xFFFF; ++unit) {
        const auto u = static_cast<char16_t>(unit);
        disagreements.check_units(std::u16string{u'a', u, u'b'});
        // Surrogates come out as malformed UTF-8, which is a case of its own.
        disagreements.check_utf8("ab" + utf8_of(unit) + "c");
    }
    EXPECT_TRUE(disagreements.none());
}

TEST(CodePageTables, InputsOutsideTheTablesConvertAsIcuConverts) {
    const std::vector<std::string> utf8_cases = {
        "\xC0\xAF",          // overlong "/"
        "\xE0\x80\xAF",      // overlong, three bytes
        "\xE0\x9F\xBF",      // overlong U+07FF
        "\xED\xA0\x80",      // an encoded surrogate
        "\xF0\x9F\x98\x80",  // beyond the plane
        "\xF4\x90\x80\x80",  // beyond Unicode
        "\x80",              // a lone continuation byte
        "\xE4\xB8",          // cut short
        "\xE4\xB8"
        "a",             // cut short before ASCII
        "\xEF\xBB\xBF",  // a byte-order mark
        "\xEF\xBF\xBE",  // a noncharacter
        "\xFF\xFE",
    };
    const std::vector<std::string> gbk_cases = {
        "\x80", "\xFF", "\xB9", "\xB9\x30", "\xB9\x7F", "\xB9\xFF", "\x81\x39\xEE\x39", "\xA2\x40",
    };
    Disagreements disagreements;
    const std::string ascii_run = "0123456789abcdefghij";
    for (const auto& input : utf8_cases) {
        disagreements.check_utf8(input);
        disagreements.check_utf8(ascii_run + input + "\xE5\x8A\x9F" + ascii_run);
    }
    for (const auto& input : gbk_cases) {
        disagreements.check_gbk(input);
        disagreements.check_gbk(ascii_run + input + "\xB9\xA6" + ascii_run);
    }
    disagreements.check_units(u"a\xD800");
    disagreements.check_units(u"\xDC00z");
    disagreements.check_units(u"\xD83D\xDE00!");
    EXPECT_TRUE(disagreements.none());
}

TEST(CodePageTables, MixedTextsConvertAsIcuConverts) {
    const std::vector<std::string> gbk_pieces = {"a",        "<a href=\"", "0123456789", "\xB9\xA6",
                                                 "\xB7\xF2", "\xA1\xA1",   "\x80",       "\xFF",
                                                 "\xB9",     "\x81\x30",   "\r\n"};
    const std::vector<std::string> utf8_pieces = {
        "a",        "<li>",         "01234567",     "\xE5\x8A\x9F",
        "\xC2\xB7", "\xE2\x82\xAC", "\xEF\xBF\xBD", "\xF0\x9F\x98\x80",
        "\xE4\xB8", "\xC0",         "\xE0\xB8\x81", "\r\n"};
    std::mt19937 random(20261211);
    Disagreements disagreements;
    for (int round = 0; round < 3000; ++round) {
        std::string gbk_text;
        std::string utf8_text;
        std::u16string units;
        const int pieces = static_cast<int>(random() % 24);
        for (int i = 0; i < pieces; ++i) {
            gbk_text += gbk_pieces[random() % gbk_pieces.size()];
            utf8_text += utf8_pieces[random() % utf8_pieces.size()];
            units += static_cast<char16_t>(1 + random() % 0xFFFF);
            if (random() % 2) units += u"abc";
        }
        disagreements.check_gbk(gbk_text);
        disagreements.check_utf8(utf8_text);
        disagreements.check_units(units);
    }
    EXPECT_TRUE(disagreements.none());
}

}  // namespace
