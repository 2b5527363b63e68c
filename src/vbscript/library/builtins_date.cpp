#include "builtin_functions.h"
#include "builtin_helpers.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace vbs::fn {
namespace {

struct Clock {
    double dateSerial = 0; // today at midnight
    double seconds = 0;    // since midnight, with fractions
};

Clock localNow() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    Clock c;
    serialFromDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, c.dateSerial);
    c.seconds =
        local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec + static_cast<double>(ms) / 1000;
    return c;
}

struct Fields {
    int year, month, day, hour, minute, second;
};

Outcome fields(Runtime& rt, const Variant& v, Fields& f) {
    double serial = VBS_TRY_VALUE(toDate(v, rt.locale));
    dateFromSerial(serial, f.year, f.month, f.day, f.hour, f.minute, f.second);
    return Outcome::Normal;
}

// Year, Month, ...: Null passes through, the field is an Integer.
Outcome field(Runtime& rt, const Variant& v, Variant& out, int Fields::*member) {
    if (nullThrough(v, out)) {
        return Outcome::Normal;
    }
    Fields f{};
    VBS_TRY(fields(rt, v, f));
    out = Variant::integer(static_cast<std::int16_t>(f.*member));
    return Outcome::Normal;
}

// Days from year/month/day with month and day allowed to run over (month 13 is January of the
// next year, day 0 the last day of the month before), as DateSerial accepts them.
bool serialFromParts(std::int64_t year, std::int64_t month, std::int64_t day, double& out) {
    if (year >= 0 && year < 30) {
        year += 2000;
    } else if (year >= 30 && year < 100) {
        year += 1900;
    }
    year += (month - 1 >= 0 ? (month - 1) / 12 : -((12 - month) / 12));
    month = ((month - 1) % 12 + 12) % 12 + 1;
    double first = 0;
    if (!serialFromDate(static_cast<int>(year), static_cast<int>(month), 1, first)) {
        return false;
    }
    out = first + static_cast<double>(day - 1);
    return inDateRange(out);
}

double timeOfDay(double serial) {
    return std::fabs(serial - std::trunc(serial));
}

Outcome intervalArg(Runtime& rt, const Variant& v, std::u16string& out) {
    out = VBS_TRY_VALUE(textArg(rt, v));
    out = lowerAscii(out);
    return Outcome::Normal;
}

} // namespace

Outcome Now(Runtime&, const Variant*, int, Variant& out) {
    const Clock c = localNow();
    out = Variant::date(c.dateSerial + std::floor(c.seconds) / 86400.0);
    return Outcome::Normal;
}

Outcome Date(Runtime&, const Variant*, int, Variant& out) {
    out = Variant::date(localNow().dateSerial);
    return Outcome::Normal;
}

Outcome Time(Runtime&, const Variant*, int, Variant& out) {
    out = Variant::date(std::floor(localNow().seconds) / 86400.0);
    return Outcome::Normal;
}

Outcome Timer(Runtime&, const Variant*, int, Variant& out) {
    out = Variant::single(static_cast<float>(localNow().seconds));
    return Outcome::Normal;
}

Outcome Year(Runtime& rt, const Variant* a, int, Variant& out) {
    return field(rt, a[0], out, &Fields::year);
}
Outcome Month(Runtime& rt, const Variant* a, int, Variant& out) {
    return field(rt, a[0], out, &Fields::month);
}
Outcome Day(Runtime& rt, const Variant* a, int, Variant& out) {
    return field(rt, a[0], out, &Fields::day);
}
Outcome Hour(Runtime& rt, const Variant* a, int, Variant& out) {
    return field(rt, a[0], out, &Fields::hour);
}
Outcome Minute(Runtime& rt, const Variant* a, int, Variant& out) {
    return field(rt, a[0], out, &Fields::minute);
}
Outcome Second(Runtime& rt, const Variant* a, int, Variant& out) {
    return field(rt, a[0], out, &Fields::second);
}

