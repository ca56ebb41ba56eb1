#pragma once

#include <cstdio>
#include <ostream>

#include "text/text.h"

// Lets test failures show a Text as its bytes: printable ASCII as it is,
// everything else as \xNN.
inline void PrintTo(const Text& text, std::ostream* out) {
    *out << '"';
    for (const char c : text.view()) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            *out << c;
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            *out << escaped;
        }
    }
    *out << '"';
}
