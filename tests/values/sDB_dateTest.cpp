#include "values/sDB_date.h"

#include "framework/core/Exception.h"

#include <climits>
#include <ctime>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace vexo;

namespace {

struct Dmy {
    int d, m, y;
};

sDB_date make(Dmy v) {
    return sDB_date(v.d, v.m, v.y);
}

void expectDate(const sDB_date& date, Dmy want, const std::string& context) {
    EXPECT_EQ(date.day, want.d) << context;
    EXPECT_EQ(date.month, want.m) << context;
    EXPECT_EQ(date.year, want.y) << context;
}

bool inCalendar(const sDB_date& d) {
    return d.month >= 1 && d.month <= 12 && d.day >= 1 && d.day <= daysInMonth(d.year, d.month);
}

} // namespace

TEST(sDB_dateTest, SetTextReadsFixedCharacterPositions) {
    const struct {
        std::string text;
        Dmy want;
    } cases[] = {
        {"05/01/2006", {5, 1, 2006}},
        {"", {0, 0, 0}},
        {"1/2/2006", {1, 0, 6}},           // only the padded form reads as meant
        {"2006-01-05", {20, 6, 1}},        // year-first text does not parse
        {" 5/ 1/2006", {5, 1, 2006}},      // atoi skips blanks
        {"05-01.2006", {5, 1, 2006}},      // any separator
        {"05/01/20061234", {5, 1, 20061}}, // cut at eleven characters
        {"05", {5, 0, 0}},
        {"ab/cd/efgh", {0, 0, 0}},
        {"-5/-1/-200", {-5, -1, -200}},
        {"05é01é2006", {5, 1, 2006}}, // a two-byte separator is one character
        {"05/01/2006é", {5, 1, 2006}},
        {"é5/01/2006", {0, 1, 2006}},
        {"05\xff"
         "01\xfe"
         "2006",
         {5, 1, 2006}},                              // malformed bytes count as one character each
        {std::string("05/0\0/2006", 10), {5, 0, 0}}, // NUL ends the text
    };
    for (const auto& c : cases) {
        sDB_date date(9, 9, 9);
        date.setText(c.text);
        expectDate(date, c.want, c.text);
    }
}

