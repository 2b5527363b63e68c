#include "executor.h"
#include "executor_inline.h"

#include "builtins.h"
#include "memory_budget.h"
#include "operators.h"
#include "script_limits.h"

#include <algorithm>
#include <ctime>

namespace vbs {

Executor::Executor(Runtime& runtime, GlobalTable& globals)
    : rt_(runtime), globals_(globals), heap_(*runtime.objects) {}

void Executor::begin(std::chrono::steady_clock::time_point deadline, std::uintptr_t stackEnd) {
    deadline_ = deadline;
    rt_.deadline = deadline;
    ticks_ = 0;
    callDepth_ = 0;
    stack_.reset(stackEnd);
    stackEnd_ = stackEnd;
    topFrame_ = Frame{};
    frame_ = &topFrame_;
    withObjects_.clear();
    errNumber_ = 0;
    errDescription_.clear();
    failedExpressionPos_ = kNoPosition;
}

bool Executor::runBlock(const Block& block) {
    return execBlock(block) != Flow::Error;
}

bool Executor::evaluate(const Expr& e, Variant& out) {
    return eval(e, out);
}

namespace {

const char16_t* const kRuntimeSource = u"Microsoft VBScript runtime error";

} // namespace

bool Executor::raise(ErrorCode code) {
    return raise(static_cast<int>(code),
                 code == ErrorCode::Timeout ? timeoutText_ : errorText(static_cast<int>(code)));
}

bool Executor::raise(int number, std::u16string description) {
    errNumber_ = number;
    errDescription_ = std::move(description);
    errSource_ = kRuntimeSource;
    errHelpFile_.clear();
    errHelpContext_ = 0;
    return false;
}

bool Executor::resumeAfterError() {
    if (!frame_->resumeNext || !catchable()) {
        return false;
    }
    rt_.err = ErrState{errNumber_, errDescription_, errSource_, errHelpFile_, errHelpContext_};
    failedExpressionPos_ = kNoPosition; // the next failure is marked where it happens
    return true;
}

Flow Executor::runOnceAfterHeaderError(const Block& body, Flow ownExit) {
    const Flow f = execBlock(body);
    return f == ownExit ? Flow::Normal : f;
}

bool Executor::clockStillRunning() {
    ticks_ = 0;
    if (std::chrono::steady_clock::now() < deadline_) {
        return true;
    }
    return raise(ErrorCode::Timeout);
}

Flow Executor::execBlock(const Block& block) {
    return runStatements(block);
}

// Call f(x) or f x. Call CInt(x) and the
// other numeric and date conversions fail once the conversion itself succeeded: their result is of
// a type a Call statement does not accept.
[[gnu::noinline]] Flow Executor::execCallStatement(const CallStmt& s) {
    const Flow flow = execCall(*s.target);
    if (flow == Flow::Normal && s.callKeyword && s.target->kind == ExprKind::Name &&
        s.target->scope == Scope::Builtin && callRefusesResult(s.target->index)) {
        return failWith(ErrorCode::UnsupportedAutomationType);
    }
    return flow;
}

// On Error Resume Next or On Error GoTo 0: either one turns resuming on or off for the running
// procedure only, and clears Err.
Flow Executor::execOnError(bool resumeNext) {
    frame_->resumeNext = resumeNext;
    rt_.err = ErrState{};
    return Flow::Normal;
}

// Randomize n seeds the generator from n; Randomize alone from the seconds since midnight.
Flow Executor::execRandomize(const RandomizeStmt& s) {
    if (s.seed) {
        Variant v;
        double seed = 0;
        if (!eval(*s.seed, v)) {
            return Flow::Error;
        }
        if (!succeeded(toDouble(v, rt_.locale, seed))) {
            return Flow::Error;
        }
        rt_.rnd.randomize(seed);
    } else {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        rt_.rnd.randomizeFromTimer(
            static_cast<float>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec));
    }
    return Flow::Normal;
}

