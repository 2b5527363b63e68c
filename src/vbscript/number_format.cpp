#include "number_format.h"

#include "calendar.h"

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

// Rounds |value| to `digits` significant digits and writes it in VBScript's notation.
std::u16string formatSignificant(double value, int digits, char16_t sep) {
    if (std::isnan(value)) {
        return u"NaN";
    }
    if (std::isinf(value)) {
        return value < 0 ? u"-Infinity" : u"Infinity";
    }
    if (value == 0.0) {
        return u"0";
    }
    // Take the decimal expansion well past the digits kept, then round half away from zero
    // as VBScript does (a Single 654322.25 shows as 654322.3, not printf's 654322.2).
    char buf[80];
    std::snprintf(buf, sizeof buf, "%.*e", digits + 20, std::fabs(value));
    // buf is "d.ddddde[+-]xx": collect the mantissa digits and the exponent.
    std::string mantissa;
    const char* p = buf;
    for (; *p != 'e'; ++p) {
        if (*p != '.') {
            mantissa.push_back(*p);
        }
    }
    int exponent = std::atoi(p + 1);
    const bool roundUp = mantissa[static_cast<std::size_t>(digits)] >= '5';
    mantissa.resize(static_cast<std::size_t>(digits));
    if (roundUp) {
        auto i = mantissa.size();
        while (i > 0 && mantissa[i - 1] == '9') {
            mantissa[--i] = '0';
        }
        if (i == 0) {
            mantissa.insert(mantissa.begin(), '1');
            mantissa.pop_back();
            ++exponent;
        } else {
            ++mantissa[i - 1];
        }
    }
    while (mantissa.size() > 1 && mantissa.back() == '0') {
        mantissa.pop_back();
    }
    const int n = static_cast<int>(mantissa.size());
    std::u16string out;
    if (value < 0) {
        out.push_back(u'-');
    }
    const bool fixed = exponent <= digits - 1 && n - 1 - exponent <= digits;
    if (fixed) {
        if (exponent < 0) {
            out += u"0";
            out.push_back(sep);
            out.append(static_cast<std::size_t>(-exponent - 1), u'0');
            out += widen(mantissa);
        } else {
            const auto intDigits = static_cast<std::size_t>(exponent + 1);
            if (mantissa.size() <= intDigits) {
                out += widen(mantissa);
                out.append(intDigits - mantissa.size(), u'0');
            } else {
                out += widen(std::string_view(mantissa).substr(0, intDigits));
                out.push_back(sep);
                out += widen(std::string_view(mantissa).substr(intDigits));
            }
        }
        return out;
    }
    out.push_back(static_cast<char16_t>(mantissa[0]));
    if (n > 1) {
        out.push_back(sep);
        out += widen(std::string_view(mantissa).substr(1));
    }
    char expText[16];
    std::snprintf(expText, sizeof expText, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    out += widen(expText);
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
