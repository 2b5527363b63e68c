#include "regex_search.h"

#include <algorithm>
#include <limits>

namespace vbs {
namespace {

using Clock = std::chrono::steady_clock;

// Work for one search before the clock is read: about a few tens of milliseconds, far more
// than an ordinary search of a long text needs, so the clock is rarely read at all.
constexpr std::uint32_t kFirstWorkLimit = 10'000'000;
// Backtracking memory of the interpreter (KiB) and the machine stack of compiled code.
constexpr std::uint32_t kHeapLimitKiB = 64 * 1024;
constexpr std::size_t kJitStackStart = 32 * 1024;
constexpr std::size_t kJitStackMax = 64 * 1024 * 1024;

} // namespace

std::shared_ptr<const CompiledRegex> CompiledRegex::compile(std::u16string_view pattern,
                                                            RegexFlags flags) {
    // What makes PCRE2 read patterns as ECMAScript does: \uhhhh and \xhh escapes, a
    // back-reference to a group that has not matched matches nothing (rather than failing), "$"
    // is only the end of the text (not also before a final line break), "[^]" is any character
    // and "[]" none. "." and the line anchors treat CR and LF as line ends.
    // UTF-16 mode gives IgnoreCase the letters beyond Latin-1 ("\w" and "\d" stay ASCII, as
    // in ECMAScript); a lone surrogate in the text matches nothing instead of failing the
    // search. Offsets stay in UTF-16 units, as FirstIndex and Length count.
    std::uint32_t options = PCRE2_ALT_BSUX | PCRE2_MATCH_UNSET_BACKREF | PCRE2_DOLLAR_ENDONLY |
                            PCRE2_ALLOW_EMPTY_CLASS | PCRE2_UTF | PCRE2_MATCH_INVALID_UTF;
    if (flags.ignoreCase) {
        options |= PCRE2_CASELESS;
    }
    if (flags.multiline) {
        options |= PCRE2_MULTILINE;
    }
    pcre2_compile_context* context = pcre2_compile_context_create(nullptr);
    if (!context) {
        return nullptr;
    }
    pcre2_set_newline(context, PCRE2_NEWLINE_ANYCRLF);
    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                                     options, &error, &errorOffset, context);
    pcre2_compile_context_free(context);
    if (!code) {
        return nullptr;
    }
    // Machine code where the platform has it; the interpreter otherwise.
    pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);
    std::uint32_t groups = 0;
    pcre2_pattern_info(code, PCRE2_INFO_CAPTURECOUNT, &groups);
    return std::shared_ptr<const CompiledRegex>(new CompiledRegex(code, groups));
}

CompiledRegex::~CompiledRegex() {
    pcre2_code_free(code_);
}

RegexSearcher::RegexSearcher(std::shared_ptr<const CompiledRegex> regex,
                             std::u16string_view subject, Clock::time_point deadline)
    : regex_(std::move(regex)), subject_(subject), deadline_(deadline),
      workLimit_(kFirstWorkLimit) {
    data_ = pcre2_match_data_create_from_pattern(regex_->code(), nullptr);
    context_ = pcre2_match_context_create(nullptr);
    if (context_) {
        pcre2_set_heap_limit(context_, kHeapLimitKiB);
    }
    if (data_) {
        ovector_ = pcre2_get_ovector_pointer(data_);
    }
}

RegexSearcher::~RegexSearcher() {
    pcre2_jit_stack_free(jitStack_);
    pcre2_match_context_free(context_);
    pcre2_match_data_free(data_);
}

Outcome RegexSearcher::search(std::size_t from, bool& found) {
    found = false;
    if (!data_ || !context_) {
        return Outcome::OutOfMemory;
    }
    if (from > subject_.size()) {
        return Outcome::Normal;
    }
    // PCRE2 cannot be interrupted from outside, but it stops by itself after a given amount of
    // work. A search that uses it up is run again with more, sized from how fast the last try
    // went so that the next one ends near the deadline (at most twice as much, which keeps the
    // repeated work below the useful work); past the deadline the search ends in the time out.
    for (;;) {
        pcre2_set_match_limit(context_, workLimit_);
        const Clock::time_point began = Clock::now();
        const int rc = pcre2_match(regex_->code(), reinterpret_cast<PCRE2_SPTR>(subject_.data()),
                                   subject_.size(), from, 0, data_, context_);
        if (rc >= 0) {
            found = true;
            return Outcome::Normal;
        }
        switch (rc) {
        case PCRE2_ERROR_NOMATCH:
            return Outcome::Normal;
        case PCRE2_ERROR_MATCHLIMIT:
            break;
        case PCRE2_ERROR_JIT_STACKLIMIT:
            // Compiled code starts on a small stack of its own; a search that needs more gets a
            // larger one (made only then: most searches never need it).
            if (jitStack_) {
                return Outcome::OutOfStack;
            }
            jitStack_ = pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr);
            if (!jitStack_) {
                return Outcome::OutOfMemory;
            }
            pcre2_jit_stack_assign(context_, nullptr, jitStack_);
            continue;
        case PCRE2_ERROR_HEAPLIMIT:
        case PCRE2_ERROR_NOMEMORY:
            return Outcome::OutOfMemory;
        default: // the compiled code's stack or the interpreter's depth
            return Outcome::OutOfStack;
        }
        const Clock::time_point now = Clock::now();
        if (now >= deadline_) {
            return Outcome::Timeout;
        }
        constexpr auto kMax = std::numeric_limits<std::uint32_t>::max();
        if (workLimit_ == kMax) {
            return Outcome::Timeout; // no deadline, and more work than PCRE2 can count
        }
        const double tookNs = static_cast<double>(
            std::max<std::int64_t>(1, (now - began) / std::chrono::nanoseconds(1)));
        const double leftNs = std::chrono::duration<double, std::nano>(deadline_ - now).count();
        const double next = std::min(2.0 * workLimit_, workLimit_ * leftNs / tookNs);
        workLimit_ = static_cast<std::uint32_t>(
            std::clamp(next, static_cast<double>(kFirstWorkLimit / 10), static_cast<double>(kMax)));
    }
}

} // namespace vbs
