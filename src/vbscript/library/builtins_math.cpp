#include "builtin_functions.h"
#include "builtin_helpers.h"
#include "values/operators.h"

#include <cfloat>
#include <cmath>
#include <string>

namespace vbs::fn {
namespace {

// The domain of a function defined for every Double.
constexpr auto anyDouble = [](double) { return true; };

// Sqr, Exp, Log and the trigonometric functions: Double in, Double out, Null passes through. A
// template, so that the function and its domain check are inlined (a hot loop calls these).
template <class F, class Domain>
Outcome real(Runtime& rt, const Variant& a, Variant& out, F f, Domain domain) {
    if (nullThrough(a, out)) {
        return Outcome::Normal;
    }
    double x = VBS_TRY_VALUE(doubleArg(rt, a));
    if (!domain(x)) {
        return Outcome::InvalidCall;
    }
    const double r = f(x);
    if (!std::isfinite(r)) {
        return Outcome::Overflow;
    }
    out = Variant::dbl(r);
    return Outcome::Normal;
}

// Int and Fix: keep the numeric subtype, text becomes Double, Boolean and Empty Integer.
Outcome wholePart(Runtime& rt, const Variant& a, Variant& out, double (*f)(double)) {
    switch (a.type()) {
    case VarType::Null:
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
        out = a;
        return Outcome::Normal;
    case VarType::Empty:
    case VarType::Boolean:
        out = Variant::integer(static_cast<std::int16_t>(a.isEmpty() ? 0 : a.asInt()));
        return Outcome::Normal;
    case VarType::Single:
        out = Variant::single(static_cast<float>(f(a.asDouble())));
        return Outcome::Normal;
    case VarType::Date:
        out = Variant::date(f(a.asDouble()));
        return Outcome::Normal;
    case VarType::Currency: {
        const double units = f(static_cast<double>(a.asInt()) / 10000.0);
        out = Variant::currency(static_cast<std::int64_t>(units) * 10000);
        return Outcome::Normal;
    }
    default: {
        double x = VBS_TRY_VALUE(doubleArg(rt, a));
        out = Variant::dbl(f(x));
        return Outcome::Normal;
    }
    }
}

// Hex and Oct: the two's-complement digits of a 16-bit value for the small subtypes, of a
// 32-bit value for Long and for anything beyond the Integer range.
Outcome radixText(Runtime& rt, const Variant& a, Variant& out, int bitsPerDigit) {
    if (nullThrough(a, out)) {
        return Outcome::Normal;
    }
    std::int32_t v = VBS_TRY_VALUE(longArg(rt, a));
    std::uint32_t bits = static_cast<std::uint32_t>(v);
    if (a.type() != VarType::Long && v >= -32768 && v <= 32767) {
        bits &= 0xFFFFu;
    }
    const char* digits = "0123456789ABCDEF";
    std::u16string text;
    const std::uint32_t mask = (1u << bitsPerDigit) - 1;
    do {
        text.insert(text.begin(), static_cast<char16_t>(digits[bits & mask]));
        bits >>= bitsPerDigit;
    } while (bits != 0);
    out = Variant::string(std::move(text), rt.budget);
    return Outcome::Normal;
}

} // namespace

Outcome Abs(Runtime& rt, const Variant* a, int, Variant& out) {
    const Variant& x = a[0];
    switch (x.type()) {
    case VarType::Null:
        out = x;
        return Outcome::Normal;
    case VarType::Empty:
    case VarType::Boolean:
    case VarType::Integer:
        out = fitInteger(std::llabs(x.isEmpty() ? 0 : x.asInt()), VarType::Integer);
        return Outcome::Normal;
    case VarType::Byte:
        out = x;
        return Outcome::Normal;
    case VarType::Long:
        out = fitInteger(std::llabs(x.asInt()), VarType::Long);
        return Outcome::Normal;
    case VarType::Single:
        out = Variant::single(static_cast<float>(std::fabs(x.asDouble())));
        return Outcome::Normal;
    case VarType::Date:
        out = Variant::date(std::fabs(x.asDouble()));
        return Outcome::Normal;
    case VarType::Currency:
        if (x.asInt() == INT64_MIN) {
            return Outcome::Overflow;
        }
        out = Variant::currency(x.asInt() < 0 ? -x.asInt() : x.asInt());
        return Outcome::Normal;
    default: {
        double d = VBS_TRY_VALUE(doubleArg(rt, x));
        out = Variant::dbl(std::fabs(d));
        return Outcome::Normal;
    }
    }
}

Outcome Atn(Runtime& rt, const Variant* a, int, Variant& out) {
    return real(
        rt, a[0], out, [](double x) { return std::atan(x); }, anyDouble);
}
Outcome Cos(Runtime& rt, const Variant* a, int, Variant& out) {
    return real(
        rt, a[0], out, [](double x) { return std::cos(x); }, anyDouble);
}
Outcome Sin(Runtime& rt, const Variant* a, int, Variant& out) {
    return real(
        rt, a[0], out, [](double x) { return std::sin(x); }, anyDouble);
}
Outcome Tan(Runtime& rt, const Variant* a, int, Variant& out) {
    return real(
        rt, a[0], out, [](double x) { return std::tan(x); }, anyDouble);
}
Outcome Exp(Runtime& rt, const Variant* a, int, Variant& out) {
    return real(
        rt, a[0], out, [](double x) { return std::exp(x); }, anyDouble);
}
Outcome Log(Runtime& rt, const Variant* a, int, Variant& out) {
    return real(
        rt, a[0], out, [](double x) { return std::log(x); }, [](double x) { return x > 0; });
}
Outcome Sqr(Runtime& rt, const Variant* a, int, Variant& out) {
    return real(
        rt, a[0], out, [](double x) { return std::sqrt(x); }, [](double x) { return x >= 0; });
}

Outcome Fix(Runtime& rt, const Variant* a, int, Variant& out) {
    return wholePart(rt, a[0], out, [](double x) { return std::trunc(x); });
}
Outcome Int(Runtime& rt, const Variant* a, int, Variant& out) {
    return wholePart(rt, a[0], out, [](double x) { return std::floor(x); });
}

Outcome Sgn(Runtime& rt, const Variant* a, int, Variant& out) {
    double x = VBS_TRY_VALUE(doubleArg(rt, a[0]));
    out = Variant::integer(static_cast<std::int16_t>(x > 0 ? 1 : x < 0 ? -1 : 0));
    return Outcome::Normal;
}

Outcome Round(Runtime& rt, const Variant* a, int n, Variant& out) {
    const Variant& x = a[0];
    if (nullThrough(x, out)) {
        return Outcome::Normal;
    }
    std::int32_t places = 0;
    if (given(rt, n, 1)) {
        places = VBS_TRY_VALUE(longArg(rt, a[1]));
        if (places < 0) {
            return Outcome::InvalidCall;
        }
    }
    switch (x.type()) {
    case VarType::Empty:
        out = Variant::integer(0);
        return Outcome::Normal;
    case VarType::Boolean:
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
        out = x;
        return Outcome::Normal;
    case VarType::Currency: {
        if (places >= 4) {
            out = x;
            return Outcome::Normal;
        }
        const double step = std::pow(10.0, 4 - places);
        out = Variant::currency(
            static_cast<std::int64_t>(roundHalfEven(static_cast<double>(x.asInt()) / step) * step));
        return Outcome::Normal;
    }
    default:
        break;
    }
    double d = VBS_TRY_VALUE(doubleArg(rt, x));
    double r = d;
    if (places <= 22) {
        const double scale = std::pow(10.0, places);
        const double scaled = d * scale;
        if (std::isfinite(scaled)) {
            r = roundHalfEven(scaled) / scale;
        }
    }
    if (x.type() == VarType::Single) {
        out = Variant::single(static_cast<float>(r));
    } else if (x.type() == VarType::Date) {
        out = Variant::date(r);
    } else {
        out = Variant::dbl(r);
    }
    return Outcome::Normal;
}

Outcome Rnd(Runtime& rt, const Variant* a, int n, Variant& out) {
    double arg = 1.0;
    if (n > 0) {
        arg = VBS_TRY_VALUE(doubleArg(rt, a[0]));
    }
    out = Variant::single(rt.rnd.next(arg));
    return Outcome::Normal;
}

Outcome Hex(Runtime& rt, const Variant* a, int, Variant& out) {
    return radixText(rt, a[0], out, 4);
}
Outcome Oct(Runtime& rt, const Variant* a, int, Variant& out) {
    return radixText(rt, a[0], out, 3);
}

} // namespace vbs::fn
