#include "builtins.h"

#include "builtin_functions.h"

namespace vbs {
namespace {

// Constants are argument-less functions, so a user's own variable of the same name (declared
// with Dim) still wins over them.
#define VBS_CONSTANT(fnName, makeValue)                                                            \
    ErrorCode fnName(Runtime&, const Variant*, int, Variant& out) {                                \
        out = makeValue;                                                                           \
        return ErrorCode::None;                                                                    \
    }

VBS_CONSTANT(vbCr, Variant::string(u"\r"))
VBS_CONSTANT(vbLf, Variant::string(u"\n"))
VBS_CONSTANT(vbCrLf, Variant::string(u"\r\n"))
VBS_CONSTANT(vbTab, Variant::string(u"\t"))
VBS_CONSTANT(vbNullString, Variant::string(u""))
VBS_CONSTANT(vbNullChar, Variant::string(std::u16string(1, u'\0')))
VBS_CONSTANT(vbTrue, Variant::integer(-1))
VBS_CONSTANT(vbFalse, Variant::integer(0))
VBS_CONSTANT(vbUseDefault, Variant::integer(-2))
VBS_CONSTANT(vbBinaryCompare, Variant::integer(0))
VBS_CONSTANT(vbTextCompare, Variant::integer(1))
VBS_CONSTANT(vbEmpty, Variant::integer(0))
VBS_CONSTANT(vbNull, Variant::integer(1))
VBS_CONSTANT(vbInteger, Variant::integer(2))
VBS_CONSTANT(vbLong, Variant::integer(3))
VBS_CONSTANT(vbSingle, Variant::integer(4))
VBS_CONSTANT(vbDouble, Variant::integer(5))
VBS_CONSTANT(vbCurrency, Variant::integer(6))
VBS_CONSTANT(vbDate, Variant::integer(7))
VBS_CONSTANT(vbString, Variant::integer(8))
VBS_CONSTANT(vbObject, Variant::integer(9))
VBS_CONSTANT(vbError, Variant::integer(10))
VBS_CONSTANT(vbBoolean, Variant::integer(11))
VBS_CONSTANT(vbVariant, Variant::integer(12))
VBS_CONSTANT(vbDataObject, Variant::integer(13))
VBS_CONSTANT(vbByte, Variant::integer(17))
VBS_CONSTANT(vbArray, Variant::integer(8192))
VBS_CONSTANT(vbObjectError, Variant::longInt(static_cast<std::int32_t>(0x80040000u)))
VBS_CONSTANT(vbSunday, Variant::integer(1))
VBS_CONSTANT(vbMonday, Variant::integer(2))
VBS_CONSTANT(vbTuesday, Variant::integer(3))
VBS_CONSTANT(vbWednesday, Variant::integer(4))
VBS_CONSTANT(vbThursday, Variant::integer(5))
VBS_CONSTANT(vbFriday, Variant::integer(6))
VBS_CONSTANT(vbSaturday, Variant::integer(7))
VBS_CONSTANT(ScriptEngine, Variant::string(u"VBScript"))

#undef VBS_CONSTANT

constexpr std::uint8_t kMany = 255;

constexpr BuiltinInfo kBuiltins[] = {
    // Math
    {u"abs", 1, 1, fn::Abs},
    {u"atn", 1, 1, fn::Atn},
    {u"cos", 1, 1, fn::Cos},
    {u"exp", 1, 1, fn::Exp},
    {u"fix", 1, 1, fn::Fix},
    {u"int", 1, 1, fn::Int},
    {u"log", 1, 1, fn::Log},
    {u"rnd", 0, 1, fn::Rnd},
    {u"round", 1, 2, fn::Round},
    {u"sgn", 1, 1, fn::Sgn},
    {u"sin", 1, 1, fn::Sin},
    {u"sqr", 1, 1, fn::Sqr},
    {u"tan", 1, 1, fn::Tan},
    {u"hex", 1, 1, fn::Hex},
    {u"oct", 1, 1, fn::Oct},
    // Conversion and inspection
    {u"cbool", 1, 1, fn::CBool},
    {u"cbyte", 1, 1, fn::CByte},
    {u"ccur", 1, 1, fn::CCur},
    {u"cdate", 1, 1, fn::CDate},
    {u"cdbl", 1, 1, fn::CDbl},
    {u"cint", 1, 1, fn::CInt},
    {u"clng", 1, 1, fn::CLng},
    {u"csng", 1, 1, fn::CSng},
    {u"cstr", 1, 1, fn::CStr},
    {u"isarray", 1, 1, fn::IsArray},
    {u"isdate", 1, 1, fn::IsDate},
    {u"isempty", 1, 1, fn::IsEmpty},
    {u"isnull", 1, 1, fn::IsNull},
    {u"isnumeric", 1, 1, fn::IsNumeric},
    {u"isobject", 1, 1, fn::IsObject},
    {u"typename", 1, 1, fn::TypeName},
    {u"vartype", 1, 1, fn::VarTypeOf},
    // Err alone is its Number (its default property); Err.x is handled by the executor.
    {u"err", 0, 0, fn::ErrNumber},
    // Text
    {u"len", 1, 1, fn::Len},
    {u"left", 2, 2, fn::Left},
    {u"right", 2, 2, fn::Right},
    {u"mid", 2, 3, fn::Mid},
    {u"instr", 2, 4, fn::InStr},
    {u"instrrev", 2, 4, fn::InStrRev},
    {u"replace", 3, 6, fn::Replace},
    {u"ucase", 1, 1, fn::UCase},
    {u"lcase", 1, 1, fn::LCase},
    {u"trim", 1, 1, fn::Trim},
    {u"ltrim", 1, 1, fn::LTrim},
    {u"rtrim", 1, 1, fn::RTrim},
    {u"space", 1, 1, fn::Space},
    {u"string", 2, 2, fn::String},
    {u"strreverse", 1, 1, fn::StrReverse},
    {u"strcomp", 2, 3, fn::StrComp},
    {u"chr", 1, 1, fn::Chr},
    {u"chrw", 1, 1, fn::ChrW},
    {u"asc", 1, 1, fn::Asc},
    {u"ascw", 1, 1, fn::AscW},
    {u"formatnumber", 1, 5, fn::FormatNumber},
    // Arrays
    {u"array", 0, kMany, fn::Array},
    {u"ubound", 1, 2, fn::UBound},
    {u"lbound", 1, 2, fn::LBound},
    {u"join", 1, 2, fn::Join},
    {u"split", 1, 4, fn::Split},
    {u"filter", 2, 4, fn::Filter},
    // Date and time
    {u"now", 0, 0, fn::Now},
    {u"date", 0, 0, fn::Date},
    {u"time", 0, 0, fn::Time},
    {u"timer", 0, 0, fn::Timer},
    {u"year", 1, 1, fn::Year},
    {u"month", 1, 1, fn::Month},
    {u"day", 1, 1, fn::Day},
    {u"hour", 1, 1, fn::Hour},
    {u"minute", 1, 1, fn::Minute},
    {u"second", 1, 1, fn::Second},
    {u"weekday", 1, 2, fn::Weekday},
    {u"dateserial", 3, 3, fn::DateSerial},
    {u"timeserial", 3, 3, fn::TimeSerial},
    {u"dateadd", 3, 3, fn::DateAdd},
    {u"datediff", 3, 5, fn::DateDiff},
    // Constants
    {u"vbcr", 0, 0, vbCr},
    {u"vblf", 0, 0, vbLf},
    {u"vbcrlf", 0, 0, vbCrLf},
    {u"vbnewline", 0, 0, vbCrLf},
    {u"vbtab", 0, 0, vbTab},
    {u"vbnullstring", 0, 0, vbNullString},
    {u"vbnullchar", 0, 0, vbNullChar},
    {u"vbtrue", 0, 0, vbTrue},
    {u"vbfalse", 0, 0, vbFalse},
    {u"vbusedefault", 0, 0, vbUseDefault},
    {u"vbbinarycompare", 0, 0, vbBinaryCompare},
    {u"vbtextcompare", 0, 0, vbTextCompare},
    {u"vbempty", 0, 0, vbEmpty},
    {u"vbnull", 0, 0, vbNull},
    {u"vbinteger", 0, 0, vbInteger},
    {u"vblong", 0, 0, vbLong},
    {u"vbsingle", 0, 0, vbSingle},
    {u"vbdouble", 0, 0, vbDouble},
    {u"vbcurrency", 0, 0, vbCurrency},
    {u"vbdate", 0, 0, vbDate},
    {u"vbstring", 0, 0, vbString},
    {u"vbobject", 0, 0, vbObject},
    {u"vberror", 0, 0, vbError},
    {u"vbboolean", 0, 0, vbBoolean},
    {u"vbvariant", 0, 0, vbVariant},
    {u"vbdataobject", 0, 0, vbDataObject},
    {u"vbbyte", 0, 0, vbByte},
    {u"vbarray", 0, 0, vbArray},
    {u"vbobjecterror", 0, 0, vbObjectError},
    {u"vbsunday", 0, 0, vbSunday},
    {u"vbmonday", 0, 0, vbMonday},
    {u"vbtuesday", 0, 0, vbTuesday},
    {u"vbwednesday", 0, 0, vbWednesday},
    {u"vbthursday", 0, 0, vbThursday},
    {u"vbfriday", 0, 0, vbFriday},
    {u"vbsaturday", 0, 0, vbSaturday},
    {u"scriptengine", 0, 0, ScriptEngine},
};

} // namespace

int findBuiltin(std::u16string_view lower) {
    for (int i = 0; i < builtinCount(); ++i) {
        if (lower == kBuiltins[i].name) {
            return i;
        }
    }
    return -1;
}

const BuiltinInfo& builtinAt(int index) {
    return kBuiltins[index];
}

int builtinCount() {
    return static_cast<int>(sizeof kBuiltins / sizeof kBuiltins[0]);
}

} // namespace vbs
