#include "text/text_ops.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct FindCase {
    const char* name;
    Text text;
    Text what;
    int start;
    bool ignore_case;
    int expected;
};

TEST(TextFind, FindsOnCharacterBoundariesOnly) {
    const std::vector<FindCase> cases = {
        {"plain", "abcabc", "c", 1, false, 3},
        {"from a later start", "abcabc", "c", 4, false, 6},
        {"start below one counts as one", "abc", "a", -5, false, 1},
        {"missing", "abc", "x", 1, false, -1},
        {"start past the end", "abc", "a", 9, false, -1},
        {"empty needle in a text", "abc", "", 2, false, 1},
        {"empty needle in the empty text", "", "", 1, false, -1},
        {"case kept by default", "ABC", "b", 1, false, -1},
        {"ASCII folded on request", "ABC", "b", 1, true, 2},
        // B0 A1 A1 B0: two characters; A1 A1 straddles them.
        {"never on a trail byte", "\xB0\xA1\xA1\xB0", "\xA1\xA1", 1, false, -1},
        {"trail byte that looks like a letter", "\x81" "a" "a", "a", 1, false, 3},
        {"non-ASCII bytes are not folded", "\xC1", "\xE1", 1, true, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(find(c.text, c.what, c.start, c.ignore_case), c.expected) << c.name;
    }
}

TEST(TextFind, FindLastStaysOnBoundaries) {
    EXPECT_EQ(find_last("a;b;c", ";"), 4);
    EXPECT_EQ(find_last("abc", "x"), -1);
    EXPECT_EQ(find_last("\x81:\x81:", ":"), -1);  // every ":" is a trail byte
    EXPECT_EQ(find_last("aXbx", "x", true), 4);
}

TEST(TextReplace, ReplacesEveryOccurrenceWithoutOverlap) {
    EXPECT_EQ(replace_all("aaa", "aa", "b"), Text("ba"));
    EXPECT_EQ(replace_all("Set-cookie: x", "set-cookie", "Set-Cookie", true),
              Text("Set-Cookie: x"));
    EXPECT_EQ(replace_all("abc", "", "x"), Text("abc"));
    EXPECT_EQ(replace_all("\x81" "a" "a", "a", "b"), Text("\x81" "ab"));
}

TEST(TextSplit, KeepsInnerEmptyPiecesOnly) {
    using Pieces = std::vector<Text>;
    EXPECT_EQ(split("a;;b", ";"), (Pieces{"a", "", "b"}));
    EXPECT_EQ(split("a;b;", ";"), (Pieces{"a", "b"}));
    EXPECT_EQ(split(";a", ";"), (Pieces{"", "a"}));
    EXPECT_EQ(split("", ";"), Pieces{});
    EXPECT_EQ(split("a\r\n\r\nb\r\n", "\r\n"), (Pieces{"a", "", "b"}));
    EXPECT_EQ(split("A;a", "a"), (Pieces{"A;"}));  // exact comparison
}

TEST(TextSlices, LeftRightMiddle) {
    EXPECT_EQ(left("abc", 0), Text());
    EXPECT_EQ(left("abc", -1), Text());
    EXPECT_EQ(left("abc", 9), Text("abc"));
    EXPECT_EQ(right("abc", 2), Text("bc"));
    EXPECT_EQ(right("abc", 0), Text());
    EXPECT_EQ(right("abc", 9), Text("abc"));
    EXPECT_EQ(middle("abcdef", 2, 3), Text("bcd"));
    EXPECT_EQ(middle("abcdef", 0, 2), Text("ab"));
    EXPECT_EQ(middle("abcdef", 5), Text("ef"));
    EXPECT_EQ(middle("abc", 4, 1), Text());
}

TEST(TextSpaces, OnlyAsciiAndFullWidthSpacesCount) {
    EXPECT_EQ(trim("  a b \xA1\xA1"), Text("a b"));
    EXPECT_EQ(trim("\xA1\xA1 x"), Text("x"));
    EXPECT_EQ(trim("\ta\n"), Text("\ta\n"));
    EXPECT_EQ(trim("   "), Text());
    // B0 A1 is one character; the A1 A1 after B0 is not a full-width space.
    EXPECT_EQ(trim("\xB0\xA1\xA1"), Text("\xB0\xA1\xA1"));
    EXPECT_EQ(remove_spaces(" a \xA1\xA1" "b\tc "), Text("ab\tc"));
    EXPECT_EQ(remove_spaces("\xB0\xA1\xA1\xB0"), Text("\xB0\xA1\xA1\xB0"));
}

TEST(TextCase, ChangesAsciiLettersOnly) {
    EXPECT_EQ(to_lower("AbC\xC1\xD6"), Text("abc\xC1\xD6"));
    EXPECT_EQ(to_upper("aBc\xE1"), Text("ABC\xE1"));
    EXPECT_EQ(to_lower("\x81\x41Z"), Text("\x81\x41z"));  // 81 41 is one character
}

TEST(TextIntegers, ReadsLeadingDigits) {
    const std::vector<std::pair<Text, int>> cases = {
        {"8080", 8080},
        {"  -12x", -12},
        {"+7", 7},
        {"abc", 0},
        {"", 0},
        {"\xA3\xB1\xA3\xB2" "3", 123},  // full-width 1 and 2
        {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(to_int(text), value) << text.str();
    EXPECT_EQ(from_int(-42), Text("-42"));
    EXPECT_EQ(from_int(7), Text("7"));
}

TEST(TextValue, CutsAtTheFirstZeroByte) {
    EXPECT_EQ(Text(std::string("ab\0cd", 5)), Text("ab"));
    EXPECT_EQ(Text(Bytes(std::string("x\0y", 3))), Text("x"));
    EXPECT_EQ(Text(nullptr), Text(""));
    EXPECT_EQ(Text("ab").to_bytes().size(), 2u);
}

}  // namespace
