#include "builtin_helpers.h"
#include "builtin_library.h"
#include "values/locale_ids.h"

namespace vbs::fn {
namespace {

// The version this engine reports: the language level it follows, and a build number of our
// own (Windows' builds count in the thousands, so ours cannot be taken for one of them).
constexpr std::int32_t kMajorVersion = 5;
constexpr std::int32_t kMinorVersion = 8;
constexpr std::int32_t kBuildVersion = 1;

} // namespace

Outcome ScriptEngineMajorVersion(Runtime&, const Variant*, int, Variant& out) {
    out = Variant::longInt(kMajorVersion);
    return Outcome::Normal;
}

Outcome ScriptEngineMinorVersion(Runtime&, const Variant*, int, Variant& out) {
    out = Variant::longInt(kMinorVersion);
    return Outcome::Normal;
}

Outcome ScriptEngineBuildVersion(Runtime&, const Variant*, int, Variant& out) {
    out = Variant::longInt(kBuildVersion);
    return Outcome::Normal;
}

Outcome GetLocale(Runtime& rt, const Variant*, int, Variant& out) {
    out = Variant::longInt(rt.localeId);
    return Outcome::Normal;
}

// SetLocale(id or name): 0 or "" is the user's locale. Only the user's locale and en-US are
// known here (their number and date forms); any other locale is refused as an invalid
// argument rather than taken with forms it does not have. Returns the locale id before.
Outcome SetLocale(Runtime& rt, const Variant* a, int, Variant& out) {
    if (a[0].isNull()) {
        return Outcome::InvalidNull;
    }
    std::int32_t id = 0;
    if (a[0].isString()) {
        id = localeIdOf(a[0].asString());
        if (id == kUserDefaultLocaleId) {
            return Outcome::InvalidCall;
        }
    } else
        id = VBS_TRY_VALUE(longArg(rt, a[0]));
    if (id == 0) {
        id = rt.userLocaleId;
    }
    if (id != rt.userLocaleId && id != kUnitedStatesLocaleId) {
        return Outcome::InvalidCall;
    }
    if (!rt.userLocale) {
        rt.userLocale = rt.locale;
    }
    out = Variant::longInt(rt.localeId);
    rt.localeId = id;
    rt.locale = id == rt.userLocaleId ? *rt.userLocale : NumberLocale{};
    return Outcome::Normal;
}

namespace {

// A dialog's arguments read as the dialog would read them, each text or number where the
// dialog wants one: a prompt that is an array, or Null, fails as it would with a dialog shown.
Outcome readDialogArguments(Runtime& rt, const Variant* a, int n, std::u16string_view kinds) {
    for (int i = 0; i < n; ++i) {
        const bool isText = kinds[static_cast<std::size_t>(i)] == u't';
        VBS_TRY(isText ? textArg(rt, a[i]).outcome() : longArg(rt, a[i]).outcome());
    }
    return Outcome::Normal;
}

} // namespace

// A calculator shows no dialogs from a script: MsgBox shows nothing and answers as if OK was
// pressed (vbOK), InputBox answers as if nothing was entered (Empty).
Outcome MsgBox(Runtime& rt, const Variant* a, int n, Variant& out) {
    // prompt, buttons, title, help file, help context
    VBS_TRY(readDialogArguments(rt, a, n, u"tnttn"));
    out = Variant::integer(1);
    return Outcome::Normal;
}

Outcome InputBox(Runtime& rt, const Variant* a, int n, Variant& out) {
    // prompt, title, default, x, y, help file, help context
    VBS_TRY(readDialogArguments(rt, a, n, u"tttnntn"));
    out = Variant();
    return Outcome::Normal;
}

// Stop would hand the script to a debugger; there is none, so it does nothing.
Outcome Stop(Runtime&, const Variant*, int, Variant& out) {
    out = Variant();
    return Outcome::Normal;
}

} // namespace vbs::fn
