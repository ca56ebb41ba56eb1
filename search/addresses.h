#pragma once

#include "text/text.h"

// The addresses the program reaches. Their real values are not ours to know,
// so they stand under the reserved ".example" domain.
namespace addresses {

// Shown in the caption after "澄岚—".
inline constexpr const char* maker_site = "http://www.chenglan.example/";
// Opened by a press on the banner, in this order.
inline constexpr const char* file_share_page = "http://pan.chenglan.example/";
inline constexpr const char* second_site = "http://blog.chenglan.example/";

// The search site's root (no slash at its end) and the maker's notice page.
inline constexpr const char* search_root = "http://search.chenglan.example";
inline constexpr const char* notice_page = "http://www.chenglan.example/notice.html";

// The search root and notice page in force: CHENGLAN_SEARCH_ROOT and
// CHENGLAN_NOTICE_URL replace them when set and not empty (mirrors, the demo
// site, tests).
[[nodiscard]] Text search_root_in_use();
[[nodiscard]] Text notice_page_in_use();

}  // namespace addresses
