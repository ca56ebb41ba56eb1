#include "text/percent.h"

#include <gtest/gtest.h>

#include <vector>

#include "text/codepage.h"

namespace {

TEST(UrlEncode, EncodesEveryByteUnlessKeptSafe) {
    struct Case {
        Text input;
        bool keep_safe;
        bool utf8;
        Text expected;
    };
    const std::vector<Case> cases = {
        {gbk("功夫2"), false, true, "%E5%8A%9F%E5%A4%AB%32"},
        {gbk("功"), false, false, "%B9%A6"},
        {"a b/c_d", true, false, "a%20b%2Fc%5Fd"},
        {"-.09AZaz", true, false, "-.09AZaz"},
        {"~*", true, false, "%7E%2A"},
        {"\n", false, false, "%0A"},
        {"", false, true, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(url_encode(c.input, c.keep_safe, c.utf8), c.expected) << c.input.str();
    }
}

TEST(UrlDecode, DecodesOnlyRealEscapes) {
    const std::vector<std::pair<Text, Text>> cases = {
        {"%41%62", "Ab"},
        {"%e4%b8%ad", "\xE4\xB8\xAD"},
        {"50%", "50%"},
        {"%4", "%4"},
        {"100%zz", "100%zz"},
        {"%%41", "%A"},
        {"a%00b", "ab"},
        {"a+b", "a+b"},
        {"%G1%1G", "%G1%1G"},
        {"", ""},
    };
    for (const auto& [input, expected] : cases) EXPECT_EQ(url_decode(input), expected) << input.str();
}

TEST(UrlDecode, ConvertsUtf8ToGbkOnRequest) {
    EXPECT_EQ(url_decode("%E4%B8%AD", true), Text("\xD6\xD0"));
    EXPECT_EQ(url_decode("%e4%b8%ad", true), Text("\xD6\xD0"));
    // A stray "%" no longer breaks the UTF-8 of the title after it.
    EXPECT_EQ(url_decode("100% %E4%B8%AD", true), Text("100% \xD6\xD0"));
}

TEST(UrlCoding, DecodingAnEncodedTextGivesItBack) {
    const Text raw("\x01%\x7F\x80\xFF");
    EXPECT_EQ(url_decode(url_encode(raw)), raw);
    EXPECT_EQ(url_decode(url_encode(raw, true)), raw);
    for (const Text& text : {gbk("功夫2 [x]%"), gbk("中文 & ascii"), Text("\x80")}) {
        EXPECT_EQ(url_decode(url_encode(text, false, true), true), text);
    }
}

}  // namespace
