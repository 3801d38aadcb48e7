#include "controls/common/AppMsgHandler.h"
#include "controls/grid/GridTestSupport.h"
#include "controls/grid/VGEdit.h"
#include "framework/windows/Render.h"
#include "framework/windows/TMenuItem.h"
#include "framework/windows/TPopupMenu.h"
#include "framework/windows/WinApi.h"
#include "support/WindowTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QShortcut>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace vexo;

namespace {

constexpr int kRowHeight = 15;

// Records the keys that reach the grid's own window, i.e. those the diversion let through.
class KeyRecordingGrid : public TVexoGrid {
public:
    using TVexoGrid::TVexoGrid;
    std::vector<WORD> keysReached;
    std::vector<WORD> systemKeysReached;

protected:
    void WndProc(TMessage& message) override {
        if (message.Msg == WM_KEYDOWN) keysReached.push_back(static_cast<WORD>(message.WParam));
        if (message.Msg == WM_SYSKEYDOWN) systemKeysReached.push_back(static_cast<WORD>(message.WParam));
        TVexoGrid::WndProc(message);
    }
};

// Another test may have put back an application message event it saved before the hook existed;
// input reaches the grid only while the hook is the application's message event.
void ensureHook() {
    static std::unique_ptr<TAppMsgHandlerReal> reinstalled;
    if (!Application->OnMessage) reinstalled = std::make_unique<TAppMsgHandlerReal>();
}

// A shown, active form holding a grid with columns a, b, c (50 pixels each) whose surface shows
// visibleRows whole rows, and a second focusable control.
struct GridOnForm {
    TForm form{nullptr};
    KeyRecordingGrid* grid;
    RecordingControl* other;
    EventLog log;
    bool ready = false;

    explicit GridOnForm(int rows, int visibleRows = 10) {
        form.SetBounds(0, 0, 400, 320);
        grid = new KeyRecordingGrid(&form);
        grid->SetName("grid");
        grid->SetParent(&form);
        grid->SetBounds(0, 0, 300, TVGHead::DefaultHeight + visibleRows * kRowHeight);
        AddColumns(*grid, {{"a"}, {"b"}, {"c"}});
        for (int i = 0; i < rows; ++i) {
            grid->AddRow("id" + std::to_string(i));
            grid->AddString(0, "r" + std::to_string(i));
        }
        other = new RecordingControl(&form);
        other->SetParent(&form);
        other->SetTabStop(true);
        other->SetBounds(310, 0, 50, 30);
        ensureHook();
        ready = ShowActive(&form);
        grid->SetFocus();
        ready = ready && grid->Focused() && grid->GetNumOfEntireRows() == visibleRows;
        log.attach(*grid);
    }

    QWidget* surface() const { return grid->Surface()->Widget(); }
    QPoint at(int row, int x = 25) const { return QPoint(x, (row - grid->GetRowTop()) * kRowHeight + 7); }
    void click(int row, Qt::KeyboardModifiers mods = {}, int x = 25) {
        QTest::mouseClick(surface(), Qt::LeftButton, mods, at(row, x));
    }
    void press(int row, Qt::KeyboardModifiers mods = {}, int x = 25) {
        QTest::mousePress(surface(), Qt::LeftButton, mods, at(row, x));
    }
    void move(int row, int x = 25) { QTest::mouseMove(surface(), at(row, x)); }
    void release(int row, int x = 25) { QTest::mouseRelease(surface(), Qt::LeftButton, {}, at(row, x)); }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(grid->Widget(), k, mods); }

    std::set<int> selected() const {
        std::set<int> rows;
        for (int i = 0; i < grid->GetRowCount(); ++i)
            if (grid->GetRowSelected(i)) rows.insert(i);
        return rows;
    }
};

void sendWheel(QWidget* w, int delta) {
    const QPointF pos(20, 20);
    QWheelEvent ev(pos, w->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &ev);
}

