#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "text/text.h"

// One fuzz input read as an option byte followed by texts separated by zero
// bytes. A Text can never hold a zero byte, so the separator costs the fuzzer
// nothing it could otherwise reach, and seed files stay readable.
class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : whole_(reinterpret_cast<const char*>(data), size) {
        if (whole_.empty()) return;
        options_ = static_cast<unsigned char>(whole_.front());
        std::string_view rest = whole_.substr(1);
        while (true) {
            const std::size_t nul = rest.find('\0');
            parts_.emplace_back(rest.substr(0, nul));
            if (nul == std::string_view::npos) break;
            rest.remove_prefix(nul + 1);
        }
    }

    [[nodiscard]] bool option(int bit) const { return ((options_ >> bit) & 1U) != 0; }
    [[nodiscard]] unsigned char options() const { return options_; }
    // The index-th text after the option byte; empty when the input is shorter.
    [[nodiscard]] Text part(std::size_t index) const {
        return index < parts_.size() ? parts_[index] : Text();
    }
    [[nodiscard]] std::string_view whole() const { return whole_; }

  private:
    std::string_view whole_;
    unsigned char options_ = 0;
    std::vector<Text> parts_;
};

// A broken property must stop the run the way a crash does, so that libFuzzer
// keeps the input that broke it.
inline void fuzz_require(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

// Whether `part` occurs in `whole` byte for byte (the empty text always does).
[[nodiscard]] inline bool contains(const Text& whole, const Text& part) {
    return whole.view().find(part.view()) != std::string_view::npos;
}
