#include "controls/edit/VexoEdit.h"
#include "controls/edit/EditProperties.h"
#include "framework/core/Exception.h"
#include "framework/streaming/ClassRegistry.h"
#include "framework/streaming/FilerErrors.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"
#include "framework/windows/Render.h"
#include "framework/windows/TForm.h"
#include "support/FormatSettingsGuard.h"
#include "support/PixelSurface.h"
#include "support/WindowTestSupport.h"

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace vexo;

namespace {

// An edit that records its editing hooks and events, in order.
class RecordingEdit : public TVexoEdit {
public:
    explicit RecordingEdit(TComponent* owner) : TVexoEdit(owner) {
        OnChangePre = [this](TObject*) { events.push_back("pre"); };
        OnChange = [this](TObject*) { events.push_back("change:" + getText()); };
        OnChangePost = [this](TObject*) { events.push_back("post"); };
    }
    std::vector<std::string> events;
    void beginEdit() override { events.push_back("begin"); }
    void eventPostModified() override { events.push_back("modified"); }
    int count(const std::string& e) const {
        return static_cast<int>(std::count(events.begin(), events.end(), e));
    }
    std::string windowText() {
        char buffer[256] = {};
        Perform(WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
        return buffer;
    }
};

struct EditOnForm {
    static constexpr int X = 60, Y = 10, W = 121, H = 17;
    TForm form{nullptr};
    RecordingEdit* edit;
    RecordingEdit* other;
    explicit EditOnForm(sVexoEditMode mode = sEditString) {
        form.SetBounds(0, 0, 300, 200);
        form.SetColor(0x808080);
        edit = new RecordingEdit(&form);
        edit->SetName("Edit1");
        edit->SetParent(&form);
        edit->SetLeft(X);
        edit->SetTop(Y);
        edit->setMode(mode);
        other = new RecordingEdit(&form);
        other->SetParent(&form);
        other->SetBounds(X, 100, W, H);
        edit->HandleNeeded();
    }
    bool show() {
        if (!ShowActive(&form)) return false;
        edit->SetFocus();
        if (!QTest::qWaitFor([&] { return edit->Focused(); })) return false;
        edit->events.clear();
        return true;
    }
    QWidget* editor() const { return edit->Widget()->focusProxy(); }
    void type(const std::string& keys) { QTest::keyClicks(editor(), QString::fromStdString(keys)); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(editor(), k, m); }
    void click(int x, int y) { QTest::mouseClick(editor(), Qt::LeftButton, {}, QPoint(x, y)); }
    bool leave() {
        other->SetFocus();
        return QTest::qWaitFor([&] { return other->Focused(); });
    }
    PixelSurface picture() { return PixelSurface(RenderToImage(edit)); }
};

} // namespace

TEST(VexoEditTest, ConstructionDefaults) {
    TVexoEdit edit(nullptr);
    EXPECT_EQ(edit.Width(), 121);
    EXPECT_EQ(edit.Height(), 17);
    EXPECT_TRUE(edit.TabStop());
    EXPECT_EQ(edit.Color(), clWindow);
    EXPECT_TRUE(edit.HideSelection());
    EXPECT_EQ(edit.Mode(), sEditString);
    EXPECT_EQ(edit.AcceptedChars(), "");
    EXPECT_EQ(edit.ItemIndex(), -1);
    EXPECT_TRUE(edit.getDate().isEmpty());
    EXPECT_FALSE(edit.ScrollBar()->Visible());
    EXPECT_FALSE(edit.GetCanUndo()) << "no window yet";
}

TEST(VexoEditTest, ModesSetFormatCharactersAndCursor) {
    struct Case {
        sVexoEditMode mode;
        const char* accepted;
        const char* format;
        TCursor cursor;
        bool combo;
    };
    const Case cases[] = {
        {sEditString, "", "", crIBeam, false},
        {sEditDate, "01234567890/- ", "DD/MM/YYYY", crHandPoint, true},
        {sEditTime, "01234567890:", "HH:MM", crIBeam, false},
        {sEditList, "", "", crHandPoint, true},
        {sEditBoolean, "", "", crHandPoint, true},
        {sEditInteger, "01234567890- ", "", crIBeam, false},
        {sEditDouble, "01234567890-,. ", "", crIBeam, false},
        {sEditMemo, "", "", crIBeam, false},
    };
    for (const Case& c : cases) {
        TVexoEdit edit(nullptr);
        edit.setMode(c.mode);
        EXPECT_EQ(edit.AcceptedChars(), c.accepted) << int(c.mode);
        EXPECT_EQ(edit.Format(), c.format) << int(c.mode);
        EXPECT_EQ(edit.Cursor(), c.cursor) << int(c.mode);
        EXPECT_EQ(edit.IsCombo(), c.combo) << int(c.mode);
        EXPECT_EQ(edit.ScrollBar()->Visible(), c.mode == sEditMemo) << int(c.mode);
    }
    TVexoEdit edit(nullptr);
    edit.setFormat("YYYY");
    edit.setMode(sEditDate);
    EXPECT_EQ(edit.Format(), "YYYY") << "a format already set stays";
    edit.setMode(sEditBoolean);
    edit.setMode(sEditBoolean);
    ASSERT_EQ(edit.getCount(), 2) << "the two entries come once";
    EXPECT_EQ(edit.ComboTexts()->Get(0), "no");
    EXPECT_EQ(edit.ComboTexts()->Get(1), "s\xC3\xAD");
    EXPECT_EQ(edit.ComboValues()->Get(0), "false");
    EXPECT_EQ(edit.ComboValues()->Get(1), "true");
}

TEST(VexoEditTest, SetTextNormalisesByModeOrReturnsEarly) {
    FormatSettingsGuard settings;
    FormatSettingsGuard::UseDecimalComma();
    struct Case {
        sVexoEditMode mode;
        const char* value;
        const char* text;   // getText()
        const char* window; // the window text; "prev" when it stayed
        bool modified;      // the Modified flag set before stays (an early return, a value not listed)
    };
    const Case cases[] = {
        {sEditString, " a b ", " a b ", " a b ", false},
        {sEditMemo, "a\nb", "a\nb", "a\nb", false},
        {sEditInteger, " 1 2 ", "12", "12", false},
        {sEditInteger, "12a", "0", "0", false},
        {sEditInteger, "-", "0", "0", false},
        {sEditInteger, "   ", "", "prev", true},
        {sEditDouble, "3", "3,00", "3,00", false},
        {sEditDouble, "-0,5", "-0,50", "-0,50", false},
        {sEditDouble, "", "", "prev", true},
        {sEditDate, "05/01/2006", "05/01/2006", "05/01/2006", false},
        {sEditDate, " 05 /01/2006", "05/01/2006", "05/01/2006", false},
        {sEditDate, "  ", "", "prev", true},
        {sEditTime, "9:5", "09:00", "09:00", false},
        {sEditTime, "23:59", "23:59", "23:59", false},
        {sEditTime, " ", "00:00", "prev", true},
        {sEditBoolean, "true", "true", "s\xC3\xAD", false},
        {sEditBoolean, "yes", "", "prev", true},
        {sEditList, "b", "b", "B", false},
    };
    for (const Case& c : cases) {
        TForm form(nullptr);
        RecordingEdit* edit = new RecordingEdit(&form);
        edit->SetParent(&form);
        edit->setMode(c.mode);
        if (c.mode == sEditList) {
            edit->add("A", "a");
            edit->add("B", "b");
        }
        edit->HandleNeeded();
        edit->Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("prev"));
        edit->SetModified(true);
        edit->setText(c.value);
        EXPECT_EQ(edit->getText(), c.text) << int(c.mode) << " '" << c.value << "'";
        EXPECT_EQ(edit->windowText(), c.window) << int(c.mode) << " '" << c.value << "'";
        EXPECT_EQ(edit->GetModified(), c.modified) << int(c.mode) << " '" << c.value << "'";
    }
}

