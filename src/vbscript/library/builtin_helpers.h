#pragma once

#include "public/variant.h"
#include "run/runtime.h"
#include "values/convert.h"
#include "values/error_codes.h"

#include <cstdint>
#include <string>

// Argument conversions shared by the built-in functions. A Null where a number or text is
// required is "Invalid use of Null"; callers that pass Null through check for it first.
namespace vbs::fn {

inline Result<std::int32_t> longArg(const Runtime& rt, const Variant& v) {
    return toLong(v, rt.locale);
}

// A Double or a whole number, the usual argument of the math functions, is read here without
// the call to the general conversion.
inline Result<double> doubleArg(const Runtime& rt, const Variant& v) {
    switch (v.type()) {
    case VarType::Double:
        return v.asDouble();
    case VarType::Integer:
    case VarType::Long:
        return static_cast<double>(v.asInt());
    default:
        return toDouble(v, rt.locale);
    }
}

inline Result<std::u16string> textArg(const Runtime& rt, const Variant& v) {
    return toText(v, rt.locale);
}

// Whether optional argument i was given: written in the call and not left out between commas.
// An explicit Empty is given, a value like any other (0 as a number, "" as text); a place left
// out is passed by the engine as "parameter not found", and the built-in takes its default.
inline bool given(const Runtime& rt, int n, int i) {
    return i < n && (i >= Runtime::kMarkedArguments || !(rt.leftOutArguments >> i & 1U));
}

// The functions documented to give Null for a Null argument (Len, Left, Abs, Hex, Year, ...):
// true, with `out` Null, when `v` is Null.
inline bool nullThrough(const Variant& v, Variant& out) {
    if (!v.isNull()) {
        return false;
    }
    out = v;
    return true;
}

// The text functions documented to give Null for Null (Len, Left, Trim, Escape, ...): Null gives
// Null without running `f`; any other value is turned into text, which `f` reads (a text in
// place, without a copy: Mid of a long text costs the piece, not the whole) and from which it
// sets `out`. `out` may be `v` itself: `f` makes the new value before it assigns it.
template <typename F>
Outcome onTextOrNull(const Runtime& rt, const Variant& v, Variant& out, F&& f) {
    if (nullThrough(v, out)) {
        return Outcome::Normal;
    }
    if (v.isString()) {
        return f(v.asString());
    }
    const std::u16string converted = VBS_TRY_VALUE(textArg(rt, v));
    return f(std::u16string_view(converted));
}

// Invalid use of Null when any argument from `from` on is Null, for functions that check their
// arguments for Null before converting any of them.
inline Outcome anyNull(const Variant* a, int n, int from) {
    for (int i = from; i < n; ++i) {
        if (a[i].isNull()) {
            return Outcome::InvalidNull;
        }
    }
    return Outcome::Normal;
}

// A whole-number option that must lie in [low, high] (Invalid procedure call otherwise);
// `fallback` when it is not given.
inline Result<std::int32_t> rangeArg(const Runtime& rt, const Variant* a, int n, int i,
                                     std::int32_t low, std::int32_t high, std::int32_t fallback) {
    if (!given(rt, n, i)) {
        return fallback;
    }
    const std::int32_t value = VBS_TRY_VALUE(longArg(rt, a[i]));
    if (value < low || value > high) {
        return Outcome::InvalidCall;
    }
    return value;
}

// The firstdayofweek option, 1 Sunday ... 7 Saturday; not given, Empty and 0 (the system's choice)
// are Sunday, as in the US.
inline Result<std::int32_t> firstDayArg(const Runtime& rt, const Variant* a, int n, int i) {
    const std::int32_t day = VBS_TRY_VALUE(rangeArg(rt, a, n, i, 0, 7, 1));
    return day == 0 ? 1 : day;
}

// The firstweekofyear option, 1 the week of 1 January, 2 the first with four days, 3 the first
// full week; not given, Empty and 0 (the system's choice) are 1, as in the US.
inline Result<std::int32_t> firstWeekArg(const Runtime& rt, const Variant* a, int n, int i) {
    const std::int32_t week = VBS_TRY_VALUE(rangeArg(rt, a, n, i, 0, 3, 1));
    return week == 0 ? 1 : week;
}

// The compare argument of the text functions: 0 binary, 1 text (true).
inline Result<bool> compareArg(const Runtime& rt, const Variant* a, int n, int i) {
    if (!given(rt, n, i)) {
        return false;
    }
    const std::int32_t mode = VBS_TRY_VALUE(longArg(rt, a[i]));
    if (mode != 0 && mode != 1) {
        return Outcome::InvalidCall;
    }
    return mode == 1;
}

} // namespace vbs::fn
