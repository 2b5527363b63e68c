#include "operators.h"

#include "limits/script_limits.h"
#include "public/memory_budget.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace vbs {
namespace {

// Numeric ranks in VBScript's widening order; Currency and Date are handled beside it.
enum Rank : int { RByte, RInteger, RLong, RSingle, RDouble, RCurrency, RDate };

struct Operand {
    Rank rank;
    std::int64_t i; // integral ranks and Currency (scaled)
    double d;       // Single, Double, Date; also every rank's value as a double
};

// A value as an arithmetic operand. Text becomes a Double; Empty and Boolean count as Integer.
Outcome operand(const Variant& v, const NumberLocale& locale, Operand& out) {
    switch (v.type()) {
    case VarType::Empty:
        out = {RInteger, 0, 0.0};
        return Outcome::Normal;
    case VarType::Boolean:
    case VarType::Integer:
        out = {RInteger, v.asInt(), static_cast<double>(v.asInt())};
        return Outcome::Normal;
    case VarType::Byte:
        out = {RByte, v.asInt(), static_cast<double>(v.asInt())};
        return Outcome::Normal;
    case VarType::Long:
        out = {RLong, v.asInt(), static_cast<double>(v.asInt())};
        return Outcome::Normal;
    case VarType::Single:
        out = {RSingle, 0, v.asDouble()};
        return Outcome::Normal;
    case VarType::Double:
        out = {RDouble, 0, v.asDouble()};
        return Outcome::Normal;
    case VarType::Date:
        out = {RDate, 0, v.asDouble()};
        return Outcome::Normal;
    case VarType::Currency:
        out = {RCurrency, v.asInt(), static_cast<double>(v.asInt()) / 10000.0};
        return Outcome::Normal;
    case VarType::String: {
        double d = 0;
        if (!parseNumericText(v.asString(), locale, d)) {
            return Outcome::TypeMismatch;
        }
        out = {RDouble, 0, d};
        return Outcome::Normal;
    }
    case VarType::Object:
        return v.asObject() ? Outcome::NoSuchMember : Outcome::ObjectNotSet;
    default:
        return Outcome::TypeMismatch;
    }
}

Outcome doubleResult(double r, Variant& out) {
    if (!std::isfinite(r)) {
        return Outcome::Overflow;
    }
    out = Variant::dbl(r);
    return Outcome::Normal;
}

Outcome singleResult(double r, Variant& out) {
    if (std::fabs(r) <= FLT_MAX) {
        out = Variant::single(static_cast<float>(r));
        return Outcome::Normal;
    }
    return doubleResult(r, out);
}

Outcome currencyResult(long double scaled, Variant& out) {
    scaled = std::nearbyint(scaled);
    if (!(scaled >= -9223372036854775807.0L && scaled <= 9223372036854775807.0L)) {
        return Outcome::Overflow;
    }
    out = Variant::currency(static_cast<std::int64_t>(scaled));
    return Outcome::Normal;
}

VarType integralType(Rank r) {
    return r == RByte ? VarType::Byte : r == RInteger ? VarType::Integer : VarType::Long;
}

// + - * on two numeric operands.
Outcome arithmetic(BinaryOp op, const Operand& x, const Operand& y, Variant& out) {
    if (x.rank == RDate || y.rank == RDate) {
        const double r = op == BinaryOp::Add   ? x.d + y.d
                         : op == BinaryOp::Sub ? x.d - y.d
                                               : x.d * y.d;
        if (op == BinaryOp::Mul || (op == BinaryOp::Sub && x.rank == RDate && y.rank == RDate)) {
            return doubleResult(r, out);
        }
        if (!inDateRange(r)) {
            return Outcome::Overflow;
        }
        out = Variant::date(r);
        return Outcome::Normal;
    }
    if (x.rank == RCurrency || y.rank == RCurrency) {
        const Operand& other = x.rank == RCurrency ? y : x;
        if (other.rank == RSingle || other.rank == RDouble) {
            const double r = op == BinaryOp::Add   ? x.d + y.d
                             : op == BinaryOp::Sub ? x.d - y.d
                                                   : x.d * y.d;
            return doubleResult(r, out);
        }
        // Both as scaled amounts (the integral side times 10,000).
        const long double a = x.rank == RCurrency ? static_cast<long double>(x.i)
                                                  : static_cast<long double>(x.i) * 10000;
        const long double b = y.rank == RCurrency ? static_cast<long double>(y.i)
                                                  : static_cast<long double>(y.i) * 10000;
        const long double r = op == BinaryOp::Add   ? a + b
                              : op == BinaryOp::Sub ? a - b
                                                    : a * b / 10000;
        return currencyResult(r, out);
    }
    Rank rank = x.rank > y.rank ? x.rank : y.rank;
    if (rank == RSingle && (x.rank == RLong || y.rank == RLong)) {
        rank = RDouble;
    }
    if (rank <= RLong) {
        // Operands are at most 32-bit, so the 64-bit result is exact.
        const std::int64_t r = op == BinaryOp::Add   ? x.i + y.i
                               : op == BinaryOp::Sub ? x.i - y.i
                                                     : x.i * y.i;
        out = fitInteger(r, integralType(rank));
        return Outcome::Normal;
    }
    const double r = op == BinaryOp::Add ? x.d + y.d : op == BinaryOp::Sub ? x.d - y.d : x.d * y.d;
    return rank == RSingle ? singleResult(r, out) : doubleResult(r, out);
}

Outcome divide(const Operand& x, const Operand& y, Variant& out) {
    if (y.d == 0) {
        // 0/0 has no value at all; VBScript reports it as Overflow.
        return x.d == 0 ? Outcome::Overflow : Outcome::DivisionByZero;
    }
    const double r = x.d / y.d;
    const bool singleOnly = (x.rank == RSingle || y.rank == RSingle) && x.rank <= RSingle &&
                            y.rank <= RSingle && x.rank != RLong && y.rank != RLong;
    return singleOnly ? singleResult(r, out) : doubleResult(r, out);
}

// Rank of an operand of \ Mod And Or ...: Byte, Integer or Long.
Rank integralRank(const Variant& v) {
    switch (v.type()) {
    case VarType::Byte:
        return RByte;
    case VarType::Empty:
    case VarType::Boolean:
    case VarType::Integer:
        return RInteger;
    default:
        return RLong;
    }
}

Outcome integerDivide(BinaryOp op, const Variant& a, const Variant& b, const NumberLocale& locale,
                      Variant& out) {
    std::int32_t x = 0;
    std::int32_t y = 0;
    x = VBS_TRY_VALUE(toLong(a, locale));
    y = VBS_TRY_VALUE(toLong(b, locale));
    if (y == 0) {
        return Outcome::DivisionByZero;
    }
    const Rank ra = integralRank(a);
    const Rank rb = integralRank(b);
    const Rank rank = ra > rb ? ra : rb;
    const std::int64_t r = op == BinaryOp::IntDiv ? std::int64_t{x} / y : std::int64_t{x} % y;
    if (rank == RLong && r > std::numeric_limits<std::int32_t>::max()) {
        return Outcome::Overflow;
    }
    out = fitInteger(r, integralType(rank));
    return Outcome::Normal;
}

// The whole-number view of a logical operand; strings "True"/"False" count as Booleans.
Outcome logicalOperand(const Variant& v, const NumberLocale& locale, std::int32_t& out,
                       bool& isBool) {
    isBool = v.type() == VarType::Boolean;
    if (isBool) {
        out = v.asBool() ? -1 : 0;
        return Outcome::Normal;
    }
    if (v.type() == VarType::String) {
        double d = 0;
        if (!parseNumericText(v.asString(), locale, d)) {
            if (const Result<bool> b = toBool(v, locale); b.ok()) {
                isBool = true;
                out = b.value() ? -1 : 0;
                return Outcome::Normal;
            }
            return Outcome::TypeMismatch;
        }
    }
    out = VBS_TRY_VALUE(toLong(v, locale));
    return Outcome::Normal;
}

Variant logicalResult(std::int64_t r, bool bothBool, Rank rank) {
    if (bothBool) {
        return Variant::boolean(r != 0);
    }
    if (rank == RByte) {
        return Variant::byte(static_cast<std::uint8_t>(r & 0xFF));
    }
    if (rank == RInteger) {
        return Variant::integer(static_cast<std::int16_t>(r));
    }
    return Variant::longInt(static_cast<std::int32_t>(r));
}

std::int64_t applyLogical(BinaryOp op, std::int64_t x, std::int64_t y) {
    switch (op) {
    case BinaryOp::And:
        return x & y;
    case BinaryOp::Or:
        return x | y;
    case BinaryOp::Xor:
        return x ^ y;
    case BinaryOp::Eqv:
        return ~(x ^ y);
    default: // Imp
        return ~x | y;
    }
}

// Three-valued logic when one side is Null: the other side alone may decide the result.
Outcome logicalWithNull(BinaryOp op, const Variant& a, const Variant& b, const NumberLocale& locale,
                        Variant& out) {
    const bool aNull = a.isNull();
    const Variant& other = aNull ? b : a;
    out = Variant::null();
    if (other.isNull()) {
        return Outcome::Normal;
    }
    std::int32_t v = 0;
    bool isBool = false;
    VBS_TRY(logicalOperand(other, locale, v, isBool));
    const Rank rank = integralRank(other);
    switch (op) {
    case BinaryOp::And: // false decides
        if (v == 0) {
            out = logicalResult(0, isBool, rank);
        }
        break;
    case BinaryOp::Or: // all ones decides
        if (v == -1) {
            out = logicalResult(-1, isBool, rank);
        }
        break;
    case BinaryOp::Imp:
        // Null Imp True is True; False Imp Null is True.
        if ((aNull && v == -1) || (!aNull && v == 0)) {
            out = logicalResult(-1, isBool, rank);
        }
        break;
    default: // Xor, Eqv: always Null
        break;
    }
    return Outcome::Normal;
}

Outcome logical(BinaryOp op, const Variant& a, const Variant& b, const NumberLocale& locale,
                Variant& out) {
    if (a.isNull() || b.isNull()) {
        return logicalWithNull(op, a, b, locale, out);
    }
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool xb = false;
    bool yb = false;
    VBS_TRY(logicalOperand(a, locale, x, xb));
    VBS_TRY(logicalOperand(b, locale, y, yb));
    const Rank ra = integralRank(a);
    const Rank rb = integralRank(b);
    out = logicalResult(applyLogical(op, x, y), xb && yb, ra > rb ? ra : rb);
    return Outcome::Normal;
}

// Keeps a runaway loop of joins from exhausting memory: a text of `length` characters, of
// which `added` are new.
bool joinAllowed(const Budget& budget, std::size_t length, std::size_t added) {
    return length <= limits::kMaxStringLength &&
           (!budget || budget->allows(added * sizeof(char16_t)));
}

Outcome concatenate(const Variant& a, const Variant& b, const NumberLocale& locale,
                    const Budget& budget, Variant& out) {
    if (a.isNull() && b.isNull()) {
        out = Variant::null();
        return Outcome::Normal;
    }
    // Texts are joined in place; only other values are converted first.
    std::u16string leftText;
    std::u16string rightText;
    std::u16string_view left;
    std::u16string_view right;
    if (a.isString()) {
        left = a.asString();
    } else if (!a.isNull()) {
        leftText = VBS_TRY_VALUE(toText(a, locale));
        left = leftText;
    }
    if (b.isString()) {
        right = b.asString();
    } else if (!b.isNull()) {
        rightText = VBS_TRY_VALUE(toText(b, locale));
        right = rightText;
    }
    const std::size_t length = left.size() + right.size();
    if (!joinAllowed(budget, length, length)) {
        return Outcome::OutOfMemory;
    }
    if (length <= Variant::kShortTextLength) {
        char16_t joined[Variant::kShortTextLength];
        std::copy(right.begin(), right.end(), std::copy(left.begin(), left.end(), joined));
        out = Variant::string(std::u16string_view(joined, length), budget);
        return Outcome::Normal;
    }
    std::u16string joined;
    joined.reserve(length);
    joined += left;
    joined += right;
    out = Variant::string(std::move(joined), budget);
    return Outcome::Normal;
}

Outcome power(const Operand& x, const Operand& y, Variant& out) {
    if (x.d < 0 && y.d != std::trunc(y.d)) {
        return Outcome::InvalidCall;
    }
    return doubleResult(std::pow(x.d, y.d), out);
}

int sign(int c) {
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

// Text against text compares code unit by code unit, or with the case of letters folded for a
// text comparison (StrComp's mode 1, Select Case under a text Dictionary). Empty against text
// compares as "", and any number is less than any text.
int compareWithText(const Variant& a, const Variant& b, bool textCompare) {
    const bool sa = a.isString();
    if (sa && b.isString()) {
        if (textCompare) {
            return sign(foldForTextCompare(a.asString()).compare(foldForTextCompare(b.asString())));
        }
        return sign(a.asString().compare(b.asString()));
    }
    const Variant& other = sa ? b : a;
    if (other.isEmpty() && (sa ? a : b).asString().empty()) {
        return 0;
    }
    return sa ? 1 : -1;
}

// Numbers compare by value: integral types and Currency as exact integers, the rest as
// Doubles (Empty as 0, Boolean True as -1, a Date as its serial number). A Single against a
// Double compares at the Single's precision, so a Single equals the Double it was made from
// (CSng(0.001 * 0.001) = 0.000001).
Outcome compareNumbers(const Variant& a, const Variant& b, const NumberLocale& locale,
                       int& result) {
    const VarType ta = a.type();
    const VarType tb = b.type();
    if ((a.isIntegral() && b.isIntegral()) ||
        (ta == VarType::Currency && tb == VarType::Currency)) {
        result = a.asInt() < b.asInt() ? -1 : a.asInt() > b.asInt() ? 1 : 0;
        return Outcome::Normal;
    }
    double x = 0;
    double y = 0;
    x = VBS_TRY_VALUE(toDouble(a, locale));
    y = VBS_TRY_VALUE(toDouble(b, locale));
    if ((ta == VarType::Single && tb == VarType::Double) ||
        (ta == VarType::Double && tb == VarType::Single)) {
        x = static_cast<float>(x);
        y = static_cast<float>(y);
    }
    result = x < y ? -1 : x > y ? 1 : 0;
    return Outcome::Normal;
}

// =, <>, <, >, <=, >= give a Boolean, or Null when either side is Null.
Outcome comparison(BinaryOp op, const Variant& a, const Variant& b, const NumberLocale& locale,
                   Variant& out) {
    int c = 0;
    bool isNull = false;
    VBS_TRY(compareValues(a, b, locale, false, c, isNull));
    if (isNull) {
        out = Variant::null();
    } else {
        comparisonInPlace(op, c, out);
    }
    return Outcome::Normal;
}

// + with Empty on one side leaves the other side as it is, text included (Empty + "1" is
// "1", not 1); a Boolean becomes an Integer, as arithmetic on it gives. False when the rule
// does not apply.
bool addedToEmpty(const Variant& a, const Variant& b, Variant& out) {
    const bool ea = a.isEmpty();
    if (ea == b.isEmpty()) {
        return false;
    }
    const Variant& other = ea ? b : a;
    const VarType t = other.type();
    if (t != VarType::String && !isNumericType(t)) {
        return false;
    }
    out =
        t == VarType::Boolean ? Variant::integer(static_cast<std::int16_t>(other.asInt())) : other;
    return true;
}

// -, *, /, ^ and the + of numbers, once both sides are read as numbers (text as the number it
// shows, Empty as 0).
Outcome numericOperation(BinaryOp op, const Variant& a, const Variant& b,
                         const NumberLocale& locale, Variant& out) {
    Operand x{};
    Operand y{};
    VBS_TRY(operand(a, locale, x));
    VBS_TRY(operand(b, locale, y));
    switch (op) {
    case BinaryOp::Div:
        return divide(x, y, out);
    case BinaryOp::Pow:
        return power(x, y, out);
    default:
        return arithmetic(op, x, y, out);
    }
}

} // namespace

bool isNumericLiteralValue(const Variant& v) {
    switch (v.type()) {
    case VarType::Integer:
    case VarType::Long:
    case VarType::Double:
    case VarType::Single:
    case VarType::Currency:
    case VarType::Byte:
        return true;
    default:
        return false;
    }
}

const Variant& literalComparand(const Variant& other, bool literal, const NumberLocale& locale,
                                Variant& converted) {
    double d = 0;
    if (literal && other.isString() && parseNumericText(other.asString(), locale, d)) {
        converted = Variant::dbl(d);
        return converted;
    }
    return other;
}

Variant fitInteger(std::int64_t value, VarType narrowest) {
    if (narrowest == VarType::Byte && value >= 0 && value <= 255) {
        return Variant::byte(static_cast<std::uint8_t>(value));
    }
    if (narrowest != VarType::Long && value >= -32768 && value <= 32767) {
        return Variant::integer(static_cast<std::int16_t>(value));
    }
    if (value >= std::numeric_limits<std::int32_t>::min() &&
        value <= std::numeric_limits<std::int32_t>::max()) {
        return Variant::longInt(static_cast<std::int32_t>(value));
    }
    return Variant::dbl(static_cast<double>(value));
}

Outcome compareValues(const Variant& a, const Variant& b, const NumberLocale& locale,
                      bool textCompare, int& result, bool& isNull) {
    isNull = a.isNull() || b.isNull();
    result = 0;
    if (isNull) {
        return Outcome::Normal;
    }
    const VarType ta = a.type();
    const VarType tb = b.type();
    if (ta == VarType::Object || tb == VarType::Object) {
        const Variant& obj = ta == VarType::Object ? a : b;
        return obj.asObject() ? Outcome::NoSuchMember : Outcome::ObjectNotSet;
    }
    if (ta == VarType::Array || tb == VarType::Array) {
        return Outcome::TypeMismatch;
    }
    if (ta == VarType::String || tb == VarType::String) {
        result = compareWithText(a, b, textCompare);
        return Outcome::Normal;
    }
    return compareNumbers(a, b, locale, result);
}

Outcome binaryOp(BinaryOp op, const Variant& a, const Variant& b, const NumberLocale& locale,
                 const Budget& budget, Variant& out) {
    // The common case of a calculator and of loops: Integers, Longs and Doubles, which need
    // neither conversion nor the general rules.
    if (fastBinaryOp(op, a, b, out)) {
        return Outcome::Normal;
    }
    return generalBinaryOp(op, a, b, locale, budget, out);
}

Outcome generalBinaryOp(BinaryOp op, const Variant& a, const Variant& b, const NumberLocale& locale,
                        const Budget& budget, Variant& out) {
    if (isComparison(op)) {
        return comparison(op, a, b, locale, out);
    }
    switch (op) {
    case BinaryOp::Concat:
        return concatenate(a, b, locale, budget, out);
    case BinaryOp::Is:
        if (!a.isObject() || !b.isObject()) {
            return Outcome::ObjectRequired;
        }
        out = Variant::boolean(a.asObject() == b.asObject());
        return Outcome::Normal;
    case BinaryOp::And:
    case BinaryOp::Or:
    case BinaryOp::Xor:
    case BinaryOp::Eqv:
    case BinaryOp::Imp:
        return logical(op, a, b, locale, out);
    default:
        break;
    }
    if (a.isNull() || b.isNull()) {
        out = Variant::null();
        return Outcome::Normal;
    }
    if (op == BinaryOp::Add) {
        if (a.isString() && b.isString()) {
            return concatenate(a, b, locale, budget, out);
        }
        if (addedToEmpty(a, b, out)) {
            return Outcome::Normal;
        }
    }
    if (op == BinaryOp::IntDiv || op == BinaryOp::Mod) {
        return integerDivide(op, a, b, locale, out);
    }
    return numericOperation(op, a, b, locale, out);
}

Outcome appendConcatenation(Variant& text, const Variant& b, const NumberLocale& locale,
                            const Budget& budget) {
    std::u16string converted;
    std::u16string_view added;
    if (b.isString()) {
        added = b.asString();
    } else if (!b.isNull()) {
        converted = VBS_TRY_VALUE(toText(b, locale));
        added = converted;
    }
    if (!joinAllowed(budget, text.asString().size() + added.size(), added.size())) {
        return Outcome::OutOfMemory;
    }
    text.appendToOwnString(added, budget);
    return Outcome::Normal;
}

Outcome unaryOp(UnaryOp op, const Variant& a, const NumberLocale& locale, Variant& out) {
    if (op == UnaryOp::Plus) {
        out = a; // no conversion at all: +"true" stays text
        return Outcome::Normal;
    }
    if (a.isNull()) {
        out = a;
        return Outcome::Normal;
    }
    if (op == UnaryOp::Not) {
        std::int32_t v = 0;
        bool isBool = false;
        VBS_TRY(logicalOperand(a, locale, v, isBool));
        out = logicalResult(~std::int64_t{v}, isBool, integralRank(a));
        return Outcome::Normal;
    }
    switch (a.type()) {
    case VarType::Empty:
        out = Variant::integer(0);
        return Outcome::Normal;
    case VarType::Boolean:
    case VarType::Byte:
    case VarType::Integer:
        out = fitInteger(-a.asInt(), VarType::Integer);
        return Outcome::Normal;
    case VarType::Long:
        out = fitInteger(-a.asInt(), VarType::Long);
        return Outcome::Normal;
    case VarType::Single:
        out = Variant::single(static_cast<float>(-a.asDouble()));
        return Outcome::Normal;
    case VarType::Double:
        out = Variant::dbl(-a.asDouble());
        return Outcome::Normal;
    case VarType::Date:
        if (!inDateRange(-a.asDouble())) {
            return Outcome::Overflow;
        }
        out = Variant::date(-a.asDouble());
        return Outcome::Normal;
    case VarType::Currency:
        if (a.asInt() == std::numeric_limits<std::int64_t>::min()) {
            return Outcome::Overflow;
        }
        out = Variant::currency(-a.asInt());
        return Outcome::Normal;
    default: {
        Operand x{};
        VBS_TRY(operand(a, locale, x));
        out = Variant::dbl(-x.d);
        return Outcome::Normal;
    }
    }
}

} // namespace vbs
