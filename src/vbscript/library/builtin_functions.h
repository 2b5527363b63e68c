#pragma once

#include "public/variant.h"
#include "run/runtime.h"
#include "values/error_codes.h"

// The built-in functions, one declaration each; builtins.cpp lists them in the table. Each
// receives its already evaluated arguments (the count is checked against the table first).
namespace vbs::fn {

#define VBS_BUILTIN_DECL(name) Outcome name(Runtime& rt, const Variant* a, int n, Variant& out)

// Math (builtins_math.cpp)
VBS_BUILTIN_DECL(Abs);
VBS_BUILTIN_DECL(Atn);
VBS_BUILTIN_DECL(Cos);
VBS_BUILTIN_DECL(Exp);
VBS_BUILTIN_DECL(Fix);
VBS_BUILTIN_DECL(Int);
VBS_BUILTIN_DECL(Log);
VBS_BUILTIN_DECL(Rnd);
VBS_BUILTIN_DECL(Round);
VBS_BUILTIN_DECL(Sgn);
VBS_BUILTIN_DECL(Sin);
VBS_BUILTIN_DECL(Sqr);
VBS_BUILTIN_DECL(Tan);
VBS_BUILTIN_DECL(Hex);
VBS_BUILTIN_DECL(Oct);

// Conversion and inspection (builtins_convert.cpp)
VBS_BUILTIN_DECL(CBool);
VBS_BUILTIN_DECL(CByte);
VBS_BUILTIN_DECL(CCur);
VBS_BUILTIN_DECL(CDate);
VBS_BUILTIN_DECL(CDbl);
VBS_BUILTIN_DECL(CInt);
VBS_BUILTIN_DECL(CLng);
VBS_BUILTIN_DECL(CSng);
VBS_BUILTIN_DECL(CStr);
VBS_BUILTIN_DECL(IsArray);
VBS_BUILTIN_DECL(IsDate);
VBS_BUILTIN_DECL(IsEmpty);
VBS_BUILTIN_DECL(IsNull);
VBS_BUILTIN_DECL(IsNumeric);
VBS_BUILTIN_DECL(IsObject);
VBS_BUILTIN_DECL(TypeName);
VBS_BUILTIN_DECL(VarTypeOf);
VBS_BUILTIN_DECL(ErrNumber);

// Text (builtins_text.cpp)
VBS_BUILTIN_DECL(Len);
VBS_BUILTIN_DECL(Left);
VBS_BUILTIN_DECL(Right);
VBS_BUILTIN_DECL(Mid);
VBS_BUILTIN_DECL(InStr);
VBS_BUILTIN_DECL(InStrRev);
VBS_BUILTIN_DECL(Replace);
VBS_BUILTIN_DECL(UCase);
VBS_BUILTIN_DECL(LCase);
VBS_BUILTIN_DECL(Trim);
VBS_BUILTIN_DECL(LTrim);
VBS_BUILTIN_DECL(RTrim);
VBS_BUILTIN_DECL(Space);
VBS_BUILTIN_DECL(String);
VBS_BUILTIN_DECL(StrReverse);
VBS_BUILTIN_DECL(StrComp);
VBS_BUILTIN_DECL(Chr);
VBS_BUILTIN_DECL(ChrW);
VBS_BUILTIN_DECL(Asc);
VBS_BUILTIN_DECL(AscW);

// Formatting (builtins_format.cpp)
VBS_BUILTIN_DECL(FormatNumber);

// Arrays (builtins_array.cpp)
VBS_BUILTIN_DECL(Array);
VBS_BUILTIN_DECL(UBound);
VBS_BUILTIN_DECL(LBound);
VBS_BUILTIN_DECL(Join);
VBS_BUILTIN_DECL(Split);
VBS_BUILTIN_DECL(Filter);

// Date and time (builtins_date.cpp)
VBS_BUILTIN_DECL(Now);
VBS_BUILTIN_DECL(Date);
VBS_BUILTIN_DECL(Time);
VBS_BUILTIN_DECL(Timer);
VBS_BUILTIN_DECL(Year);
VBS_BUILTIN_DECL(Month);
VBS_BUILTIN_DECL(Day);
VBS_BUILTIN_DECL(Hour);
VBS_BUILTIN_DECL(Minute);
VBS_BUILTIN_DECL(Second);
VBS_BUILTIN_DECL(Weekday);
VBS_BUILTIN_DECL(DateSerial);
VBS_BUILTIN_DECL(TimeSerial);
VBS_BUILTIN_DECL(DateAdd);
VBS_BUILTIN_DECL(DateDiff);

#undef VBS_BUILTIN_DECL

} // namespace vbs::fn
