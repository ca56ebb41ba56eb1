#include "regex/regex_object.h"

#include <climits>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "regex/compiled_pattern.h"
#include "text/codepage.h"
#include "text/text_ops.h"

struct RegexObject::Run {
    std::u16string pattern;
    std::u16string subject;
    bool global = true;
    std::unique_ptr<const CompiledPattern> compiled;  // null for an invalid pattern
    std::optional<MatchTable> matches;                // empty when nothing ran to its end

    // The subject back in GBK, which positions are counted in; made on the
    // first request only, since the searching workflows never ask for one.
    [[nodiscard]] const Text& searched_gbk() const {
        std::call_once(searched_once, [this] { searched = u16_to_gbk(subject, true); });
        return searched;
    }

    [[nodiscard]] std::size_t count() const { return matches ? matches->count() : 0; }

private:
    mutable std::once_flag searched_once;
    mutable Text searched;
};

namespace {

int clamped(std::size_t value) { return value > INT_MAX ? INT_MAX : static_cast<int>(value); }

// Where `result` stands in the searched text, looking from one byte before
// the UTF-16 index `first_index`: every unit takes at least one GBK byte, so
// the match cannot start before that byte.
int position_of(const Text& searched, const Text& result, std::size_t first_index) {
    if (result.empty()) return searched.empty() ? -2 : 0;
    const std::size_t from = first_index == 0 ? 0 : first_index - 1;
    if (from >= searched.size()) return -2;
    const std::size_t at = gbk_scan::find(searched.view(), result.view(), from);
    return at == gbk_scan::npos ? -2 : clamped(at);
}

}  // namespace

RegexObject RegexObject::copy() const { return *this; }

bool RegexObject::create(const Text& pattern, const Text& text, bool case_sensitive, bool multiline,
                         bool global, bool expand_quotes) {
    static const Text quote_marker = gbk("#引号");
    auto run = std::make_shared<Run>();
    const Text expanded = expand_quotes ? replace_all(pattern, quote_marker, "\"") : pattern;
    run->pattern = ansi_to_utf16(expanded);
    run->subject = gbk_to_u16(text.view());
    run->global = global;
    run->compiled = CompiledPattern::compile(run->pattern,
                                             {.caseless = !case_sensitive, .multiline = multiline});
    if (run->compiled) run->matches = run->compiled->find(run->subject, global);
    const bool ran = run->matches.has_value();
    run_ = std::move(run);
    return ran;
}

Text RegexObject::pattern() const { return run_ ? utf16_to_ansi(run_->pattern) : Text(); }

Text RegexObject::replace(const Text& replacement) const {
    if (!run_ || !run_->compiled) return {};
    const std::optional<std::u16string> replaced =
        run_->compiled->substitute(run_->subject, ansi_to_utf16(replacement), run_->global);
    return replaced ? utf16_to_ansi(*replaced) : Text();
}

int RegexObject::match_count() const { return run_ ? clamped(run_->count()) : 0; }

Text RegexObject::match_text(int match, int* position) const {
    Text result;
    std::size_t first_index = 0;
    if (run_ && match >= 1 && static_cast<std::size_t>(match) <= run_->count()) {
        const MatchTable::Span span = run_->matches->span(static_cast<std::size_t>(match) - 1, 0);
        const std::u16string_view subject(run_->subject);
        result = u16_to_gbk(subject.substr(span.begin, span.end - span.begin), true);
        first_index = span.begin;
    }
    if (position) *position = run_ ? position_of(run_->searched_gbk(), result, first_index) : -2;
    return result;
}

Text RegexObject::submatch_text(int match, int submatch, int* position) const {
    Text result;
    std::size_t first_index = 0;
    if (run_ && match >= 1 && static_cast<std::size_t>(match) <= run_->count()) {
        const std::size_t index = static_cast<std::size_t>(match) - 1;
        first_index = run_->matches->span(index, 0).begin;
        if (submatch >= 1 && submatch <= run_->matches->groups()) {
            const MatchTable::Span span = run_->matches->span(index, submatch);
            const std::u16string_view subject(run_->subject);
            if (span.set) result = u16_to_gbk(subject.substr(span.begin, span.end - span.begin));
        }
    }
    if (position) *position = run_ ? position_of(run_->searched_gbk(), result, first_index) : -2;
    return result;
}

int RegexObject::submatch_count() const {
    return run_ && run_->count() > 0 ? run_->matches->groups() : 0;
}
