#pragma once

#include <functional>

#include "text/text.h"

// The entry points the main window's handlers call. The window runs
// `check_update` and `load_page` on its own thread and hands `search` and
// `resolve_magnet` to a worker with `start_worker`.
struct Workflows {
    std::function<void()> check_update;
    std::function<void()> search;
    std::function<void(int page, int append)> load_page;
    std::function<void(Text link)> resolve_magnet;
};
