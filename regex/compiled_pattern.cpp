#include "regex/compiled_pattern.h"

#include <cstdint>

namespace {

// Room for the JIT code's backtracking; pages are only touched as it grows.
constexpr PCRE2_SIZE jit_stack_start = 32 * 1024;
constexpr PCRE2_SIZE jit_stack_max = 8 * 1024 * 1024;
// Bounds for the interpreter, which would otherwise spend minutes on a long
// line where the pattern almost matches many times.
constexpr std::uint32_t match_limit = 10'000'000;
constexpr std::uint32_t heap_limit_kib = 64 * 1024;

// A JIT stack must not be used by two matches at once, and objects live on
// several threads, so each thread keeps its own contexts for its whole life.
struct ThreadContexts {
    pcre2_handle::JitStack stack{pcre2_jit_stack_create(jit_stack_start, jit_stack_max, nullptr)};
    pcre2_handle::MatchContext context{pcre2_match_context_create(nullptr)};

    ThreadContexts() {
        if (!context) return;
        pcre2_set_match_limit(context.get(), match_limit);
        pcre2_set_heap_limit(context.get(), heap_limit_kib);
        if (stack) pcre2_jit_stack_assign(context.get(), nullptr, stack.get());
    }
};

// Null when the context could not be made: then nothing runs, since a run
// without limits could hang its thread. Without a JIT stack of its own (no JIT
// on the machine) the JIT code would fall back to 32 KiB of machine stack and
// report running out of it, which fails the run cleanly.
pcre2_match_context* thread_match_context() {
    thread_local ThreadContexts contexts;
    return contexts.context.get();
}

// An empty view may carry no pointer at all, which the engine refuses.
PCRE2_SPTR units(std::u16string_view text) {
    return reinterpret_cast<PCRE2_SPTR>(text.empty() ? u"" : text.data());
}

}  // namespace

MatchTable::Span MatchTable::span(std::size_t match, int group) const {
    const std::size_t at = match * stride() + 2 * static_cast<std::size_t>(group);
    if (offsets_[at] == PCRE2_UNSET) return {};
    return {offsets_[at], offsets_[at + 1], true};
}

void MatchTable::add(const PCRE2_SIZE* ovector, int set_pairs) {
    for (int group = 0; group <= groups_; ++group) {
        const bool set = group < set_pairs && ovector[2 * group] != PCRE2_UNSET;
        offsets_.push_back(set ? ovector[2 * group] : PCRE2_UNSET);
        offsets_.push_back(set ? ovector[2 * group + 1] : PCRE2_UNSET);
    }
}

std::unique_ptr<CompiledPattern> CompiledPattern::compile(std::u16string_view pattern,
                                                          PatternOptions options, bool use_jit) {
    pcre2_handle::CompileContext context(pcre2_compile_context_create(nullptr));
    if (!context) return nullptr;
    // "." must never cross a line feed, whatever the library's build default.
    pcre2_set_newline(context.get(), PCRE2_NEWLINE_LF);

    // NEVER_UTF keeps a "(*UTF)" in the pattern from turning the subject checks
    // back on; DOLLAR_ENDONLY makes "$" outside multi-line mode mean the very end.
    std::uint32_t flags = PCRE2_NEVER_UTF | PCRE2_DOLLAR_ENDONLY;
    if (options.caseless) flags |= PCRE2_CASELESS;
    if (options.multiline) flags |= PCRE2_MULTILINE;

    int error = 0;
    PCRE2_SIZE error_offset = 0;
    pcre2_handle::Code code(
        pcre2_compile(units(pattern), pattern.size(), flags, &error, &error_offset, context.get()));
    if (!code) return nullptr;

    std::uint32_t groups = 0;
    pcre2_pattern_info(code.get(), PCRE2_INFO_CAPTURECOUNT, &groups);
    const bool jit = use_jit && pcre2_jit_compile(code.get(), PCRE2_JIT_COMPLETE) == 0;
    return std::unique_ptr<CompiledPattern>(
        new CompiledPattern(std::move(code), jit, static_cast<int>(groups)));
}

std::optional<MatchTable> CompiledPattern::find(std::u16string_view subject, bool global) const {
    pcre2_match_context* context = thread_match_context();
    pcre2_handle::MatchData data(pcre2_match_data_create_from_pattern(code_.get(), nullptr));
    if (!context || !data) return std::nullopt;
    const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data.get());

    MatchTable table(groups_);
    PCRE2_SIZE start = 0;
    std::uint32_t options = 0;
    // Without PCRE2_NO_JIT the engine takes the JIT code whenever the pattern
    // has it; NOTEMPTY_ATSTART (unlike ANCHORED) keeps it there after an empty
    // match.
    for (;;) {
        const int result = pcre2_match(code_.get(), units(subject), subject.size(), start, options,
                                       data.get(), context);
        if (result == PCRE2_ERROR_NOMATCH) break;
        if (result < 0) return std::nullopt;
        table.add(ovector, result);
        if (!global) break;

        // After an empty match the next one may start at the same place only
        // if it is not empty, so the loop always moves on.
        const PCRE2_SIZE begin = ovector[0];
        const PCRE2_SIZE end = ovector[1];
        if (end < start) break;  // cannot happen without \K in a lookaround; never loop
        options = begin == end ? PCRE2_NOTEMPTY_ATSTART : 0;
        start = end;
    }
    return table;
}

std::optional<std::u16string> CompiledPattern::substitute(std::u16string_view subject,
                                                          std::u16string_view replacement,
                                                          bool global) const {
    pcre2_match_context* context = thread_match_context();
    if (!context) return std::nullopt;
    std::uint32_t options = PCRE2_SUBSTITUTE_OVERFLOW_LENGTH | PCRE2_SUBSTITUTE_UNSET_EMPTY |
                            PCRE2_SUBSTITUTE_UNKNOWN_UNSET;
    if (global) options |= PCRE2_SUBSTITUTE_GLOBAL;

    std::u16string out(subject.size() + replacement.size() + 1, u'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        PCRE2_SIZE length = out.size();
        const int result =
            pcre2_substitute(code_.get(), units(subject), subject.size(), 0, options, nullptr,
                             context, units(replacement), replacement.size(),
                             reinterpret_cast<PCRE2_UCHAR*>(out.data()), &length);
        if (result == PCRE2_ERROR_NOMEMORY) {
            // `length` now holds the size needed, terminator included.
            out.assign(length, u'\0');
            continue;
        }
        if (result < 0) return std::nullopt;
        out.resize(length);
        return out;
    }
    return std::nullopt;
}