// The decimal mode writes a decimal comma whatever the locale, so it must read its own text back
// under a locale whose separator is the point.
TEST(VexoEditTest, DecimalModeReadsItsOwnTextUnderAPointLocale) {
    FormatSettingsGuard guard;
    FormatSettings().DecimalSeparator = '.';
    TForm form(nullptr);
    TVexoEdit* edit = new TVexoEdit(&form);
    edit->SetParent(&form);
    edit->setMode(sEditDouble);
    for (const auto& [typed, text] : {std::pair{"12,5", "12,50"}, {"1.25", "1,25"}, {"-3", "-3,00"}}) {
        edit->setText(typed);
        EXPECT_EQ(edit->getText(), text) << typed;
    }
    EXPECT_THROW(edit->setText("1,2,3"), EConvertError);
}

TEST(VexoEditTest, TextRectangleLeavesRoomForButtonsAndBar) {
    struct Case {
        sVexoEditMode mode;
        bool navigator;
        int reserve;
    };
    const Case cases[] = {{sEditString, false, 0}, {sEditList, false, 20}, {sEditBoolean, false, 20},
                          {sEditDate, false, 20},  {sEditDate, true, 26},  {sEditMemo, false, 22},
                          {sEditDouble, false, 0}};
    for (const Case& c : cases) {
        EditOnForm h(c.mode);
        h.edit->setDateNavigator(c.navigator);
        h.edit->SetWidth(150); // a resize sets the rectangle again
        TRect r{};
        h.edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
        EXPECT_EQ(r, Rect(0, 0, 150 - c.reserve, EditOnForm::H))
            << int(c.mode) << " navigator " << c.navigator;
    }
}

