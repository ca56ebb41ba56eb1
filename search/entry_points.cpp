#include "search/entry_points.h"

#include "search/magnet.h"
#include "search/result_search.h"
#include "search/update_check.h"

Workflows make_workflows(WindowOperations& window, ResultSearch& result_search,
                         Text notice_address) {
    return Workflows{
        .check_update = [&window, notice_address] { check_update(window, notice_address); },
        .search = [&result_search] { result_search.search(); },
        .load_page = [&result_search](int page, int append) { result_search.load_page(page, append); },
        .resolve_magnet = [&window](Text link) { resolve_magnet(window, link); },
    };
}
