#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>

#include "fuzz/support/fuzz_input.h"
#include "regex/regex_object.h"
#include "text/codepage.h"

namespace {

// Bounds the reading loops so that one input with thousands of empty matches
// costs milliseconds, not seconds.
constexpr int most_read = 64;

// A position names where the result stands in the searched text as the
// engine saw it: the text through UTF-16 and back.
void check_position(const Text& searched, const Text& result, int position) {
    if (position == -2) return;
    fuzz_require(position >= 0, "a position is an offset or -2");
    const auto offset = static_cast<std::size_t>(position);
    fuzz_require(offset <= searched.size(), "a position lies within the searched text");
    fuzz_require(searched.view().substr(offset, result.size()) == result.view(),
                 "the result stands at its position");
}

void read_everything(const RegexObject& regex, const Text& searched, const Text& replacement) {
    (void)regex.pattern();
    (void)regex.replace(replacement);
    const int count = regex.match_count();
    fuzz_require(count >= 0, "the match count is not negative");
    const int groups = regex.submatch_count();
    fuzz_require(groups >= 0, "the group count is not negative");
    fuzz_require(count > 0 || groups == 0, "no match has no groups");

    // Past both ends too: those read as the empty text.
    for (int match : {INT_MIN, -1, 0, count + 1, INT_MAX}) {
        int position = 7;
        fuzz_require(regex.match_text(match, &position).empty(), "a missing match is empty");
        fuzz_require(regex.submatch_text(match, 1, &position).empty(),
                     "a missing match has no groups");
    }
    for (int match = 1; match <= std::min(count, most_read); ++match) {
        int position = 0;
        const Text text = regex.match_text(match, &position);
        check_position(searched, text, position);
        fuzz_require(regex.match_text(match) == text, "asking for the position changes nothing");
        for (int group : {INT_MIN, 0, groups + 1}) {
            fuzz_require(regex.submatch_text(match, group).empty(), "a missing group is empty");
        }
        for (int group = 1; group <= std::min(groups, most_read); ++group) {
            const Text sub = regex.submatch_text(match, group, &position);
            check_position(searched, sub, position);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzInput input(data, size);
    const Text pattern = input.part(0);
    const Text text = input.part(1);
    const Text replacement = input.part(2);
    const Text searched = utf16_to_gbk(gbk_to_utf16(text));

    RegexObject regex;
    read_everything(regex, searched, replacement);
    const bool ran = regex.create(pattern, text, input.option(0), input.option(1), input.option(2),
                                  input.option(3));
    if (!ran) {
        fuzz_require(regex.match_count() == 0, "a run that failed has no matches");
    }
    read_everything(regex, searched, replacement);
    // A copy reads the same run, also after the original has gone on to another.
    const RegexObject copy = regex.copy();
    const int count = regex.match_count();
    const Text first = regex.match_text(1);
    (void)regex.create(Text("x"), Text("x"));
    fuzz_require(copy.match_count() == count && copy.match_text(1) == first,
                 "a copy keeps its run");
    read_everything(copy, searched, replacement);
    return 0;
}
