#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/support/fuzz_input.h"
#include "text/text_ops.h"
#include "web/cookies.h"

namespace {

bool separators_on_boundaries(const Text& text) {
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text.byte(at) >= 0x80) {
            if (at + 1 < text.size() && text.byte(at + 1) == ';') return false;
            ++at;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzInput input(data, size);
    const Text headers = input.part(0);
    Text cookies = input.part(1);

    Text received = collect_cookies(headers);
    const Text merged = merge_cookies(cookies, received);
    fuzz_require(merged == cookies, "the merge gives the new cookies it stored");

    const std::vector<Text> elements = split(merged, "; ");
    for (std::size_t i = 0; i < elements.size(); ++i) {
        fuzz_require(!elements[i].view().ends_with("=deleted"), "deleted cookies are dropped");
        fuzz_require(std::find(elements.begin(), elements.begin() + static_cast<std::ptrdiff_t>(i),
                               elements[i]) == elements.begin() + static_cast<std::ptrdiff_t>(i),
                     "no element stays twice");
    }

    (void)join_distinct(headers, input.part(2));

    // A merged text is settled: received into no cookies, it comes back as it
    // is. Not so when a lone GBK lead byte ends an element: the searches then
    // take the ";" after it as its trail byte, and the elements split anew.
    // Nor when an element is empty: a last empty piece leaves the text ending
    // in "; ", and reading that again drops the piece.
    if (!separators_on_boundaries(merged)) return 0;
    if (std::find(elements.begin(), elements.end(), Text()) != elements.end()) return 0;
    if (merged.view().ends_with("; ")) return 0;
    Text none;
    Text again = merged;
    fuzz_require(merge_cookies(none, again) == merged,
                 "a merged text received anew stays the same");
    return 0;
}
