// The in-place cell editor on the sample form, driven by real clicks and keys: where it opens and
// how it looks, what it stores and refuses, how it moves, and the row events around it.
#include "controls/grid/VGEdit.h"
#include "app/Form1.h"
#include "controls/grid/VGColumnCollection.h"
#include "controls/grid/VGScrollBox.h"
#include "controls/grid/VexoGrid.h"
#include "framework/core/FormatSettings.h"
#include "framework/windows/TForm.h"
#include "support/FormatSettingsGuard.h"
#include "support/WindowTestSupport.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

using namespace vexo;

namespace {

using Events = std::vector<std::string>;

// The sample form shown and active, with its grid's row and cell events logged.
struct Sample {
    TForm1 form{nullptr};
    TVexoGrid* grid = form.grid;
    TVGEdit* editor = form.grid->Editor();
    TCustomControl* other = nullptr;
    Events events;
    bool ready = false;

    Sample() {
        other = new TCustomControl(&form);
        other->SetParent(&form);
        other->SetBounds(0, 0, 10, 10);
        other->SetTabStop(true);
        grid->OnRowExit = [this](int row, bool modified) {
            events.push_back("exit " + std::to_string(row) + (modified ? " modified" : ""));
        };
        grid->OnRowEnter = [this](int row) { events.push_back("enter " + std::to_string(row)); };
        grid->OnCellModified = [this](int row, int col) {
            events.push_back("cell " + std::to_string(row) + "," + std::to_string(col));
        };
        ready = ShowActive(&form);
    }
    ~Sample() { form.Hide(); }

    QPoint centre(int row, int col) const {
        const TRect r = grid->Surface()->CellRect(row, col);
        return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    // Makes row current with a first click, then opens the editor on col with a second.
    void open(int row, int col) {
        QWidget* surface = grid->Surface()->Widget();
        QTest::mouseClick(surface, Qt::LeftButton, {}, centre(row, col));
        QApplication::processEvents();
        QTest::mouseClick(surface, Qt::LeftButton, {}, centre(row, col));
        events.clear();
    }
    // The editor's window is made anew on every show: keys go to the current one.
    QWidget* input() const { return editor->Widget()->focusProxy(); }
    void type(const char* text) { QTest::keyClicks(input(), text); }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(input(), k, mods); }
    std::pair<int, int> cell() const { return {grid->GetRowIndex(), grid->GetColIndex()}; }
};

} // namespace

TEST(VGEditTest, OpensExactlyOverTheCellAsTheColumnSays) {
    Sample s;
    ASSERT_TRUE(s.ready);
    s.open(3, 1);
    ASSERT_TRUE(s.grid->getIsInEdit());
    const TRect cell = s.grid->Surface()->CellRect(3, 1);
    const int top = s.grid->Surface()->Top();
    const TRect expected = Rect(cell.Left, cell.Top + top - 1, cell.Right + 1, cell.Bottom + top + 1);
    EXPECT_EQ(s.editor->EditRect(), expected);
    EXPECT_EQ(s.editor->BoundsRect(), expected) << "the editor covers the cell and its lines";
    EXPECT_EQ(s.editor->Mode(), sEditInteger);
    EXPECT_TRUE(s.editor->ShowFrame());
    EXPECT_EQ(s.editor->getText(), "13");
    EXPECT_TRUE(s.editor->IsAllSelected());
    EXPECT_TRUE(s.editor->Focused());
    EXPECT_TRUE(s.events.empty());

    // The next cell is the date column, shown in its own mode and format.
    s.key(Qt::Key_Right);
    EXPECT_EQ(s.cell(), (std::pair{3, 2}));
    EXPECT_EQ(s.editor->Mode(), sEditDate);
    EXPECT_EQ(s.editor->getText(), "01/10/2006");
    EXPECT_TRUE(s.editor->Focused()) << "moving between cells keeps the focus in the editor";
    EXPECT_TRUE(s.events.empty()) << "nothing changed, nothing reported";
}

