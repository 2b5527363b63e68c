#pragma once

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include "values/error_codes.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// Regular expressions run on PCRE2's 16-bit library. std::regex backtracks by recursion (a long
// subject overflows the stack) and is slow; PCRE2 is well kept in Debian, works on UTF-16 text
// as ours is, compiles patterns to machine code (JIT) and can bound the work of one match,
// which is what lets a script's time limit stop a runaway pattern.
namespace vbs {

// The options a RegExp object sets.
struct RegexFlags {
    bool ignoreCase = false;
    bool multiline = false;
    bool operator==(const RegexFlags&) const = default;
};

// A compiled pattern in the VBScript dialect (that of ECMAScript's third edition).
class CompiledRegex {
public:
    // Null when the pattern is not valid.
    static std::shared_ptr<const CompiledRegex> compile(std::u16string_view pattern,
                                                        RegexFlags flags);
    ~CompiledRegex();
    CompiledRegex(const CompiledRegex&) = delete;
    CompiledRegex& operator=(const CompiledRegex&) = delete;

    std::uint32_t groups() const { return groups_; }
    pcre2_code* code() const { return code_; }

private:
    CompiledRegex(pcre2_code* code, std::uint32_t groups) : code_(code), groups_(groups) {}
    pcre2_code* code_;
    std::uint32_t groups_;
};

// Successive searches of one subject. Each search is given an amount of work; when a search
// uses it up, the searcher compares the clock with the deadline and either stops with the time
// out or tries again with as much work as the time left allows (see search()).
class RegexSearcher {
public:
    RegexSearcher(std::shared_ptr<const CompiledRegex> regex, std::u16string_view subject,
                  std::chrono::steady_clock::time_point deadline);
    ~RegexSearcher();
    RegexSearcher(const RegexSearcher&) = delete;
    RegexSearcher& operator=(const RegexSearcher&) = delete;

    // Looks for the next match at or after `from`; `found` tells whether there was one.
    Outcome search(std::size_t from, bool& found);
    // Start and end of group `g` (0 is the whole match) of the last match; start is
    // PCRE2_UNSET for a group that took no part.
    std::size_t start(std::uint32_t g) const { return ovector_[2 * g]; }
    std::size_t end(std::uint32_t g) const { return ovector_[2 * g + 1]; }
    std::uint32_t groups() const { return regex_->groups(); }

private:
    std::shared_ptr<const CompiledRegex> regex_;
    std::u16string_view subject_;
    std::chrono::steady_clock::time_point deadline_;
    pcre2_match_data* data_ = nullptr;
    pcre2_match_context* context_ = nullptr;
    pcre2_jit_stack* jitStack_ = nullptr;
    PCRE2_SIZE* ovector_ = nullptr;
    std::uint32_t workLimit_;
};

} // namespace vbs