TEST(sDB_dateTest, TextForms) {
    const struct {
        Dmy date;
        const char *text, *sql;
    } cases[] = {
        {{5, 1, 2006}, "05/01/2006", "2006/01/05"},
        {{0, 0, 0}, "00/00/0000", "0000/00/00"},
        {{31, 12, 99}, "31/12/0099", "0099/12/31"},
        {{-1, 1, 2006}, "-1/01/2006", "2006/01/-1"},
        {{INT_MIN, INT_MIN, INT_MIN},
         "-2147483648/-2147483648/-2147483648",
         "-2147483648/-2147483648/-2147483648"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(make(c.date).text(), c.text);
        EXPECT_EQ(make(c.date).sqlText(), c.sql);
    }
    EXPECT_EQ(sDB_date(5, 1, 2006).sqlQuoted(), "'2006/01/05'");
    EXPECT_EQ(sDB_date(5, 1, 2006).longText(), "jueves, 5 de enero de 2006");
    EXPECT_EQ(sDB_date(1, 13, 2006).monthName(), "");
    EXPECT_EQ(sDB_date(1, 0, 2006).monthName(), "");
    EXPECT_EQ(sDB_date(1, 12, 2006).monthName(), "diciembre");
}

TEST(sDB_dateTest, EmptyDate) {
    sDB_date date;
    EXPECT_TRUE(date.isEmpty());
    date.setText("05/01/2006");
    EXPECT_FALSE(date.isEmpty());
    date.setText("");
    EXPECT_TRUE(date.isEmpty());
    EXPECT_FALSE(sDB_date(0, 0, 1).isEmpty());
    date = sDB_date(1, 2, 3);
    date.clear();
    EXPECT_TRUE(date.isEmpty());
}

TEST(sDB_dateTest, DaysInMonth) {
    const struct {
        int year, month, want;
    } cases[] = {
        {2006, 1, 31},  {2006, 2, 28},       {2008, 2, 29},
        {2000, 2, 29},  {1900, 2, 29}, // no century rule
        {-4, 2, 29},    {-1, 2, 28},         {2006, 4, 30},
        {2006, 12, 31}, {2006, 0, -1},       {2006, 13, -1},
        {2006, -1, -1}, {2006, INT_MAX, -1}, {2006, INT_MIN, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(daysInMonth(c.year, c.month), c.want) << c.year << "/" << c.month;
}

TEST(sDB_dateTest, WeekDayFollowsTheGregorianCalendarForAnyYear) {
    const struct {
        Dmy date;
        int want;
    } cases[] = {
        {{1, 1, 2006}, 7},   {{2, 1, 2006}, 1},  {{5, 1, 2006}, 4}, {{1, 1, 1970}, 4}, {{1, 1, 1900}, 1},
        {{15, 10, 1582}, 5}, {{1, 1, 2100}, 5},  {{1, 1, 3000}, 3}, {{1, 1, 1}, 1},    {{29, 2, 2000}, 2},
        {{1, 1, 2038}, 5},   {{31, 2, 2006}, 5}, // rolls over to 03/03/2006
        {{0, 1, 2006}, 6},                       // 31/12/2005
        {{1, 13, 2006}, 1},                      // 01/01/2007
        {{1, 0, 2006}, 4},                       // 01/12/2005
    };
    for (const auto& c : cases)
        EXPECT_EQ(make(c.date).weekDay(), c.want) << make(c.date).text();

    for (Dmy extreme : {Dmy{INT_MAX, INT_MAX, INT_MAX}, Dmy{INT_MIN, INT_MIN, INT_MIN}, Dmy{0, 0, 0}}) {
        const int w = make(extreme).weekDay();
        EXPECT_TRUE(w >= 1 && w <= 7) << w;
    }
}

TEST(sDB_dateTest, DayAbbrevAndMonthNames) {
    const char* abbrevs[] = {"lun", "mar", "mie", "jue", "vie", "sáb", "dom"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(sDB_date(2 + i, 1, 2006).dayAbbrev(), abbrevs[i]);
    EXPECT_EQ(sDB_date(1, 1, 2006).monthName(), "enero");
    EXPECT_EQ(sDB_dayNames[6], "sábado");
    EXPECT_EQ(sDB_dayNames[3], "miercoles");
    EXPECT_EQ(sDB_monthNamesCatalan[3], "març");
    EXPECT_EQ(sDB_dayNamesCatalan[1], "Dilluns");
}

TEST(sDB_dateTest, DayNumberUsesTheFixedFormula) {
    const struct {
        Dmy date;
        int want;
    } cases[] = {
        {{1, 1, 1901}, 1},       {{1, 1, 1900}, -364},  {{1, 1, 1897}, -1460}, // y / 4 truncates toward zero
        {{31, 12, 2005}, 38351}, {{1, 1, 2006}, 38352}, {{1, 3, 2008}, 39142},
        {{1, 14, 2006}, 38716}, // months past the table count -1 each
        {{0, 0, 0}, -694340},
    };
    for (const auto& c : cases)
        EXPECT_EQ(make(c.date).dayNumber(), c.want) << make(c.date).text();
    make({INT_MAX, INT_MAX, INT_MAX}).dayNumber(); // must not overflow or take long

    EXPECT_TRUE(sDB_date(31, 2, 2006).isEqual(sDB_date(3, 3, 2006)));
    EXPECT_TRUE(sDB_date(5, 1, 2006).isLessOrEqual(sDB_date(6, 1, 2006)));
    EXPECT_TRUE(sDB_date(5, 1, 2006).isLessOrEqual(sDB_date(5, 1, 2006)));
    EXPECT_FALSE(sDB_date(6, 1, 2006).isLessOrEqual(sDB_date(5, 1, 2006)));
    EXPECT_FALSE(sDB_date(1, 1, 2007).isLessOrEqual(sDB_date(31, 12, 2006)));
}

TEST(sDB_dateTest, Stepping) {
    using Op = void (sDB_date::*)();
    const struct {
        const char* name;
        Op op;
        Dmy from, want;
    } cases[] = {
        {"nextDay", &sDB_date::nextDay, {30, 11, 2006}, {1, 12, 2006}},
        {"nextDay", &sDB_date::nextDay, {31, 12, 2006}, {1, 1, 2007}},
        {"nextDay", &sDB_date::nextDay, {28, 2, 2008}, {29, 2, 2008}},
        {"nextDay", &sDB_date::nextDay, {28, 2, 1900}, {29, 2, 1900}},
        {"prevDay", &sDB_date::prevDay, {1, 1, 2007}, {31, 12, 2006}},
        {"prevDay", &sDB_date::prevDay, {1, 3, 2008}, {29, 2, 2008}},
        {"prevDay", &sDB_date::prevDay, {1, 3, 2006}, {28, 2, 2006}},
        {"nextWeek", &sDB_date::nextWeek, {28, 12, 2006}, {4, 1, 2007}},
        {"prevWeek", &sDB_date::prevWeek, {4, 1, 2007}, {28, 12, 2006}},
        {"nextMonth", &sDB_date::nextMonth, {31, 1, 2006}, {28, 2, 2006}},
        {"nextMonth", &sDB_date::nextMonth, {31, 1, 2008}, {29, 2, 2008}},
        {"nextMonth", &sDB_date::nextMonth, {31, 3, 2006}, {30, 4, 2006}},
        {"nextMonth", &sDB_date::nextMonth, {15, 12, 2006}, {15, 1, 2007}},
        {"prevMonth", &sDB_date::prevMonth, {31, 3, 2006}, {28, 2, 2006}},
        {"prevMonth", &sDB_date::prevMonth, {15, 1, 2007}, {15, 12, 2006}},
        {"nextYear", &sDB_date::nextYear, {29, 2, 2008}, {28, 2, 2009}},
        {"prevYear", &sDB_date::prevYear, {29, 2, 2008}, {28, 2, 2007}},
        {"firstDay", &sDB_date::firstDay, {17, 5, 2006}, {1, 5, 2006}},
        {"lastDay", &sDB_date::lastDay, {17, 2, 2008}, {29, 2, 2008}},
        {"lastDay", &sDB_date::lastDay, {17, 4, 2006}, {30, 4, 2006}},
        // A day outside its month is stepped by the day arithmetic as it stands.
        {"nextDay", &sDB_date::nextDay, {31, 2, 2006}, {1, 3, 2006}},
        {"prevDay", &sDB_date::prevDay, {31, 2, 2006}, {30, 2, 2006}},
        {"nextDay", &sDB_date::nextDay, {0, 5, 2006}, {1, 5, 2006}},
        {"prevDay", &sDB_date::prevDay, {0, 5, 2006}, {30, 4, 2006}},
        {"nextDay", &sDB_date::nextDay, {-5, 3, 2006}, {-4, 3, 2006}},
        {"nextWeek", &sDB_date::nextWeek, {31, 2, 2006}, {7, 3, 2006}},
        {"prevWeek", &sDB_date::prevWeek, {31, 2, 2006}, {24, 2, 2006}},
        {"nextMonth", &sDB_date::nextMonth, {31, 2, 2006}, {31, 3, 2006}},
        {"nextDay", &sDB_date::nextDay, {INT_MAX, 2, 2006}, {1, 3, 2006}},
        {"prevDay", &sDB_date::prevDay, {INT_MIN, 3, 2006}, {28, 2, 2006}},
        // A month outside 1..12 rolls into the calendar first, as mktime would read it.
        {"nextDay", &sDB_date::nextDay, {5, 13, 2006}, {6, 1, 2007}},
        {"nextDay", &sDB_date::nextDay, {1, -1, 2006}, {2, 11, 2005}},
        {"prevDay", &sDB_date::prevDay, {5, 0, 2006}, {4, 12, 2005}},
        {"nextMonth", &sDB_date::nextMonth, {15, 99, 2006}, {15, 4, 2014}},
        {"lastDay", &sDB_date::lastDay, {5, 13, 2006}, {31, 1, 2007}},
        {"lastDay", &sDB_date::lastDay, {0, 0, 2006}, {30, 11, 2005}},
        {"nextYear", &sDB_date::nextYear, {1, 1, INT_MAX}, {1, 1, INT_MAX}}, // saturates
        {"prevYear", &sDB_date::prevYear, {1, 1, INT_MIN}, {1, 1, INT_MIN}},
    };
    for (const auto& c : cases) {
        sDB_date date = make(c.from);
        (date.*c.op)();
        expectDate(date, c.want, std::string(c.name) + " from " + make(c.from).text());
    }

    // An empty date has nothing to step from and stays empty.
    for (Op op : {&sDB_date::nextDay, &sDB_date::prevDay, &sDB_date::nextWeek, &sDB_date::prevWeek,
                  &sDB_date::nextMonth, &sDB_date::prevMonth, &sDB_date::nextYear, &sDB_date::prevYear,
                  &sDB_date::firstDay, &sDB_date::lastDay}) {
        sDB_date date;
        (date.*op)();
        EXPECT_TRUE(date.isEmpty()) << date.text();
    }
    sDB_date empty;
    empty.addDays(10);
    EXPECT_TRUE(empty.isEmpty());
}

TEST(sDB_dateTest, AddDaysMatchesRepeatedNextDay) {
    const struct {
        Dmy from;
        int n;
        Dmy want;
    } cases[] = {
        {{5, 1, 2006}, 0, {5, 1, 2006}},   {{5, 1, 2006}, -3, {5, 1, 2006}},
        {{5, 1, 2006}, 1, {6, 1, 2006}},   {{5, 1, 2006}, 365, {5, 1, 2007}},
        {{1, 1, 2008}, 366, {1, 1, 2009}}, {{28, 2, 1900}, 1, {29, 2, 1900}},
    };
    for (const auto& c : cases) {
        sDB_date date = make(c.from);
        date.addDays(c.n);
        expectDate(date, c.want, "addDays " + std::to_string(c.n));
    }

    for (Dmy from : {Dmy{29, 2, 2008}, Dmy{31, 12, 1899}, Dmy{31, 1, 2006}, Dmy{1, 3, -1}, Dmy{31, 2, 2006},
                     Dmy{-3, 5, 2006}, Dmy{40, 4, 2006}}) {
        for (int n : {1, 5, 30, 59, 400, 1460, 1461, 1462, 3000}) {
            sDB_date fast = make(from), slow = make(from);
            fast.addDays(n);
            for (int i = 0; i < n; ++i)
                slow.nextDay();
            expectDate(fast, {slow.day, slow.month, slow.year},
                       make(from).text() + " + " + std::to_string(n));
        }
        sDB_date week = make(from), days = make(from);
        week.prevWeek();
        for (int i = 0; i < 7; ++i)
            days.prevDay();
        expectDate(week, {days.day, days.month, days.year}, make(from).text() + " prevWeek");
    }

    // From 1901 on dayNumber counts days exactly, so it checks a step far beyond a loop's reach.
    sDB_date far(1, 1, 2006);
    far.addDays(100000000);
    EXPECT_EQ(far.dayNumber() - sDB_date(1, 1, 2006).dayNumber(), 100000000);
    EXPECT_TRUE(inCalendar(far));

    for (Dmy from : {Dmy{INT_MAX, 1, 2006}, Dmy{1, 1, INT_MAX - 1}, Dmy{INT_MIN, INT_MIN, INT_MIN}}) {
        sDB_date date = make(from);
        date.addDays(INT_MAX);
        EXPECT_TRUE(inCalendar(date)) << date.text();
    }
}

TEST(sDB_dateTest, FormatGoesThroughTheFrameworkAndRejectsImpossibleDates) {
    EXPECT_EQ(sDB_date(5, 1, 2006).format("dd/mm/yyyy"), "05/01/2006");
    EXPECT_EQ(sDB_date(5, 1, 2006).format("d 'de' mmmm"), "5 de enero");
    for (Dmy bad : {Dmy{0, 0, 0}, Dmy{31, 2, 2006}, Dmy{1, 13, 2006}, Dmy{0, 1, 2006}})
        EXPECT_THROW(make(bad).format("dd/mm/yyyy"), EConvertError) << make(bad).text();
}

TEST(sDB_dateTest, TodayIsTheLocalDate) {
    const auto local = [] {
        std::time_t now = std::time(nullptr);
        std::tm tm{};
        localtime_r(&now, &tm);
        return Dmy{tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900};
    };
    const Dmy before = local();
    sDB_date date;
    date.today();
    const Dmy after = local();
    const bool matches = (date.day == before.d && date.month == before.m && date.year == before.y) ||
                         (date.day == after.d && date.month == after.m && date.year == after.y);
    EXPECT_TRUE(matches) << date.text();
}
