#pragma once

#include "call_frame.h"
#include "executor.h"
#include "executor_inline.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace vbs {

// Binds the arguments of one call to the parameters of a script procedure, the VBScript way:
// - A call gives exactly as many arguments as there are parameters ("Wrong number of
//   arguments" otherwise); there are no optional parameters in script procedures.
// - Parameters are ByRef unless declared ByVal. A ByRef parameter given a plain variable (a
//   local, a script-level variable, or a variable of Me's class named bare) shares it: the
//   parameter's slot points at the variable itself.
// - A ByRef parameter given an element of an array variable, a(i), works on a copy that is
//   written back where the element was when the call ends, also when it ends with an error;
//   an element the call removed (ReDim, Erase) stays gone.
// - Anything else given to a ByRef parameter (an expression, a name in parentheses, an object's
//   property, a constant) is passed by value, as is every argument of a ByVal parameter: it is
//   evaluated into the slot's own storage, an array copied there, as arrays are values.
// Everything here runs on every call, so the common steps are inline; the rare ones (an array
// element, its write-back) are out of line.
class ArgumentBinder {
public:
    explicit ArgumentBinder(Executor& x) : x_(x) {}
    ArgumentBinder(const ArgumentBinder&) = delete;
    ArgumentBinder& operator=(const ArgumentBinder&) = delete;

    // Whether a call of `p` with `given` arguments may bind them, from the frame `caller` (whose
    // procedure is null at the script level). A procedure that Execute defined inside another is
    // not there to call from anywhere else: "Type mismatch", as for a name that is no procedure.
    // Its check shares the branch of the argument count, so other calls pay nothing for it, not
    // even the look at the caller's procedure.
    static Outcome accepts(const Procedure& p, std::size_t given, const Frame& caller) {
        if (static_cast<std::int32_t>(given) != p.quickArgumentCount) {
            if (p.callableFrom && caller.proc != p.callableFrom && caller.proc != &p) {
                return Outcome::TypeMismatch;
            }
            if (given != p.params.size()) {
                return Outcome::WrongArgCount;
            }
        }
        return Outcome::Normal;
    }

    // Argument `a` to the parameter in slot `slot`, whose own storage is `value` and whose
    // place is `where`, ByRef or ByVal. Always inline into the call: as a call, fib22 of
    // bench/instruction_counts.sh takes 5.4 % more instructions and method22 4.6 % more.
    [[gnu::always_inline]] Outcome bind(bool byRef, const Expr& a, std::size_t slot, Variant& value,
                                        Variant*& where) {
        Variant* variable = byRef && a.kind == ExprKind::Name && !a.parenthesized
                                ? x_.resolve<Executor::NameUse::Write>(a, a.scope)
                                : nullptr;
        if (variable && !a.hasParens) {
            where = variable;
            return Outcome::Normal;
        }
        if (variable && !a.args.empty() && variable->isArray()) {
            return bindElement(*variable, a.args, slot, value);
        }
        VBS_TRY(x_.eval(a, value));
        if (value.isArray()) {
            value = value.copied();
        }
        return Outcome::Normal;
    }

    // When the call has ended, with or without an error: each array element given ByRef gets
    // its parameter's final value from the callee's `storage`. Most calls pass none, and skip
    // the call to writeBack.
    Outcome finish(Variant* storage) { return elements_ ? writeBack(storage) : Outcome::Normal; }

private:
    Outcome bindElement(Variant& array, const std::vector<ExprPtr>& subscriptArgs, std::size_t slot,
                        Variant& value);
    Outcome writeBack(Variant* storage);

    Executor& x_;
    // Made by the first element given: most calls have none, and an empty vector would still
    // cost every call its setting up and its checks.
    std::unique_ptr<std::vector<ElementArgument>> elements_;
};

} // namespace vbs
