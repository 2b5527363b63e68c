#include "executor.h"
#include "executor_inline.h"

#include "values/operators.h"

#include <ctime>

// The statements that steer the run: blocks, If, the loops, Select Case, Randomize.

namespace vbs {

Outcome Executor::execBlock(const Block& block) {
    return runStatements(block);
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

// Randomize n seeds the generator from n; Randomize alone from the seconds since midnight.
Outcome Executor::execRandomize(const RandomizeStmt& s) {
    if (s.seed) {
        Variant v;
        double seed = 0;
        VBS_TRY(eval(*s.seed, v));
        seed = VBS_TRY_VALUE(toDouble(v, rt_.locale));
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

namespace {

// For's start, limit and step are numbers: text becomes Double, Boolean and Empty Integer.
Result<Variant> forValue(Variant v, const NumberLocale& locale) {
    switch (v.type()) {
    case VarType::String:
        return Variant::dbl(VBS_TRY_VALUE(toDouble(v, locale)));
    case VarType::Boolean:
    case VarType::Empty:
        return Variant::integer(static_cast<std::int16_t>(v.isEmpty() ? 0 : v.asInt()));
    case VarType::Null:
        return Outcome::InvalidNull;
    default:
        if (!isNumericType(v.type())) {
            return Outcome::TypeMismatch;
        }
        return v;
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
    start = VBS_TRY_VALUE(forBound(*s.start));
    limit = VBS_TRY_VALUE(forBound(*s.limit));
    if (s.step) {
        step = VBS_TRY_VALUE(forBound(*s.step));
    }
    return Outcome::Normal;
}

Result<Variant> Executor::forBound(const Expr& e) {
    Variant raw;
    VBS_TRY(evalValue(e, raw));
    return forValue(std::move(raw), rt_.locale);
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
            const Result<bool> item = caseMatches(clause.items[i], subject);
            if (!item.ok()) {
                return resumeAfterError(item.outcome()) ? execBlock(clause.body) : item.outcome();
            }
            match = item.value();
        }
        if (match) {
            return execBranch(clause.body);
        }
    }
    return Outcome::Normal;
}

Result<bool> Executor::caseMatches(const CaseItem& item, const Variant& subject) {
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
        return !isNull && c == 0;
    }
    case CaseItem::Kind::Range: {
        Variant high;
        VBS_TRY(eval(*item.high, high));
        VBS_TRY(compareValues(subject, low, rt_.locale, false, c, isNull));
        if (isNull || c < 0) {
            return false;
        }
        VBS_TRY(compareValues(subject, high, rt_.locale, false, c, isNull));
        return !isNull && c <= 0;
    }
    case CaseItem::Kind::Is: {
        Variant r;
        VBS_TRY(binaryOp(item.op, subject, low, rt_.locale, rt_.budget, r));
        return r.type() == VarType::Boolean && r.asBool();
    }
    }
    return false;
}

} // namespace vbs
