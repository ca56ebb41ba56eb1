#pragma once

#include <functional>

// Runs the window thread's events until `done` holds. Returns false after
// ten seconds, which only a hang reaches.
[[nodiscard]] bool process_events_until(const std::function<bool()>& done);
