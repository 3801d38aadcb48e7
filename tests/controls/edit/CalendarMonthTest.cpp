#include "controls/edit/CalendarMonth.h"
#include "framework/core/Exception.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vexo;

TEST(CalendarMonthTest, MonthsFillSixWeeksOfRealDaysMondayFirst) {
    const struct {
        const char* name;
        sDB_date around;
        int first, found; // the cells of the 1st and of `around`
        const char* cell0;
        const char* cell41;
    } cases[] = {
        {"February 2009 starts on a Sunday", {15, 2, 2009}, 6, 20, "26/01/2009", "08/03/2009"},
        {"June 2009 starts on a Monday", {30, 6, 2009}, 0, 29, "01/06/2009", "12/07/2009"},
        {"February 2010: four weeks, two grey ones after", {1, 2, 2010}, 0, 0, "01/02/2010", "14/03/2010"},
        {"January 2006, across the year", {31, 1, 2006}, 6, 36, "26/12/2005", "05/02/2006"},
        {"leap February 2008", {29, 2, 2008}, 4, 32, "28/01/2008", "09/03/2008"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CalendarMonth m;
        EXPECT_EQ(m.build(c.around, nullptr), c.found);
        EXPECT_EQ(m.locate(c.around), c.found);
        EXPECT_EQ(m.cell(0).date.text(), c.cell0);
        EXPECT_EQ(m.cell(41).date.text(), c.cell41);
        EXPECT_EQ(m.cell(c.first).date.day, 1);
        // Consecutive days in reading order, each in its week day's column, grey outside the month.
        for (int i = 0; i < CalendarMonth::CellCount; ++i) {
            const CalendarCell& cell = m.cell(i);
            EXPECT_EQ(cell.date.weekDay(), i % 7 + 1) << i;
            EXPECT_EQ(cell.text, std::to_string(cell.date.day)) << i;
            EXPECT_EQ(cell.inMonth, cell.date.month == c.around.month) << i;
            sDB_date next = cell.date;
            next.nextDay();
            if (i < 41) {
                EXPECT_TRUE(next.isEqual(m.cell(i + 1).date)) << i;
            }
        }
    }
    CalendarMonth m;
    EXPECT_THROW(m.cell(42), EListError);
    EXPECT_EQ(m.locate({1, 6, 2006}), -1);
    for (const sDB_date& d :
         {sDB_date(), sDB_date(31, 2, 2006), sDB_date(29, 2, 2009), sDB_date(1, 13, 2006)})
        EXPECT_FALSE(CalendarMonth::isShowable(d)) << d.text();
    EXPECT_TRUE(CalendarMonth::isShowable({29, 2, 2008}));
}

TEST(CalendarMonthTest, SundaysAreHolidaysAndTheQueryDecidesTheOtherDaysOfTheMonth) {
    CalendarMonth m;
    std::vector<std::string> asked;
    const TGetHolidayInfoEvent query = [&](const sDB_date& d, bool& holiday) {
        asked.push_back(d.text());
        if (d.day == 6 || d.day == 31) holiday = true; // a Monday and a Friday
    };
    m.build({1, 3, 2006}, query); // March 2006: from Wednesday 1 to Friday 31, 4 Sundays
    EXPECT_EQ(asked.size(), 31u - 4u) << "never about Sundays, never about other months";
    EXPECT_EQ(asked.front() + " " + asked.back(), "01/03/2006 31/03/2006");
    auto holidays = [&m] {
        std::vector<int> days;
        for (int i = 0; i < CalendarMonth::CellCount; ++i)
            if (m.cell(i).inMonth && m.cell(i).holiday) days.push_back(m.cell(i).date.day);
        return days;
    };
    EXPECT_EQ(holidays(), (std::vector<int>{5, 6, 12, 19, 26, 31}));
    m.build({1, 3, 2006}, nullptr);
    EXPECT_EQ(holidays(), (std::vector<int>{5, 12, 19, 26})) << "a rebuild forgets what no query marks";
}

TEST(CalendarMonthTest, HitTestingFindsTheCellUnderAPoint) {
    const CalendarMonth m;
    const struct {
        TPoint p;
        int cell;
    } hits[] = {{{0, 30}, 0},  {{23, 43}, 0},   {{24, 30}, 1},  {{0, 44}, 7},   {{167, 113}, 41},
                {{0, 29}, -1}, {{168, 30}, -1}, {{0, 114}, -1}, {{-1, 40}, -1}, {{84, 7}, -1}};
    for (const auto& h : hits)
        EXPECT_EQ(m.cellAt(h.p), h.cell) << h.p.x << ", " << h.p.y;
    std::string names;
    for (int c = 0; c < CalendarMonth::Columns; ++c)
        names += CalendarMonth::DayName(c) + " ";
    EXPECT_EQ(names, "lun mar mie jue vie sáb dom ");
}
