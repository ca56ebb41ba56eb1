#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "fuzz/support/fuzz_input.h"
#include "search/result_pages.h"
#include "text/percent.h"

// The input is a result page as the site sends it; it goes through the same
// steps as a fetched page does in a search.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Text page(std::string_view(reinterpret_cast<const char*>(data), size));
    const Text decoded = url_decode(page, true);
    const std::vector<ResultRow> rows = read_result_rows(decoded);

    // Each row takes at least the pattern's own bytes: <a href=""></a></li><li>
    constexpr std::size_t shortest_row = 24;
    fuzz_require(rows.size() <= decoded.size() / shortest_row, "no more rows than the page holds");
    for (const ResultRow& row : rows) {
        fuzz_require(contains(decoded, row.title), "a title is a piece of the page");
        fuzz_require(contains(decoded, row.detail_address), "an address is a piece of the page");
    }
    return 0;
}
