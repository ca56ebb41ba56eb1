#pragma once

#include <QString>
#include <string_view>

#include "text/text.h"

// The window holds QString; the program's texts are GBK. Every crossing goes
// through the foundation's code-page conversions, never the locale, so a text
// read back from a control is the GBK that was written into it.
[[nodiscard]] QString to_qstring(const Text& gbk_text);
[[nodiscard]] Text to_text(const QString& text);

// One of the program's own literals (UTF-8 in the source) as the window shows it.
[[nodiscard]] QString ui_text(std::string_view utf8);
