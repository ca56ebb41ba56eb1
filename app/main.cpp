#include <memory>

#include "app/program.h"
#include "app/shell_hand_off.h"
#include "search/addresses.h"
#include "search/entry_points.h"
#include "search/result_search.h"
#include "web/curl_session.h"

int main(int argc, char** argv) {
    // The HTTP layer's global state comes first, before any thread can fetch.
    init_web();
    // The search lives as long as the process: workers may still use it when
    // the process ends, which it does without tearing anything down.
    std::unique_ptr<ResultSearch> result_search;
    run_program(argc, argv, desktop_hand_off(), [&](WindowOperations& window, ProgramState& state) {
        result_search =
            std::make_unique<ResultSearch>(window, state, addresses::search_root_in_use());
        return make_workflows(window, *result_search, addresses::notice_page_in_use());
    });
}
