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
// How the user's locale writes a date and a time of day. The default is the US form
// ("12/31/2000 6:00:00 AM"), which date literals in the source always use.
struct DateForm {
    enum class Order : std::uint8_t { MonthDayYear, DayMonthYear, YearMonthDay };
    Order order = Order::MonthDayYear;
    char16_t separator = u'/';
    bool padDay = false;   // "01" rather than "1"
    bool padMonth = false; // "02" rather than "2"
    bool hour24 = false;   // "18:00:00" rather than "6:00:00 PM"
    bool padHour = false;  // "06:00:00" rather than "6:00:00"
};

// Short date and long time in `form`, the year always with four digits: "12/30/1900 6:00:00
// AM" in the US form; the date alone when there is no time part, the time alone on day 0
// (30 Dec 1899).
std::u16string formatDate(double serial, const DateForm& form = {});
// The date of `serial` alone in `form`, also for day 0 ("12/30/1899").
std::u16string formatDayOnly(double serial, const DateForm& form);

} // namespace vbs
