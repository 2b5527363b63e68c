#pragma once

// The executor's hot paths that more than one of its files inlines: the step count of an
// evaluation, the block loop, an If's condition, the value of an operand and one operator on
// operands not all in place.
#include "executor.h"

namespace vbs {

// Every evaluation counts towards the time limit, so one huge expression stops like a loop
// does; and nesting stops before the thread's stack ends.
inline bool Executor::evaluationMayStart() {
    if (!tick()) {
        return false;
    }
    return !stack_.exhausted() || raise(ErrorCode::OutOfStack);
}

// A block's statements in order. Inlined into execBlock and into the call of a procedure, whose
// body is the hot block of recursion.
[[gnu::always_inline]] inline Flow Executor::runStatements(const Block& block) {
    for (const StmtPtr& s : block) {
        const Flow f = s->code(*this, *s);
        // Objects released by the statement end now, before the next one runs.
        if (heap_.hasTerminating()) {
            runTerminations();
        }
        if (f == Flow::Normal) {
            continue;
        }
        if (f == Flow::Error && resumeAfterError()) {
            continue; // On Error Resume Next: Err holds the error, the next statement runs
        }
        if (f == Flow::Error) {
            failedStatementPos_ = s->pos; // each enclosing block overwrites it on the way out
        }
        return f;
    }
    return Flow::Normal;
}

// An If or ElseIf condition's truth. One that fails under On Error Resume Next counts as true:
// the Then branch runs. False only for a failure that stops the statement.
inline bool Executor::ifCondition(const Expr& cond, bool& taken) {
    if (condition(cond, taken)) {
        return true;
    }
    taken = true;
    return resumeAfterError();
}

inline const Variant* Executor::peek(const Expr& e) const {
    if (e.kind == ExprKind::Literal) {
        return &e.value;
    }
    if (e.kind != ExprKind::Name || e.hasParens) {
        return nullptr;
    }
    if (e.scope == Scope::Local) {
        return frame_->slots[e.index];
    }
    if (e.scope == Scope::Global) {
        return e.global->plainValue();
    }
    return nullptr;
}

// An operand's value: a literal or plain variable where it lies, anything else run by its own
// code into `storage` (a call, an operator on results). Always inline, as x + Sqr(i) * Sin(i)
// passes here three times.
[[gnu::always_inline]] inline const Variant* Executor::operand(const Expr& e, Variant& storage) {
    if (const Variant* value = peek(e)) {
        return value;
    }
    return computed(e, storage);
}
[[gnu::always_inline]] inline const Variant* Executor::computed(const Expr& e, Variant& storage) {
    return e.code(*this, e, storage) ? &storage : nullptr;
}

// One operator on operands that are not all in place, or on which the fast path declined; `op`
// is the node's, passed as a constant by the codes that know it. `BothComputed`: neither
// operand is a literal or plain variable (fib(n - 1) + fib(n - 2)), which the code knows from
// the node's shape, so neither is looked for in place.
// Always inline into the operator codes: fib's sum and x + Sqr(i) * Sin(i) pass here.
template <bool BothComputed>
[[gnu::always_inline]] inline bool Executor::evalOperatorOnResults(const Expr& e, BinaryOp op,
                                                                   Variant& out) {
    const auto value = [this](const Expr& operandExpr, Variant& storage) {
        return BothComputed ? computed(operandExpr, storage) : operand(operandExpr, storage);
    };
    Variant leftValue;
    Variant rightValue;
    const Variant* left = value(*e.args[0], leftValue);
    const Variant* right = left ? value(*e.args[1], rightValue) : nullptr;
    if (!right) {
        return false;
    }
    // Two operands that lie where they are have been tried on the fast path already.
    const bool evaluated = BothComputed || left == &leftValue || right == &rightValue;
    return (evaluated && fastBinaryOp(op, *left, *right, out)) ||
           applyBinary(e, 0, left, right, out);
}

} // namespace vbs
