#include "executor.h"
#include "executor_inline.h"

#include "library/builtins.h"
#include "limits/script_limits.h"
#include "public/memory_budget.h"
#include "values/operators.h"

#include <algorithm>
#include <ctime>

namespace vbs {

Executor::Executor(Runtime& runtime, GlobalTable& globals)
    : rt_(runtime), globals_(globals), heap_(*runtime.objects) {}

void Executor::begin(std::chrono::steady_clock::time_point deadline, std::uintptr_t stackEnd) {
    rt_.deadline = deadline;
    ticks_ = 0;
    callDepth_ = 0;
    stack_.reset(stackEnd);
    stackEnd_ = stackEnd;
    topFrame_ = Frame{};
    frame_ = &topFrame_;
    withObjects_.clear();
    raised_ = ErrState{};
    failure_ = Outcome::Normal;
    failedExpressionPos_ = kNoPosition;
}

// The run's outcome as its caller sees it: an exit that left the script level (Exit Do outside
// any loop cannot be parsed) counts as its end, an error is kept for errorNumber().
bool Executor::runBlock(const Block& block) {
    const Outcome o = execBlock(block);
    failure_ = isError(o) ? o : Outcome::Normal;
    return !isError(o);
}

bool Executor::evaluate(const Expr& e, Variant& out) {
    failure_ = eval(e, out);
    return failure_ == Outcome::Normal;
}

bool Executor::answerValue(Variant& v) {
    failure_ = v.isObject() && v.objectPtr() ? toValue(v) : Outcome::Normal;
    return failure_ == Outcome::Normal;
}

Outcome Executor::raise(ErrState error) {
    raised_ = std::move(error);
    return Outcome::Raised;
}

ErrState Executor::errorOf(Outcome failure) const {
    if (failure == Outcome::Raised) {
        return raised_;
    }
    const int number = static_cast<int>(failure);
    return ErrState{number,
                    failure == Outcome::Timeout ? timeoutText_ : errorText(number),
                    kRuntimeSource,
                    {},
                    0};
}

bool Executor::resumeAfterError(Outcome failure) {
    if (!frame_->resumeNext || !catchable(failure)) {
        return false;
    }
    rt_.err = errorOf(failure);
    failedExpressionPos_ = kNoPosition; // the next failure is marked where it happens
    return true;
}

Outcome Executor::runOnceAfterHeaderError(const Block& body, Outcome ownExit) {
    const Outcome f = execBlock(body);
    return f == ownExit ? Outcome::Normal : f;
}

Outcome Executor::clockStillRunning() {
    ticks_ = 0;
    return rt_.mustEnd() ? Outcome::Timeout : Outcome::Normal;
}

Outcome Executor::execBlock(const Block& block) {
    return runStatements(block);
}

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

// On Error Resume Next or On Error GoTo 0: either one turns resuming on or off for the running
// procedure only, and clears Err.
Outcome Executor::execOnError(bool resumeNext) {
    frame_->resumeNext = resumeNext;
    rt_.err = ErrState{};
    return Outcome::Normal;
}

// Randomize n seeds the generator from n; Randomize alone from the seconds since midnight.
Outcome Executor::execRandomize(const RandomizeStmt& s) {
    if (s.seed) {
        Variant v;
        double seed = 0;
        VBS_TRY(eval(*s.seed, v));
        VBS_TRY(toDouble(v, rt_.locale, seed));
        rt_.rnd.randomize(seed);
    } else {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        rt_.rnd.randomizeFromTimer(
            static_cast<float>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec));
    }
    return Outcome::Normal;
}

Outcome Executor::execAssign(const AssignStmt& s) {
    if (s.joinsOntoTarget) {
        if (Variant* text = textAppendedTo(s)) {
            return execAppend(*s.value, *text);
        }
    }
    Variant value;
    VBS_TRY(eval(*s.value, value));
    const Expr& target = *s.target;
    if (s.kind == StmtKind::Assign && !value.isArray() && !value.isObject() &&
        storedInPlainVariable(target, value)) {
        return Outcome::Normal;
    }
    return assignInGeneral(s, value);
}

