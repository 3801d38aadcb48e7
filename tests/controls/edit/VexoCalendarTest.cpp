#include "controls/edit/VexoCalendar.h"
#include "controls/common/AppMsgHandler.h"
#include "controls/edit/CalendarProperties.h"
#include "framework/core/Exception.h"
#include "framework/streaming/ClassRegistry.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"
#include "framework/windows/Render.h"
#include "support/PixelSurface.h"
#include "support/WindowTestSupport.h"

#include <QApplication>
#include <QCursor>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <sstream>
#include <string>

using namespace vexo;

namespace {

// Another test may have put back an application message event it saved before the hook existed;
// the calendar's keys arrive only while the hook is the application's message event.
void ensureHook() {
    static std::unique_ptr<TAppMsgHandlerReal> reinstalled;
    if (!Application->OnMessage) reinstalled = std::make_unique<TAppMsgHandlerReal>();
}

sDB_date date(const std::string& text) {
    sDB_date d;
    d.setText(text);
    return d;
}

enum { Multi = 1, DblHandler = 2 };

// A shown, active form with a focused calendar and a second control that can take the focus. run()
// plays a script of real input, words separated by blanks:
//   cN click cell N    c< c> click a month button   rN right click    n click the day names
//   pN PN press (P: with Shift)   mN move   uN UN release   dN d> double click
//   Left, +Left (Shift), ^PgDn (Ctrl), ...: a key      f give the focus away
//   =N so many OnChange so far     #N so many OnDblClick so far
struct CalendarOnForm {
    TForm form{nullptr};
    TVexoCalendar* cal;
    RecordingControl* other;
    int changes = 0, doubleClicks = 0;
    bool ready = false;

    CalendarOnForm(const std::string& start, int flags) {
        form.SetBounds(0, 0, 300, 200);
        cal = new TVexoCalendar(&form);
        cal->SetParent(&form);
        cal->SetBounds(10, 10, 168, 114);
        cal->SetMultiselect(flags & Multi);
        cal->setDate(date(start));
        cal->OnChange = [this](TObject*) { ++changes; };
        if (flags & DblHandler) cal->OnDblClick = [this](TObject*) { ++doubleClicks; };
        other = new RecordingControl(&form);
        other->SetParent(&form);
        other->SetTabStop(true);
        other->SetBounds(200, 10, 50, 30);
        ensureHook();
        ready = ShowActive(&form);
        cal->SetFocus();
        ready = ready && cal->Focused();
        QCursor::setPos(QPoint(900, 700));
        QApplication::processEvents();
    }

    static QPoint at(const std::string& where) {
        const TRect r = where == "<"   ? CalendarMonth::PrevButtonRect
                        : where == ">" ? CalendarMonth::NextButtonRect
                                       : CalendarMonth::CellRect(std::stoi(where));
        return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    // Left, +Left (with Shift), ^PgDn (with Ctrl)...; false for a word that names no key.
    bool key(std::string name) {
        static const std::map<std::string, Qt::Key> keys = {
            {"Left", Qt::Key_Left}, {"Right", Qt::Key_Right}, {"Up", Qt::Key_Up},
            {"Down", Qt::Key_Down}, {"PgUp", Qt::Key_PageUp}, {"PgDn", Qt::Key_PageDown},
            {"Home", Qt::Key_Home}, {"End", Qt::Key_End}};
        Qt::KeyboardModifiers mods;
        if (name[0] == '+') mods = Qt::ShiftModifier, name.erase(0, 1);
        if (name[0] == '^') mods = Qt::ControlModifier, name.erase(0, 1);
        if (!keys.contains(name)) return false;
        QTest::keyClick(cal->Widget(), keys.at(name), mods);
        return true;
    }
    void run(const std::string& script) {
        QWidget* w = cal->Widget();
        std::istringstream words(script);
        for (std::string word; words >> word;) {
            if (key(word)) continue;
            const char op = word[0];
            const std::string arg = word.substr(1);
            const auto shift = std::isupper(op) ? Qt::ShiftModifier : Qt::NoModifier;
            if (op == 'c')
                QTest::mouseClick(w, Qt::LeftButton, {}, at(arg));
            else if (op == 'r')
                QTest::mouseClick(w, Qt::RightButton, {}, at(arg));
            else if (op == 'n')
                QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(84, 20));
            else if (op == 'p' || op == 'P')
                QTest::mousePress(w, Qt::LeftButton, shift, at(arg));
            else if (op == 'm')
                QTest::mouseMove(w, at(arg));
            else if (op == 'u' || op == 'U')
                QTest::mouseRelease(w, Qt::LeftButton, shift, at(arg));
            else if (op == 'd') { // as the platform sends it: down, up, double click, up
                QTest::mouseClick(w, Qt::LeftButton, {}, at(arg));
                QTest::mouseDClick(w, Qt::LeftButton, {}, at(arg));
                QTest::mouseRelease(w, Qt::LeftButton, {}, at(arg));
            } else if (op == 'f')
                other->SetFocus();
            else if (op == '=')
                EXPECT_EQ(changes, std::stoi(arg)) << "before " << script;
            else if (op == '#')
                EXPECT_EQ(doubleClicks, std::stoi(arg));
            else
                ADD_FAILURE() << "no such step: " << word;
        }
    }
    // The current day, then the range when there is one, then the title when it names another month.
    std::string state() const {
        const sDB_date d = cal->getDate();
        std::string s = d.text();
        if (cal->SelectionStart() != cal->SelectionEnd())
            s += " " + cal->getStartDate().text() + "-" + cal->getEndDate().text();
        if (cal->TitleText() != d.monthName() + " de " + std::to_string(d.year))
            s += " (" + cal->TitleText() + ")";
        return s;
    }
};

constexpr TColor colors[TVexoCalendar::ColorCount] = {0xEEEEEE, 0x00CC00, 0x0000FF, 0xFF0000, 0x808000,
                                                      0x00FFFF, 0x404040, 0xA0A0A0, 0x1000C4};

} // namespace

