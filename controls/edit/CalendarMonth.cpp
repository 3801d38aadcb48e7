// How it works: cell k of a month is its (k - offset + 1)th day, where offset is the number of
// days from the Monday that starts the first week to the 1st. The leading cells walk back from the
// 1st and the trailing ones forward from the last day, so that every cell holds a real date.
#include "controls/edit/CalendarMonth.h"

#include "values/VexoConvert.h"

#include <cassert>

namespace vexo {

TRect CalendarMonth::CellRect(int index) {
    assert(index >= 0 && index < CellCount && "a calendar has 42 cells");
    const int left = (index % Columns) * CellWidth;
    const int top = GridTop + (index / Columns) * CellHeight;
    return TRect{left, top, left + CellWidth, top + CellHeight};
}

TRect CalendarMonth::DayNameRect(int column) {
    assert(column >= 0 && column < Columns && "a week has seven days");
    return TRect{column * CellWidth, DayNamesTop, (column + 1) * CellWidth, DayNamesBottom};
}

std::string CalendarMonth::DayName(int column) {
    sDB_date monday(2, 1, 2006);
    monday.addDays(column);
    return monday.dayAbbrev();
}

bool CalendarMonth::isShowable(const sDB_date& d) {
    return d.year >= 1 && d.year <= 9999 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
           d.day <= daysInMonth(d.year, d.month);
}

CalendarMonth::CalendarMonth() {
    for (int i = 0; i < CellCount; ++i)
        cells_.add()->rect = CellRect(i);
}

int CalendarMonth::build(const sDB_date& d, const TGetHolidayInfoEvent& holidayQuery) {
    shown_ = d;
    sDB_date first = d;
    first.firstDay();
    sDB_date last = d;
    last.lastDay();
    auto fill = [this](int i, const sDB_date& date, bool inMonth) -> CalendarCell& {
        CalendarCell& c = cells_[i];
        c.date = date;
        c.text = intToText(date.day);
        c.inMonth = inMonth;
        return c;
    };

    const int offset = first.weekDay() - 1;
    sDB_date date = first;
    for (int i = offset - 1; i >= 0; --i) {
        date.prevDay();
        fill(i, date, false);
    }
    int found = -1;
    int i = offset;
    for (date = first; i < CellCount && date.isLessOrEqual(last); date.nextDay(), ++i) {
        CalendarCell& c = fill(i, date, true);
        c.holiday = date.weekDay() == 7;
        if (!c.holiday && holidayQuery) holidayQuery(date, c.holiday);
        if (found < 0 && date.isEqual(d)) found = i;
    }
    for (; i < CellCount; date.nextDay(), ++i)
        fill(i, date, false);
    return found;
}

int CalendarMonth::locate(const sDB_date& d) const {
    for (int i = 0; i < CellCount; ++i)
        if (cells_[i].date.isEqual(d)) return i;
    return -1;
}

int CalendarMonth::cellAt(TPoint p) const {
    for (int i = 0; i < CellCount; ++i)
        if (cells_[i].rect.Contains(p)) return i;
    return -1;
}

} // namespace vexo