TEST(VexoEditTest, StyleSettersRecreateTheWindowKeepingTextAndModified) {
    struct Case {
        const char* name;
        std::function<void(TVexoEdit*)> set;
        const char* typed;
    };
    const Case cases[] = {
        {"upper case", [](TVexoEdit* e) { e->SetCharCase(ecUpperCase); }, "HOLAAB"},
        {"lower case", [](TVexoEdit* e) { e->SetCharCase(ecLowerCase); }, "HOLAab"},
        {"selection kept", [](TVexoEdit* e) { e->SetHideSelection(false); }, "HOLAaB"},
        {"OEM conversion", [](TVexoEdit* e) { e->SetOEMConvert(true); }, "HOLAaB"},
    };
    for (const Case& c : cases) {
        EditOnForm h;
        h.edit->setText("HOLA");
        h.edit->SetModified(true);
        HWND before = h.edit->Handle();
        c.set(h.edit);
        EXPECT_NE(h.edit->Handle(), before) << c.name << ": a new window";
        EXPECT_EQ(h.edit->windowText(), "HOLA") << c.name;
        EXPECT_TRUE(h.edit->GetModified()) << c.name;
        ASSERT_TRUE(h.show());
        h.key(Qt::Key_End);
        h.type("aB");
        EXPECT_EQ(h.edit->windowText(), c.typed) << c.name;
    }
}

TEST(VexoEditTest, ValuesAndVisibleTextOfTheLists) {
    TVexoEdit edit(nullptr);
    edit.setMode(sEditBoolean);
    edit.setText("true");
    EXPECT_EQ(edit.getTextVisible(), "s\xC3\xAD");
    edit.setText("yes");
    EXPECT_EQ(edit.ItemIndex(), -1);
    EXPECT_EQ(edit.getTextVisible(), "");
    edit.setItemIndex(0);
    EXPECT_EQ(edit.getText(), "false");
    EXPECT_THROW(edit.setItemIndex(5), EStringListError);

    TVexoEdit date(nullptr);
    date.setMode(sEditDate);
    date.setDate(sDB_date(5, 1, 2006));
    EXPECT_EQ(date.getText(), "05/01/2006");
    date.setFormat("YYYY-MM-DD");
    EXPECT_EQ(date.Caption(), "2006-01-05") << "the window text follows the new format at once";
    EXPECT_THROW(date.setText("31/02/2006"), EConvertError);
    EXPECT_EQ(date.getText(), "2006-01-05") << "a date that cannot be formatted leaves the value";
}

