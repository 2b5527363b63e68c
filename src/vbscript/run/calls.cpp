#include "argument_binding.h"
#include "executor.h"
#include "executor_inline.h"

#include "library/builtins.h"
#include "library/builtins_eval.h"
#include "limits/script_limits.h"
#include "values/small_variants.h"

#include <algorithm>
#include <vector>

// Calls: of script procedures (their arguments bound to the parameters by ArgumentBinder), of
// built-ins, and call statements.

namespace vbs {

// Call f(x) or f x. Call CInt(x) and the
// other numeric and date conversions fail once the conversion itself succeeded: their result is of
// a type a Call statement does not accept.
Outcome Executor::execCallStatement(const CallStmt& s) {
    const Outcome outcome = execCall(*s.target);
    if (outcome == Outcome::Normal && s.callKeyword && s.target->kind == ExprKind::Name &&
        s.target->scope == Scope::Builtin && callRefusesResult(s.target->index)) {
        return Outcome::UnsupportedAutomationType;
    }
    return outcome;
}

Outcome Executor::execCall(const Expr& target) {
    if (target.kind == ExprKind::Member) {
        Variant ignored;
        return evalMember(target, MemberAccess::Call, ignored);
    }
    if (target.kind == ExprKind::Name && target.scope == Scope::Member) {
        Variant ignored;
        return invokeOwnMember(target.index, MemberAccess::Call, target.args, ignored);
    }
    if (target.kind == ExprKind::Call) {
        Variant ignored;
        return evalCallExpr(target, ignored);
    }
    if (target.kind != ExprKind::Name) {
        return Outcome::ExpectedStatement;
    }
    switch (target.scope) {
    case Scope::Global: {
        const GlobalEntry& g = *target.global;
        if (g.kind == GlobalEntry::Kind::Procedure) {
            return callScriptSub(*g.proc, target.args);
        }
        break;
    }
    case Scope::Builtin: {
        Variant ignored;
        return callBuiltin(target.index, target.args, 0, ignored);
    }
    case Scope::Undefined:
        return Outcome::VariableUndefined;
    default:
        break;
    }
    // A variable called like a procedure ("o 1", "o(1)", "Call o(1)"): an object's default
    // member, or the procedure GetRef named, takes the arguments; anything else is no procedure.
    const Variant* held = resolve<NameUse::Read>(target, target.scope);
    if (held && held->isObject()) {
        Variant object = *held;
        Variant ignored;
        return applyArguments(object, target.args, 0, ignored);
    }
    return Outcome::TypeMismatch;
}

namespace {

// Counts a procedure's calls under way from before its arguments run: one of them may Execute
// a new definition of the procedure, which must then keep the running one alive.
class Running {
public:
    explicit Running(const Procedure& p) : proc_(p) { ++proc_.running; }
    ~Running() { --proc_.running; }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

private:
    const Procedure& proc_;
};

} // namespace

// A call starts, once its procedure accepts its arguments from here (ArgumentBinder::accepts),
// within the time limit (a call is a step, so recursion without loops times out too), and below
// the nesting limit, which gives "Out of stack space" before the thread's stack runs out.
inline Outcome Executor::callMayStart() {
    VBS_TRY(countStep());
    if (callDepth_ >= limits::kMaxCallDepth || stack_.exhausted()) {
        return Outcome::OutOfStack;
    }
    return Outcome::Normal;
}

// The body runs in a frame of its own: it sees its slots, its instance (Me) and only the With
// blocks it opens itself; On Error Resume Next starts off in every call. Always inline into
// runCall: as a call of its own, fib22 of bench/instruction_counts.sh takes 3.6 % more
// instructions and method22 2.4 % more (measured with ArgumentBinder::bind inlined).
[[gnu::always_inline]] inline Outcome Executor::runBody(const Procedure& p, Variant** slots,
                                                        ClassInstance* me) {
    Frame f;
    f.proc = &p;
    f.slots = slots;
    f.me = me;
    f.withBase = withObjects_.size();
    Frame* caller = frame_;
    enterFrame(f);
    ++callDepth_;
    const Outcome outcome = runStatements(p.body);
    --callDepth_;
    enterFrame(*caller);
    return outcome;
}

// A procedure's call: it may start, its arguments are bound, its body runs, its result is
// handed over. Inlined into each entry below. This attribute and callBuiltinInGeneral's are
// measured together: without both, fib22 of bench/instruction_counts.sh takes 4.6 % more
// instructions and method22 1.4 % more.
[[gnu::always_inline]] inline Outcome
Executor::runCall(const Procedure& p, const std::vector<ExprPtr>& args, std::size_t first,
                  Variant* out, ClassInstance* me, const Variant* assigned, const Expr* site) {
    const auto failed = [&](Outcome failure) {
        return site ? noteFailurePlace(*site, failure) : failure;
    };
    const std::size_t given = args.size() - first;
    Outcome start = ArgumentBinder::accepts(p, given + (assigned ? 1 : 0), *frame_);
    if (start == Outcome::Normal) {
        start = callMayStart();
    }
    if (start != Outcome::Normal) {
        return failed(start);
    }
    const Running running(p);
    CallSlots<8> frameSlots(static_cast<std::size_t>(p.slotCount));
    Variant* storage = frameSlots.values();
    Variant** slots = frameSlots.slots();
    ArgumentBinder binder(*this);
    // The value a Property Let or Set receives is its last parameter.
    if (assigned) {
        storage[given] = *assigned;
    }
    for (std::size_t i = 0; i < given; ++i) {
        if (const Outcome bound =
                binder.bind(p.params[i].byRef, *args[first + i], i, storage[i], slots[i]);
            bound != Outcome::Normal) {
            return failed(bound);
        }
    }
    for (const auto& [slot, value] : p.constants) {
        storage[slot] = value;
    }
    const Outcome body = runBody(p, slots, me);
    Outcome failure = binder.finish(storage);
    if (failure == Outcome::Normal && isError(body)) {
        failure = body;
    }
    if (failure != Outcome::Normal) {
        // The body may come from an earlier source: the call is what the caller's source shows.
        errors_.expressionPos = kNoPosition;
        return failed(failure);
    }
    // Moved straight into `out`: a conditional expression would first build a temporary.
    if (out && p.isFunction) {
        *out = std::move(storage[p.resultSlot]);
    } else if (out) {
        *out = Variant();
    }
    return Outcome::Normal;
}

Outcome Executor::callProcedure(const Procedure& p, const std::vector<ExprPtr>& args,
                                std::size_t first, Variant* out, ClassInstance* me,
                                const Variant* assigned, const Expr* site) {
    return runCall(p, args, first, out, me, assigned, site);
}

Outcome Executor::callScriptFunction(const Procedure& p, const Expr& site, Variant& out) {
    return runCall(p, site.args, 0, &out, nullptr, nullptr, &site);
}

Outcome Executor::callScriptSub(const Procedure& p, const std::vector<ExprPtr>& args) {
    return runCall(p, args, 0, nullptr, nullptr, nullptr, nullptr);
}

Outcome Executor::callMethod(const Procedure& p, const std::vector<ExprPtr>& args,
                             std::size_t first, ClassInstance& me, Variant& out) {
    return runCall(p, args, first, &out, &me, nullptr, nullptr);
}

Outcome Executor::callOwnMethod(const Procedure& p, const Expr& site, ClassInstance& me,
                                Variant& out) {
    return runCall(p, site.args, 0, &out, &me, nullptr, &site);
}

Outcome Executor::callMethodAt(const Procedure& p, const Expr& site, ClassInstance& me,
                               Variant& out) {
    return runCall(p, site.args, 1, &out, &me, nullptr, &site);
}

// The code of a name that calls a built-in (Sqr(i)): a count checked when the source was read,
// and an argument that lies in place, leave the built-in alone to call.
Outcome Executor::evalBuiltinOperand(const Expr& e, Variant& out) {
    VBS_TRY(evaluationMayStart());
    const Variant* value = e.builtinOnOneValue ? argumentInPlace(*e.args[0], out) : nullptr;
    return withFailurePlace(e, value ? builtinAt(e.index).fn(rt_, value, 1, out)
                                     : callBuiltin(e.index, e.args, 0, out));
}

// Sqr(i): a built-in given one literal or plain variable reads it where it lies, with no copy
// and no dispatch through eval. Built-ins other than Eval, Execute and GetRef only read their
// arguments and cannot run script, so the value cannot change under them. An object (which
// stands for its default value) and a result that would land on the argument itself go the
// general way.
const Variant* Executor::argumentInPlace(const Expr& argument, const Variant& out) const {
    const Variant* value = valueInPlace(argument);
    return value && value != &out && !value->isObject() ? value : nullptr;
}

// The common call, one argument lying in place, is a leaf that sets up no argument storage;
// the rest goes out of line to callBuiltinInGeneral.
Outcome Executor::callBuiltin(int index, const std::vector<ExprPtr>& args, std::size_t first,
                              Variant& out) {
    const BuiltinInfo& info = builtinAt(index);
    const std::size_t n = args.size() - first;
    if (n < info.minArgs || n > info.maxArgs) {
        return Outcome::WrongArgCount;
    }
    if (n == 1 && scriptBuiltin(info.fn) == ScriptBuiltin::None && !readsElementValues(info.fn)) {
        if (const Variant* value = argumentInPlace(*args[first], out)) {
            return info.fn(rt_, value, 1, out);
        }
    }
    return callBuiltinInGeneral(index, args, first, out);
}

// Arguments evaluated into copies, objects replaced by their default values where the
// built-in wants values; the count has been checked. Its noinline is measured with runCall's
// always_inline (see there).
[[gnu::noinline]] Outcome Executor::callBuiltinInGeneral(int index,
                                                         const std::vector<ExprPtr>& args,
                                                         std::size_t first, Variant& out) {
    const BuiltinInfo& info = builtinAt(index);
    const std::size_t n = args.size() - first;
    // Most calls have few arguments: they stay on the stack.
    SmallVariants<4> argv(n);
    std::uint32_t leftOut = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (args[first + i]->leftOut && i < std::size_t{Runtime::kMarkedArguments}) {
            leftOut |= 1U << i;
        }
        VBS_TRY(eval(*args[first + i], argv[i]));
        if (argv[i].isObject()) {
            const ObjectData* o = argv[i].objectPtr();
            const bool asIs =
                inspectsObjects(index) && !(readsDefaultType(index) && o &&
                                            o->defaultMember() >= 0 && !o->defaultNeedsIndex());
            if (!asIs) {
                VBS_TRY(toValue(argv[i]));
            }
        }
    }
    if (const ScriptBuiltin which = scriptBuiltin(info.fn); which != ScriptBuiltin::None) {
        return callScriptBuiltin(which, argv[0], out);
    }
    if (n > 0 && argv[0].isArray() && readsElementValues(info.fn)) {
        VBS_TRY(elementValues(argv[0]));
    }
    rt_.leftOutArguments = leftOut;
    const Outcome outcome = info.fn(rt_, argv.data(), static_cast<int>(n), out);
    rt_.leftOutArguments = 0;
    return outcome;
}

// The objects among an array's elements replaced by their default values, in a copy (the
// caller's array keeps its objects): an object without one fails as it does as an argument.
Outcome Executor::elementValues(Variant& array) {
    const std::vector<Variant>& items = array.asArray()->items;
    if (std::none_of(items.begin(), items.end(), [](const Variant& v) { return v.isObject(); })) {
        return Outcome::Normal;
    }
    array = array.copied();
    for (Variant& item : array.asArray()->items) {
        if (item.isObject()) {
            VBS_TRY(toValue(item));
        }
    }
    return Outcome::Normal;
}

} // namespace vbs