TEST(VGEditTest, EnterStoresTheValueAndMovesOn) {
    struct Case {
        const char* name;
        int row, col;
        const char* typed;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char* stored; // the cell's text afterwards
        std::pair<int, int> next;
        Events events;
    };
    const Case cases[] = {
        {"integer, Enter", 3, 1, "77", Qt::Key_Return, {}, "77", {3, 2}, {"cell 3,1"}},
        {"integer, Tab acts as Enter", 3, 1, "77", Qt::Key_Tab, {}, "77", {3, 2}, {"cell 3,1"}},
        {"not a number stores 0", 3, 1, "-", Qt::Key_Return, {}, "0", {3, 2}, {"cell 3,1"}},
        {"text, Down to the next row",
         3,
         3,
         "abc",
         Qt::Key_Down,
         {},
         "abc",
         {4, 3},
         {"cell 3,3", "exit 3 modified", "enter 4"}},
        {"Shift+Tab wraps to the previous row",
         4,
         0,
         "x",
         Qt::Key_Backtab,
         Qt::ShiftModifier,
         "x",
         {3, 4},
         {"cell 4,0", "exit 4 modified", "enter 3"}},
        {"Up on the first row stays", 0, 0, "y", Qt::Key_Up, {}, "y", {0, 0}, {"cell 0,0"}},
        {"an unchanged value is not reported",
         3,
         0,
         "row normal",
         Qt::Key_Return,
         {},
         "row normal",
         {3, 1},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sample s;
        ASSERT_TRUE(s.ready);
        s.open(c.row, c.col);
        ASSERT_TRUE(s.grid->getIsInEdit());
        s.type(c.typed);
        s.key(c.key, c.mods);
        EXPECT_EQ(s.grid->GetString(c.row, c.col), c.stored);
        EXPECT_EQ(s.cell(), c.next);
        EXPECT_EQ(s.events, c.events);
        EXPECT_TRUE(s.grid->getIsInEdit());
    }
}

TEST(VGEditTest, AutoAddRowAppendsAfterTheLastEditableCell) {
    Sample s;
    ASSERT_TRUE(s.ready);
    s.grid->SetAutoAddRow(true);
    s.open(5, 4);
    s.key(Qt::Key_Return);
    EXPECT_EQ(s.grid->GetRowCount(), 7);
    EXPECT_EQ(s.cell(), (std::pair{6, 0}));
    EXPECT_TRUE(s.grid->getIsInEdit());
}

TEST(VGEditTest, ABadValueIsRefusedAndTheCellKeepsItsValue) {
    Sample s;
    ASSERT_TRUE(s.ready);
    RecordingPresenter boxes;
    // A float cell refuses what is not a number, with the editor's message.
    s.open(3, 4);
    s.type("1-2");
    s.key(Qt::Key_Return);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "El valor '1-2' no es v\xC3\xA1lido");
    EXPECT_EQ(boxes.shown[0].caption, "");
    EXPECT_EQ(boxes.shown[0].flags, 0u);
    EXPECT_EQ(s.grid->GetString(3, 4), "1300,00");
    EXPECT_EQ(s.editor->getText(), "1300,00") << "the editor shows the old value again";
    EXPECT_EQ(s.cell(), (std::pair{3, 4})) << "and stays on the cell";
    EXPECT_TRUE(s.events.empty());

    // An impossible date in a cell is reported when the editor opens on it; the editor starts
    // empty, and passing over it leaves the cell as it was.
    boxes.shown.clear();
    s.key(Qt::Key_Escape);
    s.grid->SetString(3, 2, "31/02/2006");
    s.grid->SetRowIndex(0); // so that the first click of open() only selects
    s.open(3, 2);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "El valor '31/02/2006' no es v\xC3\xA1lido");
    EXPECT_EQ(s.editor->getText(), "");
    s.key(Qt::Key_Return);
    EXPECT_EQ(s.grid->GetString(3, 2), "31/02/2006");
    EXPECT_TRUE(s.events.empty());
}