TEST(VexoEditTest, TypedCharactersByMode) {
    FormatSettingsGuard settings;
    FormatSettingsGuard::UseDecimalComma();
    struct Case {
        sVexoEditMode mode;
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {
        {sEditString, "a1/:x", "a1/:x"},   {sEditTime, "1a2:x3", "12:3"}, {sEditInteger, "-1 2a,.", "-1 2"},
        {sEditDouble, "-1,5.ax", "-1,5."}, {sEditDate, "05/01/2006", ""}, {sEditList, "abc", ""},
        {sEditMemo, "ab", "ab"},
    };
    for (const Case& c : cases) {
        EditOnForm h(c.mode);
        ASSERT_TRUE(h.show());
        h.type(c.typed);
        EXPECT_EQ(h.edit->windowText(), c.shown) << int(c.mode);
    }
}

TEST(VexoEditTest, EditingCycleFiresEventsInOrder) {
    EditOnForm h(sEditInteger);
    ASSERT_TRUE(h.show());
    h.type("1 2");
    EXPECT_EQ(h.edit->getText(), "1 2") << "the current text follows each key";
    EXPECT_TRUE(h.edit->GetModified());
    ASSERT_TRUE(h.leave());
    std::vector<std::string> seen;
    for (const std::string& e : h.edit->events)
        if (e != "begin") seen.push_back(e);
    EXPECT_EQ(seen,
              (std::vector<std::string>{"modified", "modified", "modified", "pre", "change:12", "post"}))
        << "a modification per changed key, OnChange once with the normalised value";
    EXPECT_EQ(h.edit->count("begin"), 6) << "before each key and each character";
    EXPECT_EQ(h.edit->windowText(), "12");
    EXPECT_FALSE(h.edit->GetModified());
    EXPECT_FALSE(h.edit->isFocused());
}

TEST(VexoEditTest, KeyPressMayChangeTheCharacter) {
    EditOnForm h;
    ASSERT_TRUE(h.show());
    int posts = 0;
    h.edit->OnKeyPress = [](TObject*, char32_t& key) {
        if (key == U'a') key = U'b';
    };
    h.edit->OnKeyPressPost = [&](TObject*) { ++posts; };
    h.type("ac");
    EXPECT_EQ(h.edit->windowText(), "bc");
    EXPECT_EQ(posts, 2);
}

TEST(VexoEditTest, EscapeRestoresTheEntryTextSelected) {
    EditOnForm h;
    h.edit->setText("hola");
    ASSERT_TRUE(h.show());
    EXPECT_TRUE(h.edit->IsAllSelected()) << "the focus selects the whole text";
    h.key(Qt::Key_End);
    h.type("xyz");
    EXPECT_EQ(h.edit->windowText(), "holaxyz");
    h.key(Qt::Key_Escape);
    EXPECT_EQ(h.edit->windowText(), "hola");
    EXPECT_EQ(h.edit->getText(), "hola");
    EXPECT_TRUE(h.edit->IsAllSelected());
    EXPECT_FALSE(h.edit->GetModified());
}

TEST(VexoEditTest, CtrlDownOpensTheDropDownInsteadOfEditing) {
    struct Case {
        sVexoEditMode mode;
        int begins;
    };
    // The Ctrl key is a key of its own, with its beginEdit in every mode.
    for (const Case c : {Case{sEditList, 1}, Case{sEditDate, 1}, Case{sEditString, 2}}) {
        EditOnForm h(c.mode);
        ASSERT_TRUE(h.show());
        h.key(Qt::Key_Down, Qt::ControlModifier);
        EXPECT_EQ(h.edit->count("begin"), c.begins) << int(c.mode) << ": a drop-down takes the key itself";
        EXPECT_EQ(h.edit->PopupHandle(), nullptr);
    }
}

TEST(VexoEditTest, SpaceCyclesTheListEntries) {
    EditOnForm h(sEditList);
    h.edit->add("A", "a");
    h.edit->add("B", "b");
    h.edit->add("C", "c");
    ASSERT_TRUE(h.show());
    std::vector<std::string> chosen;
    for (int i = 0; i < 4; ++i) {
        h.key(Qt::Key_Space);
        chosen.push_back(h.edit->getText() + "/" + h.edit->windowText());
    }
    EXPECT_EQ(chosen, (std::vector<std::string>{"a/A", "b/B", "c/C", "a/A"}));
    EXPECT_EQ(h.edit->count("pre"), 4);
    EXPECT_EQ(h.edit->count("change:a"), 2);
    EXPECT_FALSE(h.edit->GetModified());

    EditOnForm d(sEditDate);
    d.edit->setDate(sDB_date(1, 2, 2006));
    ASSERT_TRUE(d.show());
    d.key(Qt::Key_Space);
    EXPECT_EQ(d.edit->getText(), "01/02/2006") << "space does nothing in a date";
    EXPECT_EQ(d.edit->count("pre"), 0);
}

TEST(VexoEditTest, ControlCharactersOfADropDownReachTheEditorOnce) {
    EditOnForm h(sEditBoolean);
    h.edit->setText("true");
    ASSERT_TRUE(h.show());
    int presses = 0;
    h.edit->OnKeyPress = [&](TObject*, char32_t&) { ++presses; };
    h.key(Qt::Key_End);
    h.key(Qt::Key_Backspace);
    EXPECT_EQ(h.edit->windowText(), "s") << "one character gone, not two";
    EXPECT_EQ(presses, 1);
    EXPECT_EQ(h.edit->getText(), "true") << "the value of a drop-down changes only by its choices";
}

TEST(VexoEditTest, NavigatorArrowsStepTheDate) {
    constexpr int W = EditOnForm::W;
    struct Case {
        sVexoEdit_dateNavigatorKind kind;
        int x;
        const char* result;
    };
    const Case cases[] = {
        {sDnkMonth, W - 20, "28/02/2006"}, {sDnkMonth, W - 28, "31/12/2005"},
        {sDnkDay, W - 24, "01/02/2006"},   {sDnkWeek, W - 17, "07/02/2006"},
        {sDnkYear, W - 32, "31/01/2005"},  {sDnkYear, W - 25, "31/01/2005"},
    };
    for (const Case& c : cases) {
        EditOnForm h(sEditDate);
        h.edit->setDateNavigator(true);
        h.edit->setDateNavigatorKind(c.kind);
        h.edit->setText("31/01/2006");
        ASSERT_TRUE(h.show());
        h.click(c.x, 8);
        EXPECT_EQ(h.edit->getText(), c.result) << "kind " << int(c.kind) << " at x " << c.x;
        EXPECT_EQ(h.edit->count("modified"), 1);
        EXPECT_EQ(h.edit->count("pre") + h.edit->count("post"), 2) << "OnChange once";
    }
    EditOnForm h(sEditDate);
    h.edit->setDateNavigator(true);
    h.edit->setText("31/01/2006");
    ASSERT_TRUE(h.show());
    h.click(W - 10, 8);
    EXPECT_EQ(h.edit->getText(), "31/01/2006") << "the button opens the pop-up instead";
    EXPECT_TRUE(h.edit->events.empty());
}

TEST(VexoEditTest, ReadOnlyEditsKeepTheirValueButTheNavigatorSteps) {
    EditOnForm h(sEditList);
    h.edit->add("A", "a");
    h.edit->SetReadOnly(true);
    ASSERT_TRUE(h.show());
    h.key(Qt::Key_Space);
    h.type("x");
    EXPECT_EQ(h.edit->getText(), "");
    EXPECT_TRUE(h.edit->events.empty());
    EXPECT_NE(h.picture().at(EditOnForm::W - 8, 3), TVexoEdit::ButtonFace) << "no button";

    EditOnForm d(sEditDate);
    d.edit->setDateNavigator(true);
    d.edit->setText("31/01/2006");
    d.edit->SetReadOnly(true);
    ASSERT_TRUE(d.show());
    d.click(EditOnForm::W - 20, 8);
    EXPECT_EQ(d.edit->getText(), "01/02/2006");
    EXPECT_EQ(d.edit->count("change:01/02/2006"), 1);
}

TEST(VexoEditTest, ConversionErrorsWhileEndingAnEditAreReportedAndTheEditStaysUsable) {
    FormatSettingsGuard settings;
    FormatSettingsGuard::UseDecimalComma();
    struct Case {
        sVexoEditMode mode;
        const char* before;
        const char* typed;
        const char* valueAfterError;
        const char* retyped;
        const char* fixed;
    };
    const Case cases[] = {
        {sEditDouble, "1", "1,2,3", "", "7", "7,00"},
        {sEditTime, "10:30", "25:99", "10:30", "08:15", "08:15"},
    };
    for (const Case& c : cases) {
        EditOnForm h(c.mode);
        h.edit->setText(c.before);
        std::vector<std::string> errors;
        const TExceptionEvent saved = Application->OnException;
        Application->OnException = [&](TObject*, const std::exception& e) { errors.push_back(e.what()); };
        ASSERT_TRUE(h.show());
        h.type(c.typed);
        ASSERT_TRUE(h.leave());
        ASSERT_EQ(errors.size(), 1u) << int(c.mode);
        EXPECT_EQ(h.edit->getText(), c.valueAfterError) << int(c.mode);
        EXPECT_EQ(h.edit->windowText(), c.typed) << int(c.mode) << ": the typed text is not lost";
        EXPECT_EQ(h.edit->count("pre"), 0) << "no change event for a value that did not convert";
        EXPECT_FALSE(h.edit->isFocused());

        h.edit->SetFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return h.edit->Focused(); }));
        h.type(c.retyped);
        ASSERT_TRUE(h.leave());
        EXPECT_EQ(errors.size(), 1u);
        EXPECT_EQ(h.edit->getText(), c.fixed) << int(c.mode);
        EXPECT_EQ(h.edit->count("change:" + std::string(c.fixed)), 1);
        Application->OnException = saved;
    }
}

