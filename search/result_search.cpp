#include "search/result_search.h"

#include "search/program_state.h"
#include "search/texts.h"
#include "search/window_operations.h"
#include "text/percent.h"
#include "web/http_request.h"

namespace {

// The page number before a paging command raised it, wrapping as the
// counter itself does.
std::int32_t before(std::int32_t page) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(page) - 1U);
}

}  // namespace

ResultSearch::ResultSearch(WindowOperations& window, ProgramState& state, Text root)
    : window_(window), state_(state), root_(std::move(root)) {}

void ResultSearch::search() {
    const std::uint64_t ticket = ++latest_search_;
    const auto is_latest = [&] { return latest_search_.load() == ticket; };
    const WorkflowTexts& texts = workflow_texts();

    const Text address = result_page_address(root_, window_.get_text(Control::编辑框1), 1);
    const Text page = fetch_text(address);
    // The fetch and the matching run here on the worker; only the list and
    // label changes go to the window's thread, as one step that no other run
    // can interleave with.
    if (page.empty()) {
        window_.run_exclusive([&] {
            if (is_latest()) window_.show_status(texts.fetch_failed);
        });
        return;
    }
    const std::vector<ResultRow> rows = read_result_rows(url_decode(page, true));
    window_.run_exclusive([&] {
        if (!is_latest()) return;
        window_.show_status(texts.fetched);
        window_.list_clear();
        state_.current_page = 1;
        show_rows(rows);
        window_.show_status(texts.double_click_hint);
    });
}

void ResultSearch::load_page(int page, int append) {
    const WorkflowTexts& texts = workflow_texts();
    const Text address = result_page_address(root_, window_.get_text(Control::编辑框1), page);
    const Text fetched = fetch_text(address);
    if (fetched.empty()) {
        // Nothing was read: take back the command's increment unless
        // something else has moved the page meanwhile.
        std::int32_t expected = page;
        state_.current_page.compare_exchange_strong(expected, before(page));
        window_.show_status(texts.fetch_failed);
        return;
    }
    const std::vector<ResultRow> rows = read_result_rows(url_decode(fetched, true));
    window_.run_exclusive([&] {
        if (append != 1) window_.list_clear();
        show_rows(rows);
        window_.show_status(texts.double_click_hint);
    });
    // Events go on during the wait, so a paging or search click can run
    // nested here; the label shows the page as it stands afterwards.
    window_.wait_with_events(1000);
    window_.show_status(page_label(state_.current_page));
}

void ResultSearch::show_rows(const std::vector<ResultRow>& rows) {
    for (const ResultRow& row : rows) {
        const int index = window_.list_add_row();
        window_.list_set_cell(index, 0, row.title);
        window_.list_set_cell(index, 1, row.detail_address);
    }
}
