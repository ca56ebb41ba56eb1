#pragma once

#include <atomic>
#include <cstdint>

#include "text/text.h"

// The two values that live for the whole run of the program.
struct ProgramState {
    // Raised by the paging commands on the window's thread, set to 1 by search
    // workers: atomic, since both threads write it.
    std::atomic<std::int32_t> current_page{0};
    // The detail-page address of the row last double-clicked. Written only on
    // the window's thread; workers get a copy and never read it.
    Text selected_link;
};
