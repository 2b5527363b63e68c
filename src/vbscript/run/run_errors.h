#pragma once

#include "runtime.h"
#include "values/error_codes.h"

#include <cstddef>
#include <string>

namespace vbs {

// The errors of one run: the one Outcome::Raised stands for (its number and texts chosen by the
// script), the one the run failed with, and where in the source that failure lies. What Err
// shows lives in Runtime::err, as built-ins read it too.
struct RunErrors {
    static constexpr std::size_t kNoPosition = static_cast<std::size_t>(-1);
    static constexpr const char16_t* kRuntimeSource = u"Microsoft VBScript runtime error";

    // What Err holds for `error`: its number, its text from the error table (the
    // host's text for a time-out) and the run-time source; for Raised, what the script chose.
    ErrState of(Outcome error) const;

    ErrState raised;
    Outcome failure = Outcome::Normal;
    // Where the statement that failed begins in the run's source: of the outermost one, as
    // procedures called from it may come from an earlier source.
    std::size_t statementPos = 0;
    // Where the innermost expression that failed begins, within that same statement;
    // kNoPosition when no expression of the run's source claimed it.
    std::size_t expressionPos = kNoPosition;
    // The description a time-out reports.
    std::u16string timeoutText = errorText(Outcome::Timeout);
};

} // namespace vbs
