// How it works: the fields stay plain integers and nothing is validated on assignment. Two calendars
// meet here. The library's own (every fourth year leap, no century rule) drives daysInMonth,
// dayNumber and stepping; because it repeats exactly every 1461 days, large steps jump whole
// four-year cycles and then walk at most four years month by month. weekDay instead answers what the
// system clock would say, so it counts days in the proleptic Gregorian calendar; it never calls
// mktime, whose range is limited by time_t and whose result depends on the local zone.
#include "values/sDB_date.h"

#include "framework/core/SysUtils.h"
#include "framework/core/Utf8.h"
#include "values/sDB_fixedText.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <ctime>

namespace vexo {

namespace {

using i64 = std::int64_t;

constexpr int monthLengths[13] = {-1, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr i64 daysPerCycle = 4 * 365 + 1;

i64 floorDiv(i64 a, i64 b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
i64 floorMod(i64 a, i64 b) {
    return a - floorDiv(a, b) * b;
}

int monthLength(i64 year, int month) {
    if (month < 1 || month > 12) return -1;
    return month == 2 && year % 4 == 0 ? 29 : monthLengths[month];
}

int saturate(i64 v) {
    return static_cast<int>(v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : v);
}

// Day count of the proleptic Gregorian calendar, 0 on 1970-01-01.
i64 gregorianDays(i64 y, int m, int d) {
    y -= m <= 2;
    const i64 era = floorDiv(y, 400);
    const i64 yoe = y - era * 400;
    const i64 doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const i64 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

std::string printed(const char* format, int a, int b, int c) {
    char buffer[64]; // three ints of at most 11 characters each, plus the format's own
    std::snprintf(buffer, sizeof buffer, format, a, b, c);
    return buffer;
}

} // namespace

int daysInMonth(int year, int month) {
    return monthLength(year, month);
}

void sDB_date::setText(const std::string& text) {
    const sDB_fixedText fixed(text, {2, 5});
    day = fixed.fieldAt(0);
    month = fixed.fieldAt(3);
    year = fixed.fieldAt(6);
}

std::string sDB_date::text() const {
    return printed("%02i/%02i/%04i", day, month, year);
}

std::string sDB_date::sqlText() const {
    return printed("%04i/%02i/%02i", year, month, day);
}

std::string sDB_date::sqlQuoted() const {
    return "'" + sqlText() + "'";
}

std::string sDB_date::longText() const {
    return std::string(sDB_dayNames[weekDay()]) + ", " + std::to_string(day) + " de " + monthName() + " de " +
           std::to_string(year);
}

std::string sDB_date::format(const std::string& pattern) const {
    return FormatDateTime(pattern, EncodeDate(year, month, day));
}

std::string sDB_date::dayAbbrev() const {
    return std::string(sUtf8Prefix(sDB_dayNames[weekDay()], 3));
}

std::string sDB_date::monthName() const {
    return month >= 1 && month <= 12 ? std::string(sDB_monthNames[month]) : std::string();
}

int sDB_date::weekDay() const {
    // Out-of-range months and days roll over as mktime rolls them: month first, then day.
    const i64 m0 = static_cast<i64>(month) - 1;
    const i64 y = static_cast<i64>(year) + floorDiv(m0, 12);
    const int m = static_cast<int>(floorMod(m0, 12)) + 1;
    const i64 days = gregorianDays(y, m, 1) + (static_cast<i64>(day) - 1);
    return static_cast<int>(floorMod(days + 3, 7)) + 1; // 1970-01-01 was a Thursday
}

int sDB_date::dayNumber() const {
    const i64 y = static_cast<i64>(year) - 1901;
    i64 n = y * 365 + y / 4 + day;
    for (int m = 1; m < month && m <= 12; ++m)
        n += monthLength(year, m);
    if (month > 13) n -= static_cast<i64>(month) - 13; // months past the table count -1 each
    return static_cast<int>(n);                        // wraps only for absurd field values; never shown
}

void sDB_date::today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    year = local.tm_year + 1900;
    month = local.tm_mon + 1;
    day = local.tm_mday;
}

// False (and nothing changed) for the empty date. A month outside 1..12 has no length to step by,
// so such a date first rolls into the calendar as mktime would read it; a day beyond its month's
// length in a valid month is left as it is and stepped by the day arithmetic below.
bool sDB_date::readyToStep() {
    if (isEmpty()) return false;
    if (month < 1 || month > 12) shiftDays(0);
    return true;
}

// n calls of nextDay: a day past the month's end goes to the first of the next month, a day
// before the first counts up one by one, and once the day lies in its month whole cycles are jumped.
void sDB_date::stepForward(long long n) {
    if (n <= 0 || !readyToStep()) return;
    const int length = monthLength(year, month);
    if (day > length) {
        day = 1;
        if (++month > 12) month = 1, year = saturate(static_cast<i64>(year) + 1);
        --n;
    } else if (day < 1) {
        const long long k = std::min<long long>(n, 1LL - day);
        day += static_cast<int>(k);
        n -= k;
    }
    if (n > 0) shiftDays(n);
}

// n calls of prevDay: a day past the month's end counts down one by one, a day at or before the
// first goes to the last day of the previous month, and once the day lies in its month whole
// cycles are jumped.
void sDB_date::stepBack(long long n) {
    if (n <= 0 || !readyToStep()) return;
    const int length = monthLength(year, month);
    if (day > length) {
        const long long k = std::min<long long>(n, static_cast<long long>(day) - length);
        day -= static_cast<int>(k);
        n -= k;
    } else if (day <= 1) {
        if (--month < 1) month = 12, year = saturate(static_cast<i64>(year) - 1);
        day = monthLength(year, month);
        --n;
    }
    if (n > 0) shiftDays(-n);
}

void sDB_date::shiftDays(long long n) {
    const i64 m0 = static_cast<i64>(month) - 1;
    i64 y = static_cast<i64>(year) + floorDiv(m0, 12);
    int m = static_cast<int>(floorMod(m0, 12)) + 1;
    i64 d = static_cast<i64>(day) + n;
    if (d < 1 || d > monthLength(y, m)) {
        // Day d of month m is day d - 1461 of the same month four years later.
        const i64 cycles = floorDiv(d - 1, daysPerCycle);
        y += 4 * cycles;
        d -= daysPerCycle * cycles;
        while (d > monthLength(y, m)) {
            d -= monthLength(y, m);
            if (++m > 12) m = 1, ++y;
        }
    }
    year = saturate(y);
    month = m;
    day = static_cast<int>(d);
    clampDay(); // only bites when the year saturated
}

void sDB_date::clampDay() {
    const int length = monthLength(year, month);
    if (day > length) day = length;
}

void sDB_date::firstDay() {
    if (readyToStep()) day = 1;
}

void sDB_date::lastDay() {
    if (readyToStep()) day = monthLength(year, month);
}

void sDB_date::nextDay() {
    stepForward(1);
}

void sDB_date::prevDay() {
    stepBack(1);
}

void sDB_date::nextWeek() {
    stepForward(7);
}

void sDB_date::prevWeek() {
    stepBack(7);
}

void sDB_date::addDays(int n) {
    stepForward(n);
}

void sDB_date::nextMonth() {
    if (!readyToStep()) return;
    if (month == 12) {
        month = 1;
        year = saturate(static_cast<i64>(year) + 1);
    } else {
        ++month;
    }
    clampDay();
}

void sDB_date::prevMonth() {
    if (!readyToStep()) return;
    if (month == 1) {
        month = 12;
        year = saturate(static_cast<i64>(year) - 1);
    } else {
        --month;
    }
    clampDay();
}

void sDB_date::nextYear() {
    if (!readyToStep()) return;
    year = saturate(static_cast<i64>(year) + 1);
    clampDay();
}

void sDB_date::prevYear() {
    if (!readyToStep()) return;
    year = saturate(static_cast<i64>(year) - 1);
    clampDay();
}

} // namespace vexo
