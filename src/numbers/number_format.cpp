#include "number_format.h"

#include "calendar.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <system_error>

namespace vbs {
namespace {

std::u16string widen(std::string_view s) {
    return {s.begin(), s.end()};
}

// A magnitude as decimal digits: mantissa "d..." (no trailing zeros) times 10^exponent, the
// exponent being that of the first digit.
struct Decimal {
    std::string mantissa;
    int exponent = 0;
};

// |value| rounded to `digits` significant digits, half away from zero as VBScript rounds (a
// Single 654322.25 shows as 654322.3, not printf's 654322.2): the decimal expansion is taken
// well past the digits kept, then rounded by hand. std::to_chars gives the same correctly
// rounded expansion as printf's %e, several times faster (one evaluation formats its answer
// twice: for the display and for Ans).
Decimal roundedDigits(double value, int digits) {
    char buf[80];
    const auto written = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                       std::chars_format::scientific, digits + 20);
    // buf is "d.ddddde[+-]xx".
    const std::string_view text(buf, written.ptr);
    const std::size_t e = text.find('e');
    char expansion[48];
    std::size_t length = 0;
    for (char c : text.substr(0, e)) {
        if (c != '.') {
            expansion[length++] = c;
        }
    }
    Decimal d;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.end(), d.exponent);
    const auto kept = static_cast<std::size_t>(digits);
    const bool roundUp = kept < length && expansion[kept] >= '5';
    d.mantissa.assign(expansion, std::min(kept, length));
    if (roundUp) {
        auto i = d.mantissa.size();
        while (i > 0 && d.mantissa[i - 1] == '9') {
            d.mantissa[--i] = '0';
        }
        if (i == 0) {
            d.mantissa.insert(d.mantissa.begin(), '1'); // 9.99... became 10.0...
            d.mantissa.pop_back();
            ++d.exponent;
        } else {
            ++d.mantissa[i - 1];
        }
    }
    while (d.mantissa.size() > 1 && d.mantissa.back() == '0') {
        d.mantissa.pop_back();
    }
    return d;
}

// "0.00123", "1230", "12.3".
void writeFixed(const Decimal& d, char16_t sep, std::u16string& out) {
    if (d.exponent < 0) {
        out += u"0";
        out.push_back(sep);
        out.append(static_cast<std::size_t>(-d.exponent - 1), u'0');
        out += widen(d.mantissa);
        return;
    }
    const auto intDigits = static_cast<std::size_t>(d.exponent + 1);
    if (d.mantissa.size() <= intDigits) {
        out += widen(d.mantissa);
        out.append(intDigits - d.mantissa.size(), u'0');
        return;
    }
    out += widen(std::string_view(d.mantissa).substr(0, intDigits));
    out.push_back(sep);
    out += widen(std::string_view(d.mantissa).substr(intDigits));
}

// "1.5E+15", "3E-05": the exponent always signed and at least two digits long.
void writeScientific(const Decimal& d, char16_t sep, std::u16string& out) {
    out.push_back(static_cast<char16_t>(d.mantissa[0]));
    if (d.mantissa.size() > 1) {
        out.push_back(sep);
        out += widen(std::string_view(d.mantissa).substr(1));
    }
    char expText[16];
    std::snprintf(expText, sizeof expText, "E%c%02d", d.exponent < 0 ? '-' : '+',
                  std::abs(d.exponent));
    out += widen(expText);
}

// `value` with `digits` significant digits (15 for a Double, 7 for a Single) in VBScript's
// notation: fixed while at most `digits` integer digits are needed and the last digit lies
// within `digits` decimal places, scientific otherwise (1E+15, 1.5E-15, but 0.00001).
std::u16string formatSignificant(double value, int digits, char16_t sep) {
    if (std::isnan(value)) {
        return u"NaN";
    }
    if (std::isinf(value)) {
        return value < 0 ? u"-Infinity" : u"Infinity";
    }
    if (value == 0.0) {
        return u"0"; // also -0
    }
    const Decimal d = roundedDigits(value, digits);
    std::u16string out;
    if (value < 0) {
        out.push_back(u'-');
    }
    const int n = static_cast<int>(d.mantissa.size());
    if (d.exponent <= digits - 1 && n - 1 - d.exponent <= digits) {
        writeFixed(d, sep, out);
    } else {
        writeScientific(d, sep, out);
    }
    return out;
}

} // namespace

std::u16string formatDouble(double value, char16_t decimalSeparator) {
    return formatSignificant(value, 15, decimalSeparator);
}

double shownDouble(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    // Read back exactly the shown text ("." and ASCII digits), without the C locale's say.
    const std::u16string shown = formatDouble(value);
    const std::string text(shown.begin(), shown.end());
    double rounded = value;
    const auto read = std::from_chars(text.data(), text.data() + text.size(), rounded);
    return read.ec == std::errc() && std::isfinite(rounded) ? rounded : value;
}

std::u16string formatSingle(float value, char16_t decimalSeparator) {
    return formatSignificant(static_cast<double>(value), 7, decimalSeparator);
}

std::u16string formatCurrency(std::int64_t scaled, char16_t decimalSeparator) {
    const bool negative = scaled < 0;
    // Work in unsigned so that the most negative value does not overflow.
    const std::uint64_t magnitude = negative ? std::uint64_t{0} - static_cast<std::uint64_t>(scaled)
                                             : static_cast<std::uint64_t>(scaled);
    std::u16string out = negative ? u"-" : u"";
    out += widen(std::to_string(magnitude / 10000));
    std::uint64_t fraction = magnitude % 10000;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction);
        digits.insert(0, 4 - digits.size(), '0');
        while (digits.back() == '0') {
            digits.pop_back();
        }
        out.push_back(decimalSeparator);
        out += widen(digits);
    }
    return out;
}

std::u16string formatDayOnly(double serial, const DateForm& form) {
    int y, m, d, hour, minute, second;
    dateFromSerial(serial, y, m, d, hour, minute, second);
    char day[8];
    char month[8];
    std::snprintf(day, sizeof day, form.padDay ? "%02d" : "%d", d);
    std::snprintf(month, sizeof month, form.padMonth ? "%02d" : "%d", m);
    const std::u16string year = widen(std::to_string(y));
    const std::u16string sep(1, form.separator);
    switch (form.order) {
    case DateForm::Order::MonthDayYear:
        return widen(month) + sep + widen(day) + sep + year;
    case DateForm::Order::DayMonthYear:
        return widen(day) + sep + widen(month) + sep + year;
    case DateForm::Order::YearMonthDay:
        break;
    }
    return year + sep + widen(month) + sep + widen(day);
}

std::u16string formatDate(double serial, const DateForm& form) {
    std::int64_t days = 0;
    long long seconds = 0;
    splitSerial(serial, days, seconds);
    // Day 0 (30 Dec 1899) is shown as its time alone, a time of 0 as its date alone.
    std::u16string out = days != 0 ? formatDayOnly(serial, form) : std::u16string();
    if (seconds != 0 || days == 0) {
        const long long h = seconds / 3600;
        const long long shown = form.hour24 ? h : h % 12 == 0 ? 12 : h % 12;
        char t[32];
        std::snprintf(t, sizeof t, form.padHour ? "%02lld:%02lld:%02lld" : "%lld:%02lld:%02lld",
                      shown, (seconds / 60) % 60, seconds % 60);
        if (!out.empty()) {
            out.push_back(u' ');
        }
        out += widen(t);
        if (!form.hour24) {
            out += h < 12 ? u" AM" : u" PM";
        }
    }
    return out;
}

} // namespace vbs