Flow Executor::execAssign(const AssignStmt& s) {
    if (s.joinsOntoTarget) {
        if (Variant* text = textAppendedTo(s)) {
            return execAppend(*s.value, *text);
        }
    }
    Variant value;
    if (!eval(*s.value, value)) {
        return Flow::Error;
    }
    const Expr& target = *s.target;
    if (s.kind == StmtKind::Assign && target.kind == ExprKind::Name && !target.hasParens &&
        !value.isArray() && !value.isObject()) {
        // A number or text into a plain variable: nothing to check or copy.
        if (target.scope == Scope::Local) {
            *frame_->slots[target.index] = std::move(value);
            return Flow::Normal;
        }
        if (target.scope == Scope::Global && target.global->kind == GlobalEntry::Kind::Variable) {
            target.global->value = std::move(value);
            return Flow::Normal;
        }
    }
    return assignInGeneral(s, value);
}

// Everything but a plain value into a plain variable: objects, Set, arrays, elements,
// properties. Kept apart so that the plain case stays short.
Flow Executor::assignInGeneral(const AssignStmt& s, Variant& value) {
    const Expr& target = *s.target;
    const bool isSet = s.kind == StmtKind::Set;
    if (value.isObject()) {
        // Without Set an object stands for the value of its default member (also for a
        // property's Let); Nothing has none.
        if (!isSet && !toValue(value)) {
            return Flow::Error;
        }
    } else if (isSet) {
        return failWith(ErrorCode::ObjectRequired);
    }
    if (target.kind == ExprKind::Name && !target.hasParens && !value.isArray()) {
        if (target.scope == Scope::Local) {
            *frame_->slots[target.index] = std::move(value);
            return Flow::Normal;
        }
        if (target.scope == Scope::Global && target.global->kind == GlobalEntry::Kind::Variable) {
            target.global->value = std::move(value);
            return Flow::Normal;
        }
    }
    const bool toProperty =
        target.kind == ExprKind::Member ||
        (target.scope == Scope::Member &&
         frame_->me->def().members[static_cast<std::size_t>(target.index)].field < 0);
    if (toProperty) {
        return assignMember(target, isSet ? MemberAccess::Set : MemberAccess::Let, value)
                   ? Flow::Normal
                   : Flow::Error;
    }
    if (target.kind == ExprKind::Call) {
        return assignNested(target, value);
    }
    if (target.kind != ExprKind::Name) {
        return failWith(ErrorCode::IllegalAssignment);
    }
    return assignToName(target, isSet ? MemberAccess::Set : MemberAccess::Let, value);
}

Flow Executor::assignToName(const Expr& target, MemberAccess access, Variant& value) {
    Variant* dst = variable(target);
    if (!dst) {
        return Flow::Error;
    }
    if (target.hasParens && dst->isObject()) {
        return assignDefaultMember(*dst, target.args, access, value);
    }
    if (target.hasParens) {
        Variant* array = dst;
        dst = element(*array, target.args);
        if (!dst) {
            return Flow::Error;
        }
        if (value.isArray()) {
            if (!succeeded(limits::checkArrayElement(value))) {
                return Flow::Error;
            }
            ArrayData& holder = *array->asArray();
            holder.depth = std::max(holder.depth, value.nestingDepth() + 1);
        }
    }
    // A fresh array (a function's result, Array(...)) is taken as it is; one that is still
    // held elsewhere is copied, as VBScript arrays are values.
    if (value.isArray() && value.isShared()) {
        if (!rt_.budget->allows(value.asArray()->items.size() * sizeof(Variant))) {
            return failWith(ErrorCode::OutOfMemory);
        }
        value = value.copied();
    }
    *dst = std::move(value);
    return Flow::Normal;
}

