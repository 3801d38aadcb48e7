// How it works: CalendarMonth holds the 42 cells; the control holds five indexes into them: the
// current day, the range's anchor and moving end, and the range's first and last cell (the smaller
// and the larger end). Every rebuild puts all five on the day it was built around. Changes
// invalidate only the cells whose look changed; Paint draws everything from the state. The mouse
// comes through the window procedure, the keys through the application message hook, which sees
// them before the window and before the form's own key handling.
#include "controls/edit/VexoCalendar.h"

#include "controls/common/AppMsgHandler.h"
#include "controls/edit/CalendarProperties.h"
#include "framework/core/Exception.h"
#include "framework/graphics/Gdi.h"
#include "framework/windows/TControlCanvas.h"
#include "framework/windows/WinApi.h"
#include "values/VexoConvert.h"

#include <algorithm>
#include <tuple>

namespace vexo {

TVexoCalendar::TVexoCalendar(TComponent* owner) : TCustomControl(owner) {
    RegisterCalendarClasses();
    std::copy(std::begin(DefaultColors), std::end(DefaultColors), colors_);
    SetBounds(Left(), Top(), CalendarMonth::Width, CalendarMonth::Height);
    SetTabStop(true);
    if (designing()) startUp();
}

// ---- the current day and the range ----

sDB_date TVexoCalendar::getDate() const {
    return month_.cell(current_).date;
}
sDB_date TVexoCalendar::getStartDate() const {
    return month_.cell(selStart_).date;
}
sDB_date TVexoCalendar::getEndDate() const {
    return month_.cell(selEnd_).date;
}

void TVexoCalendar::setDate(const sDB_date& d) {
    buildFrame(d);
}
void TVexoCalendar::setStartDate(const sDB_date& d) {
    buildFrame(d);
    change(locate(d), false);
}
void TVexoCalendar::setEndDate(const sDB_date& d) {
    change(locate(d), false);
}

void TVexoCalendar::startUp() {
    sDB_date today;
    today.today();
    buildFrame(today);
}

void TVexoCalendar::buildFrame(const sDB_date& d) {
    if (!CalendarMonth::isShowable(d)) throw EConvertError("La fecha '" + d.text() + "' no es válida");
    const int found = month_.build(d, OnGetHolidayInfo);
    setAll(found);
    Invalidate();
}

void TVexoCalendar::setAll(int index) {
    current_ = anchor_ = movingEnd_ = selStart_ = selEnd_ = index;
}

void TVexoCalendar::change(int index, bool extend) {
    const CalendarCell& target = month_.cell(index); // the index error comes before any change
    const int old = current_;
    if (extend && multiselect_ && anchor_ >= 0) {
        const int oldStart = selStart_, oldEnd = selEnd_;
        current_ = movingEnd_ = index;
        selStart_ = std::min(anchor_, movingEnd_);
        selEnd_ = std::max(anchor_, movingEnd_);
        invalidateCells(std::min({oldStart, selStart_, old}), std::max({oldEnd, selEnd_, old}));
        if (!selecting_ && OnChange && current_ != old) OnChange(this);
        return;
    }

    // Compared by date: a turned month may put the new day on the old day's cell.
    const sDB_date oldDate = old >= 0 ? month_.cell(old).date : sDB_date();
    if (!target.inMonth) {
        const sDB_date date = target.date;
        buildFrame(date);
    } else {
        if (old >= 0) invalidateCells(old, old);
        if (selStart_ != selEnd_) invalidateCells(selStart_, selEnd_);
        setAll(index);
        invalidateCells(index, index);
    }
    if (OnChange && (current_ != old || !month_.cell(current_).date.isEqual(oldDate))) OnChange(this);
}

void TVexoCalendar::invalidateCells(int first, int last) {
    first = std::max(first, 0);
    for (int i = first; i <= last && i < CalendarMonth::CellCount; ++i)
        InvalidateRect(month_.cell(i).rect);
}

void TVexoCalendar::Repaint() {
    if (!month_.shown().isEmpty()) {
        // The same month again: the cells keep their dates, so the indexes still name the same days.
        const auto kept = std::tuple{current_, anchor_, movingEnd_, selStart_, selEnd_};
        month_.build(month_.shown(), OnGetHolidayInfo);
        std::tie(current_, anchor_, movingEnd_, selStart_, selEnd_) = kept;
    }
    Invalidate();
    Update();
}

sDB_date TVexoCalendar::stepBase() const {
    if (current_ >= 0 && month_.cell(current_).inMonth) return month_.cell(current_).date;
    return month_.shown();
}

void TVexoCalendar::turnTo(const sDB_date& d) {
    if (!CalendarMonth::isShowable(d)) return;
    buildFrame(d);
    if (OnChange) OnChange(this);
}

// ---- colours and options ----

TColor TVexoCalendar::getXColor(int index) const {
    return index >= 0 && index < ColorCount ? colors_[index] : clNone;
}

void TVexoCalendar::setXColor(int index, TColor color) {
    if (index < 0 || index >= ColorCount || colors_[index] == color) return;
    colors_[index] = color;
    Invalidate();
}

void TVexoCalendar::SetMultiselect(bool value) {
    if (value == multiselect_) return;
    multiselect_ = value;
    if (selStart_ != selEnd_) invalidateCells(selStart_, selEnd_);
}

// ---- painting ----

std::string TVexoCalendar::TitleText() const {
    const sDB_date& shown = month_.shown();
    return shown.isEmpty() ? std::string() : shown.monthName() + " de " + intToText(shown.year);
}

void TVexoCalendar::DrawCell(int index, bool showSelection) {
    const CalendarCell& cell = month_.cell(index);
    const bool selected =
        showSelection && (index == current_ || (multiselect_ && selStart_ <= index && index <= selEnd_));
    TColor back = colors_[ccBackground];
    TColor ink =
        cell.inMonth ? (cell.holiday ? colors_[ccDayHoly] : colors_[ccDayNormal]) : colors_[ccDayNoMonth];
    if (selected) back = colors_[ccDaySelectedBack], ink = colors_[ccDaySelectedText];
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(back);
    canvas->Font()->SetColor(ink);
    TRect r = cell.rect;
    canvas->FillRect(r);
    DrawTextEx(canvas->Handle(), cell.text, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (index == current_ && Focused()) canvas->DrawFocusRect(cell.rect);
}

void TVexoCalendar::Paint() {
    TCanvas* canvas = Canvas();
    canvas->SetFont(*Font());
    canvas->Brush()->SetColor(colors_[ccBackground]);
    canvas->FillRect(ClientRect());

    TRect title = ClientRect();
    title.Bottom = title.Top + CalendarMonth::TitleRect.Height();
    canvas->Brush()->SetColor(colors_[ccTitleBack]);
    canvas->FillRect(title);
    canvas->Font()->SetColor(colors_[ccTitleText]);
    DrawTextEx(canvas->Handle(), TitleText(), &title, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    TRect button = CalendarMonth::PrevButtonRect;
    DrawFrameControl(canvas->Handle(), &button, DFC_SCROLL, DFCS_SCROLLLEFT | DFCS_FLAT);
    button = CalendarMonth::NextButtonRect;
    DrawFrameControl(canvas->Handle(), &button, DFC_SCROLL, DFCS_SCROLLRIGHT | DFCS_FLAT);

    canvas->Brush()->SetColor(colors_[ccBackground]);
    canvas->Font()->SetColor(colors_[ccDayNames]);
    for (int c = 0; c < CalendarMonth::Columns; ++c) {
        TRect r = CalendarMonth::DayNameRect(c);
        DrawTextEx(canvas->Handle(), CalendarMonth::DayName(c), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    canvas->MoveTo(2, CalendarMonth::LineY);
    canvas->LineTo(Width() - 2, CalendarMonth::LineY);

    for (int i = 0; i < CalendarMonth::CellCount; ++i)
        DrawCell(i, true);
}

// ---- window and input ----

void TVexoCalendar::CreateWnd() {
    TCustomControl::CreateWnd();
    if (current_ < 0) startUp();
    if (!designing())
        AppMsgHandler::RegisterControl(
            this, [this](MSG& message, bool& handled) { EventAppMessage(message, handled); });
}

void TVexoCalendar::WndProc(TMessage& message) {
    if (designing()) {
        TCustomControl::WndProc(message);
        return;
    }
    switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (current_ >= 0) invalidateCells(current_, current_);
        break;
    case WM_MOUSEMOVE:
        mouse_ = Point(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
        if (multiselect_ && selecting_) {
            const int j = month_.cellAt(mouse_);
            if (j >= 0 && j != movingEnd_) change(j, true);
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        buttonDown(message);
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        buttonUp();
        break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
        doubleClick(message);
        return; // a double click never reaches the default handling
    default:
        break;
    }
    TCustomControl::WndProc(message);
}

void TVexoCalendar::buttonDown(const TMessage& message) {
    selecting_ = true;
    mouse_ = Point(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
    const int anchorBefore = anchor_, movingEndBefore = movingEnd_;
    bool extended = false;
    if (CanFocus()) SetFocus();
    sDB_date d = stepBase();
    if (CalendarMonth::PrevButtonRect.Contains(mouse_)) {
        d.prevMonth();
        turnTo(d);
    } else if (CalendarMonth::NextButtonRect.Contains(mouse_)) {
        d.nextMonth();
        turnTo(d);
    } else {
        const int j = month_.cellAt(mouse_);
        if (j >= 0 && j != current_) {
            extended = multiselect_ && (message.WParam & MK_SHIFT);
            change(j, extended);
        }
    }
    // The range the release compares with: a press that extended it leaves that to the release;
    // any other press has already reported what it did.
    pressAnchor_ = extended ? anchorBefore : anchor_;
    pressMovingEnd_ = extended ? movingEndBefore : movingEnd_;
}

void TVexoCalendar::buttonUp() {
    const bool wasSelecting = selecting_;
    selecting_ = false;
    // Once per press, for a range this press and its drag made, not for one that was already there.
    const bool rangeMade =
        anchor_ != movingEnd_ && (anchor_ != pressAnchor_ || movingEnd_ != pressMovingEnd_);
    if (multiselect_ && wasSelecting && rangeMade && OnChange) OnChange(this);
}

void TVexoCalendar::doubleClick(TMessage& message) {
    message.Result = 0;
    if (!OnDblClick) return;
    if (current_ >= 0 && month_.cell(current_).rect.Contains(mouse_)) {
        OnDblClick(this);
        return;
    }
    // The second click missed the day the first one made current (it turned the month, or hit a
    // month button): it counts as one more click.
    Perform(WM_LBUTTONDOWN, message.WParam, message.LParam);
    Perform(WM_LBUTTONUP, message.WParam, message.LParam);
}

void TVexoCalendar::EventAppMessage(MSG& message, bool& handled) {
    if (message.message != WM_KEYDOWN || !message.hwnd || message.hwnd != WindowHandle()) return;
    keyDown(static_cast<WORD>(message.wParam), handled);
}

void TVexoCalendar::keyDown(WORD key, bool& handled) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool extend = multiselect_ && GetKeyState(VK_SHIFT) < 0;
    constexpr int week = CalendarMonth::Columns, last = CalendarMonth::CellCount - 1;
    sDB_date d = stepBase();
    switch (key) {
    case VK_PRIOR:
        ctrl ? d.prevYear() : d.prevMonth();
        turnTo(d);
        break;
    case VK_NEXT:
        ctrl ? d.nextYear() : d.nextMonth();
        turnTo(d);
        break;
    case VK_LEFT:
        if (current_ - 1 >= 0) change(current_ - 1, extend);
        break;
    case VK_RIGHT:
        if (current_ + 1 <= last) change(current_ + 1, extend);
        break;
    case VK_UP:
        if (current_ - week >= 0)
            change(current_ - week, extend);
        else if (current_ != 0)
            change(0, extend);
        break;
    case VK_DOWN:
        if (current_ + week <= last)
            change(current_ + week, extend);
        else if (current_ != last)
            change(last, extend);
        break;
    default:
        return;
    }
    handled = true;
}

} // namespace vexo
