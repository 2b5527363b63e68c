#include "executor.h"
#include "executor_inline.h"
#include "library/builtins.h"
#include "library/builtins_eval.h"
#include "limits/script_limits.h"
#include "values/operators.h"
#include "values/small_variants.h"

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

namespace vbs {

// The rarer kinds of expression have functions of their own.
Outcome Executor::evalUnary(const Expr& e, Variant& out) {
    Variant v;
    VBS_TRY(eval(*e.args[0], v));
    Outcome o = v.isObject() ? toValue(v) : Outcome::Normal;
    if (o == Outcome::Normal) {
        o = unaryOp(e.unaryOp, v, rt_.locale, out);
    }
    return withFailurePlace(e, o);
}

Outcome Executor::evalMe(Variant& out) {
    out = Variant::object(frame_->me->shared_from_this());
    return Outcome::Normal;
}

Outcome Executor::noteFailurePlace(const Expr& e, Outcome failure) {
    // A time-out stops wherever the run happens to be: that spot is no fault of the source.
    if (failedExpressionPos_ == kNoPosition && catchable(failure)) {
        failedExpressionPos_ = e.pos;
    }
    return failure;
}

// The code of a name that calls a built-in (Sqr(i)): a count checked when the source was read,
// and an argument that lies in place, leave the built-in alone to call.
Outcome Executor::evalBuiltinOperand(const Expr& e, Variant& out) {
    VBS_TRY(evaluationMayStart());
    const Variant* value = e.builtinOnOneValue ? argumentInPlace(*e.args[0], out) : nullptr;
    return withFailurePlace(e, value ? builtinAt(e.index).fn(rt_, value, 1, out)
                                     : callBuiltin(e.index, e.args, 0, out));
}

// Text compared with a number written in the source is read as a number ("10" < 9 is False,
// as 10 < 9), where a comparison of two variables would compare text with text. Only the first
// operand of a run is the source's own; later left sides are results.
void Executor::readTextAsNumber(const Expr& e, std::size_t i, Operands& operands) {
    if (!operands.left->isString() && !operands.right->isString()) {
        return;
    }
    const Expr& l = *e.args[i];
    const Expr& r = *e.args[i + 1];
    const bool leftLiteral =
        i == 0 && l.kind == ExprKind::Literal && isNumericLiteralValue(l.value);
    const bool rightLiteral = r.kind == ExprKind::Literal && isNumericLiteralValue(r.value);
    operands.left = &literalComparand(*operands.left, rightLiteral, rt_.locale, operands.leftText);
    operands.right =
        &literalComparand(*operands.right, leftLiteral, rt_.locale, operands.rightText);
}

// The general rules of every binary operator.
Outcome Executor::applyBinary(const Expr& e, std::size_t i, const Variant* left,
                              const Variant* right, Variant& out) {
    const BinaryOp op = e.ops[i];
    Operands operands{left, right, {}, {}};
    if (op != BinaryOp::Is) {
        VBS_TRY(operandValue(operands.left, operands.leftText));
        VBS_TRY(operandValue(operands.right, operands.rightText));
    }
    if (isComparison(op)) {
        readTextAsNumber(e, i, operands);
    }
    // Conversions give new operands, which the fast path has not seen yet.
    if ((operands.left != left || operands.right != right) &&
        fastBinaryOp(op, *operands.left, *operands.right, out)) {
        return Outcome::Normal;
    }
    Variant result;
    VBS_TRY(generalBinaryOp(op, *operands.left, *operands.right, rt_.locale, rt_.budget, result));
    out = std::move(result);
    return Outcome::Normal;
}

Outcome Executor::evalCondition(const Expr& e, bool& out) {
    Variant v;
    VBS_TRY(evalValue(e, v));
    if (v.type() == VarType::Boolean) { // a comparison's result: the common case
        out = v.asBool();
        return Outcome::Normal;
    }
    if (v.isNull()) {
        out = false; // Null acts as False in If, While and Do
        return Outcome::Normal;
    }
    if (Outcome ec = toBool(v, rt_.locale, out); ec != Outcome::Normal) {
        return ec == Outcome::InvalidNull ? Outcome::TypeMismatch : ec;
    }
    return Outcome::Normal;
}

Outcome Executor::evalOperatorRun(const Expr& e, Variant& out) {
    // The left side is the result so far.
    Variant acc;
    const Variant* left = nullptr;
    VBS_TRY(operand(*e.args[0], acc, left));
    Variant rightValue;
    Variant result;
    for (std::size_t i = 0; i < e.ops.size(); ++i) {
        const Variant* right = nullptr;
        VBS_TRY(operand(*e.args[i + 1], rightValue, right));
        VBS_TRY(countStep());
        // A run of joins grows the first text in place.
        if (e.ops[i] == BinaryOp::Concat && left == &acc && acc.isString() && !acc.isShared() &&
            !right->isObject()) {
            VBS_TRY(appendConcatenation(acc, *right, rt_.locale, rt_.budget));
            continue;
        }
        if (!fastBinaryOp(e.ops[i], *left, *right, result)) {
            VBS_TRY(applyBinary(e, i, left, right, result));
        }
        acc = std::move(result);
        left = &acc;
    }
    out = std::move(acc);
    return Outcome::Normal;
}

// An operator other than Is works on an object's default value: an object operand is replaced
// by that value, held in `holder` (which may already hold the operand).
Outcome Executor::operandValue(const Variant*& operand, Variant& holder) {
    if (!operand->isObject()) {
        return Outcome::Normal;
    }
    if (operand != &holder) {
        holder = *operand;
    }
    VBS_TRY(toValue(holder));
    operand = &holder;
    return Outcome::Normal;
}

Outcome Executor::evalName(const Expr& e, Variant& out) {
    const Variant* value = nullptr;
    switch (e.scope) {
    case Scope::Local:
        value = frame_->slots[e.index];
        break;
    case Scope::Global: {
        const GlobalEntry& g = *e.global;
        if (g.kind == GlobalEntry::Kind::Procedure) {
            return callProcedure(*g.proc, e.args, 0, &out);
        }
        value = &g.value;
        break;
    }
    case Scope::Builtin:
        return callBuiltin(e.index, e.args, 0, out);
    case Scope::Member:
        return evalClassName(e, out);
    case Scope::Undefined:
        return Outcome::VariableUndefined;
    case Scope::Unresolved:
        return Outcome::SyntaxError;
    }
    if (!e.hasParens || (e.args.empty() && value->isArray())) {
        out = *value;
        return Outcome::Normal;
    }
    return evalApplied(e, *value, out);
}

// Kept out of evalName, whose plain-variable and call paths are the hot ones.
Outcome Executor::evalClassName(const Expr& e, Variant& out) {
    ClassInstance& me = *frame_->me;
    const ClassMember& m = me.def().members[static_cast<std::size_t>(e.index)];
    if (m.field < 0) {
        return invokeClassMember(me, e.index, MemberAccess::Get, e.args, 0, out);
    }
    const Variant& value = me.fields[static_cast<std::size_t>(m.field)];
    if (!e.hasParens || (e.args.empty() && value.isArray())) {
        out = value;
        return Outcome::Normal;
    }
    return evalApplied(e, value, out);
}

Outcome Executor::evalApplied(const Expr& e, const Variant& value, Variant& out) {
    // name(...) on an object calls its default member with the arguments.
    if (value.isObject()) {
        Variant object = value;
        return applyArguments(object, e.args, 0, out);
    }
    // name(...) on a variable that holds no array: VBScript takes it for a call of an
    // unknown function.
    if (!value.isArray()) {
        return Outcome::TypeMismatch;
    }
    // element() evaluates the subscripts first; the variable itself never moves.
    Variant* item = nullptr;
    VBS_TRY(element(const_cast<Variant&>(value), e.args, 0, item));
    out = *item;
    return Outcome::Normal;
}

Outcome Executor::variable(const Expr& name, Variant*& place) {
    if ((place = resolve(name))) {
        return Outcome::Normal;
    }
    return name.scope == Scope::Undefined ? Outcome::VariableUndefined : Outcome::IllegalAssignment;
}

Outcome Executor::subscripts(const std::vector<ExprPtr>& args, std::int32_t* index,
                             std::size_t first) {
    if (args.size() - first > static_cast<std::size_t>(limits::kMaxDimensions)) {
        return Outcome::SubscriptOutOfRange;
    }
    for (std::size_t d = 0; d < args.size() - first; ++d) {
        Variant v;
        VBS_TRY(eval(*args[first + d], v));
        VBS_TRY(toLong(v, rt_.locale, index[d]));
    }
    return Outcome::Normal;
}

Variant* Executor::elementAt(Variant& array, const std::int32_t* index, std::size_t count) {
    if (!array.isArray()) {
        return nullptr;
    }
    ArrayData& a = *array.asArray();
    if (a.bounds.size() != count) {
        return nullptr;
    }
    std::size_t flat = 0;
    std::size_t stride = 1;
    for (std::size_t d = 0; d < count; ++d) {
        if (index[d] < 0 || index[d] > a.bounds[d].upper) {
            return nullptr;
        }
        flat += static_cast<std::size_t>(index[d]) * stride;
        stride *= static_cast<std::size_t>(a.bounds[d].count());
    }
    return &a.items[flat];
}

Outcome Executor::element(Variant& array, const std::vector<ExprPtr>& args, std::size_t first,
                          Variant*& place) {
    std::int32_t index[limits::kMaxDimensions];
    VBS_TRY(subscripts(args, index, first));
    if (!array.isArray()) {
        return Outcome::TypeMismatch;
    }
    place = elementAt(array, index, args.size() - first);
    return place ? Outcome::Normal : Outcome::SubscriptOutOfRange;
}

Outcome Executor::writeBack(std::vector<ElementArgument>& elements, Variant* storage) {
    for (ElementArgument& arg : elements) {
        // The call may have resized or replaced the array: an element that is gone stays gone.
        Variant* item = elementAt(*arg.array, arg.index, arg.count);
        if (!item) {
            continue;
        }
        Variant& value = storage[arg.slot];
        if (value.isArray()) {
            VBS_TRY(limits::checkArrayElement(value));
            ArrayData& holder = *arg.array->asArray();
            holder.depth = std::max(holder.depth, value.nestingDepth() + 1);
        }
        *item = std::move(value);
    }
    return Outcome::Normal;
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

// A call starts only with as many arguments as the procedure has parameters, within the time
// limit (a call is a step, so recursion without loops times out too), and below the nesting
// limit, which gives "Out of stack space" before the thread's stack runs out.
inline Outcome Executor::callMayStart(const Procedure& p, std::size_t given) {
    if (given != p.params.size()) {
        return Outcome::WrongArgCount;
    }
    VBS_TRY(countStep());
    if (callDepth_ >= limits::kMaxCallDepth || stack_.exhausted()) {
        return Outcome::OutOfStack;
    }
    return Outcome::Normal;
}

// One argument into parameter slot `slot`. A plain variable given to a ByRef parameter is
// shared: `where` points the slot at it. An element of an array variable given ByRef is copied
// in and written back after the call (writeBack). Anything else (an expression, a name in
// parentheses, a ByVal parameter) is evaluated into `value`, the slot's own storage; an array
// is copied there, as arrays are values.
inline Outcome Executor::bindArgument(bool byRef, const Expr& a, std::size_t slot, Variant& value,
                                      Variant*& where, std::vector<ElementArgument>& elements) {
    Variant* variable =
        byRef && a.kind == ExprKind::Name && !a.parenthesized ? resolve(a) : nullptr;
    if (variable && !a.hasParens) {
        where = variable;
        return Outcome::Normal;
    }
    if (variable && !a.args.empty() && variable->isArray()) {
        return bindElement(*variable, a.args, slot, value, elements);
    }
    VBS_TRY(eval(a, value));
    if (value.isArray()) {
        value = value.copied();
    }
    return Outcome::Normal;
}

// a(i) given to a ByRef parameter: the element's value is copied into the slot, and where it
// lies is kept so that writeBack can put the slot's final value there.
Outcome Executor::bindElement(Variant& array, const std::vector<ExprPtr>& subscriptArgs,
                              std::size_t slot, Variant& value,
                              std::vector<ElementArgument>& elements) {
    ElementArgument& arg = elements.emplace_back();
    arg.array = &array;
    arg.slot = slot;
    arg.count = subscriptArgs.size();
    VBS_TRY(subscripts(subscriptArgs, arg.index));
    const Variant* item = elementAt(array, arg.index, arg.count);
    if (!item) {
        return Outcome::SubscriptOutOfRange;
    }
    value = item->isArray() ? item->copied() : *item;
    return Outcome::Normal;
}

// The body runs in a frame of its own: it sees its slots, its instance (Me) and only the With
// blocks it opens itself; On Error Resume Next starts off in every call.
inline Outcome Executor::runBody(const Procedure& p, Variant** slots, ClassInstance* me) {
    Frame f;
    f.proc = &p;
    f.slots = slots;
    f.me = me;
    f.withBase = withObjects_.size();
    Frame* caller = frame_;
    frame_ = &f;
    ++callDepth_;
    const Outcome outcome = runStatements(p.body);
    --callDepth_;
    frame_ = caller;
    return outcome;
}

// A procedure's call: it may start, its arguments are bound, its body runs, its result is
// handed over. Inlined into each entry below. This attribute and callBuiltinInGeneral's are
// measured together: without both, fib22 of bench/instruction_counts.sh takes 7.5 % fewer
// instructions and method22 6.7 % fewer; kept while the counts are held to today's.
[[gnu::always_inline]] inline Outcome
Executor::runCall(const Procedure& p, const std::vector<ExprPtr>& args, std::size_t first,
                  Variant* out, ClassInstance* me, const Variant* assigned, const Expr* site) {
    const auto failed = [&](Outcome failure) {
        return site ? noteFailurePlace(*site, failure) : failure;
    };
    const std::size_t given = args.size() - first;
    if (const Outcome start = callMayStart(p, given + (assigned ? 1 : 0));
        start != Outcome::Normal) {
        return failed(start);
    }
    const Running running(p);
    CallSlots<8> frameSlots(static_cast<std::size_t>(p.slotCount));
    Variant* storage = frameSlots.values();
    Variant** slots = frameSlots.slots();
    std::vector<ElementArgument> elements;
    if (assigned) {
        storage[given] = *assigned;
    }
    for (std::size_t i = 0; i < given; ++i) {
        if (const Outcome bound = bindArgument(p.params[i].byRef, *args[first + i], i, storage[i],
                                               slots[i], elements);
            bound != Outcome::Normal) {
            return failed(bound);
        }
    }
    for (const auto& [slot, value] : p.constants) {
        storage[slot] = value;
    }
    const Outcome body = runBody(p, slots, me);
    // Most calls pass no array element ByRef: skip the call to writeBack for them.
    Outcome failure = elements.empty() ? Outcome::Normal : writeBack(elements, storage);
    if (failure == Outcome::Normal && isError(body)) {
        failure = body;
    }
    if (failure != Outcome::Normal) {
        // The body may come from an earlier source: the call is what the caller's source shows.
        failedExpressionPos_ = kNoPosition;
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
    if (n == 1 && scriptBuiltin(info.fn) == ScriptBuiltin::None) {
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
    for (std::size_t i = 0; i < n; ++i) {
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
    return info.fn(rt_, argv.data(), static_cast<int>(n), out);
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
    std::int32_t number = 0;
    VBS_TRY(toLong(args[0], rt_.locale, number));
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
        VBS_TRY(toText(args[i], rt_.locale, texts[i - 1]));
    }
    std::int32_t helpContext = held.helpContext;
    if (argc == 5 && !args[4].isEmpty()) {
        VBS_TRY(toLong(args[4], rt_.locale, helpContext));
    }
    return raise(ErrState{number, texts[1].empty() ? errorText(number) : std::move(texts[1]),
                          texts[0].empty() ? kRuntimeSource : std::move(texts[0]),
                          std::move(texts[2]), helpContext});
}

} // namespace vbs