TEST(VexoEditTest, MemoScrollBarRunsOverTheHiddenLines) {
    EditOnForm h(sEditMemo);
    h.edit->SetHeight(60);
    ASSERT_TRUE(h.show());
    const int visible = 60 / h.edit->GetLineHeight();
    h.edit->setText("short");
    EXPECT_TRUE(h.edit->ScrollBar()->Visible());
    EXPECT_FALSE(h.edit->ScrollBar()->Enabled()) << "the text fits";
    h.edit->setText("1\n2\n3\n4\n5\n6\n7\n8\n9\n10");
    ASSERT_TRUE(h.edit->ScrollBar()->Enabled());
    EXPECT_EQ(h.edit->ScrollBar()->Min(), 0);
    EXPECT_EQ(h.edit->ScrollBar()->Max(), 10 - visible + 1);
    EXPECT_EQ(h.edit->ScrollBar()->Width(), 16);
    EXPECT_EQ(h.edit->ScrollBar()->Left(), h.edit->ClientWidth() - 16);
    h.edit->ScrollBar()->SetPosition(2);
    EXPECT_EQ(h.edit->Perform(EM_GETFIRSTVISIBLELINE), 2) << "the bar scrolls the text";
    QWheelEvent wheel(QPointF(20, 20), h.editor()->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(h.editor(), &wheel);
    EXPECT_EQ(h.edit->ScrollBar()->Position(), std::min(5, h.edit->ScrollBar()->Max()))
        << "three lines a notch";
}

TEST(VexoEditTest, FrameColourFollowsFocusHotAndShowFrame) {
    struct Case {
        const char* name;
        bool focus, hot, showFrame;
        TColor frame;
    };
    const Case cases[] = {
        {"focused", true, true, true, TVexoEdit::FocusedFrame},
        {"hot", false, true, true, TVexoEdit::HotFrame},
        {"at rest, shown", false, false, true, TVexoEdit::RestFrame},
        {"at rest", false, false, false, 0xFFFFFF},
    };
    for (const Case& c : cases) {
        // The pointer comes from outside the form: a move to where it already is sends nothing.
        QCursor::setPos(QPoint(900, 700));
        QApplication::processEvents();
        EditOnForm h(sEditList);
        h.edit->setShowFrame(c.showFrame);
        ASSERT_TRUE(h.show());
        if (!c.focus) {
            ASSERT_TRUE(h.leave());
        }
        if (c.hot) QTest::mouseMove(h.editor(), QPoint(10, 5));
        EXPECT_EQ(h.edit->isHot(), c.hot) << c.name;
        PixelSurface p = h.picture();
        const TColor face = c.hot ? TVexoEdit::HotFrame : TVexoEdit::ButtonFace;
        EXPECT_EQ(p.at(EditOnForm::W - 4, 2), face) << c.name << ": the button's face";
        for (const TPoint pt : {Point(0, 0), Point(60, 0), Point(120, 16), Point(0, 8)})
            EXPECT_EQ(p.at(pt.x, pt.y), c.frame) << c.name << " at " << pt.x << "," << pt.y;
    }
}

TEST(VexoEditTest, DropDownButtonAndNavigatorGlyphs) {
    constexpr int W = EditOnForm::W;
    EditOnForm h(sEditDate);
    h.edit->setDateNavigator(true);
    PixelSurface p = h.picture();
    EXPECT_EQ(p.at(W - 8, 2), TVexoEdit::ButtonFace);
    // The arrow: rows 8, 6, 4, 2 and 0 pixels wide, centred on W - 8, from y = 17 / 2 - 2.
    const int widths[] = {8, 6, 4, 2, 0};
    for (int row = 0; row < 5; ++row) {
        int black = 0, first = -1;
        for (int x = W - 16; x < W; ++x)
            if (p.at(x, 6 + row) == clBlack) {
                ++black;
                if (first < 0) first = x;
            }
        EXPECT_EQ(black, widths[row]) << "row " << row;
        if (widths[row]) {
            EXPECT_EQ(first, W - 8 - widths[row] / 2) << "row " << row;
        }
    }
    // The glyphs: next-step at (W - 22, 6), previous-step at (W - 29, 6).
    const char* next[] = {"X..", "XX.", "XXX", "XX.", "X.."};
    const char* prev[] = {"..X", ".XX", "XXX", ".XX", "..X"};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(p.at(W - 22 + x, 6 + y) == clBlack, next[y][x] == 'X') << "next " << x << "," << y;
            EXPECT_EQ(p.at(W - 29 + x, 6 + y) == clBlack, prev[y][x] == 'X') << "prev " << x << "," << y;
        }
    EXPECT_EQ(p.at(W - 23, 2), TVexoEdit::ButtonFace) << "the next-step box";
    EXPECT_EQ(p.at(W - 30, 2), TVexoEdit::ButtonFace) << "the previous-step box";
}

