#pragma once

#include "convert.h"
#include "error_codes.h"
#include "variant.h"

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

ErrorCode binaryOp(BinaryOp op, const Variant& a, const Variant& b, const NumberLocale& locale,
                   Variant& out);
ErrorCode unaryOp(UnaryOp op, const Variant& a, const NumberLocale& locale, Variant& out);

// Orders two values by VBScript's comparison rules; `result` is <0, 0 or >0. `isNull` is set
// when either side is Null (then the comparison's value is Null). `textCompare` ignores case
// for two strings.
ErrorCode compareValues(const Variant& a, const Variant& b, const NumberLocale& locale,
                        bool textCompare, int& result, bool& isNull);

// Integer results in the narrowest of Byte/Integer/Long that `rank` allows, Double beyond.
Variant fitInteger(std::int64_t value, VarType narrowest);

} // namespace vbs