// Everything but a plain value into a plain variable: objects, Set, arrays, elements,
// properties. Kept apart so that the plain case stays short.
Outcome Executor::assignInGeneral(const AssignStmt& s, Variant& value) {
    const Expr& target = *s.target;
    const bool isSet = s.kind == StmtKind::Set;
    if (value.isObject()) {
        // Without Set an object stands for the value of its default member (also for a
        // property's Let); Nothing has none.
        if (!isSet) {
            VBS_TRY(toValue(value));
        }
    } else if (isSet) {
        return Outcome::ObjectRequired;
    }
    if (!value.isArray() && storedInPlainVariable(target, value)) {
        return Outcome::Normal;
    }
    const bool toProperty =
        target.kind == ExprKind::Member ||
        (target.scope == Scope::Member &&
         frame_->me->def().members[static_cast<std::size_t>(target.index)].field < 0);
    if (toProperty) {
        return assignMember(target, isSet ? MemberAccess::Set : MemberAccess::Let, value);
    }
    if (target.kind == ExprKind::Call) {
        return assignNested(target, value);
    }
    if (target.kind != ExprKind::Name) {
        return Outcome::IllegalAssignment;
    }
    return assignToName(target, isSet ? MemberAccess::Set : MemberAccess::Let, value);
}

Outcome Executor::assignToName(const Expr& target, MemberAccess access, Variant& value) {
    Variant* dst = nullptr;
    VBS_TRY(variable(target, dst));
    if (target.hasParens && dst->isObject()) {
        return assignDefaultMember(*dst, target.args, access, value);
    }
    if (target.hasParens) {
        Variant* array = dst;
        VBS_TRY(element(*array, target.args, 0, dst));
        if (value.isArray()) {
            VBS_TRY(limits::checkArrayElement(value));
            ArrayData& holder = *array->asArray();
            holder.depth = std::max(holder.depth, value.nestingDepth() + 1);
        }
    }
    // A fresh array (a function's result, Array(...)) is taken as it is; one that is still
    // held elsewhere is copied, as VBScript arrays are values.
    if (value.isArray() && value.isShared()) {
        if (!rt_.budget->allows(value.asArray()->items.size() * sizeof(Variant))) {
            return Outcome::OutOfMemory;
        }
        value = value.copied();
    }
    *dst = std::move(value);
    return Outcome::Normal;
}

// o(i) = v assigns through the object's default member, with i as its argument.
Outcome Executor::assignDefaultMember(const Variant& holder, const std::vector<ExprPtr>& args,
                                      MemberAccess access, Variant& value) {
    const Variant object = holder; // the assignment may replace what the variable holds
    ObjectData* o = object.objectPtr();
    if (!o) {
        return Outcome::ObjectNotSet;
    }
    if (o->defaultMember() < 0) {
        return Outcome::NoSuchMember;
    }
    return invokeMember(*o, o->defaultMember(), access, args, 0, value);
}

