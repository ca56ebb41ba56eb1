#pragma once

#include "text/text.h"

class WindowOperations;

// Runs on the window's thread, before the window is shown: reads the notice
// page and, when it names a version other than ours, says so, shows the
// download-address row and opens the address. A notice that cannot be read
// announces nothing.
void check_update(WindowOperations& window, const Text& notice_address);

// Whether `address` begins with "http://" or "https://", letters in any case.
[[nodiscard]] bool is_web_address(const Text& address);
