#include "builtin_functions.h"
#include "builtin_helpers.h"
#include "builtin_library.h"
#include "values/radix.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace vbs::fn {
namespace {

constexpr std::array<const char16_t*, 12> kMonths = {
    u"January", u"February", u"March",     u"April",   u"May",      u"June",
    u"July",    u"August",   u"September", u"October", u"November", u"December"};
constexpr std::array<const char16_t*, 7> kDays = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                                  u"Thursday", u"Friday", u"Saturday"};

// A name, cut to its first three letters when abbreviated ("Jan", "Sun").
std::u16string nameOf(const char16_t* name, bool abbreviate) {
    std::u16string text(name);
    return abbreviate ? text.substr(0, 3) : text;
}

Result<bool> boolArg(const Runtime& rt, const Variant* a, int n, int i) {
    return given(rt, n, i) ? toBool(a[i], rt.locale) : Result<bool>(false);
}

// The day of the week of a serial, 1 for `firstDay` (1 Sunday ... 7 Saturday).
int weekdayOf(double serial, int firstDay) {
    // Day 0 (30 Dec 1899) was a Saturday.
    const auto days = static_cast<std::int64_t>(std::floor(serial));
    const auto sundayBased = static_cast<int>(((days % 7) + 7 + 6) % 7) + 1;
    return (sundayBased - firstDay + 7) % 7 + 1;
}

// The first day of week 1 of `year`: the week holding 1 January (rule 1), the first week with
// at least four days of the year (rule 2), or the first full week (rule 3).
double firstWeekStart(int year, int firstDay, int rule) {
    double jan1 = 0;
    serialFromDate(year, 1, 1, jan1);
    const int w = weekdayOf(jan1, firstDay);
    const bool jan1Week = rule == 1 || (rule == 2 && w <= 4) || (rule == 3 && w == 1);
    return jan1Week ? jan1 - (w - 1) : jan1 + (8 - w);
}

// FormatNumber on `value` with the caller's other arguments, parentheses turned off.
Outcome formatPlain(Runtime& rt, const Variant* a, int n, double value, Variant& out) {
    Variant args[5] = {Variant::dbl(value), Variant(), Variant(), Variant::integer(0), Variant()};
    // The arguments not given here stay not given there; the sign is the caller's to write.
    const std::uint32_t leftOut = rt.leftOutArguments;
    std::uint32_t notGiven = leftOut & ~(1U << 3);
    for (int i = 1; i < 5; ++i) {
        if (i < n && i != 3) {
            args[i] = a[i];
        } else if (i >= n) {
            notGiven |= 1U << i;
        }
    }
    rt.leftOutArguments = notGiven;
    const Outcome outcome = FormatNumber(rt, args, 5, out);
    rt.leftOutArguments = leftOut;
    return outcome;
}

// The checks FormatCurrency and FormatPercent share with FormatNumber, in its order: a Null
// value is a Type mismatch, any other Null argument an Invalid use of Null.
Outcome formattedValue(const Runtime& rt, const Variant* a, int n, double& x, bool& parens) {
    if (a[0].isNull()) {
        return Outcome::TypeMismatch;
    }
    VBS_TRY(anyNull(a, n, 1));
    x = VBS_TRY_VALUE(doubleArg(rt, a[0]));
    std::int32_t p = -2;
    if (given(rt, n, 3)) {
        p = VBS_TRY_VALUE(longArg(rt, a[3]));
    }
    // The locale's default (-2) is a minus sign, as in the US form.
    parens = p != -2 && p != 0;
    return Outcome::Normal;
}

// A minus sign or parentheses around `text`, unless it shows zero.
std::u16string signed_(std::u16string text, bool negative, bool parens) {
    if (!negative || text.find_first_of(u"123456789") == std::u16string::npos) {
        return text;
    }
    return parens ? u"(" + text + u")" : u"-" + text;
}

bool unreserved(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
           std::u16string_view(u"@*_+-./").find(c) != std::u16string_view::npos;
}

// The code of `digits` hex digits at `from`, or -1.
int hexAt(std::u16string_view s, std::size_t from, std::size_t digits) {
    if (from + digits > s.size()) {
        return -1;
    }
    int code = 0;
    for (std::size_t i = from; i < from + digits; ++i) {
        const int v = digitValue(s[i]);
        if (v >= 16) {
            return -1;
        }
        code = code * 16 + v;
    }
    return code;
}

} // namespace

