#pragma once

#include "text/text.h"

class WindowOperations;

// Runs on a worker thread of its own: fetches the detail page at `link`, cuts
// out its magnet link and hands it to the desktop. Only a magnet link is ever
// handed over, whatever the page holds.
void resolve_magnet(WindowOperations& window, const Text& link);

// Whether `address` begins with "magnet:", ASCII letters in any case.
[[nodiscard]] bool is_magnet_link(const Text& address);
