#include "builtin_functions.h"
#include "builtin_helpers.h"
#include "objects/object.h"

#include <cfloat>
#include <cmath>

namespace vbs::fn {
namespace {

// CByte/CInt/CLng: half to even, then the subtype's range or Overflow.
Outcome wholeNumber(Runtime& rt, const Variant& a, double low, double high, double& out) {
    if (a.isNull()) {
        return Outcome::InvalidNull;
    }
    out = VBS_TRY_VALUE(doubleArg(rt, a));
    out = roundHalfEven(out);
    return out >= low && out <= high ? Outcome::Normal : Outcome::Overflow;
}

} // namespace

Outcome CBool(Runtime& rt, const Variant* a, int, Variant& out) {
    bool b = VBS_TRY_VALUE(toBool(a[0], rt.locale));
    out = Variant::boolean(b);
    return Outcome::Normal;
}

Outcome CByte(Runtime& rt, const Variant* a, int, Variant& out) {
    if (a[0].type() == VarType::Boolean) {
        // True is all bits set: 255 as a Byte.
        out = Variant::byte(a[0].asBool() ? 255 : 0);
        return Outcome::Normal;
    }
    double d = 0;
    VBS_TRY(wholeNumber(rt, a[0], 0, 255, d));
    out = Variant::byte(static_cast<std::uint8_t>(d));
    return Outcome::Normal;
}

Outcome CInt(Runtime& rt, const Variant* a, int, Variant& out) {
    double d = 0;
    VBS_TRY(wholeNumber(rt, a[0], -32768, 32767, d));
    out = Variant::integer(static_cast<std::int16_t>(d));
    return Outcome::Normal;
}

Outcome CLng(Runtime& rt, const Variant* a, int, Variant& out) {
    double d = 0;
    VBS_TRY(wholeNumber(rt, a[0], -2147483648.0, 2147483647.0, d));
    out = Variant::longInt(static_cast<std::int32_t>(d));
    return Outcome::Normal;
}

Outcome CSng(Runtime& rt, const Variant* a, int, Variant& out) {
    double d = VBS_TRY_VALUE(doubleArg(rt, a[0]));
    if (std::fabs(d) > FLT_MAX) {
        return Outcome::Overflow;
    }
    out = Variant::single(static_cast<float>(d));
    return Outcome::Normal;
}

Outcome CDbl(Runtime& rt, const Variant* a, int, Variant& out) {
    double d = VBS_TRY_VALUE(doubleArg(rt, a[0]));
    out = Variant::dbl(d);
    return Outcome::Normal;
}

Outcome CCur(Runtime& rt, const Variant* a, int, Variant& out) {
    if (a[0].type() == VarType::Currency) {
        out = a[0];
        return Outcome::Normal;
    }
    double d = VBS_TRY_VALUE(doubleArg(rt, a[0]));
    // In long double, whose 64-bit mantissa holds every Currency amount exactly: a Double
    // times 10,000 would lose the last digits of large amounts.
    const long double scaled = std::nearbyintl(static_cast<long double>(d) * 10000.0L);
    if (!(scaled >= -9223372036854775808.0L && scaled < 9223372036854775808.0L)) {
        return Outcome::Overflow;
    }
    out = Variant::currency(static_cast<std::int64_t>(scaled));
    return Outcome::Normal;
}

Outcome CDate(Runtime& rt, const Variant* a, int, Variant& out) {
    double serial = VBS_TRY_VALUE(toDate(a[0], rt.locale));
    out = Variant::date(serial);
    return Outcome::Normal;
}

Outcome CStr(Runtime& rt, const Variant* a, int, Variant& out) {
    if (a[0].isString()) {
        out = a[0]; // texts are shared, never changed: no copy of the characters
        return Outcome::Normal;
    }
    std::u16string text = VBS_TRY_VALUE(textArg(rt, a[0]));
    out = Variant::string(std::move(text), rt.budget);
    return Outcome::Normal;
}

Outcome IsArray(Runtime&, const Variant* a, int, Variant& out) {
    out = Variant::boolean(a[0].isArray());
    return Outcome::Normal;
}

Outcome IsDate(Runtime& rt, const Variant* a, int, Variant& out) {
    double serial = 0;
    out = Variant::boolean(
        a[0].type() == VarType::Date ||
        (a[0].isString() && parseDateText(a[0].asString(), serial, rt.locale.dates)));
    return Outcome::Normal;
}

Outcome IsEmpty(Runtime&, const Variant* a, int, Variant& out) {
    out = Variant::boolean(a[0].isEmpty());
    return Outcome::Normal;
}

Outcome IsNull(Runtime&, const Variant* a, int, Variant& out) {
    out = Variant::boolean(a[0].isNull());
    return Outcome::Normal;
}

Outcome IsNumeric(Runtime& rt, const Variant* a, int, Variant& out) {
    const VarType t = a[0].type();
    bool numeric = isNumericType(t) && t != VarType::Date;
    if (t == VarType::String) {
        double d = 0;
        numeric = parseNumericText(a[0].asString(), rt.locale, d);
    }
    out = Variant::boolean(numeric);
    return Outcome::Normal;
}

Outcome IsObject(Runtime&, const Variant* a, int, Variant& out) {
    out = Variant::boolean(a[0].isObject());
    return Outcome::Normal;
}

Outcome TypeName(Runtime& rt, const Variant* a, int, Variant& out) {
    const char16_t* name = u"Unknown";
    switch (a[0].type()) {
    case VarType::Empty:
        name = u"Empty";
        break;
    case VarType::Null:
        name = u"Null";
        break;
    case VarType::Integer:
        name = u"Integer";
        break;
    case VarType::Long:
        name = u"Long";
        break;
    case VarType::Single:
        name = u"Single";
        break;
    case VarType::Double:
        name = u"Double";
        break;
    case VarType::Currency:
        name = u"Currency";
        break;
    case VarType::Date:
        name = u"Date";
        break;
    case VarType::String:
        name = u"String";
        break;
    case VarType::Object:
        if (const ObjectData* o = a[0].objectPtr()) {
            out = Variant::string(std::u16string(o->typeName()), rt.budget);
            return Outcome::Normal;
        }
        name = u"Nothing";
        break;
    case VarType::Boolean:
        name = u"Boolean";
        break;
    case VarType::Byte:
        name = u"Byte";
        break;
    case VarType::Array:
        name = u"Variant()";
        break;
    }
    out = Variant::string(name, rt.budget);
    return Outcome::Normal;
}

Outcome VarTypeOf(Runtime&, const Variant* a, int, Variant& out) {
    out = Variant::integer(static_cast<std::int16_t>(a[0].type()));
    return Outcome::Normal;
}

Outcome ErrNumber(Runtime& rt, const Variant*, int, Variant& out) {
    out = Variant::longInt(rt.err.number);
    return Outcome::Normal;
}

} // namespace vbs::fn