TEST(VexoEditTest, LabelIsDrawnLeftOfTheControlOnTheParent) {
    EditOnForm h;
    h.edit->setLabel("Nombre");
    h.edit->setLabelColor(clBlue);
    ASSERT_TRUE(h.show());
    QApplication::processEvents();
    PixelSurface form(RenderToImage(&h.form).copy(0, 0, EditOnForm::X, 40));
    const TRect ink = form.boundsOf(clBlue);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_LE(ink.Right, EditOnForm::X - 4);
    EXPECT_GE(ink.Right, EditOnForm::X - 6) << "right-aligned, 4 pixels left of the control";
    EXPECT_GE(ink.Top, EditOnForm::Y);
    EXPECT_LE(ink.Bottom, EditOnForm::Y + EditOnForm::H);
}

// A screen reader follows the focus to the editor inside the edit's window, and walks the tree
// through the window itself: both read one editable text, named by the label as drawn.
TEST(VexoEditTest, AssistiveTechnologyReadsTheLabelTheShownTextAndTheStates) {
    const struct {
        const char* label;
        sVexoEditMode mode;
        const char* text;
        char32_t password;
        bool readOnly;
        const char* name;
        const char* value;
    } cases[] = {
        {"&Nombre", sEditString, "Ana", 0, false, "Nombre", "Ana"},
        {"Precio && IVA", sEditInteger, "12", 0, true, "Precio & IVA", "12"},
        {"Clave", sEditString, "secreto", U'#', false, "Clave", "#######"},
        {"Notas", sEditMemo, "uno", 0, false, "Notas", "uno"},
        {"", sEditString, "", 0, false, "", ""},
    };
    for (const auto& c : cases) {
        EditOnForm h(c.mode);
        h.edit->setLabel(c.label);
        h.edit->SetPasswordChar(c.password);
        h.edit->SetReadOnly(c.readOnly);
        h.edit->setText(c.text);
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(h.edit->Widget());
        QAccessibleInterface* editor = QAccessible::queryAccessibleInterface(h.editor());
        ASSERT_TRUE(window && editor) << c.label;
        EXPECT_EQ(window->childCount(), 0) << c.label << ": the editor is the window's workings";
        EXPECT_EQ(editor->parent(), window) << c.label;
        for (QAccessibleInterface* face : {window, editor}) {
            EXPECT_EQ(face->role(), QAccessible::EditableText) << c.label;
            EXPECT_EQ(face->text(QAccessible::Name), QString::fromUtf8(c.name));
            EXPECT_EQ(face->text(QAccessible::Value), QString::fromUtf8(c.value)) << c.label;
            const QAccessible::State st = face->state();
            EXPECT_EQ(bool(st.readOnly), c.readOnly) << c.label;
            EXPECT_EQ(bool(st.editable), !c.readOnly) << c.label;
            EXPECT_EQ(bool(st.passwordEdit), c.password != 0) << c.label;
            EXPECT_EQ(bool(st.multiLine), c.mode == sEditMemo) << c.label;
        }
    }
}

