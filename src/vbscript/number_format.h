#pragma once

#include <cstdint>
#include <string>

// How VBScript turns numbers and dates into text (CStr, "&", and the calculator's display).
namespace vbs {

// At most 15 significant digits; fixed notation while the number has at most 15 integer digits
// and its last digit lies within 15 decimal places, otherwise d.dddE+xx. Negative zero is "0".
std::u16string formatDouble(double value, char16_t decimalSeparator = u'.');
// The Double that formatDouble's text stands for: the value rounded to 15 significant digits,
// so that a stored answer holds what the display shows. Where that rounding leaves the Double
// range (the largest Doubles show as 1.79769313486232E+308), the value itself, the nearest
// Double to what is shown; non-finite values stay as they are.
double shownDouble(double value);
// The same scheme with 7 significant digits.
std::u16string formatSingle(float value, char16_t decimalSeparator = u'.');
// Fixed notation with up to four decimals; `scaled` is the value times 10,000.
std::u16string formatCurrency(std::int64_t scaled, char16_t decimalSeparator = u'.');
// US short date and long time: "12/30/1900 6:00:00 AM"; the date alone when there is no time
// part, the time alone on day 0 (30 Dec 1899).
std::u16string formatDate(double serial);

} // namespace vbs
