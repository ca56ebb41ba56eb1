#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "regex/pcre2_handles.h"

// Where the matches of one run and their capture groups lie in the subject,
// in UTF-16 units. Offsets only: texts are cut out when somebody reads them.
class MatchTable {
public:
    struct Span {
        std::size_t begin = 0;
        std::size_t end = 0;
        bool set = false;  // false for a group that took part in no match
    };

    explicit MatchTable(int groups) : groups_(groups) {}

    [[nodiscard]] std::size_t count() const { return offsets_.size() / stride(); }
    [[nodiscard]] int groups() const { return groups_; }
    // Group 0 is the whole match; `match` and `group` are 0-based and in range.
    [[nodiscard]] Span span(std::size_t match, int group) const;

    // `set_pairs` leading pairs of `ovector` hold the groups that were set.
    void add(const PCRE2_SIZE* ovector, int set_pairs);

private:
    [[nodiscard]] std::size_t stride() const { return 2 * (static_cast<std::size_t>(groups_) + 1); }

    int groups_ = 0;
    std::vector<PCRE2_SIZE> offsets_;
};

struct PatternOptions {
    bool caseless = true;
    bool multiline = true;
};

// One compiled pattern, read-only once built, so several threads may match
// with it at once. Runs without UTF checks: the subjects come from GBK, which
// maps into the basic plane only, and a UTF check would rescan the whole
// subject on every call.
//
// Matching runs the JIT code with a JIT stack of a few MB per thread. When the
// JIT is missing or cannot take the pattern, the interpreter runs instead,
// under match and heap limits. Either way an engine that gives up (stack or
// limit exhausted) fails the whole run instead of handing back the matches
// found before it: a cut-off list would look like a complete page.
class CompiledPattern {
public:
    // Null when the pattern does not compile. `use_jit` off forces the
    // interpreter, as on a machine without the JIT.
    [[nodiscard]] static std::unique_ptr<CompiledPattern> compile(std::u16string_view pattern,
                                                                  PatternOptions options,
                                                                  bool use_jit = true);

    [[nodiscard]] bool jit() const { return jit_; }
    [[nodiscard]] int group_count() const { return groups_; }

    // Every match from left to right without overlap (`global`), or only the
    // first; nullopt when the engine gave up.
    [[nodiscard]] std::optional<MatchTable> find(std::u16string_view subject, bool global) const;

    // `subject` with its matches (or only the first) replaced; `$n`, `${n}` and
    // `$$` work as the engine defines them, an unset or unknown group gives
    // nothing. nullopt when the engine gave up or the replacement is malformed.
    [[nodiscard]] std::optional<std::u16string> substitute(std::u16string_view subject,
                                                           std::u16string_view replacement,
                                                           bool global) const;

private:
    CompiledPattern(pcre2_handle::Code code, bool jit, int groups)
        : code_(std::move(code)), jit_(jit), groups_(groups) {}

    pcre2_handle::Code code_;
    bool jit_ = false;
    int groups_ = 0;
};
