#include "text/between.h"

#include <gtest/gtest.h>

#include <vector>

#include "text/codepage.h"

namespace {

struct BetweenCase {
    const char* name;
    Text text;
    Text start;
    Text end;
    int from;
    bool ignore_case;
    Text expected;
};

TEST(TextBetween, CutsBetweenTheFirstPair) {
    const std::vector<BetweenCase> cases = {
        {"found", "a[x]b", "[", "]", 0, false, "x"},
        {"end missing", "a[x]b", "[", "?", 0, false, ""},
        {"start missing", "a[x]b", "?", "]", 0, false, ""},
        {"nothing between", "[]", "[", "]", 0, false, ""},
        {"end only before start", "a]b[c", "[", "]", 0, false, ""},
        {"first pair wins", "[x][y]", "[", "]", 0, false, "x"},
        {"from a later byte", "[x][y]", "[", "]", 4, false, "y"},
        {"from past the end", "[x][y]", "[", "]", 7, false, ""},
        {"negative from is the first byte", "[x]", "[", "]", -3, false, "x"},
        {"quote word", "<a href=\"u\">", gbk("href=#引号"), gbk("#引号"), 0, false, "u"},
        {"case kept by default", "user-agent: x\r\n", "User-Agent:", "\r\n", 0, false, ""},
        {"case folded on request", "user-agent: x\r\n", "User-Agent:", "\r\n", 0, true, " x"},
        {"empty start marker", "ab]c", "", "]", 2, false, "ab"},
        {"empty end marker", "a[b", "[", "", 0, false, ""},
        {"only the first start counts", "[a[b]", "[", "]", 0, false, "a[b"},
        {"no start on a trail byte", "\xB0\xA1\xA1\xB0x]", "\xA1\xA1", "]", 0, false, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text_between(c.text, c.start, c.end, c.from, c.ignore_case), c.expected) << c.name;
    }
}

}  // namespace
