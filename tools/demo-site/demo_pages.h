#pragma once

#include <string>
#include <string_view>

// The pages of the bundled demo site, as UTF-8 HTML: a search site with three
// result pages of twenty results for any keyword, detail pages that carry a
// magnet link, and the maker's notice page.
namespace demo_pages {

inline constexpr int result_pages = 3;
inline constexpr int results_per_page = 20;

// `site` is "http://127.0.0.1:PORT"; `target` the request target.
// Gives the page to send, or an empty string for an address the site lacks.
[[nodiscard]] std::string page_for(std::string_view site, std::string_view target,
                                   std::string_view notice_version);

[[nodiscard]] std::string result_page(std::string_view site, std::string_view keyword, int page);
[[nodiscard]] std::string detail_page(std::string_view id);
[[nodiscard]] std::string notice_page(std::string_view site, std::string_view version);

}  // namespace demo_pages