TEST(VGEditTest, EscapeAndFocusLossEndTheRowEdit) {
    struct Case {
        const char* name;
        bool typeFirst;
        bool focusAway; // otherwise Escape
        const char* stored;
        Events events;
    };
    const Case cases[] = {
        {"Escape over the whole text cancels", false, false, "row normal", {"exit 3", "enter 3"}},
        {"the first Escape after typing restores the text", true, false, "row normal", {"exit 3", "enter 3"}},
        {"focus loss commits", true, true, "zz", {"cell 3,0", "exit 3 modified", "enter 3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sample s;
        ASSERT_TRUE(s.ready);
        s.open(3, 0);
        if (c.typeFirst) s.type("zz");
        if (c.focusAway) {
            s.other->SetFocus();
        } else {
            if (c.typeFirst) {
                s.key(Qt::Key_Escape);
                EXPECT_TRUE(s.grid->getIsInEdit()) << "a partial selection: the text comes back";
                EXPECT_EQ(s.editor->getText(), "row normal");
            }
            s.key(Qt::Key_Escape);
        }
        EXPECT_FALSE(s.grid->getIsInEdit());
        EXPECT_EQ(s.grid->GetString(3, 0), c.stored);
        EXPECT_EQ(s.events, c.events);
        EXPECT_FALSE(s.grid->GetRowModified());
        EXPECT_EQ(c.focusAway ? s.other->Focused() : s.grid->Focused(), true);
    }
}

// F2 puts the caret in the text: Left and Right then move it instead of leaving the cell.
TEST(VGEditTest, AfterF2TheArrowsMoveTheCaret) {
    Sample s;
    ASSERT_TRUE(s.ready);
    s.open(3, 0);
    s.key(Qt::Key_F2);
    EXPECT_FALSE(s.editor->IsAllSelected());
    s.key(Qt::Key_Right);
    s.key(Qt::Key_Right);
    EXPECT_EQ(s.cell(), (std::pair{3, 0}));
    s.type("_");
    s.key(Qt::Key_Return);
    EXPECT_EQ(s.grid->GetString(3, 0), "ro_w normal");
}

TEST(VGEditTest, NumbersMoneyAndEmptyDatesKeepTheirValue) {
    struct Case {
        const char* name;
        int col;
        VGDataType type;
        char separator;
        const char* cell;  // the cell's text before
        const char* shown; // the editor's text on opening
        const char* typed; // nothing: Enter passes over the cell
        const char* stored;
        bool reported;
    };
    const Case cases[] = {
        {"float, comma locale", 4, vgFloat, ',', "12,50", "12,50", "12,5", "12,50", false},
        {"float, point locale", 4, vgFloat, '.', "12,50", "12,50", "13,75", "13,75", true},
        {"money of thousands", 4, vgMoney, ',', "1.234,50", "1234,50", "2000", "2.000,00", true},
        {"money, unchanged", 4, vgMoney, ',', "1.234,50", "1234,50", "", "1.234,50", false},
        {"empty date passed over", 2, vgDate, ',', "", "", "", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FormatSettingsGuard guard;
        FormatSettings().DecimalSeparator = c.separator;
        Sample s;
        ASSERT_TRUE(s.ready);
        s.grid->Columns()->Items(c.col)->SetDataType(c.type);
        s.grid->SetString(3, c.col, c.cell);
        s.open(3, c.col);
        ASSERT_EQ(s.cell(), (std::pair{3, c.col}));
        EXPECT_EQ(s.editor->getText(), c.shown);
        s.type(c.typed);
        s.key(Qt::Key_Return);
        EXPECT_EQ(s.grid->GetString(3, c.col), c.stored);
        const std::string modified = "cell 3," + std::to_string(c.col);
        EXPECT_EQ(std::count(s.events.begin(), s.events.end(), modified), c.reported ? 1 : 0);
    }
}

TEST(VGEditTest, NoEditingWithoutACurrentRow) {
    Sample s;
    ASSERT_TRUE(s.ready);
    ASSERT_EQ(s.grid->GetRowIndex(), -1);
    s.grid->StartEdit();
    EXPECT_FALSE(s.grid->getIsInEdit());
    EXPECT_EQ(s.grid->GetRowIndex(), -1);
}

// The same input in a real window on an X server: the screen shows the editor over the cell, and
// typing, Enter and a refused value behave as they do headless.
TEST(VGEditTest, EditsCommitsAndRefusesInARealWindowXvfb) {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!platform || std::string(platform) != "xcb" || !std::getenv("DISPLAY"))
        GTEST_SKIP() << "needs QT_QPA_PLATFORM=xcb and a display";
    Sample s;
    ASSERT_TRUE(s.ready);
    RecordingPresenter boxes;
    s.open(3, 1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(s.editor->Widget()));
    s.type("42");
    s.key(Qt::Key_Return);
    EXPECT_EQ(s.grid->GetString(3, 1), "42");
    EXPECT_EQ(s.events, (Events{"cell 3,1"}));
    s.key(Qt::Key_Right);
    s.key(Qt::Key_Right);
    ASSERT_EQ(s.cell(), (std::pair{3, 4}));
    s.type("1-2");
    s.key(Qt::Key_Return);
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(s.grid->GetString(3, 4), "1300,00");
    EXPECT_EQ(s.cell(), (std::pair{3, 4}));
}
