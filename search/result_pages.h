#pragma once

#include <vector>

#include "text/text.h"

struct ResultRow {
    Text title;
    Text detail_address;
};

// The search site's result page `page` for `keyword`: the root, "/s/", every
// byte of the keyword's UTF-8 form percent-encoded, "/", the page, "/".
[[nodiscard]] Text result_page_address(const Text& root, const Text& keyword, int page);

// The results on a percent-decoded GBK result page, in page order.
[[nodiscard]] std::vector<ResultRow> read_result_rows(const Text& decoded_page);
