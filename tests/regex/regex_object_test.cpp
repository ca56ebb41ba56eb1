#include "regex/regex_object.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "text/codepage.h"

namespace {

const Text result_pattern = "<a href=\"(.*?)\">(.*?)</a></li><li>";

std::vector<Text> all_matches(const RegexObject& regex) {
    std::vector<Text> matches;
    for (int i = 1; i <= regex.match_count(); ++i) matches.push_back(regex.match_text(i));
    return matches;
}

// The way the search workflow reads a page: (link, title) for every match.
std::vector<std::pair<Text, Text>> results(const RegexObject& regex) {
    std::vector<std::pair<Text, Text>> rows;
    for (int i = 1; i <= regex.match_count(); ++i) {
        rows.emplace_back(regex.submatch_text(i, 1), regex.submatch_text(i, 2));
    }
    return rows;
}

TEST(RegexObject, OneResultAnchor) {
    const Text anchor = "<a href=\"x\">y</a></li><li>";
    RegexObject regex;
    ASSERT_TRUE(regex.create(result_pattern, anchor));
    EXPECT_EQ(regex.match_count(), 1);
    EXPECT_EQ(regex.submatch_text(1, 1), Text("x"));
    EXPECT_EQ(regex.submatch_text(1, 2), Text("y"));
    EXPECT_EQ(regex.match_text(1), anchor);
    EXPECT_EQ(regex.submatch_count(), 2);
}

struct PageCase {
    const char* name;
    Text page;
    std::vector<std::pair<Text, Text>> rows;
};
void PrintTo(const PageCase& c, std::ostream* out) { *out << c.name; }

class ResultPage : public testing::TestWithParam<PageCase> {};

TEST_P(ResultPage, FindsTheResultAnchors) {
    RegexObject regex;
    EXPECT_TRUE(regex.create(result_pattern, GetParam().page));
    EXPECT_EQ(results(regex), GetParam().rows);
    EXPECT_EQ(regex.submatch_count(), GetParam().rows.empty() ? 0 : 2);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, ResultPage,
    testing::Values(
        PageCase{"upper_case_tags", "<A HREF=\"x\">y</A></LI><LI>", {{"x", "y"}}},
        PageCase{"line_feed_in_title_is_not_crossed", "<a href=\"x\">y\nz</a></li><li>", {}},
        PageCase{"no_anchors", "<html><body><p>nothing</p></body></html>\r\n", {}},
        PageCase{"anchor_without_list_item_after_it", "<a href=\"x\">y</a></li>\r\n", {}},
        PageCase{"chinese_titles_on_crlf_lines",
                 gbk("<ul>\r\n<li><a href=\"/t/1\">功夫</a></li><li><a href=\"/t/2\">熊猫"
                     "</a></li><li>\r\n<li><a href=\"/t/3\">三</a></li><li>\r\n</ul>"),
                 {{"/t/1", gbk("功夫")}, {"/t/2", gbk("熊猫")}, {"/t/3", gbk("三")}}},
        // The lazy groups still take the shortest way to the first complete
        // ending on the line, even across a plain anchor before it.
        PageCase{"plain_anchor_before_result",
                 "<a href=\"a\">b</a> <a href=\"c\">d</a></li><li>",
                 {{"a", "b</a> <a href=\"c\">d"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RegexObject, InvalidPatternReadsAsNoMatches) {
    RegexObject regex;
    EXPECT_FALSE(regex.create("(", "((("));
    EXPECT_EQ(regex.match_count(), 0);
    EXPECT_EQ(regex.submatch_count(), 0);
    EXPECT_EQ(regex.match_text(1), Text());
    EXPECT_EQ(regex.submatch_text(1, 1), Text());
    EXPECT_EQ(regex.replace("x"), Text());
    // The pattern was still handed over and reads back.
    EXPECT_EQ(regex.pattern(), Text("("));
}

TEST(RegexObject, ReadsNothingBeforeTheFirstCreate) {
    const RegexObject regex;
    int position = 7;
    EXPECT_EQ(regex.match_count(), 0);
    EXPECT_EQ(regex.submatch_count(), 0);
    EXPECT_EQ(regex.match_text(1, &position), Text());
    EXPECT_EQ(position, -2);
    EXPECT_EQ(regex.submatch_text(1, 1), Text());
    EXPECT_EQ(regex.pattern(), Text());
    EXPECT_EQ(regex.replace("x"), Text());
}

TEST(RegexObject, IndexesOutOfRangeGiveEmptyTexts) {
    RegexObject regex;
    ASSERT_TRUE(regex.create(result_pattern, "<a href=\"x\">y</a></li><li>"));
    // The empty text is found at offset 0 of any non-empty text.
    for (const int match : {0, 2, -1}) {
        int position = 7;
        EXPECT_EQ(regex.match_text(match, &position), Text()) << match;
        EXPECT_EQ(position, 0) << match;
    }
    for (const auto& [match, submatch] :
         {std::pair{1, 3}, std::pair{1, 0}, std::pair{1, -1}, std::pair{0, 1}, std::pair{2, 1}}) {
        int position = 7;
        EXPECT_EQ(regex.submatch_text(match, submatch, &position), Text())
            << match << "," << submatch;
        EXPECT_EQ(position, 0) << match << "," << submatch;
    }
}

TEST(RegexObject, EmptyTextHasNoPositionForAnything) {
    RegexObject regex;
    ASSERT_TRUE(regex.create("x*", ""));
    ASSERT_EQ(regex.match_count(), 1);
    int position = 7;
    EXPECT_EQ(regex.match_text(1, &position), Text());
    EXPECT_EQ(position, -2);
}

struct PositionCase {
    const char* name;
    Text text;
    Text pattern;
    int match;
    int submatch;  // 0: the whole match
    Text expected;
    int position;
};
void PrintTo(const PositionCase& c, std::ostream* out) { *out << c.name; }

class MatchPosition : public testing::TestWithParam<PositionCase> {};

TEST_P(MatchPosition, IsAByteOffsetInTheGbkText) {
    const PositionCase& c = GetParam();
    RegexObject regex;
    ASSERT_TRUE(regex.create(c.pattern, c.text));
    int position = 7;
    const Text text = c.submatch == 0 ? regex.match_text(c.match, &position)
                                      : regex.submatch_text(c.match, c.submatch, &position);
    EXPECT_EQ(text, c.expected);
    EXPECT_EQ(position, c.position);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, MatchPosition,
    testing::Values(
        // "中a": the match starts at UTF-16 index 1 but byte 2.
        PositionCase{"after_double_byte_character",
                     "\xD6\xD0"
                     "a",
                     "a", 1, 0, "a", 2},
        PositionCase{"ascii_only", "xyab", "ab", 1, 0, "ab", 2},
        PositionCase{"submatch_from_its_match_start", gbk("ab中ab"), gbk("中(a)b"), 1, 1, "a", 4},
        PositionCase{"unset_group_is_empty", "b", "(a)?b", 1, 1, "", 0},
        PositionCase{"empty_match", "ab", "x*", 2, 0, "", 0},
        // The search starts one byte before the match, so the same text
        // standing there is found first.
        PositionCase{"same_text_one_byte_before", "aa", "a", 2, 0, "a", 0},
        // ... and starting on the trail byte of a pair puts the stepping out
        // of line with the characters, so it can step over the match.
        PositionCase{"search_starting_inside_a_pair", gbk("中文中文x"), "x", 1, 0, "x", -2}),
    [](const auto& info) { return std::string(info.param.name); });

struct OptionsCase {
    const char* name;
    Text pattern;
    Text text;
    bool case_sensitive;
    bool multiline;
    bool global;
    std::vector<Text> matches;
};
void PrintTo(const OptionsCase& c, std::ostream* out) { *out << c.name; }

class Options : public testing::TestWithParam<OptionsCase> {};

TEST_P(Options, ShapeTheMatches) {
    const OptionsCase& c = GetParam();
    RegexObject regex;
    ASSERT_TRUE(regex.create(c.pattern, c.text, c.case_sensitive, c.multiline, c.global));
    EXPECT_EQ(all_matches(regex), c.matches);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, Options,
    testing::Values(
        OptionsCase{"ignores_case_by_default", "a", "aAa", false, true, true, {"a", "A", "a"}},
        OptionsCase{"case_sensitive", "a", "aAa", true, true, true, {"a", "a"}},
        OptionsCase{
            "case_folding_is_ascii_only", gbk("Ａ"), gbk("ａＡ"), false, true, true, {gbk("Ａ")}},
        OptionsCase{
            "multiline_anchors_at_lines", "^\\w+$", "ab\ncd", false, true, true, {"ab", "cd"}},
        OptionsCase{"single_line_anchors_at_ends", "^\\w+$", "ab\ncd", false, false, true, {}},
        OptionsCase{"single_line_caret", "^\\w", "ab\ncd", false, false, true, {"a"}},
        OptionsCase{
            "single_line_dollar_only_at_the_very_end", "b$", "ab\n", false, false, true, {}},
        OptionsCase{"not_global_takes_the_first", "a.", "a1a2a3", false, true, false, {"a1"}},
        OptionsCase{"dot_stops_at_line_feed", "a.b", "a\nb", false, true, true, {}},
        OptionsCase{"dot_takes_carriage_return", "a.b", "a\rb", false, true, true, {"a\rb"}},
        OptionsCase{"matches_do_not_overlap", "aba", "ababa", false, true, true, {"aba"}},
        OptionsCase{"empty_matches_advance", "x*", "ab", false, true, true, {"", "", ""}},
        OptionsCase{"empty_then_longer_match", "a*", "baa", false, true, true, {"", "aa", ""}},
        OptionsCase{
            "gbk_literals", gbk("熊(.)"), gbk("大熊猫熊"), false, true, true, {gbk("熊猫")}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ReplaceCase {
    const char* name;
    Text pattern;
    Text text;
    bool global;
    Text replacement;
    Text expected;
};
void PrintTo(const ReplaceCase& c, std::ostream* out) { *out << c.name; }

class Replace : public testing::TestWithParam<ReplaceCase> {};

TEST_P(Replace, RewritesTheSearchedText) {
    const ReplaceCase& c = GetParam();
    RegexObject regex;
    ASSERT_TRUE(regex.create(c.pattern, c.text, false, true, c.global));
    EXPECT_EQ(regex.replace(c.replacement), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Replacements, Replace,
    testing::Values(ReplaceCase{"every_match", "o", "foo bOo", true, "0", "f00 b00"},
                    ReplaceCase{"first_only_when_not_global", "o", "foo boo", false, "0",
                                "f0o boo"},
                    ReplaceCase{"group_references", "(\\w+)@(\\w+)", "me@home", true,
                                "$2 at ${1}$$", "home at me$"},
                    ReplaceCase{"unset_group_gives_nothing", "(a)|b", "b", true, "[$1]", "[]"},
                    ReplaceCase{"unknown_group_gives_nothing", "b", "abc", true, "[$7]", "a[]c"},
                    ReplaceCase{"no_match_keeps_the_text", "z", "abc", true, "0", "abc"},
                    ReplaceCase{"empty_matches", "x*", "ab", true, "-", "-a-b-"},
                    ReplaceCase{"gbk_text", gbk("功夫"), gbk("功夫熊猫功夫"), true, gbk("太极"),
                                gbk("太极熊猫太极")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RegexObject, ExpandsQuoteMarkersOnlyWhenAsked) {
    const Text pattern = gbk("href=#引号(.*?)#引号");
    const Text text = "<a href=\"x\">";
    RegexObject regex;
    ASSERT_TRUE(regex.create(pattern, text, false, true, true, true));
    EXPECT_EQ(regex.pattern(), Text("href=\"(.*?)\""));
    EXPECT_EQ(regex.submatch_text(1, 1), Text("x"));

    ASSERT_TRUE(regex.create(pattern, text));
    EXPECT_EQ(regex.pattern(), pattern);
    EXPECT_EQ(regex.match_count(), 0);
}

TEST(RegexObject, CreateReplacesTheLastRun) {
    RegexObject regex;
    ASSERT_TRUE(regex.create("(a)(b)", "abab"));
    ASSERT_EQ(regex.match_count(), 2);
    EXPECT_FALSE(regex.create("[", "abab"));
    EXPECT_EQ(regex.match_count(), 0);
    ASSERT_TRUE(regex.create(gbk("猫"), gbk("熊猫")));
    EXPECT_EQ(regex.pattern(), gbk("猫"));
    EXPECT_EQ(all_matches(regex), std::vector<Text>{gbk("猫")});
    EXPECT_EQ(regex.submatch_count(), 0);
}

TEST(RegexObject, CopyReadsTheSameRunAndStaysWithIt) {
    RegexObject regex;
    ASSERT_TRUE(regex.create("(\\d)", "a1b2", true, true, true));
    const RegexObject copy = regex.copy();
    ASSERT_TRUE(regex.create("z", "z"));
    EXPECT_EQ(copy.pattern(), Text("(\\d)"));
    EXPECT_EQ(all_matches(copy), (std::vector<Text>{"1", "2"}));
    EXPECT_EQ(copy.replace("#"), Text("a#b#"));
    int position = 0;
    EXPECT_EQ(copy.submatch_text(2, 1, &position), Text("2"));
    EXPECT_EQ(position, 3);
    EXPECT_EQ(all_matches(regex), std::vector<Text>{"z"});
}

}  // namespace