// o(i) = v assigns through the object's default member, with i as its argument.
Flow Executor::assignDefaultMember(const Variant& holder, const std::vector<ExprPtr>& args,
                                   MemberAccess access, Variant& value) {
    const Variant object = holder; // the assignment may replace what the variable holds
    ObjectData* o = object.objectPtr();
    if (!o) {
        return failWith(ErrorCode::ObjectNotSet);
    }
    if (o->defaultMember() < 0) {
        return failWith(ErrorCode::NoSuchMember);
    }
    return invokeMember(*o, o->defaultMember(), access, args, 0, value) ? Flow::Normal
                                                                        : Flow::Error;
}

Flow Executor::execCall(const Expr& target) {
    if (target.kind == ExprKind::Member) {
        Variant ignored;
        return evalMember(target, MemberAccess::Call, ignored) ? Flow::Normal : Flow::Error;
    }
    if (target.kind == ExprKind::Name && target.scope == Scope::Member) {
        Variant ignored;
        return invokeClassMember(*frame_->me, target.index, MemberAccess::Call, target.args, 0,
                                 ignored)
                   ? Flow::Normal
                   : Flow::Error;
    }
    if (target.kind == ExprKind::Call) {
        Variant ignored;
        return evalCallExpr(target, ignored) ? Flow::Normal : Flow::Error;
    }
    if (target.kind != ExprKind::Name) {
        return failWith(ErrorCode::ExpectedStatement);
    }
    switch (target.scope) {
    case Scope::Global: {
        const GlobalEntry& g = *target.global;
        if (g.kind == GlobalEntry::Kind::Procedure) {
            return callScriptSub(*g.proc, target.args) ? Flow::Normal : Flow::Error;
        }
        break;
    }
    case Scope::Builtin: {
        Variant ignored;
        return callBuiltin(target.index, target.args, 0, ignored) ? Flow::Normal : Flow::Error;
    }
    case Scope::Undefined:
        return failWith(ErrorCode::VariableUndefined);
    default:
        break;
    }
    // A variable called like a procedure ("o 1", "o(1)", "Call o(1)"): an object's default
    // member, or the procedure GetRef named, takes the arguments; anything else is no procedure.
    if (target.scope == Scope::Local || target.scope == Scope::Global) {
        const Variant& held =
            target.scope == Scope::Local ? *frame_->slots[target.index] : target.global->value;
        if (held.isObject()) {
            Variant object = held;
            Variant ignored;
            return applyArguments(object, target.args, 0, ignored) ? Flow::Normal : Flow::Error;
        }
    }
    return failWith(ErrorCode::TypeMismatch);
}

// A branch of If or Select Case: its end is the end of the statement that holds it, so a lone
// statement in it needs no block of its own. What its block would do after it (end released
// objects, resume after an error, note where the error lies) the enclosing block does at the
// same point.
Flow Executor::execBranch(const Block& branch) {
    return branch.size() == 1 ? branch[0]->code(*this, *branch[0]) : execBlock(branch);
}

Flow Executor::execIf(const IfStmt& s) {
    for (std::size_t i = 0; i < s.conds.size(); ++i) {
        bool taken = false;
        if (!ifCondition(*s.conds[i], taken)) {
            return Flow::Error;
        }
        if (taken) {
            return execBranch(s.blocks[i]);
        }
    }
    return execBranch(s.elseBlock);
}

namespace {

// For's start, limit and step are numbers: text becomes Double, Boolean and Empty Integer.
ErrorCode forValue(const Variant& v, const NumberLocale& locale, Variant& out) {
    switch (v.type()) {
    case VarType::String: {
        double d = 0;
        VBS_TRY(toDouble(v, locale, d));
        out = Variant::dbl(d);
        return ErrorCode::None;
    }
    case VarType::Boolean:
    case VarType::Empty:
        out = Variant::integer(static_cast<std::int16_t>(v.isEmpty() ? 0 : v.asInt()));
        return ErrorCode::None;
    case VarType::Null:
        return ErrorCode::InvalidNull;
    default:
        if (!isNumericType(v.type())) {
            return ErrorCode::TypeMismatch;
        }
        out = v;
        return ErrorCode::None;
    }
}

} // namespace

