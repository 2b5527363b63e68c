#include "builtin_functions.h"
#include "builtin_helpers.h"
#include "object.h"

#include <cfloat>
#include <cmath>

namespace vbs::fn {
namespace {

// CByte/CInt/CLng: half to even, then the subtype's range or Overflow.
ErrorCode wholeNumber(Runtime& rt, const Variant& a, double low, double high, double& out) {
    if (a.isNull()) {
        return ErrorCode::InvalidNull;
    }
    VBS_TRY(doubleArg(rt, a, out));
    out = roundHalfEven(out);
    return out >= low && out <= high ? ErrorCode::None : ErrorCode::Overflow;
}

} // namespace

ErrorCode CBool(Runtime& rt, const Variant* a, int, Variant& out) {
    bool b = false;
    VBS_TRY(toBool(a[0], rt.locale, b));
    out = Variant::boolean(b);
    return ErrorCode::None;
}

ErrorCode CByte(Runtime& rt, const Variant* a, int, Variant& out) {
    if (a[0].type() == VarType::Boolean) {
        // True is all bits set: 255 as a Byte.
        out = Variant::byte(a[0].asBool() ? 255 : 0);
        return ErrorCode::None;
    }
    double d = 0;
    VBS_TRY(wholeNumber(rt, a[0], 0, 255, d));
    out = Variant::byte(static_cast<std::uint8_t>(d));
    return ErrorCode::None;
}

ErrorCode CInt(Runtime& rt, const Variant* a, int, Variant& out) {
    double d = 0;
    VBS_TRY(wholeNumber(rt, a[0], -32768, 32767, d));
    out = Variant::integer(static_cast<std::int16_t>(d));
    return ErrorCode::None;
}

ErrorCode CLng(Runtime& rt, const Variant* a, int, Variant& out) {
    double d = 0;
    VBS_TRY(wholeNumber(rt, a[0], -2147483648.0, 2147483647.0, d));
    out = Variant::longInt(static_cast<std::int32_t>(d));
    return ErrorCode::None;
}

ErrorCode CSng(Runtime& rt, const Variant* a, int, Variant& out) {
    double d = 0;
    VBS_TRY(doubleArg(rt, a[0], d));
    if (std::fabs(d) > FLT_MAX) {
        return ErrorCode::Overflow;
    }
    out = Variant::single(static_cast<float>(d));
    return ErrorCode::None;
}

ErrorCode CDbl(Runtime& rt, const Variant* a, int, Variant& out) {
    double d = 0;
    VBS_TRY(doubleArg(rt, a[0], d));
    out = Variant::dbl(d);
    return ErrorCode::None;
}

ErrorCode CCur(Runtime& rt, const Variant* a, int, Variant& out) {
    if (a[0].type() == VarType::Currency) {
        out = a[0];
        return ErrorCode::None;
    }
    double d = 0;
    VBS_TRY(doubleArg(rt, a[0], d));
    // In long double, whose 64-bit mantissa holds every Currency amount exactly: a Double
    // times 10,000 would lose the last digits of large amounts.
    const long double scaled = std::nearbyintl(static_cast<long double>(d) * 10000.0L);
    if (!(scaled >= -9223372036854775808.0L && scaled < 9223372036854775808.0L)) {
        return ErrorCode::Overflow;
    }
    out = Variant::currency(static_cast<std::int64_t>(scaled));
    return ErrorCode::None;
}

ErrorCode CDate(Runtime& rt, const Variant* a, int, Variant& out) {
    double serial = 0;
    VBS_TRY(toDate(a[0], rt.locale, serial));
    out = Variant::date(serial);
    return ErrorCode::None;
}

ErrorCode CStr(Runtime& rt, const Variant* a, int, Variant& out) {
    std::u16string text;
    VBS_TRY(textArg(rt, a[0], text));
    out = Variant::string(std::move(text), rt.budget);
    return ErrorCode::None;
}

ErrorCode IsArray(Runtime&, const Variant* a, int, Variant& out) {
    out = Variant::boolean(a[0].isArray());
    return ErrorCode::None;
}

ErrorCode IsDate(Runtime& rt, const Variant* a, int, Variant& out) {
    double serial = 0;
    out = Variant::boolean(
        a[0].type() == VarType::Date ||
        (a[0].isString() && parseDateText(a[0].asString(), serial, rt.locale.dates)));
    return ErrorCode::None;
}

ErrorCode IsEmpty(Runtime&, const Variant* a, int, Variant& out) {
    out = Variant::boolean(a[0].isEmpty());
    return ErrorCode::None;
}

ErrorCode IsNull(Runtime&, const Variant* a, int, Variant& out) {
    out = Variant::boolean(a[0].isNull());
    return ErrorCode::None;
}

ErrorCode IsNumeric(Runtime& rt, const Variant* a, int, Variant& out) {
    const VarType t = a[0].type();
    bool numeric = isNumericType(t) && t != VarType::Date;
    if (t == VarType::String) {
        double d = 0;
        numeric = parseNumericText(a[0].asString(), rt.locale, d);
    }
    out = Variant::boolean(numeric);
    return ErrorCode::None;
}

ErrorCode IsObject(Runtime&, const Variant* a, int, Variant& out) {
    out = Variant::boolean(a[0].isObject());
    return ErrorCode::None;
}

ErrorCode TypeName(Runtime& rt, const Variant* a, int, Variant& out) {
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
            return ErrorCode::None;
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
    return ErrorCode::None;
}

ErrorCode VarTypeOf(Runtime&, const Variant* a, int, Variant& out) {
    out = Variant::integer(static_cast<std::int16_t>(a[0].type()));
    return ErrorCode::None;
}

ErrorCode ErrNumber(Runtime& rt, const Variant*, int, Variant& out) {
    out = Variant::longInt(rt.err.number);
    return ErrorCode::None;
}

} // namespace vbs::fn
