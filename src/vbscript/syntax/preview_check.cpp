#include "preview_check.h"

#include "global_table.h"
#include "library/builtins.h"

#include <string_view>
#include <vector>

namespace vbs {
namespace {

// The built-ins a preview may call: those whose only effect is their result. Left out on
// purpose: Rnd (advances the random sequence), Err (the Err object), CreateObject, GetObject,
// SetLocale, MsgBox, InputBox, Stop, and Eval, Execute, ExecuteGlobal and GetRef (they run or
// name the script's own code). A built-in added later stays out until it is listed here.
constexpr std::u16string_view kEffectFree[] = {
    // Math
    u"abs", u"atn", u"cos", u"exp", u"fix", u"int", u"log", u"round", u"sgn", u"sin", u"sqr",
    u"tan", u"hex", u"oct",
    // Conversion and inspection
    u"cbool", u"cbyte", u"ccur", u"cdate", u"cdbl", u"cint", u"clng", u"csng", u"cstr", u"isarray",
    u"isdate", u"isempty", u"isnull", u"isnumeric", u"isobject", u"typename", u"vartype",
    // Text
    u"len", u"left", u"right", u"mid", u"instr", u"instrrev", u"replace", u"ucase", u"lcase",
    u"trim", u"ltrim", u"rtrim", u"space", u"string", u"strreverse", u"strcomp", u"chr", u"chrw",
    u"asc", u"ascw", u"escape", u"unescape",
    // Formatting
    u"formatnumber", u"formatcurrency", u"formatpercent", u"formatdatetime",
    // Arrays
    u"array", u"ubound", u"lbound", u"join", u"split", u"filter",
    // Dates (reading the clock changes nothing)
    u"now", u"date", u"time", u"timer", u"year", u"month", u"day", u"hour", u"minute", u"second",
    u"weekday", u"dateserial", u"timeserial", u"dateadd", u"datediff", u"datepart", u"datevalue",
    u"timevalue", u"monthname", u"weekdayname",
    // The host's facts
    u"rgb", u"scriptengine", u"scriptenginemajorversion", u"scriptengineminorversion",
    u"scriptenginebuildversion", u"getlocale",
    // Constants
    u"vbcr", u"vblf", u"vbcrlf", u"vbnewline", u"vbtab", u"vbnullstring", u"vbnullchar", u"vbtrue",
    u"vbfalse", u"vbusedefault", u"vbbinarycompare", u"vbtextcompare", u"vbdatabasecompare",
    u"vbempty", u"vbnull", u"vbinteger", u"vblong", u"vbsingle", u"vbdouble", u"vbcurrency",
    u"vbdate", u"vbstring", u"vbobject", u"vberror", u"vbboolean", u"vbvariant", u"vbdataobject",
    u"vbdecimal", u"vbbyte", u"vbarray", u"vbobjecterror", u"vbsunday", u"vbmonday", u"vbtuesday",
    u"vbwednesday", u"vbthursday", u"vbfriday", u"vbsaturday", u"vbokonly", u"vbokcancel",
    u"vbabortretryignore", u"vbyesnocancel", u"vbyesno", u"vbretrycancel", u"vbcritical",
    u"vbquestion", u"vbexclamation", u"vbinformation", u"vbdefaultbutton1", u"vbdefaultbutton2",
    u"vbdefaultbutton3", u"vbdefaultbutton4", u"vbapplicationmodal", u"vbsystemmodal",
    u"vbmsgboxhelpbutton", u"vbmsgboxsetforeground", u"vbmsgboxright", u"vbmsgboxrtlreading",
    u"vbok", u"vbcancel", u"vbabort", u"vbretry", u"vbignore", u"vbyes", u"vbno", u"vbgeneraldate",
    u"vblongdate", u"vbshortdate", u"vblongtime", u"vbshorttime", u"vbusesystem",
    u"vbusesystemdayofweek", u"vbfirstjan1", u"vbfirstfourdays", u"vbfirstfullweek", u"vbblack",
    u"vbred", u"vbgreen", u"vbyellow", u"vbblue", u"vbmagenta", u"vbcyan", u"vbwhite",
    u"vbformfeed", u"vbverticaltab"};

// The list above by table index, made once: each name is looked up in the table a single time.
bool effectFree(int builtin) {
    static const std::vector<bool> allowed = [] {
        std::vector<bool> byIndex(static_cast<std::size_t>(builtinCount()), false);
        for (const std::u16string_view name : kEffectFree) {
            if (const int i = findBuiltin(name); i >= 0) {
                byIndex[static_cast<std::size_t>(i)] = true;
            }
        }
        return byIndex;
    }();
    return builtin >= 0 && static_cast<std::size_t>(builtin) < allowed.size() &&
           allowed[static_cast<std::size_t>(builtin)];
}

// Objects may run code when used as values; arrays may hold objects.
bool plain(const Variant& v) {
    return !v.isObject() && !v.isArray();
}

bool allAllowed(const std::vector<ExprPtr>& args) {
    for (const ExprPtr& a : args) {
        if (!previewAllowed(*a)) {
            return false;
        }
    }
    return true;
}

bool nameAllowed(const Expr& e) {
    switch (e.scope) {
    case Scope::Builtin:
        return effectFree(e.index) && allAllowed(e.args);
    case Scope::Global: {
        // Written with parentheses, a variable's name applies them to its value (an array's
        // element, an object's default member).
        const GlobalEntry& g = *e.global;
        const bool value =
            g.kind == GlobalEntry::Kind::Variable || g.kind == GlobalEntry::Kind::Constant;
        return value && !e.hasParens && e.args.empty() && plain(g.value);
    }
    default:
        return false; // undefined, or a local or member no script-level text has
    }
}

} // namespace

bool previewAllowed(const Expr& e) {
    switch (e.kind) {
    case ExprKind::Literal:
        return plain(e.value);
    case ExprKind::Unary:
    case ExprKind::Binary:
        return allAllowed(e.args);
    case ExprKind::Name:
        return nameAllowed(e);
    default:
        return false; // members, calls on values, New, Me, With
    }
}

} // namespace vbs