// For counter = start To limit Step step. VBScript evaluates start, limit and step once, before
// the first pass: changing the variables they came from inside the body changes nothing. The
// step's sign, fixed then, decides the test: the body runs while counter <= limit for a step of
// zero or more, while counter >= limit for a negative one. After each pass the step is added to
// the counter variable itself, so the body may also move the counter.
Flow Executor::execFor(const ForStmt& s) {
    Variant start;
    Variant limit;
    Variant step = Variant::integer(1);
    if (!forBound(*s.start, start) || !forBound(*s.limit, limit) ||
        (s.step && !forBound(*s.step, step))) {
        if (!resumeAfterError()) {
            return Flow::Error;
        }
        // The body runs once; then Next finds no loop to continue.
        const Flow f = runOnceAfterHeaderError(s.body, Flow::ExitFor);
        return f != Flow::Normal ? f : failWith(ErrorCode::ForNotInitialized);
    }
    Variant* var = variable(*s.target);
    if (!var) {
        return Flow::Error;
    }
    *var = start;
    return runForPasses(s.body, *var, std::move(limit), std::move(step));
}

bool Executor::forBound(const Expr& e, Variant& out) {
    Variant raw;
    if (!eval(e, raw) || (raw.isObject() && !toValue(raw))) {
        return false;
    }
    return succeeded(forValue(raw, rt_.locale, out));
}

Flow Executor::runForPasses(const Block& body, Variant& var, Variant limit, Variant step) {
    int stepSign = 0;
    bool isNull = false;
    compareValues(step, Variant::integer(0), rt_.locale, false, stepSign, isNull);
    Variant next;
    // The limit never changes: a whole-number limit is read once.
    const bool wholeLimit = limit.isIntegral();
    const std::int64_t last = wholeLimit ? limit.asInt() : 0;
    for (;;) {
        if (!tick()) {
            return Flow::Error;
        }
        int c = 0;
        if (wholeLimit && var.isIntegral()) {
            const std::int64_t at = var.asInt();
            c = at < last ? -1 : at > last ? 1 : 0;
        } else if (!succeeded(compareValues(var, limit, rt_.locale, false, c, isNull))) {
            return Flow::Error;
        }
        if (stepSign >= 0 ? c > 0 : c < 0) {
            break;
        }
        const Flow f = execBlock(body);
        if (f == Flow::ExitFor) {
            break;
        }
        if (f != Flow::Normal) {
            return f;
        }
        // The fast path reads the counter before it writes it, so it can add in place.
        if (!fastBinaryOp(BinaryOp::Add, var, step, var)) {
            if (!succeeded(
                    generalBinaryOp(BinaryOp::Add, var, step, rt_.locale, rt_.budget, next))) {
                return Flow::Error;
            }
            std::swap(var, next);
        }
    }
    return Flow::Normal;
}

bool Executor::collectionItems(Variant& collection) {
    if (!collection.isObject()) {
        return true;
    }
    ObjectData* o = collection.objectPtr();
    if (!o) {
        return raise(ErrorCode::ObjectNotSet);
    }
    auto items = std::make_shared<ArrayData>(rt_.budget);
    std::vector<Variant> elements;
    if (!succeeded(o->enumerate(rt_, elements))) {
        return false;
    }
    items->bounds.push_back(ArrayBound{static_cast<std::int32_t>(elements.size()) - 1});
    items->adopt(std::move(elements));
    collection = Variant::array(std::move(items));
    return true;
}

Flow Executor::execForEach(const ForEachStmt& s) {
    Variant collection;
    if (!(eval(*s.collection, collection) && collectionItems(collection) &&
          (collection.isArray() || raise(ErrorCode::NotACollection)))) {
        return resumeAfterError() ? runOnceAfterHeaderError(s.body, Flow::ExitFor) : Flow::Error;
    }
    // Holding the array keeps it alive even if the body replaces the variable it came from.
    const std::shared_ptr<ArrayData> items = collection.arrayRef();
    Variant* var = variable(*s.target);
    if (!var) {
        return Flow::Error;
    }
    for (std::size_t i = 0; i < items->items.size(); ++i) {
        if (!tick()) {
            return Flow::Error;
        }
        *var = items->items[i].copied();
        const Flow f = execBlock(s.body);
        if (f == Flow::ExitFor) {
            break;
        }
        if (f != Flow::Normal) {
            return f;
        }
    }
    return Flow::Normal;
}

