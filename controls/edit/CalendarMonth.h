#pragma once
// The month a calendar shows, without a window: 42 day cells in six weeks of seven days, Monday
// first, around the month of a date, and the geometry of the calendar's fixed areas.
#include "framework/core/Types.h"
#include "values/nBlockArray.h"
#include "values/sDB_date.h"

#include <functional>
#include <string>

namespace vexo {

// Asks the application whether a day of the shown month is a holiday; it may set isHolyday.
using TGetHolidayInfoEvent = std::function<void(const sDB_date& date, bool& isHolyday)>;

struct CalendarCell {
    TRect rect;
    sDB_date date;
    std::string text; // the day of the month
    bool inMonth = false;
    bool holiday = false; // meaningful for days of the shown month only
};

class CalendarMonth {
public:
    static constexpr int Columns = 7;
    static constexpr int Rows = 6;
    static constexpr int CellCount = Columns * Rows;
    static constexpr int CellWidth = 24;
    static constexpr int CellHeight = 14;
    static constexpr int Width = Columns * CellWidth;     // 168
    static constexpr int Height = 30 + Rows * CellHeight; // 114

    // The fixed areas, in client coordinates of a calendar of Width x Height.
    static constexpr TRect TitleRect{0, 0, Width, 14};
    static constexpr int DayNamesTop = 14;
    static constexpr int DayNamesBottom = 28;
    static constexpr int LineY = 29;
    static constexpr int GridTop = 30;
    static constexpr TRect PrevButtonRect{1, 1, CellWidth - 1, 13};
    static constexpr TRect NextButtonRect{Width - CellWidth + 1, 1, Width - 1, 13};
    static TRect CellRect(int index);
    static TRect DayNameRect(int column);
    // The three-letter name of the days in a column: "lun" .. "dom".
    static std::string DayName(int column);

    // A real day of the calendar: month 1..12, a day its month has, year 1..9999. Only such a day
    // can be shown; the empty date is none.
    static bool isShowable(const sDB_date& d);

    // 42 empty cells with their rectangles.
    CalendarMonth();

    // Fills the cells around the month of d and returns the index of d's cell, -1 when d is no day
    // of its month. The holiday query is asked about every day of the month but Sundays, which are
    // holidays anyway; the flags of other months' days keep what they held.
    int build(const sDB_date& d, const TGetHolidayInfoEvent& holidayQuery);
    // Index of the first cell showing d, or -1.
    int locate(const sDB_date& d) const;
    // Index of the first cell containing the client point p, or -1.
    int cellAt(TPoint p) const;
    // EListError outside 0..41.
    const CalendarCell& cell(int index) const { return cells_[index]; }
    // The date the cells were last built around (empty before the first build): its month is the
    // one shown.
    const sDB_date& shown() const { return shown_; }

private:
    nBlockArray<CalendarCell> cells_;
    sDB_date shown_;
};

} // namespace vexo