Outcome Executor::execCall(const Expr& target) {
    if (target.kind == ExprKind::Member) {
        Variant ignored;
        return evalMember(target, MemberAccess::Call, ignored);
    }
    if (target.kind == ExprKind::Name && target.scope == Scope::Member) {
        Variant ignored;
        return invokeClassMember(*frame_->me, target.index, MemberAccess::Call, target.args, 0,
                                 ignored);
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
    if (target.scope == Scope::Local || target.scope == Scope::Global) {
        const Variant& held =
            target.scope == Scope::Local ? *frame_->slots[target.index] : target.global->value;
        if (held.isObject()) {
            Variant object = held;
            Variant ignored;
            return applyArguments(object, target.args, 0, ignored);
        }
    }
    return Outcome::TypeMismatch;
}

// A branch of If or Select Case: its end is the end of the statement that holds it, so a lone
// statement in it needs no block of its own. What its block would do after it (end released
// objects, resume after an error, note where the error lies) the enclosing block does at the
// same point.
Outcome Executor::execBranch(const Block& branch) {
    return branch.size() == 1 ? branch[0]->run(*this, *branch[0]) : execBlock(branch);
}

Outcome Executor::execIf(const IfStmt& s) {
    for (std::size_t i = 0; i < s.conds.size(); ++i) {
        bool taken = false;
        VBS_TRY(ifCondition(*s.conds[i], taken));
        if (taken) {
            return execBranch(s.blocks[i]);
        }
    }
    return execBranch(s.elseBlock);
}

namespace {

// For's start, limit and step are numbers: text becomes Double, Boolean and Empty Integer.
Outcome forValue(const Variant& v, const NumberLocale& locale, Variant& out) {
    switch (v.type()) {
    case VarType::String: {
        double d = 0;
        VBS_TRY(toDouble(v, locale, d));
        out = Variant::dbl(d);
        return Outcome::Normal;
    }
    case VarType::Boolean:
    case VarType::Empty:
        out = Variant::integer(static_cast<std::int16_t>(v.isEmpty() ? 0 : v.asInt()));
        return Outcome::Normal;
    case VarType::Null:
        return Outcome::InvalidNull;
    default:
        if (!isNumericType(v.type())) {
            return Outcome::TypeMismatch;
        }
        out = v;
        return Outcome::Normal;
    }
}

} // namespace

// For counter = start To limit Step step. VBScript evaluates start, limit and step once, before
// the first pass: changing the variables they came from inside the body changes nothing. The
// step's sign, fixed then, decides the test: the body runs while counter <= limit for a step of
// zero or more, while counter >= limit for a negative one. After each pass the step is added to
// the counter variable itself, so the body may also move the counter.
Outcome Executor::execFor(const ForStmt& s) {
    Variant start;
    Variant limit;
    Variant step = Variant::integer(1);
    if (const Outcome header = forBounds(s, start, limit, step); header != Outcome::Normal) {
        if (!resumeAfterError(header)) {
            return header;
        }
        // The body runs once; then Next finds no loop to continue.
        const Outcome f = runOnceAfterHeaderError(s.body, Outcome::ExitFor);
        return f != Outcome::Normal ? f : Outcome::ForNotInitialized;
    }
    Variant* var = nullptr;
    VBS_TRY(variable(*s.target, var));
    *var = start;
    return runForPasses(s.body, *var, std::move(limit), std::move(step));
}

Outcome Executor::forBounds(const ForStmt& s, Variant& start, Variant& limit, Variant& step) {
    VBS_TRY(forBound(*s.start, start));
    VBS_TRY(forBound(*s.limit, limit));
    return s.step ? forBound(*s.step, step) : Outcome::Normal;
}

Outcome Executor::forBound(const Expr& e, Variant& out) {
    Variant raw;
    VBS_TRY(evalValue(e, raw));
    return forValue(raw, rt_.locale, out);
}

Outcome Executor::runForPasses(const Block& body, Variant& var, Variant limit, Variant step) {
    int stepSign = 0;
    bool isNull = false;
    // forValue made the step a number: comparing it cannot fail.
    static_cast<void>(
        compareValues(step, Variant::integer(0), rt_.locale, false, stepSign, isNull));
    Variant next;
    // The limit never changes: a whole-number limit is read once.
    const bool wholeLimit = limit.isIntegral();
    const std::int64_t last = wholeLimit ? limit.asInt() : 0;
    for (;;) {
        VBS_TRY(countStep());
        int c = 0;
        if (wholeLimit && var.isIntegral()) {
            const std::int64_t at = var.asInt();
            c = at < last ? -1 : at > last ? 1 : 0;
        } else {
            VBS_TRY(compareValues(var, limit, rt_.locale, false, c, isNull));
        }
        if (stepSign >= 0 ? c > 0 : c < 0) {
            break;
        }
        const Outcome f = execBlock(body);
        if (f == Outcome::ExitFor) {
            break;
        }
        if (f != Outcome::Normal) {
            return f;
        }
        // The fast path reads the counter before it writes it, so it can add in place.
        if (!fastBinaryOp(BinaryOp::Add, var, step, var)) {
            VBS_TRY(generalBinaryOp(BinaryOp::Add, var, step, rt_.locale, rt_.budget, next));
            std::swap(var, next);
        }
    }
    return Outcome::Normal;
}

Outcome Executor::forEachItems(const Expr& e, Variant& collection) {
    VBS_TRY(eval(e, collection));
    VBS_TRY(collectionItems(collection));
    return collection.isArray() ? Outcome::Normal : Outcome::NotACollection;
}

Outcome Executor::collectionItems(Variant& collection) {
    if (!collection.isObject()) {
        return Outcome::Normal;
    }
    ObjectData* o = collection.objectPtr();
    if (!o) {
        return Outcome::ObjectNotSet;
    }
    auto items = std::make_shared<ArrayData>(rt_.budget);
    std::vector<Variant> elements;
    VBS_TRY(o->enumerate(rt_, elements));
    items->bounds.push_back(ArrayBound{static_cast<std::int32_t>(elements.size()) - 1});
    items->adopt(std::move(elements));
    collection = Variant::array(std::move(items));
    return Outcome::Normal;
}

Outcome Executor::execForEach(const ForEachStmt& s) {
    Variant collection;
    if (const Outcome header = forEachItems(*s.collection, collection); header != Outcome::Normal) {
        return resumeAfterError(header) ? runOnceAfterHeaderError(s.body, Outcome::ExitFor)
                                        : header;
    }
    // Holding the array keeps it alive even if the body replaces the variable it came from.
    const std::shared_ptr<ArrayData> items = collection.arrayRef();
    Variant* var = nullptr;
    VBS_TRY(variable(*s.target, var));
    for (std::size_t i = 0; i < items->items.size(); ++i) {
        VBS_TRY(countStep());
        *var = items->items[i].copied();
        const Outcome f = execBlock(s.body);
        if (f == Outcome::ExitFor) {
            break;
        }
        if (f != Outcome::Normal) {
            return f;
        }
    }
    return Outcome::Normal;
}

Outcome Executor::execDo(const DoStmt& s) {
    for (;;) {
        VBS_TRY(countStep());
        bool c = false;
        if (s.testFirst && s.cond) {
            if (const Outcome header = condition(*s.cond, c); header != Outcome::Normal) {
                return resumeAfterError(header)
                           ? runOnceAfterHeaderError(s.body, s.whileWend ? Outcome::Normal
                                                                         : Outcome::ExitDo)
                           : header;
            }
            if (c == s.until) {
                break;
            }
        }
        const Outcome f = execBlock(s.body);
        if (f == Outcome::ExitDo && !s.whileWend) {
            break;
        }
        if (f != Outcome::Normal) {
            return f;
        }
        if (!s.testFirst && s.cond) {
            if (const Outcome test = condition(*s.cond, c); test != Outcome::Normal) {
                // A failing test at the end ends the loop; Err holds the error.
                return resumeAfterError(test) ? Outcome::Normal : test;
            }
            if (c == s.until) {
                break;
            }
        }
    }
    return Outcome::Normal;
}

// Select Case subject. The subject is evaluated once; the clauses are tried in order and the
// first with a matching item runs, later items and clauses are not evaluated. An item matches
// as `subject = item` would (text against a number written in the source is read as a number),
// `low To high` as low <= subject <= high, `Is op x` as `subject op x`; a Null never matches.
// Under On Error Resume Next a failing subject goes on into the first clause's body, a failing
// item into its own clause's body.
Outcome Executor::execSelect(const SelectStmt& s) {
    Variant subject;
    if (const Outcome header = evalValue(*s.subject, subject); header != Outcome::Normal) {
        if (!resumeAfterError(header)) {
            return header;
        }
        return s.cases.empty() ? Outcome::Normal : execBlock(s.cases.front().body);
    }
    for (const CaseClause& clause : s.cases) {
        bool match = clause.isElse;
        for (std::size_t i = 0; i < clause.items.size() && !match; ++i) {
            if (const Outcome item = caseMatches(clause.items[i], subject, match);
                item != Outcome::Normal) {
                return resumeAfterError(item) ? execBlock(clause.body) : item;
            }
        }
        if (match) {
            return execBranch(clause.body);
        }
    }
    return Outcome::Normal;
}

Outcome Executor::caseMatches(const CaseItem& item, const Variant& subject, bool& match) {
    Variant low;
    VBS_TRY(eval(*item.low, low));
    int c = 0;
    bool isNull = false;
    switch (item.kind) {
    case CaseItem::Kind::Value: {
        Variant text;
        const bool literal =
            item.low->kind == ExprKind::Literal && isNumericLiteralValue(item.low->value);
        VBS_TRY(compareValues(literalComparand(subject, literal, rt_.locale, text), low, rt_.locale,
                              false, c, isNull));
        match = !isNull && c == 0;
        return Outcome::Normal;
    }
    case CaseItem::Kind::Range: {
        Variant high;
        VBS_TRY(eval(*item.high, high));
        VBS_TRY(compareValues(subject, low, rt_.locale, false, c, isNull));
        if (isNull || c < 0) {
            return Outcome::Normal;
        }
        VBS_TRY(compareValues(subject, high, rt_.locale, false, c, isNull));
        match = !isNull && c <= 0;
        return Outcome::Normal;
    }
    case CaseItem::Kind::Is: {
        Variant r;
        VBS_TRY(binaryOp(item.op, subject, low, rt_.locale, rt_.budget, r));
        match = r.type() == VarType::Boolean && r.asBool();
        return Outcome::Normal;
    }
    }
    return Outcome::Normal;
}

} // namespace vbs