Flow Executor::execDo(const DoStmt& s) {
    for (;;) {
        if (!tick()) {
            return Flow::Error;
        }
        bool c = false;
        if (s.testFirst && s.cond) {
            if (!condition(*s.cond, c)) {
                return resumeAfterError() ? runOnceAfterHeaderError(
                                                s.body, s.whileWend ? Flow::Normal : Flow::ExitDo)
                                          : Flow::Error;
            }
            if (c == s.until) {
                break;
            }
        }
        const Flow f = execBlock(s.body);
        if (f == Flow::ExitDo && !s.whileWend) {
            break;
        }
        if (f != Flow::Normal) {
            return f;
        }
        if (!s.testFirst && s.cond) {
            if (!condition(*s.cond, c)) {
                // A failing test at the end ends the loop; Err holds the error.
                return resumeAfterError() ? Flow::Normal : Flow::Error;
            }
            if (c == s.until) {
                break;
            }
        }
    }
    return Flow::Normal;
}

// Select Case subject. The subject is evaluated once; the clauses are tried in order and the
// first with a matching item runs, later items and clauses are not evaluated. An item matches
// as `subject = item` would (text against a number written in the source is read as a number),
// `low To high` as low <= subject <= high, `Is op x` as `subject op x`; a Null never matches.
// Under On Error Resume Next a failing subject goes on into the first clause's body, a failing
// item into its own clause's body.
Flow Executor::execSelect(const SelectStmt& s) {
    Variant subject;
    if (!eval(*s.subject, subject) || (subject.isObject() && !toValue(subject))) {
        if (!resumeAfterError()) {
            return Flow::Error;
        }
        return s.cases.empty() ? Flow::Normal : execBlock(s.cases.front().body);
    }
    for (const CaseClause& clause : s.cases) {
        bool match = clause.isElse;
        for (std::size_t i = 0; i < clause.items.size() && !match; ++i) {
            if (!caseMatches(clause.items[i], subject, match)) {
                return resumeAfterError() ? execBlock(clause.body) : Flow::Error;
            }
        }
        if (match) {
            return execBranch(clause.body);
        }
    }
    return Flow::Normal;
}

bool Executor::caseMatches(const CaseItem& item, const Variant& subject, bool& match) {
    Variant low;
    if (!eval(*item.low, low)) {
        return false;
    }
    int c = 0;
    bool isNull = false;
    switch (item.kind) {
    case CaseItem::Kind::Value: {
        Variant text;
        const bool literal =
            item.low->kind == ExprKind::Literal && isNumericLiteralValue(item.low->value);
        if (!succeeded(compareValues(literalComparand(subject, literal, rt_.locale, text), low,
                                     rt_.locale, false, c, isNull))) {
            return false;
        }
        match = !isNull && c == 0;
        return true;
    }
    case CaseItem::Kind::Range: {
        Variant high;
        if (!eval(*item.high, high) ||
            !succeeded(compareValues(subject, low, rt_.locale, false, c, isNull))) {
            return false;
        }
        if (isNull || c < 0) {
            return true;
        }
        if (!succeeded(compareValues(subject, high, rt_.locale, false, c, isNull))) {
            return false;
        }
        match = !isNull && c <= 0;
        return true;
    }
    case CaseItem::Kind::Is: {
        Variant r;
        if (!succeeded(binaryOp(item.op, subject, low, rt_.locale, rt_.budget, r))) {
            return false;
        }
        match = r.type() == VarType::Boolean && r.asBool();
        return true;
    }
    }
    return true;
}

} // namespace vbs
