#include "executor.h"
#include "run_errors.h"

#include "values/convert.h"

// Errors: how a failure reaches Err (On Error Resume Next and the points it resumes at), the Err
// object's members, Err.Raise, and where a failure lies in the source.

namespace vbs {

// On Error Resume Next or On Error GoTo 0: either one turns resuming on or off for the running
// procedure only, and clears Err.
Outcome Executor::execOnError(bool resumeNext) {
    frame_->resumeNext = resumeNext;
    rt_.err = ErrState{};
    return Outcome::Normal;
}

bool Executor::resumeAfterError(Outcome failure) {
    if (!frame_->resumeNext || !catchable(failure)) {
        return false;
    }
    rt_.err = errors_.of(failure);
    errors_.expressionPos = kNoPosition; // the next failure is marked where it happens
    return true;
}

Outcome Executor::runOnceAfterHeaderError(const Block& body, Outcome ownExit) {
    const Outcome f = execBlock(body);
    return f == ownExit ? Outcome::Normal : f;
}

Outcome Executor::noteFailurePlace(const Expr& e, Outcome failure) {
    // A time-out stops wherever the run happens to be: that spot is no fault of the source.
    if (errors_.expressionPos == kNoPosition && catchable(failure)) {
        errors_.expressionPos = e.pos;
    }
    return failure;
}

Outcome Executor::raise(ErrState error) {
    errors_.raised = std::move(error);
    return Outcome::Raised;
}

ErrState RunErrors::of(Outcome error) const {
    if (error == Outcome::Raised) {
        return raised;
    }
    const int number = static_cast<int>(error);
    return ErrState{
        number, error == Outcome::Timeout ? timeoutText : errorText(number), kRuntimeSource, {}, 0};
}

namespace {

// Err.Number, .Description, .Source, .HelpFile or .HelpContext (lower-case `name`).
Variant errProperty(const ErrState& err, const std::u16string& name, const Budget& budget) {
    if (name == u"number") {
        return Variant::longInt(err.number);
    }
    if (name == u"helpcontext") {
        return Variant::longInt(err.helpContext);
    }
    return Variant::string(name == u"description" ? err.description
                           : name == u"source"    ? err.source
                                                  : err.helpFile,
                           budget);
}

Outcome setErrProperty(ErrState& err, const std::u16string& name, const Variant& assigned,
                       const NumberLocale& locale) {
    if (name == u"number") {
        err.number = VBS_TRY_VALUE(toLong(assigned, locale));
        return Outcome::Normal;
    }
    if (name == u"helpcontext") {
        err.helpContext = VBS_TRY_VALUE(toLong(assigned, locale));
        return Outcome::Normal;
    }
    std::u16string text = VBS_TRY_VALUE(toText(assigned, locale));
    (name == u"description" ? err.description
     : name == u"source"    ? err.source
                            : err.helpFile) = std::move(text);
    return Outcome::Normal;
}

} // namespace

// Err's members: the five properties read and assigned, Clear, and Raise. Err holds the last
// error that On Error Resume Next let the script go on from (see resumeAfterError).
Outcome Executor::errMember(const Expr& e, MemberAccess access, Variant& value) {
    const bool assigning = access == MemberAccess::Let || access == MemberAccess::Set;
    const std::size_t argc = e.args.size() - 1;
    if (e.name == u"number" || e.name == u"description" || e.name == u"source" ||
        e.name == u"helpfile" || e.name == u"helpcontext") {
        if (argc != 0) {
            return Outcome::WrongArgCount;
        }
        if (assigning) {
            return setErrProperty(rt_.err, e.name, value, rt_.locale);
        }
        value = errProperty(rt_.err, e.name, rt_.budget);
        return Outcome::Normal;
    }
    if (assigning) {
        return Outcome::NoSuchMember;
    }
    if (e.name == u"clear") {
        if (argc != 0) {
            return Outcome::WrongArgCount;
        }
        rt_.err = ErrState{};
        value = Variant();
        return Outcome::Normal;
    }
    if (e.name == u"raise") {
        return raiseFromScript(e);
    }
    return Outcome::NoSuchMember;
}

namespace {

// The error number Err.Raise gives for a negative number, which is read as an HRESULT: a
// failure of VBScript's own facility or a Win32 failure with a VBScript counterpart becomes
// that error; any other number stays as it is.
int errorFromHresult(std::int32_t number) {
    const auto hr = static_cast<std::uint32_t>(number);
    const std::uint32_t facility = (hr >> 16) & 0x1FFF;
    const auto code = static_cast<int>(hr & 0xFFFF);
    constexpr std::uint32_t kFacilityWin32 = 7;
    constexpr std::uint32_t kFacilityVBScript = 10;
    if (facility == kFacilityVBScript) {
        return code;
    }
    if (facility == kFacilityWin32) {
        switch (code) {
        case 8:  // not enough memory
        case 14: // out of memory
            return static_cast<int>(Outcome::OutOfMemory);
        case 87: // invalid parameter
            return static_cast<int>(Outcome::InvalidCall);
        default:
            break;
        }
    }
    return number;
}

} // namespace

// Err.Raise number[, source[, description[, helpfile[, helpcontext]]]]. An argument left out
// (or Empty) keeps what Err already holds, so a bare `Err.Raise 5` after a raise with its own
// texts raises 5 with those texts; with nothing held, the number's own text and the run-time
// source are used.
Outcome Executor::raiseFromScript(const Expr& e) {
    const std::size_t argc = e.args.size() - 1;
    if (argc < 1 || argc > 5) {
        return Outcome::WrongArgCount;
    }
    Variant args[5];
    for (std::size_t i = 0; i < argc; ++i) {
        VBS_TRY(eval(*e.args[i + 1], args[i]));
    }
    std::int32_t number = VBS_TRY_VALUE(toLong(args[0], rt_.locale));
    if (number == 0 || number > 0xFFFF) {
        return Outcome::InvalidCall;
    }
    if (number < 0) {
        number = errorFromHresult(number);
    }
    const ErrState& held = rt_.err;
    std::u16string texts[3] = {held.source, held.description, held.helpFile};
    for (std::size_t i = 1; i < argc && i < 4; ++i) {
        if (args[i].isEmpty()) {
            continue;
        }
        texts[i - 1] = VBS_TRY_VALUE(toText(args[i], rt_.locale));
    }
    std::int32_t helpContext = held.helpContext;
    if (argc == 5 && !args[4].isEmpty()) {
        helpContext = VBS_TRY_VALUE(toLong(args[4], rt_.locale));
    }
    return raise(ErrState{number, texts[1].empty() ? errorText(number) : std::move(texts[1]),
                          texts[0].empty() ? RunErrors::kRuntimeSource : std::move(texts[0]),
                          std::move(texts[2]), helpContext});
}

} // namespace vbs
