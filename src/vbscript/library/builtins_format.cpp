#include "builtin_functions.h"
#include "builtin_helpers.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace vbs::fn {
namespace {

// A tristate argument: -1 True, 0 False, -2 (or missing) the locale's default.
Outcome tristate(const Runtime& rt, const Variant* a, int n, int i, bool fallback, bool& out) {
    out = fallback;
    if (!given(rt, n, i)) {
        return Outcome::Normal;
    }
    std::int32_t v = VBS_TRY_VALUE(longArg(rt, a[i]));
    if (v != -2) {
        out = v != 0;
    }
    return Outcome::Normal;
}

} // namespace

// FormatNumber(x[, digits[, leadingZero[, parentheses[, grouping]]]]) with the US defaults:
// two decimals, a leading zero, a minus sign, digits grouped in threes.
Outcome FormatNumber(Runtime& rt, const Variant* a, int n, Variant& out) {
    if (a[0].isNull()) {
        return Outcome::TypeMismatch;
    }
    VBS_TRY(anyNull(a, n, 1));
    double x = VBS_TRY_VALUE(doubleArg(rt, a[0]));
    std::int32_t digits = 2;
    if (given(rt, n, 1)) {
        digits = VBS_TRY_VALUE(longArg(rt, a[1]));
        if (digits == -1) {
            digits = 2;
        }
        if (digits < 0 || digits > 255) {
            return Outcome::InvalidCall;
        }
    }
    bool leadingZero = true;
    bool parentheses = false;
    bool grouping = true;
    VBS_TRY(tristate(rt, a, n, 2, true, leadingZero));
    VBS_TRY(tristate(rt, a, n, 3, false, parentheses));
    VBS_TRY(tristate(rt, a, n, 4, true, grouping));
    std::string fixed(static_cast<std::size_t>(digits) + 330, '\0');
    const int len = std::snprintf(fixed.data(), fixed.size(), "%.*f", digits, std::fabs(x));
    fixed.resize(static_cast<std::size_t>(len > 0 ? len : 0));
    const std::size_t dot = fixed.find('.');
    std::string whole = fixed.substr(0, dot);
    const std::string fraction = dot == std::string::npos ? "" : fixed.substr(dot + 1);
    const bool isZero = whole.find_first_not_of('0') == std::string::npos &&
                        fraction.find_first_not_of('0') == std::string::npos;
    std::u16string text;
    if (!(whole == "0" && !leadingZero && !fraction.empty())) {
        for (std::size_t i = 0; i < whole.size(); ++i) {
            if (grouping && i > 0 && (whole.size() - i) % 3 == 0) {
                text.push_back(rt.locale.thousands);
            }
            text.push_back(static_cast<char16_t>(whole[i]));
        }
    }
    if (!fraction.empty()) {
        text.push_back(rt.locale.decimal);
        text += asciiToU16(fraction);
    }
    // A value that rounds to zero shows no sign.
    if (x < 0 && !isZero) {
        text = parentheses ? u"(" + text + u")" : u"-" + text;
    }
    out = Variant::string(std::move(text), rt.budget);
    return Outcome::Normal;
}

} // namespace vbs::fn
