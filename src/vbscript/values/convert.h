#pragma once

#include "calendar.h"
#include "error_codes.h"
#include "number_format.h"
#include "public/variant.h"

#include <cstdint>
#include <string>
#include <string_view>

// The conversions every operator and built-in function shares. Each gives its result or the
// error VBScript raises, so callers pass failures on without exceptions.
namespace vbs {

// The user's locale for number and date text (source literals always use "." and the US
// date form).
struct NumberLocale {
    char16_t decimal = u'.';
    char16_t thousands = u',';
    char16_t currency = u'$';
    DateForm dates;
};

// OLE-style parsing of numeric text: blanks around, one sign in front or behind, "(5)" as -5,
// one currency symbol in front or behind ("$11", "-$11", "11$"), thousands separators, an
// exponent, &H and &O prefixes. False when the text is not a number.
bool parseNumericText(std::u16string_view text, const NumberLocale& locale, double& out);

// Half to even, as everywhere VBScript needs a whole number.
double roundHalfEven(double x);

// Empty is 0, Boolean is -1/0, numeric text is parsed; Null gives InvalidNull.
Result<double> toDouble(const Variant& v, const NumberLocale& locale);
// toDouble, rounded half to even, checked against the Long range (Overflow).
Result<std::int32_t> toLong(const Variant& v, const NumberLocale& locale);
// Numbers are True when non-zero; text accepts "True"/"False" in any case, "#TRUE#"/"#FALSE#"
// and numbers.
Result<bool> toBool(const Variant& v, const NumberLocale& locale);
// CStr's text; Null gives InvalidNull.
Result<std::u16string> toText(const Variant& v, const NumberLocale& locale);
// A Date from any value: numbers are serials, text is parsed as a date.
Result<double> toDate(const Variant& v, const NumberLocale& locale);

// Whether a subtype counts as a number for the operators: Empty, Boolean, the number types and
// Date; not String, Null, arrays or objects.
bool isNumericType(VarType t);

// Date text ("1/2/2003", "1/2/2003 4:05:06 PM", "4:05 PM", "2003-01-02"), the date's fields
// in the order of `form` and separated by its separator, "/" or "-": the serial, or false when
// the text is no date. A year of three or more digits written first is always year-month-day.
bool parseDateText(std::u16string_view text, double& out, const DateForm& form = {});

std::u16string asciiToU16(std::string_view s);
// Lower-case for names and keywords (ASCII letters only: VBScript names are ASCII).
std::u16string lowerAscii(std::u16string_view s);

// The case of letters in text, as UCase, LCase and every comparison in text mode (StrComp,
// InStr, Replace, Split, Filter, Select Case with Option Compare Text, a dictionary's keys)
// see it: the letters of Latin-1, an English system's code page, change case; others stay.
char16_t upperLatin1(char16_t c);
char16_t lowerLatin1(char16_t c);
// `s` as text comparison sees it: each letter in lower case.
std::u16string foldForTextCompare(std::u16string_view s);

} // namespace vbs
