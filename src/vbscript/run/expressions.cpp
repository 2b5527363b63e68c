#include "executor.h"
#include "executor_inline.h"

#include "values/operators.h"

// Expressions: operators and their operands, conditions, and what a name stands for.

namespace vbs {

// The rarer kinds of expression have functions of their own.
Outcome Executor::evalUnary(const Expr& e, Variant& out) {
    Variant v;
    VBS_TRY(eval(*e.args[0], v));
    // Unary + leaves its operand as it is, an object too: +obj Is obj. Its default value is
    // read only by an operator that computes.
    if (e.unaryOp == UnaryOp::Plus && v.isObject()) {
        out = std::move(v);
        return Outcome::Normal;
    }
    Outcome o = v.isObject() ? toValue(v) : Outcome::Normal;
    if (o == Outcome::Normal) {
        o = unaryOp(e.unaryOp, v, rt_.locale, out);
    }
    return withFailurePlace(e, o);
}

Outcome Executor::evalMe(Variant& out) {
    if (!frame_->me) {
        return Outcome::InvalidMe;
    }
    out = Variant::object(frame_->me->shared_from_this());
    return Outcome::Normal;
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
    const Result<bool> truth = toBool(v, rt_.locale);
    if (!truth.ok()) {
        return truth.outcome() == Outcome::InvalidNull ? Outcome::TypeMismatch : truth.outcome();
    }
    out = truth.value();
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
    const Variant* value = resolve<NameUse::Read>(e, e.scope);
    if (!value) {
        return evalCalledName(e, out);
    }
    if (!e.hasParens || (e.args.empty() && value->isArray())) {
        out = *value;
        return Outcome::Normal;
    }
    return evalApplied(e, *value, out);
}

// Kept out of evalName, whose plain-variable path is the hot one.
Outcome Executor::evalCalledName(const Expr& e, Variant& out) {
    switch (e.scope) {
    case Scope::Global:
        return callProcedure(*e.global->proc, e.args, 0, &out);
    case Scope::Builtin:
        return callBuiltin(e.index, e.args, 0, out);
    case Scope::Member:
        return invokeOwnMember(e.index, MemberAccess::Get, e.args, out);
    case Scope::Undefined:
        return Outcome::VariableUndefined;
    default:
        return Outcome::SyntaxError;
    }
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
    if ((place = resolve<NameUse::Write>(name, name.scope))) {
        return Outcome::Normal;
    }
    return name.scope == Scope::Undefined ? Outcome::VariableUndefined : Outcome::IllegalAssignment;
}

} // namespace vbs
