#include "search/result_pages.h"

#include "regex/regex_object.h"
#include "search/texts.h"
#include "text/percent.h"
#include "text/text_ops.h"

Text result_page_address(const Text& root, const Text& keyword, int page) {
    return root + "/s/" + url_encode(keyword, false, true) + "/" + from_int(page) + "/";
}

std::vector<ResultRow> read_result_rows(const Text& decoded_page) {
    RegexObject regex;
    // Whether the pattern could run is not looked at: a page it cannot run on
    // simply has no results.
    (void)regex.create(workflow_texts().result_pattern, decoded_page);
    const int count = regex.match_count();
    std::vector<ResultRow> rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int match = 1; match <= count; ++match) {
        rows.push_back({.title = regex.submatch_text(match, 2),
                        .detail_address = regex.submatch_text(match, 1)});
    }
    return rows;
}
