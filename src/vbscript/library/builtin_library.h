#pragma once

#include "public/variant.h"
#include "run/runtime.h"
#include "values/error_codes.h"

#include <algorithm>
#include <cstdint>

// The rest of the library a script may expect (names of months and days, formatting, date
// parts, colours, the engine's version, locales, dialogs); builtins.cpp lists them in its
// table like the others.
namespace vbs::fn {

#define VBS_LIBRARY_DECL(name) Outcome name(Runtime& rt, const Variant* a, int n, Variant& out)

// Names and formatting (builtins_library.cpp)
VBS_LIBRARY_DECL(MonthName);
VBS_LIBRARY_DECL(WeekdayName);
VBS_LIBRARY_DECL(FormatCurrency);
VBS_LIBRARY_DECL(FormatPercent);
VBS_LIBRARY_DECL(FormatDateTime);
VBS_LIBRARY_DECL(DatePart);
VBS_LIBRARY_DECL(DateValue);
VBS_LIBRARY_DECL(TimeValue);
VBS_LIBRARY_DECL(RGB);
VBS_LIBRARY_DECL(Escape);
VBS_LIBRARY_DECL(Unescape);

// The engine, its locale and the host (builtins_host.cpp)
VBS_LIBRARY_DECL(ScriptEngineMajorVersion);
VBS_LIBRARY_DECL(ScriptEngineMinorVersion);
VBS_LIBRARY_DECL(ScriptEngineBuildVersion);
VBS_LIBRARY_DECL(GetLocale);
VBS_LIBRARY_DECL(SetLocale);
VBS_LIBRARY_DECL(MsgBox);
VBS_LIBRARY_DECL(InputBox);
VBS_LIBRARY_DECL(Stop);

#undef VBS_LIBRARY_DECL

// The constants (vbCrLf, vbYes, ...): argument-less built-ins, so that a user's own variable of
// the same name (declared with Dim) still wins over them. Integer, Long or String.
template <std::int16_t value> Outcome integerConstant(Runtime&, const Variant*, int, Variant& out) {
    out = Variant::integer(value);
    return Outcome::Normal;
}
template <std::int32_t value> Outcome longConstant(Runtime&, const Variant*, int, Variant& out) {
    out = Variant::longInt(value);
    return Outcome::Normal;
}
// A string literal as a template argument; its last character is the literal's terminator.
template <std::size_t N> struct ConstantText {
    constexpr ConstantText(const char16_t (&text)[N]) { std::copy_n(text, N, chars); }
    char16_t chars[N]{};
};
template <ConstantText text> Outcome textConstant(Runtime& rt, const Variant*, int, Variant& out) {
    out = Variant::string(std::u16string(text.chars, std::size(text.chars) - 1), rt.budget);
    return Outcome::Normal;
}

} // namespace vbs::fn
