#include <cstddef>
#include <cstdint>

#include "fuzz/support/fuzz_input.h"
#include "text/between.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzInput input(data, size);
    const Text text = input.part(0);
    const Text start_marker = input.part(1);
    const Text end_marker = input.part(2);
    // The start position spans both ends of the text and beyond, negatives included.
    const int from = static_cast<int>(static_cast<signed char>(input.options() & 0xFE)) * 4;
    const bool ignore_case = input.option(0);

    const Text between = text_between(text, start_marker, end_marker, from, ignore_case);
    fuzz_require(between.size() < text.size() || between.empty(),
                 "the result is shorter than the text");
    fuzz_require(contains(text, between), "the result is a piece of the text");

    // With plain markers compared exactly, the result stands between them as written.
    const bool plain = start_marker.view().find('#') == std::string_view::npos &&
                       end_marker.view().find('#') == std::string_view::npos;
    if (plain && !ignore_case && !between.empty()) {
        fuzz_require(contains(text, start_marker + between + end_marker),
                     "start marker, result and end marker stand together in the text");
    }
    return 0;
}