Outcome Weekday(Runtime& rt, const Variant* a, int n, Variant& out) {
    std::int32_t firstDay = VBS_TRY_VALUE(firstDayArg(rt, a, n, 1));
    // The first day is checked before a Null date passes through.
    if (nullThrough(a[0], out)) {
        return Outcome::Normal;
    }
    double serial = VBS_TRY_VALUE(toDate(a[0], rt.locale));
    // Day 0 (30 Dec 1899) was a Saturday, day 7 of a week that starts on Sunday.
    const auto days = static_cast<std::int64_t>(std::trunc(serial));
    const std::int64_t sundayBased = ((days % 7) + 7 + 6) % 7 + 1;
    out = Variant::integer(static_cast<std::int16_t>((sundayBased - firstDay + 7) % 7 + 1));
    return Outcome::Normal;
}

Outcome DateSerial(Runtime& rt, const Variant* a, int, Variant& out) {
    std::int32_t p[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        p[i] = VBS_TRY_VALUE(longArg(rt, a[i]));
    }
    double serial = 0;
    if (!serialFromParts(p[0], p[1], p[2], serial)) {
        return Outcome::InvalidCall;
    }
    out = Variant::date(serial);
    return Outcome::Normal;
}

Outcome TimeSerial(Runtime& rt, const Variant* a, int, Variant& out) {
    std::int32_t p[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        p[i] = VBS_TRY_VALUE(longArg(rt, a[i]));
    }
    const double seconds = static_cast<double>(p[0]) * 3600 + static_cast<double>(p[1]) * 60 + p[2];
    const double days = seconds / 86400.0;
    // Before midnight of day 0 the fraction counts backwards from the day: -0.25 is 6 PM
    // of 29 Dec 1899 written as -1.75.
    double serial = days;
    if (days < 0) {
        const double whole = std::floor(days);
        serial = whole - (days - whole);
    }
    if (!inDateRange(serial)) {
        return Outcome::InvalidCall;
    }
    out = Variant::date(serial);
    return Outcome::Normal;
}

namespace {

// `months` added to the date of `f` at the time of day `time`. The day is kept unless the
// month is shorter: 31 Jan + 1 month is 28/29 Feb.
Outcome addMonths(const Fields& f, double time, std::int64_t months, double& result) {
    const std::int64_t total = std::int64_t{f.year} * 12 + (f.month - 1) + months;
    const std::int64_t year = total / 12;
    const int month = static_cast<int>(total % 12) + 1;
    int day = f.day;
    double check = 0;
    while (day > 28 && !serialFromDate(static_cast<int>(year), month, day, check)) {
        --day;
    }
    if (!serialFromDate(static_cast<int>(year), month, day, result)) {
        return Outcome::InvalidCall;
    }
    result += result < 0 ? -time : time;
    return Outcome::Normal;
}

// The seconds one unit of a DateAdd interval below a month lasts; 0 for an unknown interval.
double secondsPerUnit(const std::u16string& interval) {
    if (interval == u"d" || interval == u"y" || interval == u"w") {
        return 86400;
    }
    if (interval == u"ww") {
        return 7 * 86400;
    }
    return interval == u"h" ? 3600 : interval == u"n" ? 60 : interval == u"s" ? 1 : 0;
}

} // namespace

