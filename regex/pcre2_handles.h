#pragma once

// The engine runs on UTF-16 code units; every file of this library that talks
// to it goes through this header so that the unit width is set once.
#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <memory>

// One owner for each engine block, freed on every path.
namespace pcre2_handle {

struct CodeFree {
    void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct CompileContextFree {
    void operator()(pcre2_compile_context* context) const { pcre2_compile_context_free(context); }
};
struct MatchContextFree {
    void operator()(pcre2_match_context* context) const { pcre2_match_context_free(context); }
};
struct MatchDataFree {
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
struct JitStackFree {
    void operator()(pcre2_jit_stack* stack) const { pcre2_jit_stack_free(stack); }
};

using Code = std::unique_ptr<pcre2_code, CodeFree>;
using CompileContext = std::unique_ptr<pcre2_compile_context, CompileContextFree>;
using MatchContext = std::unique_ptr<pcre2_match_context, MatchContextFree>;
using MatchData = std::unique_ptr<pcre2_match_data, MatchDataFree>;
using JitStack = std::unique_ptr<pcre2_jit_stack, JitStackFree>;

}  // namespace pcre2_handle