TEST(VexoCalendarTest, InputMovesTheDayTurnsTheMonthAndReportsChanges) {
    const struct {
        const char* name;
        const char* start;
        int flags;
        const char* script;
        const char* state;
        int changes;
    } cases[] = {
        {"Page Down from 31 January clamps to 28 February", "31/01/2006", 0, "PgDn", "28/02/2006", 1},
        {"Ctrl+Page Down from 29 February 2008", "29/02/2008", 0, "^PgDn", "28/02/2009", 1},
        {"Ctrl+Page Up", "15/06/2009", 0, "^PgUp", "15/06/2008", 1},
        {"Left on the 1st in cell 0 does nothing", "01/06/2009", 0, "Left", "01/06/2009", 0},
        {"Left from the 1st in cell 3 turns the month", "01/01/2009", 0, "Left", "31/12/2008", 1},
        {"Up in the first week goes to cell 0", "01/01/2009", 0, "Up", "29/12/2008", 1},
        {"Down onto a grey day of the next month", "31/01/2009", 0, "Down", "07/02/2009", 1},
        {"Down in the last week goes to cell 41", "31/08/2009", 0, "Down", "06/09/2009", 1},
        {"Home and End are not the calendar's", "15/06/2009", 0, "Home End", "15/06/2009", 0},
        {"Shift without Multiselect only moves", "15/06/2009", 0, "+Right", "16/06/2009", 1},
        {"Shift+arrows stretch a range", "15/06/2009", Multi, "+Right =1 +Down",
         "23/06/2009 15/06/2009-23/06/2009", 2},
        {"a range onto grey days keeps the month", "01/07/2009", Multi, "+Left +Left",
         "29/06/2009 29/06/2009-01/07/2009 (julio de 2009)", 2},
        {"paging from there pages the shown month", "01/07/2009", Multi, "+Left +Left PgDn", "01/08/2009", 3},
        {"an arrow without Shift collapses the range", "15/06/2009", Multi, "+Right +Right Left",
         "16/06/2009", 3},
        {"a click picks a day, a second one nothing", "15/02/2009", 0, "c6 =1 c6", "01/02/2009", 1},
        {"a grey day turning the month onto the same cell", "01/02/2009", 0, "c34", "01/03/2009", 1},
        {"the month buttons", "15/02/2009", 0, "c< =1 c> c>", "15/03/2009", 3},
        {"the right button picks days; the names are none", "15/02/2009", 0, "r8 n", "03/02/2009", 1},
        {"a press takes the focus", "15/02/2009", 0, "f c10", "05/02/2009", 1},
        {"a drag reports at the press and the release", "15/06/2009", Multi, "p2 =1 m3 m9 =1 u9",
         "10/06/2009 03/06/2009-10/06/2009", 2},
        {"a drag backwards", "15/06/2009", Multi, "p9 m2 u2", "03/06/2009 03/06/2009-10/06/2009", 2},
        {"a drag from the current day", "03/06/2009", Multi, "p2 =0 m4 u4",
         "05/06/2009 03/06/2009-05/06/2009", 1},
        {"a drag back to its start", "15/06/2009", Multi, "p2 m5 m2 u2", "03/06/2009", 1},
        {"Shift+press stretches, reported at the release", "03/06/2009", Multi, "P7 =0 U7",
         "08/06/2009 03/06/2009-08/06/2009", 1},
        {"then Shift+Right; a press on the current day", "15/06/2009", Multi, "p2 m9 u9 +Right =3 c10",
         "11/06/2009 03/06/2009-11/06/2009", 3},
        {"no Multiselect: a drag picks the pressed day", "15/06/2009", 0, "p2 m9 u9", "03/06/2009", 1},
        {"double click on a day: picked, then reported", "15/02/2009", DblHandler, "d10 #1", "05/02/2009", 1},
        {"double click on a month button turns twice", "15/02/2009", DblHandler, "d> #0", "15/04/2009", 2},
        {"double click on a grey day: the replay picks anew", "15/02/2009", DblHandler, "d36 #0",
         "31/03/2009", 2},
        {"without a handler a month button turns once", "15/02/2009", 0, "d>", "15/03/2009", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CalendarOnForm f(c.start, c.flags);
        ASSERT_TRUE(f.ready);
        f.run(c.script);
        EXPECT_EQ(f.state(), c.state);
        EXPECT_EQ(f.changes, c.changes);
        EXPECT_TRUE(f.cal->Focused());
        EXPECT_FALSE(f.cal->Selecting());
    }
}

TEST(VexoCalendarTest, PaintsEachPartInItsColourAndFramesTheFocusedDay) {
    CalendarOnForm f("03/02/2009", Multi); // February 2009 starts on a Sunday: the 3rd is cell 8
    ASSERT_TRUE(f.ready);
    for (int i = 0; i < TVexoCalendar::ColorCount; ++i)
        f.cal->setXColor(i, colors[i]);
    f.cal->OnGetHolidayInfo = [](const sDB_date& d, bool& holiday) { holiday = d.day == 10; };
    f.cal->Repaint();
    f.run("+Right +Right"); // a range from the 3rd to the 5th
    PixelSurface p(RenderToImage(f.cal));
    using C = TVexoCalendar;
    auto inks = [&p](const TRect& r, TColor ink) {
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                n += p.at(x, y) == ink;
        return n;
    };
    EXPECT_EQ(p.at(30, 7), colors[C::ccTitleBack]);
    EXPECT_GT(inks({24, 0, 144, 14}, colors[C::ccTitleText]), 0);
    EXPECT_EQ(inks(CalendarMonth::PrevButtonRect, colors[C::ccTitleBack]), 0)
        << "the buttons cover the title";
    EXPECT_GT(inks(CalendarMonth::DayNameRect(0), colors[C::ccDayNames]), 0);
    EXPECT_EQ(p.at(0, 14), colors[C::ccBackground]);
    for (const auto& [x, ink] : {std::pair{1, colors[C::ccBackground]}, std::pair{2, clBlack},
                                 std::pair{165, clBlack}, std::pair{166, colors[C::ccBackground]}})
        EXPECT_EQ(p.at(x, 29), ink) << "the line, LineTo leaving out its end: x = " << x;

    const struct {
        int cell, back, ink;
        const char* name;
    } cells[] = {
        {0, C::ccBackground, C::ccDayNoMonth, "26 January"},
        {7, C::ccBackground, C::ccDayNormal, "2 February, a Monday"},
        {8, C::ccDaySelectedBack, C::ccDaySelectedText, "the range's anchor"},
        {9, C::ccDaySelectedBack, C::ccDaySelectedText, "inside the range"},
        {11, C::ccBackground, C::ccDayNormal, "after the range"},
        {13, C::ccBackground, C::ccDayHoly, "a Sunday"},
        {15, C::ccBackground, C::ccDayHoly, "marked by the handler"},
        {34, C::ccBackground, C::ccDayNoMonth, "1 March, a Sunday of another month"},
    };
    for (const auto& c : cells) {
        const TRect r = CalendarMonth::CellRect(c.cell);
        EXPECT_EQ(p.at(r.Left, r.Top), colors[c.back]) << c.name;
        EXPECT_GT(inks(r, colors[c.ink]), 0) << c.name;
    }
    // The current day carries the focus rectangle, which inverts every other pixel from its corner.
    const TRect current = CalendarMonth::CellRect(10);
    EXPECT_EQ(p.at(current.Left, current.Top), colors[C::ccDaySelectedBack] ^ 0xFFFFFF);
    EXPECT_EQ(p.at(current.Left + 1, current.Top), colors[C::ccDaySelectedBack]);

    // Without the focus no frame; without Multiselect only the current day shows selected.
    f.run("f");
    f.cal->SetMultiselect(false);
    PixelSurface q(RenderToImage(f.cal));
    EXPECT_EQ(q.at(current.Left, current.Top), colors[C::ccDaySelectedBack]);
    EXPECT_EQ(q.at(CalendarMonth::CellRect(9).Left, current.Top), colors[C::ccBackground]);
}

TEST(VexoCalendarTest, SettersMoveTheDayRefuseWhatCannotBeShownAndWindowsStartOnToday) {
    TVexoCalendar cal(nullptr);
    int changes = 0, asked = 0;
    cal.OnChange = [&](TObject*) { ++changes; };
    EXPECT_THROW(cal.getDate(), EListError) << "no day before the first build";
    for (const char* bad : {"", "31/02/2006", "01/13/2006"}) {
        EXPECT_THROW(cal.setDate(date(bad)), EConvertError) << bad;
        EXPECT_THROW(cal.setStartDate(date(bad)), EConvertError) << bad;
    }
    EXPECT_EQ(cal.Current(), -1) << "a refused date changes nothing";

    const struct {
        char setter; // D setDate, S setStartDate, E setEndDate
        const char* arg;
        const char* date;
        int changes;
    } steps[] = {{'D', "15/02/2009", "15/02/2009", 0},
                 {'S', "03/03/2009", "03/03/2009", 0},
                 {'E', "10/03/2009", "10/03/2009", 1},
                 {'E', "02/04/2009", "02/04/2009", 2}}; // a grey day turns the month
    for (const auto& s : steps) {
        if (s.setter == 'D') cal.setDate(date(s.arg));
        if (s.setter == 'S') cal.setStartDate(date(s.arg));
        if (s.setter == 'E') cal.setEndDate(date(s.arg));
        EXPECT_EQ(cal.getStartDate().text() + " " + cal.getEndDate().text(),
                  std::string(s.date) + " " + s.date);
        EXPECT_EQ(changes, s.changes) << s.setter << s.arg;
    }
    EXPECT_THROW(cal.setEndDate(date("01/06/2009")), EListError) << "not among the shown days";
    EXPECT_THROW(cal.xsetActive(42), EListError);
    EXPECT_EQ(cal.getDate().text(), "02/04/2009");
    EXPECT_EQ(changes, 2);

    // Repaint asks the holidays again (April 2009 has 4 Sundays) and keeps the range.
    cal.OnGetHolidayInfo = [&](const sDB_date&, bool&) { ++asked; };
    cal.SetMultiselect(true);
    cal.change(cal.Current() + 3, true);
    cal.Repaint();
    EXPECT_EQ(asked, 26);
    EXPECT_EQ(cal.getStartDate().text() + " " + cal.getEndDate().text(), "02/04/2009 05/04/2009");

    // A window shows today unless a date was set; in the form designer the calendar is built at
    // once and leaves the mouse to the designer.
    sDB_date today;
    today.today();
    TVexoCalendar fresh(nullptr);
    fresh.HandleNeeded();
    cal.HandleNeeded();
    EXPECT_EQ(fresh.getDate().text() + " " + cal.getDate().text(), today.text() + " 05/04/2009");
    TForm designer(nullptr);
    designer.SetDesigning(true);
    auto* designed = new TVexoCalendar(&designer);
    EXPECT_EQ(designed->getDate().text(), today.text());
    const int current = designed->Current();
    for (int y : {37, 107})
        designed->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, y));
    EXPECT_EQ(designed->Current(), current);
}

