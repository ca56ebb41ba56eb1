#pragma once

#include <functional>

class QString;

// Hands an address (a web address or a magnet link) to the desktop's handler
// for it. The window's operations call it on the window's thread; tests put a
// recorder in its place, since the offscreen platform opens nothing.
using ShellHandOff = std::function<void(const QString& address)>;

// The desktop's own hand-off: QDesktopServices, which runs xdg-open on Linux.
// No command shell is involved, so nothing in the address is interpreted.
[[nodiscard]] ShellHandOff desktop_hand_off();
