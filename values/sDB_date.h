#pragma once
// A calendar date as three plain integers. Nothing is validated on assignment or parsing: the empty
// date is 00/00/0000 and a date such as 31/02/2006 can be stored. Operations that step through the
// calendar keep a valid date valid.
#include <string>
#include <string_view>

namespace vexo {

// Days of the month, February having 29 in every year divisible by 4 (no century rule);
// -1 for a month outside 1..12.
int daysInMonth(int year, int month);

// Name tables; slot 0 is empty so they index directly by month 1..12 or week day 1..7 (Monday first).
inline constexpr std::string_view sDB_monthNames[13] = {
    "",      "enero",  "febrero",    "marzo",   "abril",     "mayo",     "junio",
    "julio", "agosto", "septiembre", "octubre", "noviembre", "diciembre"};
inline constexpr std::string_view sDB_dayNames[8] = {"",       "lunes",   "martes", "miercoles",
                                                     "jueves", "viernes", "sábado", "domingo"};
inline constexpr std::string_view sDB_monthNamesCatalan[13] = {
    "",       "gener", "febrer",   "març",    "abril",    "maig",    "juny",
    "juliol", "agost", "setembre", "octubre", "novembre", "desembre"};
inline constexpr std::string_view sDB_dayNamesCatalan[8] = {"",       "Dilluns",   "Dimarts",  "Dimecres",
                                                            "Dijous", "Divendres", "Dissabte", "Diumenge"};

class sDB_date {
public:
    int day = 0;
    int month = 0;
    int year = 0;

    sDB_date() = default;
    sDB_date(int d, int m, int y) : day(d), month(m), year(y) {}

    void clear() { day = month = year = 0; }
    bool isEmpty() const { return day == 0 && month == 0 && year == 0; }

    // Reads dd/mm/yyyy by position: day at character 0, month at 3, year at 6; any separator.
    void setText(const std::string& text);
    std::string text() const;      // 05/01/2006
    std::string sqlText() const;   // 2006/01/05
    std::string sqlQuoted() const; // '2006/01/05'
    std::string longText() const;  // jueves, 5 de enero de 2006
    // Through the framework's date formatting; EConvertError for an empty or impossible date.
    std::string format(const std::string& pattern) const;

    std::string dayAbbrev() const; // "lun" .. "dom"
    std::string monthName() const; // "" for a month outside 1..12
    int weekDay() const;           // 1 = Monday .. 7 = Sunday, for any field values
    int dayNumber() const;         // for comparing and sorting only
    bool isEqual(const sDB_date& other) const { return dayNumber() == other.dayNumber(); }
    bool isLessOrEqual(const sDB_date& other) const { return dayNumber() <= other.dayNumber(); }

    void today();

    // Stepping. An empty date stays empty. A date outside the calendar (day or month out of
    // range) is first brought into it the way mktime does, so 31/02/2006 steps from 03/03/2006
    // and 05/13/2006 from 05/01/2007.
    void firstDay();
    void lastDay();
    void nextDay();
    void prevDay();
    void nextWeek();
    void prevWeek();
    void nextMonth(); // day clamped to the new month's length
    void prevMonth();
    void nextYear(); // 29/02 becomes 28/02 outside leap years
    void prevYear();
    void addDays(int n); // nothing when n <= 0

private:
    bool readyToStep();
    void stepForward(long long n);
    void stepBack(long long n);
    void shiftDays(long long n);
    void clampDay();
};

} // namespace vexo