TEST(VexoCalendarTest, FormFileRoundTripAndPalette) {
    RegisterCalendarClasses();
    const auto classes = PaletteClasses("VexoControls");
    EXPECT_EQ(std::count(classes.begin(), classes.end(), FindClass("TVexoCalendar")), 1);

    TForm holder(nullptr);
    holder.SetName("H");
    auto* cal = new TVexoCalendar(&holder);
    cal->SetName("cal");
    cal->SetParent(&holder);
    for (int i = 0; i < TVexoCalendar::ColorCount; ++i)
        cal->setXColor(i, colors[i]);
    cal->SetMultiselect(true);
    cal->SetTabStop(false);
    const std::string text = WriteComponentText(&holder);
    for (const char* name : {"ColorBackground", "ColorTitleBack", "ColorTitleText", "ColorDayNames",
                             "ColorDaySelectedBack", "ColorDaySelectedText", "ColorDayNormal",
                             "ColorDayNoMonth", "ColorDayHoly", "Multiselect", "TabStop"})
        EXPECT_NE(text.find(std::string("    ") + name + " = "), std::string::npos) << name << "\n" << text;

    TForm again(nullptr);
    ReadComponentText(text, &again);
    auto* read = dynamic_cast<TVexoCalendar*>(again.FindComponent("cal"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(WriteComponentText(&again), text);
    EXPECT_EQ(read->getXColor(8), colors[8]);

    // As the constructor makes it, a calendar stores its bounds and tab order only.
    TForm plain(nullptr);
    plain.SetName("P");
    (new TVexoCalendar(&plain))->SetParent(&plain);
    const std::string defaults = WriteComponentText(&plain);
    EXPECT_EQ(defaults.substr(defaults.find("  object ")),
              "  object TVexoCalendar\n    Left = 0\n    Top = 0\n    Width = 168\n    Height = 114\n    "
              "TabOrder = 0\n  end\nend\n");
}
