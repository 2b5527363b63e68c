#include "executor.h"
#include "executor_inline.h"

#include "limits/script_limits.h"
#include "values/operators.h"

#include <algorithm>
#include <vector>

// Assignment: to a variable, an array element, through an object's default member, into an
// array an element holds, and the joins that grow a text in place.

namespace vbs {

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
        (target.scope == Scope::Member && !resolve<NameUse::Write>(target, Scope::Member));
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

// x(0)(1) = v: VBScript arrays are values, but an element that holds an array is written in
// place, as x(0)(1) reads it. Every subscript is evaluated before any array is touched, so a
// subscript that changes x cannot leave a pointer into an array that is gone.
Outcome Executor::assignNested(const Expr& target, Variant& value) {
    std::vector<const Expr*> levels;
    const Expr* root = &target;
    for (; root->kind == ExprKind::Call; root = root->args[0].get()) {
        levels.push_back(root);
    }
    if (root->kind != ExprKind::Name || !root->hasParens || root->args.empty()) {
        return Outcome::IllegalAssignment;
    }
    levels.push_back(root);
    std::reverse(levels.begin(), levels.end());
    std::vector<std::int32_t> index(levels.size() * limits::kMaxDimensions);
    for (std::size_t i = 0; i < levels.size(); ++i) {
        VBS_TRY(subscripts(levels[i]->args, &index[i * limits::kMaxDimensions], i == 0 ? 0 : 1));
    }
    Variant* slot = nullptr;
    VBS_TRY(variable(*root, slot));
    std::vector<ArrayData*> chain;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        if (!slot->isArray()) {
            return slot->isObject() ? Outcome::IllegalAssignment : Outcome::TypeMismatch;
        }
        if (i > 0 && slot->isShared()) {
            // An inner array held elsewhere too: this one changes alone.
            if (!rt_.budget->allows(slot->asArray()->items.size() * sizeof(Variant))) {
                return Outcome::OutOfMemory;
            }
            *slot = slot->copied();
        }
        chain.push_back(slot->asArray());
        const std::size_t count = levels[i]->args.size() - (i == 0 ? 0 : 1);
        slot = elementAt(*slot, &index[i * limits::kMaxDimensions], count);
        if (!slot) {
            return Outcome::SubscriptOutOfRange;
        }
    }
    if (value.isArray()) {
        const int depth = value.nestingDepth();
        if (depth + static_cast<int>(chain.size()) > limits::kMaxArrayNesting) {
            return Outcome::OutOfStack;
        }
        for (std::size_t i = 0; i < chain.size(); ++i) {
            ArrayData& a = *chain[chain.size() - 1 - i];
            a.depth = std::max(a.depth, depth + 1 + static_cast<int>(i));
        }
        if (value.isShared()) {
            if (!rt_.budget->allows(value.asArray()->items.size() * sizeof(Variant))) {
                return Outcome::OutOfMemory;
            }
            value = value.copied();
        }
    }
    *slot = std::move(value);
    return Outcome::Normal;
}

// `s = s & a & b ...` where s is a plain variable that holds text: the usual way would copy
// the whole of s for every join, so a loop that builds a text one piece at a time would cost
// the square of its length. Here the pieces are joined onto s's own text, which grows with
// spare room (amortised doubling), so such a loop is linear.
Variant* Executor::textAppendedTo(const AssignStmt& s) {
    const Expr& target = *s.target;
    const Expr& first = *s.value->args[0];
    const bool sameVariable = target.scope == Scope::Local
                                  ? first.scope == Scope::Local && first.index == target.index
                                  : target.scope == Scope::Global && first.global == target.global;
    Variant* text = sameVariable ? resolve<NameUse::Write>(target, target.scope) : nullptr;
    return text && text->isString() ? text : nullptr;
}

// Reads s where the ordinary join reads it: after the operand next to it was evaluated, so a
// procedure called there that assigns s is seen, as it is in `x & f()` anywhere. Operands
// further on are joined into a suffix first; if one of them assigns s or keeps a copy of its
// text, the join is made anew from the text read, and s is never changed before the end.
Outcome Executor::execAppend(const Expr& value, Variant& text) {
    Variant suffix;
    VBS_TRY(evalValue(*value.args[1], suffix));
    Variant start; // s as read, held while later operands run so nothing changes it in place
    if (value.args.size() > 2) {
        start = text;
        Variant joined = Variant::string(std::u16string(), rt_.budget);
        Variant piece = std::move(suffix);
        for (std::size_t i = 2;; ++i) {
            VBS_TRY(appendConcatenation(joined, piece, rt_.locale, rt_.budget));
            if (i == value.args.size()) {
                break;
            }
            VBS_TRY(evalValue(*value.args[i], piece));
        }
        suffix = std::move(joined);
        if (text.sharesTextWith(start)) {
            start = Variant(); // s still holds that text: let go, so it may be s's alone again
        }
    }
    const Variant& left = start.isString() ? start : text;
    Outcome ec = Outcome::Normal;
    if (&left == &text && text.isString() && !text.isShared()) {
        ec = appendConcatenation(text, suffix, rt_.locale, rt_.budget);
    } else {
        Variant joined;
        ec = binaryOp(BinaryOp::Concat, left, suffix, rt_.locale, rt_.budget, joined);
        if (ec == Outcome::Normal) {
            text = std::move(joined);
        }
    }
    return ec;
}

} // namespace vbs
