#include "text/codepage.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

Bytes bytes(std::string_view raw) { return Bytes(raw); }

TEST(CodePage, GbkAndUtf8RoundTrip) {
    const Text kung_fu("\xB9\xA6\xB7\xF2" "2");
    EXPECT_EQ(gbk_to_utf8(kung_fu), Text("\xE5\x8A\x9F\xE5\xA4\xAB" "2"));
    EXPECT_EQ(utf8_to_gbk(gbk_to_utf8(kung_fu)), kung_fu);
    EXPECT_EQ(gbk("功夫2"), kung_fu);
}

TEST(CodePage, EuroSignIsByte80) {
    EXPECT_EQ(gbk_to_utf8("\x80\x80\x80"), Text("\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC"));
    EXPECT_EQ(utf8_to_gbk("\xE2\x82\xAC"), Text("\x80"));
}

TEST(CodePage, InvalidInputIsReplacedAndConversionGoesOn) {
    const Text converted = utf8_to_gbk("a\xFF" "b");
    ASSERT_GE(converted.size(), 3u);
    EXPECT_EQ(converted.view().front(), 'a');
    EXPECT_EQ(converted.view().back(), 'b');
    // A truncated GBK pair at the end.
    const Text truncated = gbk_to_utf8("x\xB9");
    ASSERT_FALSE(truncated.empty());
    EXPECT_EQ(truncated.view().front(), 'x');
    // A lone surrogate in UTF-16 data.
    EXPECT_EQ(utf16_to_gbk(bytes(std::string("a\0\x00\xD8" "b\0", 6))), Text("a?b"));
}

TEST(CodePage, UnmappableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(utf8_to_gbk("\xF0\x9F\x98\x80!"), Text("?!"));  // an emoji
    EXPECT_EQ(utf8_to_gbk("\xE0\xB8\x81"), Text("?"));        // a Thai letter
}

TEST(CodePage, Utf16TerminatorRules) {
    EXPECT_EQ(gbk_to_utf16("ab"), bytes(std::string("a\0b\0\0\0", 6)));
    EXPECT_EQ(text_to_utf16("\xE4\xB8\xAD"), bytes(std::string("\x2D\x4E\0\0", 4)));
    EXPECT_EQ(utf16_to_gbk(bytes(std::string("a\0b\0", 4))), Text("ab"));
    EXPECT_EQ(utf16_to_gbk(bytes(std::string("a\0\0\0b\0", 6))), Text("a"));
    EXPECT_EQ(utf16_to_gbk(bytes(std::string("a\0b", 3))), Text("a"));  // odd byte dropped
    EXPECT_EQ(utf16_to_text(bytes(std::string("\x2D\x4E\0\0z\0", 6)), code_page::utf8),
              Text("\xE4\xB8\xAD"));
    EXPECT_EQ(utf16_to_text(bytes(std::string("\x2D\x4E", 2))), Text("\xD6\xD0"));
}

TEST(CodePage, CountedUtf8EndsAtItsFirstZeroByte) {
    EXPECT_EQ(utf8_bytes_to_gbk(bytes(std::string("1.5\0tail", 8))), Text("1.5"));
    EXPECT_EQ(utf8_bytes_to_gbk(bytes("\xE4\xB8\xAD")), Text("\xD6\xD0"));
}

TEST(CodePage, ComposesCombiningMarksBeforeGbk) {
    // "e" + U+0301 composes to U+00E9, which GBK holds as A8 A6.
    EXPECT_EQ(utf16_to_gbk(bytes(std::string("e\0\x01\x03", 4))), Text("\xA8\xA6"));
    // The plain conversion does not compose.
    EXPECT_EQ(utf16_to_ansi(u"e\u0301"), Text("e?"));
}

TEST(CodePage, EmptyInEmptyOut) {
    EXPECT_TRUE(text_to_utf16("").empty());
    EXPECT_TRUE(gbk_to_utf16("").empty());
    EXPECT_TRUE(utf16_to_text(Bytes()).empty());
    EXPECT_TRUE(utf16_to_gbk(Bytes()).empty());
    EXPECT_TRUE(gbk_to_utf8("").empty());
    EXPECT_TRUE(utf8_to_gbk("").empty());
    EXPECT_TRUE(utf8_bytes_to_gbk(Bytes()).empty());
    EXPECT_TRUE(ansi_to_utf16("").empty());
    EXPECT_TRUE(utf16_to_ansi(u"").empty());
}

TEST(CodePage, LargeInputsConvertWhole) {
    std::string utf8;
    for (int i = 0; i < 200000; ++i) utf8 += "\xE4\xB8\xAD" "a";
    const Text converted = utf8_to_gbk(Text(utf8));
    EXPECT_EQ(converted.size(), 600000u);
    EXPECT_EQ(gbk_to_utf8(converted), Text(utf8));
}

TEST(CodePageThreads, ConvertOnManyThreadsAtOnce) {
    const Text source = gbk("功夫2 中文标题 abc");
    const Text expected = gbk_to_utf8(source);
    std::vector<std::thread> threads;
    std::vector<int> failures(8, 0);
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 2000; ++i) {
                if (gbk_to_utf8(source) != expected || utf8_to_gbk(expected) != source) ++failures[t];
            }
        });
    }
    for (auto& thread : threads) thread.join();
    for (int t = 0; t < 8; ++t) EXPECT_EQ(failures[t], 0) << "thread " << t;
}

}  // namespace
