#pragma once

#include "library/random_generator.h"
#include "objects/class_def.h"
#include "values/convert.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace vbs {

// What the Err object shows.
struct ErrState {
    int number = 0;
    std::u16string description;
    std::u16string source;
    std::u16string helpFile;
    std::int32_t helpContext = 0;
};

// Runs script code for a native object that is given something to call (RegExp.Replace given
// GetRef("f")): only the executor can run script. `callee` is called as "callee(args...)" is.
class ScriptCaller {
public:
    virtual Outcome callWithValues(const Variant& callee, const Variant* args, std::size_t count,
                                   Variant& out) = 0;

protected:
    ~ScriptCaller() = default;
};

// State the built-in functions share with the interpreter.
struct Runtime {
    NumberLocale locale;
    // What this interpreter's strings and arrays may take together.
    Budget budget = std::make_shared<MemoryBudget>();
    // This interpreter's class instances, counted in `budget`.
    std::shared_ptr<ObjectHeap> objects = std::make_shared<ObjectHeap>(budget);
    RandomGenerator rnd;
    ErrState err;
    // When the running evaluation must stop. A built-in that loops over millions of pieces
    // (Split, Join, Filter, Replace) looks at it as it goes, so one call cannot outlast it.
    std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();

    // The host's request to stop the run now, as at the deadline; null when it cannot ask.
    const std::atomic<bool>* stop = nullptr;

    // Whether the run must end: its deadline is past or the host asked it to stop.
    bool mustEnd() const {
        return std::chrono::steady_clock::now() >= deadline ||
               (stop && stop->load(std::memory_order_relaxed));
    }
    // The clock is read once every this many steps, by the executor (a loop pass, a call, an
    // operand) and by a long built-in loop alike: cheap in tight loops, still prompt when each
    // step is slow.
    static constexpr std::uint32_t kStepsPerClockRead = 64;
    // Whether step `step` of a long built-in loop must end the run.
    bool pastDeadline(std::size_t step) const {
        return step % kStepsPerClockRead == kStepsPerClockRead - 1 && mustEnd();
    }

    // The Windows locale id GetLocale reports and SetLocale changes, and the user's own (given
    // by the caller). SetLocale chooses between the user's forms and the US ones: `userLocale`
    // keeps the user's number and date forms while the US ones are in `locale`.
    std::int32_t localeId = 1033;
    std::int32_t userLocaleId = 1033;
    std::optional<NumberLocale> userLocale;

    // Set by the executor for the length of one built-in call with several arguments: bit i
    // marks argument i as a place left out between commas ("Mid(s, 2, )"), which the built-in
    // must tell from an explicit Empty (fn::given). Zero at all other times, so a call that does
    // not set it (one argument, which cannot be left out) reads no stale marks.
    static constexpr int kMarkedArguments = 32;
    std::uint32_t leftOutArguments = 0;

    // The executor that runs this runtime's script, for native objects that call back into it;
    // null while there is none.
    ScriptCaller* scriptCaller = nullptr;
};

} // namespace vbs
