#include "builtins.h"

#include "builtin_functions.h"
#include "builtin_library.h"
#include "builtins_eval.h"
#include "objects/create_object.h"

namespace vbs {
namespace {

constexpr std::uint8_t kMany = 255;

constexpr BuiltinInfo kBuiltins[] = {
    // Math
    {u"abs", 1, 1, fn::Abs, u"Abs(number)"},
    {u"atn", 1, 1, fn::Atn, u"Atn(number)"},
    {u"cos", 1, 1, fn::Cos, u"Cos(number)"},
    {u"exp", 1, 1, fn::Exp, u"Exp(number)"},
    {u"fix", 1, 1, fn::Fix, u"Fix(number)"},
    {u"int", 1, 1, fn::Int, u"Int(number)"},
    {u"log", 1, 1, fn::Log, u"Log(number)"},
    {u"rnd", 0, 1, fn::Rnd, u"Rnd([number])"},
    {u"round", 1, 2, fn::Round, u"Round(expression[, decimals])"},
    {u"sgn", 1, 1, fn::Sgn, u"Sgn(number)"},
    {u"sin", 1, 1, fn::Sin, u"Sin(number)"},
    {u"sqr", 1, 1, fn::Sqr, u"Sqr(number)"},
    {u"tan", 1, 1, fn::Tan, u"Tan(number)"},
    {u"hex", 1, 1, fn::Hex, u"Hex(number)"},
    {u"oct", 1, 1, fn::Oct, u"Oct(number)"},
    // Conversion and inspection
    {u"cbool", 1, 1, fn::CBool, u"CBool(expression)"},
    {u"cbyte", 1, 1, fn::CByte, u"CByte(expression)"},
    {u"ccur", 1, 1, fn::CCur, u"CCur(expression)"},
    {u"cdate", 1, 1, fn::CDate, u"CDate(date)"},
    {u"cdbl", 1, 1, fn::CDbl, u"CDbl(expression)"},
    {u"cint", 1, 1, fn::CInt, u"CInt(expression)"},
    {u"clng", 1, 1, fn::CLng, u"CLng(expression)"},
    {u"csng", 1, 1, fn::CSng, u"CSng(expression)"},
    {u"cstr", 1, 1, fn::CStr, u"CStr(expression)"},
    {u"isarray", 1, 1, fn::IsArray, u"IsArray(varname)"},
    {u"isdate", 1, 1, fn::IsDate, u"IsDate(expression)"},
    {u"isempty", 1, 1, fn::IsEmpty, u"IsEmpty(expression)"},
    {u"isnull", 1, 1, fn::IsNull, u"IsNull(expression)"},
    {u"isnumeric", 1, 1, fn::IsNumeric, u"IsNumeric(expression)"},
    {u"isobject", 1, 1, fn::IsObject, u"IsObject(expression)"},
    {u"typename", 1, 1, fn::TypeName, u"TypeName(varname)"},
    {u"vartype", 1, 1, fn::VarTypeOf, u"VarType(varname)"},
    // Err alone is its Number (its default property); Err.x is handled by the executor.
    {u"err", 0, 0, fn::ErrNumber, u"Err"},
    {u"createobject", 1, 2, fn::CreateObject, u"CreateObject(servername.typename[, location])"},
    {u"getobject", 0, 2, fn::GetObject, u"GetObject([pathname][, class])"},
    // Text
    {u"len", 1, 1, fn::Len, u"Len(string)"},
    {u"left", 2, 2, fn::Left, u"Left(string, length)"},
    {u"right", 2, 2, fn::Right, u"Right(string, length)"},
    {u"mid", 2, 3, fn::Mid, u"Mid(string, start[, length])"},
    {u"instr", 2, 4, fn::InStr, u"InStr([start, ]string1, string2[, compare])"},
    {u"instrrev", 2, 4, fn::InStrRev, u"InStrRev(string1, string2[, start[, compare]])"},
    {u"replace", 3, 6, fn::Replace,
     u"Replace(expression, find, replacewith[, start[, count[, compare]]])"},
    {u"ucase", 1, 1, fn::UCase, u"UCase(string)"},
    {u"lcase", 1, 1, fn::LCase, u"LCase(string)"},
    {u"trim", 1, 1, fn::Trim, u"Trim(string)"},
    {u"ltrim", 1, 1, fn::LTrim, u"LTrim(string)"},
    {u"rtrim", 1, 1, fn::RTrim, u"RTrim(string)"},
    {u"space", 1, 1, fn::Space, u"Space(number)"},
    {u"string", 2, 2, fn::String, u"String(number, character)"},
    {u"strreverse", 1, 1, fn::StrReverse, u"StrReverse(string)"},
    {u"strcomp", 2, 3, fn::StrComp, u"StrComp(string1, string2[, compare])"},
    {u"chr", 1, 1, fn::Chr, u"Chr(charcode)"},
    {u"chrw", 1, 1, fn::ChrW, u"ChrW(charcode)"},
    {u"asc", 1, 1, fn::Asc, u"Asc(string)"},
    {u"ascw", 1, 1, fn::AscW, u"AscW(string)"},
    {u"formatnumber", 1, 5, fn::FormatNumber,
     u"FormatNumber(expression[, digits[, leadingdigit[, parentheses[, groupdigits]]]])"},
    // Arrays
    {u"array", 0, kMany, fn::Array, u"Array(arglist)"},
    {u"ubound", 1, 2, fn::UBound, u"UBound(arrayname[, dimension])"},
    {u"lbound", 1, 2, fn::LBound, u"LBound(arrayname[, dimension])"},
    {u"join", 1, 2, fn::Join, u"Join(list[, delimiter])"},
    {u"split", 1, 4, fn::Split, u"Split(expression[, delimiter[, count[, compare]]])"},
    {u"filter", 2, 4, fn::Filter, u"Filter(inputstrings, value[, include[, compare]])"},
    // Date and time
    {u"now", 0, 0, fn::Now, u"Now"},
    {u"date", 0, 0, fn::Date, u"Date"},
    {u"time", 0, 0, fn::Time, u"Time"},
    {u"timer", 0, 0, fn::Timer, u"Timer"},
    {u"year", 1, 1, fn::Year, u"Year(date)"},
    {u"month", 1, 1, fn::Month, u"Month(date)"},
    {u"day", 1, 1, fn::Day, u"Day(date)"},
    {u"hour", 1, 1, fn::Hour, u"Hour(time)"},
    {u"minute", 1, 1, fn::Minute, u"Minute(time)"},
    {u"second", 1, 1, fn::Second, u"Second(time)"},
    {u"weekday", 1, 2, fn::Weekday, u"Weekday(date[, firstdayofweek])"},
    {u"dateserial", 3, 3, fn::DateSerial, u"DateSerial(year, month, day)"},
    {u"timeserial", 3, 3, fn::TimeSerial, u"TimeSerial(hour, minute, second)"},
    {u"dateadd", 3, 3, fn::DateAdd, u"DateAdd(interval, number, date)"},
    {u"datediff", 3, 5, fn::DateDiff,
     u"DateDiff(interval, date1, date2[, firstdayofweek[, firstweekofyear]])"},
    // Constants
    {u"vbcr", 0, 0, fn::textConstant<u"\r">, u"vbCr"},
    {u"vblf", 0, 0, fn::textConstant<u"\n">, u"vbLf"},
    {u"vbcrlf", 0, 0, fn::textConstant<u"\r\n">, u"vbCrLf"},
    {u"vbnewline", 0, 0, fn::textConstant<u"\r\n">, u"vbNewLine"},
    {u"vbtab", 0, 0, fn::textConstant<u"\t">, u"vbTab"},
    {u"vbnullstring", 0, 0, fn::textConstant<u"">, u"vbNullString"},
    {u"vbnullchar", 0, 0, fn::textConstant<u"\0">, u"vbNullChar"},
    {u"vbtrue", 0, 0, fn::integerConstant<-1>, u"vbTrue"},
    {u"vbfalse", 0, 0, fn::integerConstant<0>, u"vbFalse"},
    {u"vbusedefault", 0, 0, fn::integerConstant<-2>, u"vbUseDefault"},
    {u"vbbinarycompare", 0, 0, fn::integerConstant<0>, u"vbBinaryCompare"},
    {u"vbtextcompare", 0, 0, fn::integerConstant<1>, u"vbTextCompare"},
    {u"vbempty", 0, 0, fn::integerConstant<0>, u"vbEmpty"},
    {u"vbnull", 0, 0, fn::integerConstant<1>, u"vbNull"},
    {u"vbinteger", 0, 0, fn::integerConstant<2>, u"vbInteger"},
    {u"vblong", 0, 0, fn::integerConstant<3>, u"vbLong"},
    {u"vbsingle", 0, 0, fn::integerConstant<4>, u"vbSingle"},
    {u"vbdouble", 0, 0, fn::integerConstant<5>, u"vbDouble"},
    {u"vbcurrency", 0, 0, fn::integerConstant<6>, u"vbCurrency"},
    {u"vbdate", 0, 0, fn::integerConstant<7>, u"vbDate"},
    {u"vbstring", 0, 0, fn::integerConstant<8>, u"vbString"},
    {u"vbobject", 0, 0, fn::integerConstant<9>, u"vbObject"},
    {u"vberror", 0, 0, fn::integerConstant<10>, u"vbError"},
    {u"vbboolean", 0, 0, fn::integerConstant<11>, u"vbBoolean"},
    {u"vbvariant", 0, 0, fn::integerConstant<12>, u"vbVariant"},
    {u"vbdataobject", 0, 0, fn::integerConstant<13>, u"vbDataObject"},
    {u"vbbyte", 0, 0, fn::integerConstant<17>, u"vbByte"},
    {u"vbarray", 0, 0, fn::integerConstant<8192>, u"vbArray"},
    {u"vbobjecterror", 0, 0, fn::longConstant<static_cast<std::int32_t>(0x80040000u)>,
     u"vbObjectError"},
    {u"vbsunday", 0, 0, fn::integerConstant<1>, u"vbSunday"},
    {u"vbmonday", 0, 0, fn::integerConstant<2>, u"vbMonday"},
    {u"vbtuesday", 0, 0, fn::integerConstant<3>, u"vbTuesday"},
    {u"vbwednesday", 0, 0, fn::integerConstant<4>, u"vbWednesday"},
    {u"vbthursday", 0, 0, fn::integerConstant<5>, u"vbThursday"},
    {u"vbfriday", 0, 0, fn::integerConstant<6>, u"vbFriday"},
    {u"vbsaturday", 0, 0, fn::integerConstant<7>, u"vbSaturday"},
    {u"scriptengine", 0, 0, fn::textConstant<u"VBScript">, u"ScriptEngine"},
    // The rest of the library
    {u"monthname", 1, 2, fn::MonthName, u"MonthName(month[, abbreviate])"},
    {u"weekdayname", 1, 3, fn::WeekdayName,
     u"WeekdayName(weekday[, abbreviate[, firstdayofweek]])"},
    {u"formatcurrency", 1, 5, fn::FormatCurrency,
     u"FormatCurrency(expression[, digits[, leadingdigit[, parentheses[, groupdigits]]]])"},
    {u"formatpercent", 1, 5, fn::FormatPercent,
     u"FormatPercent(expression[, digits[, leadingdigit[, parentheses[, groupdigits]]]])"},
    {u"formatdatetime", 1, 2, fn::FormatDateTime, u"FormatDateTime(date[, format])"},
    {u"datepart", 2, 4, fn::DatePart,
     u"DatePart(interval, date[, firstdayofweek[, firstweekofyear]])"},
    {u"datevalue", 1, 1, fn::DateValue, u"DateValue(date)"},
    {u"timevalue", 1, 1, fn::TimeValue, u"TimeValue(time)"},
    {u"rgb", 3, 3, fn::RGB, u"RGB(red, green, blue)"},
    {u"escape", 1, 1, fn::Escape, u"Escape(string)"},
    {u"unescape", 1, 1, fn::Unescape, u"Unescape(string)"},
    {u"scriptenginemajorversion", 0, 0, fn::ScriptEngineMajorVersion, u"ScriptEngineMajorVersion"},
    {u"scriptengineminorversion", 0, 0, fn::ScriptEngineMinorVersion, u"ScriptEngineMinorVersion"},
    {u"scriptenginebuildversion", 0, 0, fn::ScriptEngineBuildVersion, u"ScriptEngineBuildVersion"},
    {u"getlocale", 0, 0, fn::GetLocale, u"GetLocale"},
    {u"setlocale", 1, 1, fn::SetLocale, u"SetLocale(lcid)"},
    {u"msgbox", 1, 5, fn::MsgBox, u"MsgBox(prompt[, buttons[, title[, helpfile, context]]])"},
    {u"inputbox", 1, 7, fn::InputBox,
     u"InputBox(prompt[, title[, default[, xpos, ypos[, helpfile, context]]]])"},
    {u"stop", 0, 0, fn::Stop, u"Stop"},
    {u"eval", 1, 1, fn::Eval, u"Eval(expression)"},
    {u"execute", 1, 1, fn::Execute, u"Execute(statements)"},
    {u"executeglobal", 1, 1, fn::ExecuteGlobal, u"ExecuteGlobal(statements)"},
    {u"getref", 1, 1, fn::GetRef, u"GetRef(procname)"},
    // The rest of the constants
    {u"vbokonly", 0, 0, fn::integerConstant<0>, u"vbOKOnly"},
    {u"vbokcancel", 0, 0, fn::integerConstant<1>, u"vbOKCancel"},
    {u"vbabortretryignore", 0, 0, fn::integerConstant<2>, u"vbAbortRetryIgnore"},
    {u"vbyesnocancel", 0, 0, fn::integerConstant<3>, u"vbYesNoCancel"},
    {u"vbyesno", 0, 0, fn::integerConstant<4>, u"vbYesNo"},
    {u"vbretrycancel", 0, 0, fn::integerConstant<5>, u"vbRetryCancel"},
    {u"vbcritical", 0, 0, fn::integerConstant<16>, u"vbCritical"},
    {u"vbquestion", 0, 0, fn::integerConstant<32>, u"vbQuestion"},
    {u"vbexclamation", 0, 0, fn::integerConstant<48>, u"vbExclamation"},
    {u"vbinformation", 0, 0, fn::integerConstant<64>, u"vbInformation"},
    {u"vbdefaultbutton1", 0, 0, fn::integerConstant<0>, u"vbDefaultButton1"},
    {u"vbdefaultbutton2", 0, 0, fn::integerConstant<256>, u"vbDefaultButton2"},
    {u"vbdefaultbutton3", 0, 0, fn::integerConstant<512>, u"vbDefaultButton3"},
    {u"vbdefaultbutton4", 0, 0, fn::integerConstant<768>, u"vbDefaultButton4"},
    {u"vbapplicationmodal", 0, 0, fn::integerConstant<0>, u"vbApplicationModal"},
    {u"vbsystemmodal", 0, 0, fn::integerConstant<4096>, u"vbSystemModal"},
    {u"vbmsgboxhelpbutton", 0, 0, fn::longConstant<16384>, u"vbMsgBoxHelpButton"},
    {u"vbmsgboxsetforeground", 0, 0, fn::longConstant<65536>, u"vbMsgBoxSetForeground"},
    {u"vbmsgboxright", 0, 0, fn::longConstant<524288>, u"vbMsgBoxRight"},
    {u"vbmsgboxrtlreading", 0, 0, fn::longConstant<1048576>, u"vbMsgBoxRtlReading"},
    {u"vbok", 0, 0, fn::integerConstant<1>, u"vbOK"},
    {u"vbcancel", 0, 0, fn::integerConstant<2>, u"vbCancel"},
    {u"vbabort", 0, 0, fn::integerConstant<3>, u"vbAbort"},
    {u"vbretry", 0, 0, fn::integerConstant<4>, u"vbRetry"},
    {u"vbignore", 0, 0, fn::integerConstant<5>, u"vbIgnore"},
    {u"vbyes", 0, 0, fn::integerConstant<6>, u"vbYes"},
    {u"vbno", 0, 0, fn::integerConstant<7>, u"vbNo"},
    {u"vbgeneraldate", 0, 0, fn::integerConstant<0>, u"vbGeneralDate"},
    {u"vblongdate", 0, 0, fn::integerConstant<1>, u"vbLongDate"},
    {u"vbshortdate", 0, 0, fn::integerConstant<2>, u"vbShortDate"},
    {u"vblongtime", 0, 0, fn::integerConstant<3>, u"vbLongTime"},
    {u"vbshorttime", 0, 0, fn::integerConstant<4>, u"vbShortTime"},
    {u"vbusesystem", 0, 0, fn::integerConstant<0>, u"vbUseSystem"},
    {u"vbusesystemdayofweek", 0, 0, fn::integerConstant<0>, u"vbUseSystemDayOfWeek"},
    {u"vbfirstjan1", 0, 0, fn::integerConstant<1>, u"vbFirstJan1"},
    {u"vbfirstfourdays", 0, 0, fn::integerConstant<2>, u"vbFirstFourDays"},
    {u"vbfirstfullweek", 0, 0, fn::integerConstant<3>, u"vbFirstFullWeek"},
    {u"vbblack", 0, 0, fn::longConstant<0>, u"vbBlack"},
    {u"vbred", 0, 0, fn::longConstant<255>, u"vbRed"},
    {u"vbgreen", 0, 0, fn::longConstant<65280>, u"vbGreen"},
    {u"vbyellow", 0, 0, fn::longConstant<65535>, u"vbYellow"},
    {u"vbblue", 0, 0, fn::longConstant<16711680>, u"vbBlue"},
    {u"vbmagenta", 0, 0, fn::longConstant<16711935>, u"vbMagenta"},
    {u"vbcyan", 0, 0, fn::longConstant<16776960>, u"vbCyan"},
    {u"vbwhite", 0, 0, fn::longConstant<16777215>, u"vbWhite"},
    {u"vbformfeed", 0, 0, fn::textConstant<u"\f">, u"vbFormFeed"},
    {u"vbverticaltab", 0, 0, fn::textConstant<u"\v">, u"vbVerticalTab"},
    {u"vbdatabasecompare", 0, 0, fn::integerConstant<2>, u"vbDatabaseCompare"},
    {u"vbdecimal", 0, 0, fn::integerConstant<14>, u"vbDecimal"},
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

const BuiltinInfo* const kBuiltinTable = kBuiltins;

int builtinCount() {
    return static_cast<int>(sizeof kBuiltins / sizeof kBuiltins[0]);
}

bool callRefusesResult(int index) {
    const BuiltinFn f = kBuiltins[index].fn;
    return f == fn::CByte || f == fn::CCur || f == fn::CDate || f == fn::CDbl || f == fn::CInt ||
           f == fn::CLng || f == fn::CSng;
}

bool inspectsObjects(int index) {
    const BuiltinFn f = kBuiltins[index].fn;
    return f == fn::IsObject || f == fn::TypeName || f == fn::VarTypeOf || f == fn::IsEmpty ||
           f == fn::IsNull || f == fn::IsArray || f == fn::Array || readsDefaultType(index);
}

bool readsDefaultType(int index) {
    const BuiltinFn f = kBuiltins[index].fn;
    return f == fn::VarTypeOf || f == fn::IsNumeric || f == fn::IsDate;
}

} // namespace vbs
