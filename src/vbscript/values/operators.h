#pragma once

#include "convert.h"
#include "error_codes.h"
#include "public/variant.h"

#include <cstdint>

// VBScript's operators on Variants: result subtypes, promotion on overflow, Empty and Null.
namespace vbs {

enum class BinaryOp : std::uint8_t {
    Pow,
    Mul,
    Div,
    IntDiv,
    Mod,
    Add,
    Sub,
    Concat,
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge,
    Is,
    And,
    Or,
    Xor,
    Eqv,
    Imp,
};

enum class UnaryOp : std::uint8_t { Neg, Plus, Not };

// Texts the operator makes are counted in `budget`. Tries fastBinaryOp first, then the general
// rules.
Outcome binaryOp(BinaryOp op, const Variant& a, const Variant& b, const NumberLocale& locale,
                 const Budget& budget, Variant& out);
// The general rules alone, for a caller that has already tried fastBinaryOp on these operands.
// They give the same result as the fast path where both apply. Null propagates through
// arithmetic and comparisons; Empty counts as 0 or ""; + on two texts joins them; otherwise
// both operands are widened to the wider of their numeric subtypes (Byte < Integer < Long <
// Single < Double, Currency and Date by their own rules) and the result narrowed back only
// where VBScript does (Integer while it fits, then Long, then Double).
Outcome generalBinaryOp(BinaryOp op, const Variant& a, const Variant& b, const NumberLocale& locale,
                        const Budget& budget, Variant& out);
Outcome unaryOp(UnaryOp op, const Variant& a, const NumberLocale& locale, Variant& out);
// `text & b` where `text` is a String no other Variant holds: b's text is appended in place,
// so a run of joins costs the length of the result, not its square. `budget` is the one `text`
// is counted in.
Outcome appendConcatenation(Variant& text, const Variant& b, const NumberLocale& locale,
                            const Budget& budget);

// Orders two values by VBScript's comparison rules; `result` is <0, 0 or >0. `isNull` is set
// when either side is Null (then the comparison's value is Null). `textCompare` ignores case
// for two strings.
Outcome compareValues(const Variant& a, const Variant& b, const NumberLocale& locale,
                      bool textCompare, int& result, bool& isNull);

// VBScript reads text as a number when it is compared with a number written in the source:
// x = "3" then x = 3 (and Select Case x / Case 3) is True, although a number held in a
// variable is less than any text. `literal` is whether `number` comes from a literal; when it
// does and `other` is numeric text, `converted` receives the number and is what to compare.
const Variant& literalComparand(const Variant& other, bool literal, const NumberLocale& locale,
                                Variant& converted);
// A numeric literal in the source (not True/False, not text).
bool isNumericLiteralValue(const Variant& v);

// Integer results in the narrowest of Byte/Integer/Long that `rank` allows, Double beyond.
Variant fitInteger(std::int64_t value, VarType narrowest);

// = <> < > <= >=
inline bool isComparison(BinaryOp op) {
    return op >= BinaryOp::Eq && op <= BinaryOp::Ge;
}

// + - * on two numbers of one kind into `r`; for any other operator false, with the operands'
// order (<0, 0, >0) in `order` for a comparison.
template <typename Number>
inline bool addSubtractMultiply(BinaryOp op, Number x, Number y, Number& r, int& order) {
    switch (op) {
    case BinaryOp::Add:
        r = x + y;
        return true;
    case BinaryOp::Sub:
        r = x - y;
        return true;
    case BinaryOp::Mul:
        r = x * y;
        return true;
    default:
        order = x < y ? -1 : x > y ? 1 : 0;
        return false;
    }
}

// A comparison's result from the operands' order; false for an operator that is none. Always
// inlined: every If and loop condition passes here, and as a call it costs more than its work
// (measured: fib22 of bench/instruction_counts.sh takes 3.4 % more instructions, method22 2.6 %).
[[gnu::always_inline]] inline bool comparisonInPlace(BinaryOp op, int order, Variant& out) {
    switch (op) {
    case BinaryOp::Eq:
        out.setBoolean(order == 0);
        return true;
    case BinaryOp::Ne:
        out.setBoolean(order != 0);
        return true;
    case BinaryOp::Lt:
        out.setBoolean(order < 0);
        return true;
    case BinaryOp::Gt:
        out.setBoolean(order > 0);
        return true;
    case BinaryOp::Le:
        out.setBoolean(order <= 0);
        return true;
    case BinaryOp::Ge:
        out.setBoolean(order >= 0);
        return true;
    default:
        return false;
    }
}

// The hot path of loops and calculator arithmetic: + - * and the comparisons on two
// Integer/Long/Double operands, computed in place. False when the general rules are needed
// (other subtypes, other operators, a Double result beyond the range). Always inlined: as a
// call, its entry and exit cost about as much as its work in a loop pass (measured together with
// comparisonInPlace: fib22 takes 21 % more instructions, loop1M 17 %).
[[gnu::always_inline]] inline bool fastBinaryOp(BinaryOp op, const Variant& a, const Variant& b,
                                                Variant& out) {
    const VarType ta = a.type();
    const VarType tb = b.type();
    const bool ia = ta == VarType::Integer || ta == VarType::Long;
    const bool ib = tb == VarType::Integer || tb == VarType::Long;
    int order = 0;
    if (ia && ib) {
        std::int64_t r = 0;
        if (addSubtractMultiply(op, a.asInt(), b.asInt(), r, order)) {
            // Integer while it fits and both were Integer, then Long, then Double.
            if (r >= -32768 && r <= 32767 && ta == VarType::Integer && tb == VarType::Integer) {
                out.setWhole(VarType::Integer, r);
            } else if (r >= INT32_MIN && r <= INT32_MAX) {
                out.setWhole(VarType::Long, r);
            } else {
                out.setDouble(static_cast<double>(r));
            }
            return true;
        }
    } else {
        const bool da = ta == VarType::Double;
        const bool db = tb == VarType::Double;
        if (!((da && (db || ib)) || (db && ia))) {
            return false;
        }
        const double x = da ? a.asDouble() : static_cast<double>(a.asInt());
        const double y = db ? b.asDouble() : static_cast<double>(b.asInt());
        double r = 0;
        if (addSubtractMultiply(op, x, y, r, order)) {
            if (r - r != 0) { // infinity or NaN: the general path reports Overflow
                return false;
            }
            out.setDouble(r);
            return true;
        }
    }
    // Both kinds of number share the comparison, so it is inlined once.
    return comparisonInPlace(op, order, out);
}

} // namespace vbs
