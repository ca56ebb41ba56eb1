#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/support/fuzz_input.h"
#include "search/magnet.h"
#include "search/texts.h"
#include "text/between.h"
#include "text/percent.h"

// The input is a detail page as the site sends it; the link is cut out of it
// as a double-click does.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const WorkflowTexts& texts = workflow_texts();
    const Text page =
        url_decode(Text(std::string_view(reinterpret_cast<const char*>(data), size)), true);
    const Text magnet = text_between(page, texts.magnet_start, texts.magnet_end);
    fuzz_require(contains(page, texts.magnet_start + magnet + texts.magnet_end) || magnet.empty(),
                 "the link stands between the markers");
    (void)is_magnet_link(magnet);
    return 0;
}
