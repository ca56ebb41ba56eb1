#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "regex/compiled_pattern.h"
#include "regex/regex_object.h"
#include "text/codepage.h"

namespace {

const Text result_pattern = "<a href=\"(.*?)\">(.*?)</a></li><li>";
const std::u16string result_pattern_u16 = u"<a href=\"(.*?)\">(.*?)</a></li><li>";

std::u16string repeated(std::u16string_view piece, std::size_t at_least) {
    std::u16string text;
    text.reserve(at_least + piece.size());
    while (text.size() < at_least) text += piece;
    return text;
}

TEST(LargeSubject, TenMegabytePageKeepsEveryMatch) {
    const std::string title = gbk("熊猫").str();
    const std::string filler = "<div class=\"size\">1.2 GB</div><span>2024-01-01</span>\r\n";
    std::string page;
    page.reserve(11 << 20);
    std::vector<std::pair<std::string, std::string>> expected;
    const auto add_result = [&](std::string link, std::string name) {
        page += "<li><a href=\"" + link + "\">" + name + "</a></li><li>\r\n" + filler;
        expected.emplace_back(std::move(link), std::move(name));
    };
    for (int i = 0; page.size() < (5 << 20); ++i) add_result("/t/" + std::to_string(i), title);
    // One match that spans a megabyte of double-byte characters on one line.
    std::string long_title;
    for (int i = 0; i < (1 << 19); ++i) long_title += title.substr(0, 2);
    add_result("/long", long_title);
    for (int i = 0; page.size() < (10 << 20); ++i) add_result("/u/" + std::to_string(i), "x");

    RegexObject regex;
    ASSERT_TRUE(regex.create(result_pattern, Text(page)));
    ASSERT_EQ(regex.match_count(), static_cast<int>(expected.size()));
    for (int i = 1; i <= regex.match_count(); ++i) {
        const auto& [link, name] = expected[static_cast<std::size_t>(i) - 1];
        ASSERT_EQ(regex.submatch_text(i, 1).str(), link) << i;
        ASSERT_EQ(regex.submatch_text(i, 2).str(), name) << i;
    }
}

TEST(LargeSubject, EngineThatGivesUpFailsTheWholeRun) {
    // Each repetition of the group is a backtracking point, so a long enough
    // run of "a" exhausts the engine's stack (or the interpreter's heap limit)
    // after "ac" has already matched.
    const Text text("ac\n" + std::string(1 << 20, 'a'));
    RegexObject regex;
    EXPECT_FALSE(regex.create("(a|b)*c", text));
    EXPECT_EQ(regex.match_count(), 0);
    EXPECT_EQ(regex.match_text(1), Text());
    EXPECT_EQ(regex.replace("x"), Text());
}

TEST(LargeSubject, ResultPatternRunsAsJitCode) {
    std::uint32_t has_jit = 0;
    pcre2_config(PCRE2_CONFIG_JIT, &has_jit);
    if (!has_jit) GTEST_SKIP() << "the engine was built without the JIT";
    const auto compiled = CompiledPattern::compile(result_pattern_u16, {});
    ASSERT_NE(compiled, nullptr);
    EXPECT_TRUE(compiled->jit());
}

TEST(LargeSubject, InterpreterFindsTheSameMatches) {
    const std::u16string page =
        repeated(u"<li><a href=\"/t/1\">\u718a\u732b</a></li><li>\r\n<p>x</p>\r\n", 100'000);
    const auto jit = CompiledPattern::compile(result_pattern_u16, {});
    const auto interpreter = CompiledPattern::compile(result_pattern_u16, {}, false);
    ASSERT_NE(jit, nullptr);
    ASSERT_NE(interpreter, nullptr);
    EXPECT_FALSE(interpreter->jit());
    const auto expected = jit->find(page, true);
    const auto found = interpreter->find(page, true);
    ASSERT_TRUE(expected && found);
    ASSERT_GT(expected->count(), 1000u);
    ASSERT_EQ(found->count(), expected->count());
    for (std::size_t i = 0; i < found->count(); ++i) {
        for (int group = 0; group <= 2; ++group) {
            const MatchTable::Span a = found->span(i, group);
            const MatchTable::Span b = expected->span(i, group);
            ASSERT_EQ(std::pair(a.begin, a.end), std::pair(b.begin, b.end)) << i << "/" << group;
        }
    }
}

TEST(LargeSubject, InterpreterStopsAtItsLimitOnALongLineWithoutResults) {
    // A page squeezed onto one line, with anchors that never end a result:
    // every anchor start scans to the end of the line once per later anchor.
    const std::u16string page = repeated(u"<a href=\"/x/123\">title text</a> more words ", 49'000);
    const auto interpreter = CompiledPattern::compile(result_pattern_u16, {}, false);
    ASSERT_NE(interpreter, nullptr);
    EXPECT_FALSE(interpreter->find(page, true).has_value());

    const auto jit = CompiledPattern::compile(result_pattern_u16, {});
    ASSERT_NE(jit, nullptr);
    if (!jit->jit()) return;
    const auto found = jit->find(page, true);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->count(), 0u);
}

}  // namespace
