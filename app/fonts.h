#pragma once

// Lets the two Windows font names the window asks for ("微软雅黑", "宋体")
// resolve to an installed font that has the Chinese characters.
void substitute_windows_fonts();
