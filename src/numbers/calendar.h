#pragma once

#include <cstdint>

// Dates as VBScript holds them: a serial counting days from 30 Dec 1899, the time of day as its
// fraction. The fraction counts away from day 0 on both sides (-1.25 is 29 Dec 1899, 6:00 AM)
// and is shown to the whole second, so a time that rounds up to midnight is the next day.
namespace vbs {

// The first and last days a Date may hold: 1 Jan 100 and 31 Dec 9999.
inline constexpr double kFirstDateSerial = -657434.0;
inline constexpr double kLastDateSerial = 2958465.0;

// A serial's whole day and the seconds into it, as shown (see above).
void splitSerial(double serial, std::int64_t& day, long long& seconds);
// The serial with its time rounded to the whole second it is shown as.
double shownSerial(double serial);
// Days since 30 Dec 1899 of a date, or false when it is no date or out of the range above.
bool serialFromDate(int year, int month, int day, double& out);
// Whether a serial is a Date: 1 Jan 100 to 31 Dec 9999 23:59:59, as its fields show it (a
// time that rounds to the next second past either end is outside). Every Date is checked
// here; beyond it conversions raise Overflow and date functions Invalid procedure call.
bool inDateRange(double serial);
// Calendar fields of a serial.
void dateFromSerial(double serial, int& year, int& month, int& day, int& hour, int& minute,
                    int& second);

} // namespace vbs
