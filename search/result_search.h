#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "search/result_pages.h"
#include "text/text.h"

class WindowOperations;
struct ProgramState;

// The keyword search and the paging commands over the search site at `root`.
// Both read the keyword box anew on every run.
class ResultSearch {
public:
    ResultSearch(WindowOperations& window, ProgramState& state, Text root);
    ResultSearch(const ResultSearch&) = delete;
    ResultSearch& operator=(const ResultSearch&) = delete;

    // Runs on a worker thread of its own, one per search click. A search that
    // a later one has overtaken writes nothing more: the list ends holding the
    // rows of the search clicked last, never a mix of two.
    void search();

    // Runs on the window's thread after a paging command has raised
    // current_page to `page`. `append` of exactly 1 keeps the rows there.
    void load_page(int page, int append);

private:
    void show_rows(const std::vector<ResultRow>& rows);

    WindowOperations& window_;
    ProgramState& state_;
    const Text root_;
    std::atomic<std::uint64_t> latest_search_{0};
};