using Events = std::vector<std::string>;

} // namespace

TEST(VexoGridInputTest, KeyTable) {
    struct Case {
        const char* name;
        int start; // -1: no current row
        Qt::Key key;
        int row;
        int top;
        bool consumed;
    };
    const Case cases[] = {
        {"first key only finds a current row", -1, Qt::Key_Down, 0, 0, false},
        {"Up on row 0", 0, Qt::Key_Up, 0, 0, true},
        {"Down on the last row", 29, Qt::Key_Down, 29, 20, true},
        {"Down", 5, Qt::Key_Down, 6, 0, true},
        {"Up", 5, Qt::Key_Up, 4, 0, true},
        {"Page Down near the end", 25, Qt::Key_PageDown, 29, 20, true},
        {"Page Down", 5, Qt::Key_PageDown, 15, 6, true},
        {"Page Up near the start", 5, Qt::Key_PageUp, 0, 0, true},
        {"Page Up", 20, Qt::Key_PageUp, 10, 1, true},
        {"Home", 20, Qt::Key_Home, 0, 0, true},
        {"End", 3, Qt::Key_End, 29, 20, true},
        {"Space without check boxes, and no scrolling", 25, Qt::Key_Space, 25, 0, true},
        {"Tab", 3, Qt::Key_Tab, 3, 0, false},
        {"other key without handlers still scrolls", 25, Qt::Key_A, 25, 16, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GridOnForm g(30);
        ASSERT_TRUE(g.ready);
        if (c.start >= 0) g.grid->SetRowIndex(c.start);
        g.log.events.clear();
        g.key(c.key);
        EXPECT_EQ(g.grid->GetRowIndex(), c.row);
        EXPECT_EQ(g.grid->GetRowTop(), c.top);
        EXPECT_EQ(g.grid->keysReached.size(), c.consumed ? 0u : 1u);
        EXPECT_EQ(g.grid->GetRowCheckedCount(), 0);
    }
}

TEST(VexoGridInputTest, KeysMoveThroughRowEvents) {
    GridOnForm g(30);
    ASSERT_TRUE(g.ready);
    g.key(Qt::Key_Down);
    g.key(Qt::Key_Down);
    g.key(Qt::Key_End);
    EXPECT_EQ(g.log.events, (Events{"enter 0", "exit 0 0", "enter 1", "exit 1 0", "enter 29"}));
}

TEST(VexoGridInputTest, EmptyGridLetsEveryKeyThrough) {
    GridOnForm g(0);
    ASSERT_TRUE(g.ready);
    g.key(Qt::Key_Down);
    g.key(Qt::Key_Space);
    EXPECT_EQ(g.grid->GetRowIndex(), -1);
    EXPECT_EQ(g.grid->keysReached, (std::vector<WORD>{VK_DOWN, VK_SPACE}));
    EXPECT_TRUE(g.log.events.empty());
}

TEST(VexoGridInputTest, TabMovesTheFocusOn) {
    GridOnForm g(5);
    ASSERT_TRUE(g.ready);
    g.grid->SetRowIndex(1);
    g.key(Qt::Key_Tab);
    EXPECT_TRUE(g.other->Focused());
}

TEST(VexoGridInputTest, SpaceTogglesTheCheckBoxWithoutScrolling) {
    GridOnForm g(30);
    ASSERT_TRUE(g.ready);
    g.grid->SetCheckBoxes(true);
    g.grid->SetRowIndex(25);
    g.grid->OnRowChecking = [&](int row) { g.log.events.push_back("checking " + std::to_string(row)); };
    g.log.events.clear();
    g.key(Qt::Key_Space);
    EXPECT_TRUE(g.grid->GetRowChecked(25));
    EXPECT_EQ(g.grid->GetRowTop(), 0) << "Space never scrolls";
    g.key(Qt::Key_Space);
    EXPECT_FALSE(g.grid->GetRowChecked(25));
    EXPECT_EQ(g.log.events, (Events{"checking 25", "checking 25"}));
    EXPECT_TRUE(g.grid->keysReached.empty());
}

TEST(VexoGridInputTest, AltCombinationsAndF10PassTheGridBy) {
    // System keys belong to the form's menus and mnemonics: the key table does not act on them and
    // the diversion does not swallow them; the grid's window sees them as system keys, whose own
    // handling raises OnKeyDown without consuming them.
    const struct {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        WORD vk;
    } cases[] = {
        {"Alt+Up", Qt::Key_Up, Qt::AltModifier, VK_UP},
        {"Alt+Home", Qt::Key_Home, Qt::AltModifier, VK_HOME},
        {"Alt+Space with check boxes", Qt::Key_Space, Qt::AltModifier, VK_SPACE},
        {"Alt+F2 in an editable grid", Qt::Key_F2, Qt::AltModifier, VK_F2},
        {"Alt with a letter", Qt::Key_A, Qt::AltModifier, 'A'},
        {"F10", Qt::Key_F10, {}, VK_F10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GridOnForm g(30);
        ASSERT_TRUE(g.ready);
        g.grid->SetCheckBoxes(true);
        g.grid->SetEditable(true);
        g.grid->SetRowIndex(5);
        int keyDownCalls = 0;
        g.grid->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { keyDownCalls += key == c.vk; };
        g.log.events.clear();
        g.key(c.key, c.mods);
        EXPECT_EQ(g.grid->GetRowIndex(), 5);
        EXPECT_TRUE(g.log.events.empty());
        EXPECT_EQ(g.grid->GetRowCheckedCount(), 0);
        EXPECT_FALSE(g.grid->getIsInEdit());
        EXPECT_EQ(keyDownCalls, 1);
        EXPECT_EQ(std::count(g.grid->systemKeysReached.begin(), g.grid->systemKeysReached.end(), c.vk), 1);
        EXPECT_EQ(std::count(g.grid->keysReached.begin(), g.grid->keysReached.end(), c.vk), 0);
    }

    // A shortcut of the form, as a menu or a mnemonic has, still fires over a focused grid with
    // OnKeyDown assigned.
    GridOnForm g(5);
    ASSERT_TRUE(g.ready);
    g.grid->SetRowIndex(1);
    g.grid->OnKeyDown = [](TObject*, WORD&, TShiftState) {};
    QShortcut mnemonic(QKeySequence(Qt::ALT | Qt::Key_G), g.form.Widget());
    int fired = 0;
    QObject::connect(&mnemonic, &QShortcut::activated, [&fired] { ++fired; });
    g.key(Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(g.grid->GetRowIndex(), 1);
}

TEST(VexoGridInputTest, KeyHandlers) {
    struct Case {
        const char* name;
        bool ex;        // OnKeyDownEx assigned
        bool exHandles; // and sets handled
        bool keyDown;   // OnKeyDown assigned
        int exCalls, keyDownCalls;
        bool reachesWindow;
    };
    const Case cases[] = {
        {"no handler", false, false, false, 0, 0, true},
        {"OnKeyDownEx leaves handled false", true, false, false, 1, 0, true},
        {"OnKeyDownEx handles", true, true, false, 1, 0, false},
        // The window's own key handling raises OnKeyDown for a key that got through.
        {"OnKeyDownEx decides before OnKeyDown", true, false, true, 1, 1, true},
        {"OnKeyDown always consumes", false, false, true, 0, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GridOnForm g(5);
        ASSERT_TRUE(g.ready);
        g.grid->SetRowIndex(1);
        int exCalls = 0, keyDownCalls = 0;
        WORD exKey = 0;
        TShiftState exShift;
        TObject* exSender = nullptr;
        if (c.ex)
            g.grid->OnKeyDownEx = [&](TObject* sender, WORD key, TShiftState shift, bool& handled) {
                EXPECT_FALSE(handled) << "handled arrives false";
                handled = c.exHandles;
                if (key != 'A') return; // the modifier keys go down first, as keys of their own
                ++exCalls;
                exSender = sender;
                exKey = key;
                exShift = shift;
            };
        if (c.keyDown)
            g.grid->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
                if (key == 'A') ++keyDownCalls;
                key = 0;
            };
        g.key(Qt::Key_A, Qt::ControlModifier | Qt::AltModifier);
        EXPECT_EQ(exCalls, c.exCalls);
        EXPECT_EQ(keyDownCalls, c.keyDownCalls);
        EXPECT_EQ(std::count(g.grid->keysReached.begin(), g.grid->keysReached.end(), 'A'),
                  c.reachesWindow ? 1 : 0);
        if (c.ex) {
            EXPECT_EQ(exSender, g.grid);
            EXPECT_EQ(exKey, 'A');
            EXPECT_TRUE(exShift.Contains(ssCtrl) && exShift.Contains(ssAlt) && !exShift.Contains(ssShift));
        }
        // Keys of the table reach neither event.
        g.key(Qt::Key_Down);
        EXPECT_EQ(exCalls, c.exCalls);
        EXPECT_EQ(keyDownCalls, c.keyDownCalls);
        EXPECT_EQ(g.grid->GetRowIndex(), 2);
    }
}

TEST(VexoGridInputTest, SingleSelectClicksAndDrags) {
    GridOnForm g(30);
    ASSERT_TRUE(g.ready);
    g.other->SetFocus();
    g.click(2);
    EXPECT_TRUE(g.grid->Focused()) << "a click gives the grid the focus";
    EXPECT_EQ(g.log.events, (Events{"enter 2"}));
    g.log.events.clear();

    g.press(4);
    g.move(6);
    g.move(6);
    g.release(6);
    EXPECT_EQ(g.log.events, (Events{"exit 2 0", "enter 4", "exit 4 0", "enter 6"}));
    g.log.events.clear();

    g.move(9); // the button is up: moves do nothing
    QTest::mouseClick(g.surface(), Qt::RightButton, {}, g.at(8));
    EXPECT_EQ(g.grid->GetRowIndex(), 6) << "the right button is not the grid's";
    EXPECT_TRUE(g.log.events.empty());

    // A drag below the visible rows moves the current row there; the release brings it into view.
    g.press(7);
    g.move(12);
    g.release(12);
    EXPECT_EQ(g.grid->GetRowIndex(), 12);
    EXPECT_EQ(g.grid->GetRowTop(), 3);
}

TEST(VexoGridInputTest, ClickBelowTheLastRowThenDragOntoTheRows) {
    {
        GridOnForm g(5);
        ASSERT_TRUE(g.ready);
        g.press(8);
        EXPECT_EQ(g.grid->GetRowIndex(), -1);
        EXPECT_TRUE(g.log.events.empty());
        g.move(2);
        g.release(2);
        EXPECT_EQ(g.grid->GetRowIndex(), 2);
        EXPECT_EQ(g.log.events, (Events{"enter 2"}));
    }
    {
        GridOnForm g(5);
        ASSERT_TRUE(g.ready);
        g.grid->SetMultiselect(true);
        g.click(1);
        g.press(8);
        g.move(3);
        g.release(3);
        EXPECT_EQ(g.selected(), (std::set<int>{1, 2, 3})) << "selected from the anchor";
        EXPECT_EQ(g.grid->GetRowIndex(), 3);
    }
}

TEST(VexoGridInputTest, MultiSelect) {
    const auto S = Qt::ShiftModifier;
    const auto C = Qt::ControlModifier;
    struct Step {
        char action; // c click, p press, m move, M move with modifiers held, r release
        int row;
        Qt::KeyboardModifiers mods = {};
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        std::set<int> selected;
        int anchor;
        Events events;
    };
    const Case cases[] = {
        {"shift-click after a click", {{'c', 2}, {'c', 5, S}}, {2, 3, 4, 5}, 5, {"enter 2"}},
        {"shift-click above", {{'c', 5}, {'c', 2, S}}, {2, 3, 4, 5}, 2, {"enter 5"}},
        {"ctrl-clicks add rows", {{'c', 2}, {'c', 4, C}, {'c', 6, C}}, {2, 4, 6}, 6, {"enter 2"}},
        {"ctrl-click again removes and keeps the anchor",
         {{'c', 2}, {'c', 4, C}, {'c', 4, C}},
         {2},
         4,
         {"enter 2"}},
        {"shift-click from a ctrl-click anchor",
         {{'c', 2}, {'c', 6, C}, {'c', 4, S}},
         {4, 5, 6},
         4,
         {"enter 2"}},
        {"a click starts over", {{'c', 2}, {'c', 6, S}, {'c', 9}}, {9}, 9, {"enter 2", "enter 9"}},
        {"drag down", {{'p', 3}, {'m', 5}, {'m', 7}, {'r', 7}}, {3, 4, 5, 6, 7}, 7, {"enter 3"}},
        {"drag back over the anchor", {{'p', 7}, {'m', 3}, {'m', 5}, {'r', 5}}, {5, 6, 7}, 5, {"enter 7"}},
        {"moves with Shift or Ctrl held select nothing",
         {{'p', 3}, {'M', 8, S}, {'M', 6, C}, {'r', 3}},
         {3},
         3,
         {"enter 3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GridOnForm g(30);
        ASSERT_TRUE(g.ready);
        g.grid->SetMultiselect(true);
        g.log.events.clear();
        for (const Step& s : c.steps) {
            switch (s.action) {
            case 'c':
                g.click(s.row, s.mods);
                break;
            case 'p':
                g.press(s.row, s.mods);
                break;
            case 'm':
                g.move(s.row);
                break;
            case 'M': {
                const QPoint p = g.at(s.row);
                QMouseEvent ev(QEvent::MouseMove, p, g.surface()->mapToGlobal(p), Qt::NoButton,
                               Qt::LeftButton, s.mods);
                QApplication::sendEvent(g.surface(), &ev);
                break;
            }
            default:
                g.release(s.row);
                break;
            }
        }
        EXPECT_EQ(g.selected(), c.selected);
        EXPECT_EQ(g.grid->GetRowIndex(), c.anchor);
        EXPECT_EQ(g.log.events, c.events);
    }
}

TEST(VexoGridInputTest, CheckBoxClick) {
    GridOnForm g(10);
    ASSERT_TRUE(g.ready);
    g.grid->SetCheckBoxes(true);
    g.grid->SetEditable(true);
    g.grid->SetRowIndex(0);
    g.grid->OnRowChecking = [&](int row) { g.log.events.push_back("checking " + std::to_string(row)); };
    g.log.events.clear();
    const TRect box = g.grid->Surface()->CheckBoxRect(3);
    const QPoint inBox(box.Left + 2, box.Top + 2);

    QTest::mousePress(g.surface(), Qt::LeftButton, {}, inBox);
    EXPECT_EQ(g.log.events, (Events{"exit 0 0", "enter 3", "checking 3"}));
    EXPECT_TRUE(g.grid->GetRowChecked(3));
    g.move(6); // the check box click ended the press: no drag
    QTest::mouseRelease(g.surface(), Qt::LeftButton, {}, g.at(6));
    EXPECT_EQ(g.grid->GetRowIndex(), 3);

    g.log.events.clear();
    QTest::mouseClick(g.surface(), Qt::LeftButton, {}, inBox);
    EXPECT_FALSE(g.grid->GetRowChecked(3));
    EXPECT_EQ(g.log.events, (Events{"checking 3"}));

    // Outside the box on the current row: no toggle, and never the editor; F2 still starts it.
    g.log.events.clear();
    g.click(3, {}, 75);
    EXPECT_FALSE(g.grid->GetRowChecked(3));
    EXPECT_FALSE(g.grid->getIsInEdit());
    EXPECT_TRUE(g.log.events.empty());
    g.key(Qt::Key_F2);
    EXPECT_TRUE(g.grid->getIsInEdit());
    EXPECT_EQ(g.grid->GetColIndex(), 0);
}

TEST(VexoGridInputTest, SecondClickStartsTheEditor) {
    struct Case {
        const char* name;
        bool editable;
        int firstRow, secondX;
        bool editing;
        int col;
    };
    const Case cases[] = {
        {"column 0", true, 2, 25, true, 0},
        {"column 2", true, 2, 125, true, 2},
        {"read-only column", true, 2, 75, false, -1},
        {"outside every column", true, 2, 200, false, -1},
        {"the row was not current", true, 4, 125, false, -1},
        {"not editable", false, 2, 125, false, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GridOnForm g(10);
        ASSERT_TRUE(g.ready);
        g.grid->SetEditable(c.editable);
        g.grid->Columns()->Items(1)->SetReadOnly(true);
        g.click(c.firstRow);
        g.log.events.clear();
        g.click(2, {}, c.secondX);
        EXPECT_EQ(g.grid->getIsInEdit(), c.editing);
        EXPECT_EQ(g.grid->GetColIndex(), c.col);
        EXPECT_EQ(g.grid->GetRowIndex(), 2);
        if (c.editing) {
            EXPECT_TRUE(g.log.events.empty()) << "editing the current row raises no row events";
            const TRect cell = g.grid->Surface()->CellRect(2, c.col);
            const int top = g.grid->Surface()->Top();
            EXPECT_EQ(g.grid->Editor()->EditRect(),
                      Rect(cell.Left, cell.Top + top - 1, cell.Right + 1, cell.Bottom + top + 1));
            // A click elsewhere ends the editing.
            g.click(5);
            EXPECT_FALSE(g.grid->getIsInEdit());
        }
    }
}

TEST(VexoGridInputTest, F2StartsAtTheFirstEditableCell) {
    struct Case {
        const char* name;
        bool autoAdd;
        std::function<bool(int row, int col)> readOnly; // as OnRowNeedData sets it per row
        bool editing;
        int row, col, rowCount;
        Events events;
    };
    const auto none = [](int, int) { return false; };
    const Case cases[] = {
        {"first cell", false, none, true, 2, 0, 5, {}},
        {"columns 0 and 1 read-only", false, [](int, int col) { return col < 2; }, true, 2, 2, 5, {}},
        {"row 2 all read-only: next row",
         false,
         [](int row, int) { return row == 2; },
         true,
         3,
         0,
         5,
         {"exit 2 0", "enter 3"}},
        {"nothing editable", false, [](int, int) { return true; }, false, 2, -1, 5, {}},
        {"nothing editable, AutoAddRow leaves no row behind",
         true,
         [](int, int) { return true; },
         false,
         2,
         -1,
         5,
         {}},
        {"AutoAddRow continues in a new row",
         true,
         [](int row, int) { return row < 5; },
         true,
         5,
         0,
         6,
         {"exit 2 0", "enter 5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GridOnForm g(5);
        ASSERT_TRUE(g.ready);
        g.grid->SetEditable(true);
        g.grid->SetAutoAddRow(c.autoAdd);
        g.grid->SetRowIndex(2);
        std::vector<int> asked;
        g.grid->OnRowNeedData = [&](int row) {
            asked.push_back(row);
            for (int col = 0; col < 3; ++col)
                g.grid->Columns()->Items(col)->SetReadOnly(c.readOnly(row, col));
        };
        g.log.events.clear();
        g.key(Qt::Key_F2);
        EXPECT_EQ(g.grid->getIsInEdit(), c.editing);
        EXPECT_EQ(g.grid->GetRowIndex(), c.row);
        EXPECT_EQ(g.grid->GetColIndex(), c.col);
        EXPECT_EQ(g.grid->GetRowCount(), c.rowCount);
        EXPECT_EQ(g.log.events, c.events);
        ASSERT_FALSE(asked.empty());
        EXPECT_EQ(asked.front(), 2) << "the current row is asked for before ReadOnly is read";
        EXPECT_TRUE(g.grid->keysReached.empty());
    }
}

TEST(VexoGridInputTest, F2StartsNothingOnAUnicolumnRowOrWhenNotEditable) {
    GridOnForm g(5);
    ASSERT_TRUE(g.ready);
    g.grid->SetRowIndex(1);
    g.key(Qt::Key_F2);
    EXPECT_FALSE(g.grid->getIsInEdit());
    EXPECT_TRUE(g.grid->keysReached.empty()) << "F2 is consumed even when nothing can be edited";
    g.grid->SetEditable(true);
    g.grid->Row(1)->setUnicolumn(true);
    g.key(Qt::Key_F2);
    EXPECT_FALSE(g.grid->getIsInEdit());
    EXPECT_EQ(g.grid->GetColIndex(), -1);
}

TEST(VexoGridInputTest, DoubleClickRaisesOnDblClick) {
    GridOnForm g(5);
    ASSERT_TRUE(g.ready);
    std::vector<TObject*> senders;
    g.grid->OnDblClick = [&](TObject* sender) { senders.push_back(sender); };
    // The platform's sequence: a click, then the double click in place of the second press.
    g.click(3);
    QTest::mouseDClick(g.surface(), Qt::LeftButton, {}, g.at(3));
    EXPECT_EQ(senders, (std::vector<TObject*>{g.grid}));
    EXPECT_EQ(g.grid->GetRowIndex(), 3);
    EXPECT_EQ(g.log.events, (Events{"enter 3"}));
}

TEST(VexoGridInputTest, WheelScrollsWholeNotches) {
    GridOnForm g(30);
    ASSERT_TRUE(g.ready);
    g.grid->SetRowTop(5);
    const struct { int delta, top; } steps[] = {{60, 5}, {240, 3}, {-120, 4}, {-360, 7}};
    for (const auto& s : steps) {
        sendWheel(g.surface(), s.delta);
        EXPECT_EQ(g.grid->GetRowTop(), s.top) << "delta " << s.delta;
    }
}

TEST(VexoGridInputTest, LogicalFocus) {
    GridOnForm g(5);
    ASSERT_TRUE(g.ready);
    EXPECT_TRUE(g.grid->asLogicFocus());
    g.other->SetFocus();
    EXPECT_FALSE(g.grid->asLogicFocus()) << "the focus went to another control";
    g.click(1);
    EXPECT_TRUE(g.grid->asLogicFocus());

    TVGEdit* editor = g.grid->Editor();
    editor->SetBounds(0, 20, 50, 17);
    editor->SetVisible(true);
    editor->SetFocus();
    ASSERT_TRUE(editor->Focused());
    EXPECT_TRUE(g.grid->asLogicFocus()) << "the focus went to the editor";

    // The flag itself, whatever holds the focus now: it follows the window that receives it.
    g.other->SetFocus();
    g.grid->Perform(WM_KILLFOCUS, reinterpret_cast<WPARAM>(g.other->Handle()), 0);
    EXPECT_FALSE(g.grid->asLogicFocus());
    g.grid->Perform(WM_KILLFOCUS, reinterpret_cast<WPARAM>(editor->Handle()), 0);
    EXPECT_TRUE(g.grid->asLogicFocus());
}

// Random input in every mode, with application handlers that change the rows from inside the
// grid's own events: nothing may crash, and the grid's indexes must always point at rows.
TEST(VexoGridInputTest, RandomInputKeepsTheGridConsistent) {
    for (int mode = 0; mode < 4; ++mode) {
        GridOnForm g(40, 8);
        ASSERT_TRUE(g.ready);
        TVexoGrid& grid = *g.grid;
        grid.SetMultiselect(mode & 1);
        grid.SetCheckBoxes(mode & 2);
        grid.SetEditable(true);
        grid.SetAutoAddRow(mode == 3);
        unsigned seed = 12345u + static_cast<unsigned>(mode);
        auto next = [&seed](int n) {
            seed = seed * 1103515245u + 12345u;
            return static_cast<int>((seed >> 16) % static_cast<unsigned>(n));
        };
        // Now and then a handler deletes a row, appends one or empties the grid.
        grid.OnRowEnter = [&](int) {
            if (next(20) == 0 && grid.GetRowCount() > 1) grid.DeleteRow(grid.GetRowCount() - 1);
        };
        grid.OnRowChecking = [&](int) {
            if (next(10) == 0) grid.AddRow("added");
        };
        grid.OnKeyDown = [&](TObject*, WORD&, TShiftState) {
            if (next(4) == 0) grid.Clear();
            for (int i = next(30); i > 0; --i)
                grid.AddRow("refill");
        };
        const Qt::Key keys[] = {Qt::Key_Up,  Qt::Key_Down,  Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home,
                                Qt::Key_End, Qt::Key_Space, Qt::Key_F2,     Qt::Key_A,        Qt::Key_Tab};
        const Qt::KeyboardModifiers mods[] = {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier};
        QWidget* surface = g.surface();
        for (int step = 0; step < 400; ++step) {
            const QPoint p(next(320) - 10, next(200) - 20); // inside and outside the surface
            switch (next(6)) {
            case 0:
                QTest::mouseClick(surface, Qt::LeftButton, mods[next(3)], p);
                break;
            case 1:
                QTest::mousePress(surface, Qt::LeftButton, mods[next(3)], p);
                break;
            case 2:
                QTest::mouseMove(surface, p);
                break;
            case 3:
                QTest::mouseRelease(surface, Qt::LeftButton, {}, p);
                break;
            case 4:
                if (grid.CanFocus()) grid.SetFocus();
                QTest::keyClick(grid.Widget(), keys[next(10)], mods[next(3)]);
                break;
            default:
                sendWheel(surface, (next(7) - 3) * 120);
                break;
            }
            const int count = grid.GetRowCount();
            ASSERT_GE(grid.GetRowIndex(), -1) << "mode " << mode << " step " << step;
            ASSERT_LT(grid.GetRowIndex(), std::max(count, 1)) << "mode " << mode << " step " << step;
            ASSERT_GE(grid.GetRowTop(), 0);
            ASSERT_LE(grid.GetRowTop(), std::max(count - 1, 0)) << "mode " << mode << " step " << step;
            ASSERT_LE(grid.GetRowSelectedCount(), count);
            if (count > 0) {
                // A paint of whatever is there now must go through as well.
                const QImage frame = RenderToImage(&grid);
                ASSERT_FALSE(frame.isNull());
            }
        }
    }
}

// The grid takes left clicks and keys for itself; a right click on its rows and the menu key still
// open its PopupMenu.
TEST(VexoGridInputTest, RightClickAndMenuKeyOpenTheGridsPopupMenu) {
    GridOnForm g(5);
    ASSERT_TRUE(g.ready);
    auto* menu = new TPopupMenu(&g.form);
    auto* item = new TMenuItem(&g.form);
    item->SetCaption("Borrar");
    menu->Items()->Add(item);
    g.grid->SetPopupMenu(menu);
    const std::function<void()> inputs[] = {
        [&] { QTest::mouseClick(g.surface(), Qt::RightButton, {}, g.at(2)); },
        [&] { g.key(Qt::Key_Menu); },
    };
    for (const auto& input : inputs) {
        input();
        QMenu* shown = menu->Shown();
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(menu->PopupComponent(), g.grid);
        EXPECT_EQ(shown->actions().value(0)->text(), "Borrar");
        shown->hide();
    }
}