TEST(VexoEditTest, DesignTimeShowsTheNameAndTakesNoKeys) {
    EditOnForm h;
    h.edit->SetDesigning(true);
    h.edit->SetColor(0x00FFFF);
    h.edit->Invalidate();
    ASSERT_TRUE(h.show());
    h.type("abc");
    EXPECT_EQ(h.edit->getText(), "");
    EXPECT_TRUE(h.edit->events.empty());
    PixelSurface p = h.picture();
    EXPECT_EQ(p.at(2, 1), TColor(0x00FFFF)) << "the inside in the control's colour";
    EXPECT_GT(p.count(clBlack), 10) << "the name written in it";
}

TEST(VexoEditTest, FormFileRoundTrip) {
    RegisterEditClasses();
    const auto classes = PaletteClasses("VexoControls");
    EXPECT_EQ(std::count(classes.begin(), classes.end(), FindClass("TVexoEdit")), 1);

    TForm holder(nullptr);
    holder.SetName("H");
    auto* edit = new TVexoEdit(&holder);
    edit->SetName("fecha");
    edit->SetParent(&holder);
    edit->setMode(sEditDate);
    edit->setText("05/01/2006");
    edit->setDateNavigator(true);
    edit->setDateNavigatorKind(sDnkWeek);
    edit->setLabel("Fecha");
    edit->setShowFrame(true);
    edit->SetMaxLength(10);
    edit->SetPasswordChar(U'*');
    edit->SetCharCase(ecUpperCase);
    edit->add("uno", "1");
    const std::string text = WriteComponentText(&holder);
    for (const char* line : {"Mode = sEditDate", "Text = '05/01/2006'", "DateNavigatorKind = sDnkWeek",
                             "CharCase = ecUpperCase", "PasswordChar = '*'", "ShowFrame = True"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    EXPECT_EQ(text.find("TVexoScroll"), std::string::npos)
        << "the memo's bar belongs to the edit, not to the form";

    TForm again(nullptr);
    ReadComponentText(text, &again);
    auto* read = dynamic_cast<TVexoEdit*>(again.FindComponent("fecha"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(WriteComponentText(&again), text);
    EXPECT_EQ(read->getDate().day, 5) << "the text is read again once the mode is known";
    EXPECT_EQ(read->Format(), "DD/MM/YYYY");
    EXPECT_EQ(read->ComboValues()->Get(0), "1");

    // A date that does not exist stops the reading with the edit's name, and leaves nothing behind.
    std::string bad = text;
    bad.replace(bad.find("05/01/2006"), 10, "31/02/2006");
    TForm broken(nullptr);
    try {
        ReadComponentText(bad, &broken);
        ADD_FAILURE() << "a date that does not exist was read";
    } catch (const EReadError& e) {
        EXPECT_NE(std::string(e.what()).find("fecha"), std::string::npos) << e.what();
    }
    EXPECT_EQ(broken.FindComponent("fecha"), nullptr);

    TForm plain(nullptr);
    plain.SetName("P");
    (new TVexoEdit(&plain))->SetParent(&plain);
    const std::string defaults = WriteComponentText(&plain);
    EXPECT_EQ(defaults.find("Mode"), std::string::npos) << defaults;
    EXPECT_EQ(defaults.find("TabStop"), std::string::npos) << defaults;
}
