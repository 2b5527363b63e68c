#include "calendar.h"

#include <cmath>

namespace vbs {
namespace {

// Days from 30 Dec 1899 to 1 Jan 1970, where the civil-date algorithms below count from.
constexpr std::int64_t kSerialOf1970 = 25569;
constexpr long long kSecondsPerDay = 86400;
// The years of kFirstDateSerial and kLastDateSerial.
constexpr int kFirstYear = 100;
constexpr int kLastYear = 9999;

// Days since 1 Jan 1970 of a civil date (proleptic Gregorian), and back.
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromDays(std::int64_t z, std::int64_t& y, unsigned& m, unsigned& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2;
}

} // namespace

void splitSerial(double serial, std::int64_t& day, long long& seconds) {
    const double dayPart = std::trunc(serial);
    seconds = std::llround(std::fabs(serial - dayPart) * static_cast<double>(kSecondsPerDay));
    day = static_cast<std::int64_t>(dayPart);
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        day += serial < 0 ? -1 : 1;
    }
}

double shownSerial(double serial) {
    const double day = std::trunc(serial);
    const double seconds = std::round(std::fabs(serial - day) * kSecondsPerDay);
    return day + std::copysign(seconds / kSecondsPerDay, serial);
}

bool serialFromDate(int year, int month, int day, double& out) {
    if (year < kFirstYear || year > kLastYear || month < 1 || month > 12 || day < 1) {
        return false;
    }
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int last = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
    if (day > last) {
        return false;
    }
    out = static_cast<double>(
        daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
        kSerialOf1970);
    return true;
}

bool inDateRange(double serial) {
    // Also false for NaN; within these bounds the day fits any integer type.
    if (!(serial > kFirstDateSerial - 1.0 && serial < kLastDateSerial + 1.0)) {
        return false;
    }
    std::int64_t day = 0;
    long long seconds = 0;
    splitSerial(serial, day, seconds);
    const auto shown = static_cast<double>(day);
    return shown >= kFirstDateSerial && shown <= kLastDateSerial;
}

void dateFromSerial(double serial, int& year, int& month, int& day, int& hour, int& minute,
                    int& second) {
    std::int64_t days = 0;
    long long seconds = 0;
    splitSerial(serial, days, seconds);
    std::int64_t y = 0;
    unsigned m = 0;
    unsigned d = 0;
    civilFromDays(days - kSerialOf1970, y, m, d);
    year = static_cast<int>(y);
    month = static_cast<int>(m);
    day = static_cast<int>(d);
    hour = static_cast<int>(seconds / 3600);
    minute = static_cast<int>(seconds / 60 % 60);
    second = static_cast<int>(seconds % 60);
}

} // namespace vbs
