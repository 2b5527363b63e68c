#pragma once

#include "convert.h"
#include "error_codes.h"
#include "runtime.h"
#include "variant.h"

#include <cstdint>
#include <string>

// Argument conversions shared by the built-in functions. A Null where a number or text is
// required is "Invalid use of Null"; callers that pass Null through check for it first.
namespace vbs::fn {

inline ErrorCode longArg(const Runtime& rt, const Variant& v, std::int32_t& out) {
    return toLong(v, rt.locale, out);
}

inline ErrorCode doubleArg(const Runtime& rt, const Variant& v, double& out) {
    return toDouble(v, rt.locale, out);
}

inline ErrorCode textArg(const Runtime& rt, const Variant& v, std::u16string& out) {
    return toText(v, rt.locale, out);
}

// A present, non-Empty optional argument.
inline bool given(const Variant* a, int n, int i) {
    return i < n && !a[i].isEmpty();
}

// The compare argument of the text functions: 0 binary, 1 text.
inline ErrorCode compareArg(const Runtime& rt, const Variant* a, int n, int i, bool& text) {
    text = false;
    if (i >= n) {
        return ErrorCode::None;
    }
    std::int32_t mode = 0;
    if (ErrorCode e = longArg(rt, a[i], mode); e != ErrorCode::None) {
        return e;
    }
    if (mode != 0 && mode != 1) {
        return ErrorCode::InvalidCall;
    }
    text = mode == 1;
    return ErrorCode::None;
}

} // namespace vbs::fn
