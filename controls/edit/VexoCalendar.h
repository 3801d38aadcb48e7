#pragma once
// The month calendar: a title bar with the month, its year and two month buttons, the day names,
// and six weeks of days, Monday first. The user moves the current day with the mouse or the keys
// (by day, week, month or year) and, with Multiselect, selects a range by dragging or with Shift.
// Days of other months are grey; Sundays and the days OnGetHolidayInfo marks are holidays.
#include "controls/edit/CalendarMonth.h"
#include "framework/core/TNotifyEvent.h"
#include "framework/windows/Messages.h"
#include "framework/windows/TCustomControl.h"
#include "values/sDB_date.h"

#include <string>

namespace vexo {

class TVexoCalendar : public TCustomControl {
public:
    // The colour indexes of getXColor and setXColor, in the order of the published properties.
    enum ColorIndex {
        ccBackground,
        ccTitleBack,
        ccTitleText,
        ccDayNames,
        ccDaySelectedBack,
        ccDaySelectedText,
        ccDayNormal,
        ccDayNoMonth,
        ccDayHoly,
        ColorCount
    };
    static constexpr TColor DefaultColors[ColorCount] = {clWindow, 0xC0C0C0, clWindowText, 0x800000, 0x800000,
                                                         0xFFFFFF, 0x000000, 0xC0C0C0,     0x0000C4};

    explicit TVexoCalendar(TComponent* owner);

    // EListError before the first build.
    sDB_date getDate() const;
    // Shows d's month with d current; no OnChange. EConvertError, nothing changed, for a date the
    // calendar cannot show (the empty date, 31/02, ...).
    void setDate(const sDB_date& d);
    sDB_date getStartDate() const; // the range's first and last day; EListError before the first build
    sDB_date getEndDate() const;
    void setStartDate(const sDB_date& d); // as setDate
    // Makes d current without rebuilding: d must be one of the 42 shown days (EListError otherwise).
    // Fires OnChange when the current day moves.
    void setEndDate(const sDB_date& d);
    void xsetActive(int index) { change(index, false); }
    int locate(const sDB_date& d) const { return month_.locate(d); }
    // Shows today's month with today current.
    void startUp();
    // Rebuilds the cells around d's month (asking the holidays again) and makes d current.
    // EConvertError, nothing changed, for a date the calendar cannot show.
    void buildFrame(const sDB_date& d);
    // Moves the current day to the cell. With extend and Multiselect the range's moving end goes
    // there; otherwise the range collapses onto it, and a day of another month turns the month.
    // EListError outside 0..41, nothing changed.
    void change(int index, bool extend);
    void DrawCell(int index, bool showSelection);
    // Asks the holidays again and repaints at once; the current day and the range stay. It hides
    // the framework's Repaint, which is not virtual: called through a base pointer it only repaints.
    void Repaint();

    // Index 0..8 as ColorIndex; other indexes do nothing and read clNone.
    TColor getXColor(int index) const;
    void setXColor(int index, TColor color);
    bool Multiselect() const { return multiselect_; }
    void SetMultiselect(bool value);

    // The shown month and its year, "enero de 2006"; empty before the first build.
    std::string TitleText() const;
    const CalendarMonth& Month() const { return month_; }
    int Current() const { return current_; }
    int Anchor() const { return anchor_; }
    int MovingEnd() const { return movingEnd_; }
    int SelectionStart() const { return selStart_; }
    int SelectionEnd() const { return selEnd_; }
    bool Selecting() const { return selecting_; }

    TNotifyEvent OnChange;
    TGetHolidayInfoEvent OnGetHolidayInfo;

    void WndProc(TMessage& message) override;
    // The keys, seen through the application message hook before the window gets them.
    void EventAppMessage(MSG& message, bool& handled);

protected:
    void CreateWnd() override;
    void Paint() override;

private:
    bool designing() const { return ComponentState().Contains(csDesigning); }
    void setAll(int index);
    void invalidateCells(int first, int last);
    // The day paging and the month buttons step from: the current day, or the shown month's date
    // while a range has moved the current day out of it.
    sDB_date stepBase() const;
    // Shows d's month with d current and fires OnChange; nothing for a date that cannot be shown.
    void turnTo(const sDB_date& d);
    void buttonDown(const TMessage& message);
    void buttonUp();
    void doubleClick(TMessage& message);
    void keyDown(WORD key, bool& handled);

    CalendarMonth month_;
    int current_ = -1;
    int anchor_ = -1;
    int movingEnd_ = -1;
    int selStart_ = -1;
    int selEnd_ = -1;
    bool multiselect_ = false;
    bool selecting_ = false;
    // The range when the button went down: the release reports a range the press and drag changed.
    int pressAnchor_ = -1;
    int pressMovingEnd_ = -1;
    TPoint mouse_;
    TColor colors_[ColorCount];
};

} // namespace vexo