Outcome DateAdd(Runtime& rt, const Variant* a, int, Variant& out) {
    std::u16string interval;
    VBS_TRY(intervalArg(rt, a[0], interval));
    double amount = VBS_TRY_VALUE(doubleArg(rt, a[1]));
    amount = std::trunc(amount);
    // A Null date gives Null once the interval and the count are found sound.
    if (nullThrough(a[2], out)) {
        return Outcome::Normal;
    }
    Fields f{};
    double serial = VBS_TRY_VALUE(toDate(a[2], rt.locale));
    dateFromSerial(serial, f.year, f.month, f.day, f.hour, f.minute, f.second);
    double result = 0;
    // A count beyond the months the whole Date range spans (years and quarters all the more)
    // leaves it from any start: refused before it is taken as a whole number.
    constexpr double kMonthsInRange = 10000.0 * 12;
    if (interval == u"yyyy" || interval == u"q" || interval == u"m") {
        if (!(std::fabs(amount) <= kMonthsInRange)) {
            return Outcome::InvalidCall;
        }
        const auto n = static_cast<std::int64_t>(amount);
        const std::int64_t months = interval == u"yyyy" ? n * 12 : interval == u"q" ? n * 3 : n;
        VBS_TRY(addMonths(f, timeOfDay(serial), months, result));
    } else {
        const double unit = secondsPerUnit(interval);
        if (unit == 0) {
            return Outcome::InvalidCall;
        }
        result = serial + amount * unit / 86400.0;
    }
    if (!inDateRange(result)) {
        return Outcome::InvalidCall;
    }
    out = Variant::date(result);
    return Outcome::Normal;
}

Outcome DateDiff(Runtime& rt, const Variant* a, int n, Variant& out) {
    std::u16string interval;
    VBS_TRY(intervalArg(rt, a[0], interval));
    // The options are checked as DatePart checks them, before a Null date passes through.
    std::int32_t firstDay = VBS_TRY_VALUE(firstDayArg(rt, a, n, 3));
    VBS_TRY(firstWeekArg(rt, a, n, 4).outcome()); // checked only: no count here depends on it
    if (a[1].isNull() || a[2].isNull()) {
        out = Variant::null();
        return Outcome::Normal;
    }
    double s1 = VBS_TRY_VALUE(toDate(a[1], rt.locale));
    double s2 = VBS_TRY_VALUE(toDate(a[2], rt.locale));
    Fields f1{};
    Fields f2{};
    dateFromSerial(s1, f1.year, f1.month, f1.day, f1.hour, f1.minute, f1.second);
    dateFromSerial(s2, f2.year, f2.month, f2.day, f2.hour, f2.minute, f2.second);
    // Whole calendar units crossed between the two dates, as VBScript counts them.
    const double d1 = std::floor(s1);
    const double d2 = std::floor(s2);
    auto secondsOf = [](double serial) {
        const double whole = std::trunc(serial);
        const double frac = std::fabs(serial - whole);
        return whole * 86400.0 + std::round(frac * 86400.0) * (serial < 0 ? -1 : 1);
    };
    double r = 0;
    if (interval == u"yyyy") {
        r = f2.year - f1.year;
    } else if (interval == u"q") {
        r = (f2.year * 4 + (f2.month - 1) / 3) - (f1.year * 4 + (f1.month - 1) / 3);
    } else if (interval == u"m") {
        r = (f2.year * 12 + f2.month) - (f1.year * 12 + f1.month);
    } else if (interval == u"d" || interval == u"y") {
        r = d2 - d1;
    } else if (interval == u"w") {
        r = std::trunc((d2 - d1) / 7);
    } else if (interval == u"ww") {
        // First days of the week crossed (day 1 was a Sunday).
        const double shift = 7 - firstDay;
        r = std::floor((d2 + shift) / 7) - std::floor((d1 + shift) / 7);
    } else if (interval == u"h") {
        r = std::floor(secondsOf(s2) / 3600) - std::floor(secondsOf(s1) / 3600);
    } else if (interval == u"n") {
        r = std::floor(secondsOf(s2) / 60) - std::floor(secondsOf(s1) / 60);
    } else if (interval == u"s") {
        r = secondsOf(s2) - secondsOf(s1);
    } else {
        return Outcome::InvalidCall;
    }
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) {
        return Outcome::Overflow;
    }
    out = Variant::longInt(static_cast<std::int32_t>(r));
    return Outcome::Normal;
}

} // namespace vbs::fn