Outcome MonthName(Runtime& rt, const Variant* a, int n, Variant& out) {
    VBS_TRY(anyNull(a, n, 0));
    const std::int32_t month = VBS_TRY_VALUE(rangeArg(rt, a, 1, 0, 1, 12, 0));
    if (month == 0) {
        return Outcome::InvalidCall;
    }
    const bool abbreviate = VBS_TRY_VALUE(boolArg(rt, a, n, 1));
    out = Variant::string(nameOf(kMonths[static_cast<std::size_t>(month - 1)], abbreviate),
                          rt.budget);
    return Outcome::Normal;
}

Outcome WeekdayName(Runtime& rt, const Variant* a, int n, Variant& out) {
    VBS_TRY(anyNull(a, n, 0));
    const std::int32_t day = VBS_TRY_VALUE(rangeArg(rt, a, 1, 0, 1, 7, 0));
    if (day == 0) {
        return Outcome::InvalidCall;
    }
    const bool abbreviate = VBS_TRY_VALUE(boolArg(rt, a, n, 1));
    const std::int32_t firstDay = VBS_TRY_VALUE(firstDayArg(rt, a, n, 2));
    out = Variant::string(
        nameOf(kDays[static_cast<std::size_t>((day + firstDay - 2) % 7)], abbreviate), rt.budget);
    return Outcome::Normal;
}

// FormatCurrency: FormatNumber's digits with the locale's currency symbol in front.
Outcome FormatCurrency(Runtime& rt, const Variant* a, int n, Variant& out) {
    double x = 0;
    bool parens = false;
    VBS_TRY(formattedValue(rt, a, n, x, parens));
    Variant digits;
    VBS_TRY(formatPlain(rt, a, n, std::fabs(x), digits));
    out = Variant::string(
        signed_(rt.locale.currency + std::u16string(digits.asString()), x < 0, parens), rt.budget);
    return Outcome::Normal;
}

// FormatPercent: the value times 100 as FormatNumber writes it, then "%".
Outcome FormatPercent(Runtime& rt, const Variant* a, int n, Variant& out) {
    double x = 0;
    bool parens = false;
    VBS_TRY(formattedValue(rt, a, n, x, parens));
    Variant digits;
    VBS_TRY(formatPlain(rt, a, n, std::fabs(x * 100), digits));
    out = Variant::string(signed_(std::u16string(digits.asString()) + u"%", x < 0, parens),
                          rt.budget);
    return Outcome::Normal;
}

// FormatDateTime(date[, format]): 0 as CStr shows a Date, 1 the long date ("Saturday, January
// 1, 2000"), 2 the short date, 3 the time, 4 hours and minutes on the 24-hour clock ("18:05").
Outcome FormatDateTime(Runtime& rt, const Variant* a, int n, Variant& out) {
    if (a[0].isNull()) {
        return Outcome::TypeMismatch;
    }
    VBS_TRY(anyNull(a, n, 1));
    double serial = VBS_TRY_VALUE(toDate(a[0], rt.locale));
    std::int32_t format = VBS_TRY_VALUE(rangeArg(rt, a, n, 1, 0, 4, 0));
    const double day = std::trunc(serial);
    const double time = std::fabs(serial - day);
    int year, month, dayOfMonth, hour, minute, second;
    dateFromSerial(serial, year, month, dayOfMonth, hour, minute, second);
    std::u16string text;
    switch (format) {
    case 0:
        text = formatDate(serial, rt.locale.dates);
        break;
    case 1:
        text = std::u16string(kDays[static_cast<std::size_t>(weekdayOf(day, 1) - 1)]) + u", " +
               kMonths[static_cast<std::size_t>(month - 1)] + u" " +
               asciiToU16(std::to_string(dayOfMonth) + ", " + std::to_string(year));
        break;
    case 2:
        text = formatDayOnly(day, rt.locale.dates);
        break;
    case 3:
        text = formatDate(time, rt.locale.dates);
        break;
    default: {
        char hm[8];
        std::snprintf(hm, sizeof hm, "%02d:%02d", hour, minute);
        text = asciiToU16(hm);
        break;
    }
    }
    out = Variant::string(std::move(text), rt.budget);
    return Outcome::Normal;
}

