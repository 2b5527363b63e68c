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

// A present, non-Empty optional argument.
inline bool given(const Variant* a, int n, int i) {
    return i < n && !a[i].isEmpty();
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
// Null without running `f`; any other value is turned into text, which `f` receives as its own
// copy to read or change, and from which it sets `out`.
template <typename F>
Outcome onTextOrNull(const Runtime& rt, const Variant& v, Variant& out, F&& f) {
    if (nullThrough(v, out)) {
        return Outcome::Normal;
    }
    std::u16string s = VBS_TRY_VALUE(textArg(rt, v));
    return f(s);
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
// `fallback` when it is missing or Empty.
inline Outcome rangeArg(const Runtime& rt, const Variant* a, int n, int i, std::int32_t low,
                        std::int32_t high, std::int32_t fallback, std::int32_t& out) {
    out = fallback;
    if (!given(a, n, i)) {
        return Outcome::Normal;
    }
    out = VBS_TRY_VALUE(longArg(rt, a[i]));
    return out < low || out > high ? Outcome::InvalidCall : Outcome::Normal;
}

// The firstdayofweek option, 1 Sunday ... 7 Saturday; missing, Empty and 0 (the system's choice)
// are Sunday, as in the US.
inline Outcome firstDayArg(const Runtime& rt, const Variant* a, int n, int i, std::int32_t& out) {
    VBS_TRY(rangeArg(rt, a, n, i, 0, 7, 1, out));
    out = out == 0 ? 1 : out;
    return Outcome::Normal;
}

// The firstweekofyear option, 1 the week of 1 January, 2 the first with four days, 3 the first
// full week; missing, Empty and 0 (the system's choice) are 1, as in the US.
inline Outcome firstWeekArg(const Runtime& rt, const Variant* a, int n, int i, std::int32_t& out) {
    VBS_TRY(rangeArg(rt, a, n, i, 0, 3, 1, out));
    out = out == 0 ? 1 : out;
    return Outcome::Normal;
}

// The compare argument of the text functions: 0 binary, 1 text.
inline Outcome compareArg(const Runtime& rt, const Variant* a, int n, int i, bool& text) {
    text = false;
    if (i >= n) {
        return Outcome::Normal;
    }
    std::int32_t mode = VBS_TRY_VALUE(longArg(rt, a[i]));
    if (mode != 0 && mode != 1) {
        return Outcome::InvalidCall;
    }
    text = mode == 1;
    return Outcome::Normal;
}

} // namespace vbs::fn
