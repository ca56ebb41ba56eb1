#pragma once

#include <memory>

#include "text/text.h"

// Runs one regular expression over a GBK text and hands out its matches and
// sub-matches by 1-based index, as GBK texts. The text is matched as UTF-16,
// so match starts inside the engine are UTF-16 indexes; `position` converts
// them back to 0-based byte offsets in the GBK text.
//
// Reading before the first `create`, after a `create` that failed or with an
// index out of range gives the empty text or 0. An object is used by one
// thread at a time; any number of objects may run on different threads.
class RegexObject {
public:
    // An object that reads the same run as this one.
    [[nodiscard]] RegexObject copy() const;

    // Runs `pattern` over `text`, replacing the previous run. With
    // `expand_quotes` every "#引号" in the pattern stands for a double quote.
    // False when the pattern is invalid or the engine gave up on the text (its
    // stack or step limit ran out); the object then reads as one without
    // matches. True means the pattern ran, not that it matched.
    bool create(const Text& pattern, const Text& text, bool case_sensitive = false,
                bool multiline = true, bool global = true, bool expand_quotes = false);

    // The pattern of the last run, quotes expanded; empty before the first.
    [[nodiscard]] Text pattern() const;
    // The text of the last run with its matches (only the first when it was
    // not global) replaced; `$1`, `${1}`, `$$` refer to groups as the engine
    // defines them. Empty when the last run had no valid pattern.
    [[nodiscard]] Text replace(const Text& replacement) const;

    [[nodiscard]] int match_count() const;
    // `position`, when given, receives the 0-based byte offset where the
    // result stands in the searched text (-2 when it is not found there).
    [[nodiscard]] Text match_text(int match, int* position = nullptr) const;
    [[nodiscard]] Text submatch_text(int match, int submatch, int* position = nullptr) const;
    // Capture groups of the first match; 0 when nothing matched.
    [[nodiscard]] int submatch_count() const;

private:
    struct Run;
    // Immutable once built, so copies share it.
    std::shared_ptr<const Run> run_;
};