// DatePart(interval, date[, firstdayofweek[, firstweekofyear]]) as an Integer; a Null date
// gives Null once the other arguments are found sound.
Outcome DatePart(Runtime& rt, const Variant* a, int n, Variant& out) {
    std::u16string interval = VBS_TRY_VALUE(textArg(rt, a[0]));
    interval = lowerAscii(interval);
    std::int32_t firstDay = VBS_TRY_VALUE(firstDayArg(rt, a, n, 2));
    std::int32_t firstWeek = VBS_TRY_VALUE(firstWeekArg(rt, a, n, 3));
    if (a[1].isNull()) {
        out = Variant::null();
        return Outcome::Normal;
    }
    double serial = VBS_TRY_VALUE(toDate(a[1], rt.locale));
    int year, month, day, hour, minute, second;
    dateFromSerial(serial, year, month, day, hour, minute, second);
    const double date = std::trunc(serial);
    double jan1 = 0;
    serialFromDate(year, 1, 1, jan1);
    int part = 0;
    if (interval == u"yyyy") {
        part = year;
    } else if (interval == u"q") {
        part = (month - 1) / 3 + 1;
    } else if (interval == u"m") {
        part = month;
    } else if (interval == u"y") {
        part = static_cast<int>(date - jan1) + 1;
    } else if (interval == u"d") {
        part = day;
    } else if (interval == u"w") {
        part = weekdayOf(date, firstDay);
    } else if (interval == u"ww") {
        double start = firstWeekStart(year, firstDay, firstWeek);
        if (date < start) {
            start = firstWeekStart(year - 1, firstDay, firstWeek);
        }
        part = static_cast<int>(std::floor((date - start) / 7)) + 1;
    } else if (interval == u"h") {
        part = hour;
    } else if (interval == u"n") {
        part = minute;
    } else if (interval == u"s") {
        part = second;
    } else {
        return Outcome::InvalidCall;
    }
    out = Variant::integer(static_cast<std::int16_t>(part));
    return Outcome::Normal;
}

Outcome DateValue(Runtime& rt, const Variant* a, int, Variant& out) {
    double serial = VBS_TRY_VALUE(toDate(a[0], rt.locale));
    out = Variant::date(std::trunc(serial));
    return Outcome::Normal;
}

Outcome TimeValue(Runtime& rt, const Variant* a, int, Variant& out) {
    if (nullThrough(a[0], out)) {
        return Outcome::Normal;
    }
    double serial = VBS_TRY_VALUE(toDate(a[0], rt.locale));
    out = Variant::date(std::fabs(serial - std::trunc(serial)));
    return Outcome::Normal;
}

// RGB(red, green, blue) as a Long, red in the lowest byte; a part above 255 counts as 255, a
// negative one is an invalid argument.
Outcome RGB(Runtime& rt, const Variant* a, int, Variant& out) {
    std::int32_t colour = 0;
    for (int i = 0; i < 3; ++i) {
        std::int32_t part = VBS_TRY_VALUE(longArg(rt, a[i]));
        if (part < 0) {
            return Outcome::InvalidCall;
        }
        colour |= std::min(part, 255) << (8 * i);
    }
    out = Variant::longInt(colour);
    return Outcome::Normal;
}

// Escape: every character but letters, digits and @*_+-./ becomes %XX, or %uXXXX beyond 255.
Outcome Escape(Runtime& rt, const Variant* a, int, Variant& out) {
    return onTextOrNull(rt, a[0], out, [&](std::u16string_view s) {
        std::u16string text;
        text.reserve(s.size());
        for (char16_t c : s) {
            if (unreserved(c)) {
                text.push_back(c);
                continue;
            }
            char code[8];
            std::snprintf(code, sizeof code, c < 256 ? "%%%02X" : "%%u%04X",
                          static_cast<unsigned>(c));
            text += asciiToU16(code);
        }
        out = Variant::string(std::move(text), rt.budget);
        return Outcome::Normal;
    });
}

// Unescape: %XX and %uXXXX become their characters; a "%" that starts neither stays as it is.
Outcome Unescape(Runtime& rt, const Variant* a, int, Variant& out) {
    return onTextOrNull(rt, a[0], out, [&](std::u16string_view s) {
        std::u16string text;
        text.reserve(s.size());
        for (std::size_t i = 0; i < s.size(); ++i) {
            if (s[i] == u'%') {
                if (const int wide = i + 1 < s.size() && s[i + 1] == u'u' ? hexAt(s, i + 2, 4) : -1;
                    wide >= 0) {
                    text.push_back(static_cast<char16_t>(wide));
                    i += 5;
                    continue;
                }
                if (const int narrow = hexAt(s, i + 1, 2); narrow >= 0) {
                    text.push_back(static_cast<char16_t>(narrow));
                    i += 2;
                    continue;
                }
            }
            text.push_back(s[i]);
        }
        out = Variant::string(std::move(text), rt.budget);
        return Outcome::Normal;
    });
}

} // namespace vbs::fn
