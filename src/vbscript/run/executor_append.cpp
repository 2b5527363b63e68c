#include "executor.h"

#include "values/operators.h"

namespace vbs {

// `s = s & a & b ...` where s is a plain variable that holds text: the usual way would copy
// the whole of s for every join, so a loop that builds a text one piece at a time would cost
// the square of its length. Here the pieces are joined onto s's own text, which grows with
// spare room (amortised doubling), so such a loop is linear.
Variant* Executor::textAppendedTo(const AssignStmt& s) {
    const Expr& target = *s.target;
    const Expr& first = *s.value->args[0];
    Variant* text = nullptr;
    if (target.scope == Scope::Local && first.scope == Scope::Local &&
        first.index == target.index) {
        text = frame_->slots[target.index];
    } else if (target.scope == Scope::Global && first.global == target.global &&
               target.global->kind == GlobalEntry::Kind::Variable) {
        text = &target.global->value;
    }
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
        if (text.isString() && &text.asString() == &start.asString()) {
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
