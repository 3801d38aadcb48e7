#include "controls/grid/GridTestSupport.h"

#include "controls/grid/VGEdit.h"
#include "controls/grid/XmlReader.h"
#include "framework/core/Exception.h"
#include "framework/core/SysUtils.h"
#include "framework/windows/Render.h"
#include "values/VexoConvert.h"

#include <QImage>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vexo;

namespace {

std::unique_ptr<TVexoGrid> GridWithRows(int rows, int surfaceHeight = 220) {
    auto grid = MakeGrid(606, surfaceHeight);
    AddColumns(*grid, {{"a"}, {"b"}});
    for (int i = 0; i < rows; ++i) {
        grid->AddRow("id" + std::to_string(i));
        grid->AddString(0, "r" + std::to_string(i));
    }
    return grid;
}

std::vector<std::string> Column(const TVexoGrid& grid, int col) {
    std::vector<std::string> out;
    for (int i = 0; i < grid.GetRowCount(); ++i)
        out.push_back(grid.GetString(i, col));
    return out;
}

} // namespace

TEST(VexoGridTest, ConstructionBuildsChildrenAndDefaults) {
    TVexoGrid grid(nullptr);
    EXPECT_EQ(grid.Width(), 100);
    EXPECT_EQ(grid.Height(), 100);
    EXPECT_TRUE(grid.TabStop());
    EXPECT_TRUE(grid.ParentColor());
    ASSERT_NE(grid.Head(), nullptr);
    ASSERT_NE(grid.Surface(), nullptr);
    ASSERT_NE(grid.Editor(), nullptr);
    EXPECT_EQ(grid.Head()->Height(), 18);
    EXPECT_EQ(grid.Head()->Align(), alTop);
    EXPECT_EQ(grid.Surface()->Align(), alClient);
    EXPECT_EQ(grid.Surface()->ClientHeight(), 100 - 18);
    EXPECT_FALSE(grid.Editor()->Visible());
    EXPECT_FALSE(grid.getIsInEdit());
    EXPECT_EQ(grid.GetRowIndex(), -1);
    EXPECT_EQ(grid.GetRowTop(), 0);
    EXPECT_EQ(grid.GetRowHeight(), 15);
    EXPECT_EQ(grid.GetBkColor(), clWindow);
    EXPECT_EQ(grid.GetColorBkSel(), clHighlight);
    EXPECT_EQ(grid.GetColorBkSelIn(), clInactiveCaption);
    EXPECT_EQ(grid.GetHdColor(), clBtnFace);
    EXPECT_EQ(grid.GetColorText(), clWindowText);
    EXPECT_EQ(grid.GetColorTextSel(), clHighlightText);
    EXPECT_TRUE(grid.GetLabelWrap() && grid.GetShowHeader() && grid.GetShowSelection() &&
                grid.GetShowLines());
    EXPECT_FALSE(grid.GetMultiselect() || grid.GetCheckBoxes() || grid.GetCheckAreRadio() ||
                 grid.GetEditable() || grid.GetAutoAddRow() || grid.GetItemDataOnRefresh());
    EXPECT_EQ(grid.GetImages(), nullptr);

    TVexoGrid designed(nullptr);
    designed.SetDesigning(true);
    TVexoGrid inDesigner(&designed); // the editor is not created in the form designer
    EXPECT_EQ(inDesigner.Editor(), nullptr);
}

TEST(VexoGridTest, RowsAndCells) {
    auto grid = MakeGrid();
    AddColumns(*grid, {{"a"}, {"b"}});
    grid->AddRow("data");
    EXPECT_EQ(grid->GetRowData(0), "data");
    EXPECT_TRUE(grid->Row(0)->isNull(1));
    EXPECT_EQ(grid->GetString(0, 1), "");
    grid->SetString(0, 1, "x");
    EXPECT_EQ(grid->GetString(0, 1), "x");
    grid->Row(0)->setNull(1, true);
    EXPECT_EQ(grid->GetString(0, 1), "") << "a null cell reads empty whatever it holds";
    grid->InsertAt(0, "first");
    EXPECT_EQ(grid->GetRowData(0), "first");
    EXPECT_EQ(grid->GetRowData(1), "data");
    EXPECT_THROW(grid->GetString(2, 0), EListError);
    EXPECT_THROW(grid->SetString(-1, 0, "x"), EListError);
    EXPECT_THROW(grid->InsertAt(5, ""), EListError);
    EXPECT_EQ(grid->GetRowCount(), 2);
    grid->SetRowIndex(1);
    grid->Clear();
    EXPECT_EQ(grid->GetRowCount(), 0);
    EXPECT_EQ(grid->GetRowIndex(), -1);
}

TEST(VexoGridTest, SetRowIndexEventOrder) {
    struct Case {
        const char* name;
        int rows;
        bool multiselect;
        int start;
        int target;
        int expectedIndex;
        std::vector<std::string> events;
        bool modified = false; // the start row was changed before the move
    };
    const Case cases[] = {
        {"move", 5, false, 1, 3, 3, {"exit 1 0", "enter 3"}},
        {"from none", 5, false, -1, 2, 2, {"enter 2"}},
        {"same row", 5, false, 2, 2, 2, {}},
        {"beyond the last row", 5, false, 1, 99, 4, {"exit 1 0", "enter 4"}},
        // Lowered onto the current last row, the move still runs in full.
        {"beyond onto the current last row", 5, false, 4, 99, 4, {"exit 4 1", "enter 4"}, true},
        {"beyond onto the last row in multiselect", 5, true, 4, 99, 4, {"enter 4"}},
        {"to none", 5, false, 3, -1, -1, {"exit 3 0"}},
        {"below -1 means none", 5, false, 3, -7, -1, {"exit 3 0"}},
        {"multiselect raises enter only", 5, true, 1, 3, 3, {"enter 3"}},
    };
    for (const Case& c : cases) {
        auto grid = GridWithRows(c.rows);
        grid->SetMultiselect(c.multiselect);
        grid->SetRowIndex(c.start);
        if (c.multiselect) grid->SetRowSelected(0, true);
        grid->SetRowModified(c.modified);
        EventLog log;
        log.attach(*grid);
        grid->SetRowIndex(c.target);
        EXPECT_EQ(grid->GetRowIndex(), c.expectedIndex) << c.name;
        EXPECT_EQ(log.events, c.events) << c.name;
        if (!c.events.empty()) {
            EXPECT_FALSE(grid->GetRowModified()) << c.name;
        }
        if (c.expectedIndex >= 0) {
            EXPECT_TRUE(grid->GetRowSelected(c.expectedIndex)) << c.name;
            EXPECT_EQ(grid->GetRowSelectedCount(), 1) << c.name << ": the new row is the only selected one";
        }
    }
    auto empty = GridWithRows(0);
    EventLog log;
    log.attach(*empty);
    empty->SetRowIndex(3);
    EXPECT_EQ(empty->GetRowIndex(), -1);
    EXPECT_TRUE(log.events.empty());
}

TEST(VexoGridTest, RowExitCarriesTheModifiedFlag) {
    auto grid = GridWithRows(3);
    grid->SetRowIndex(0);
    grid->SetRowModified(true);
    EventLog log;
    log.attach(*grid);
    grid->SetRowIndex(1);
    EXPECT_EQ(log.events, (std::vector<std::string>{"exit 0 1", "enter 1"}));
    EXPECT_FALSE(grid->GetRowModified());
}

TEST(VexoGridTest, DeleteRow) {
    struct Case {
        const char* name;
        int current;
        int deleted;
        int expectedIndex;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {"current row", 2, 2, -1, {"exit 2 0"}},
        {"row above the current", 2, 0, 2, {}},
        {"row below the current", 2, 4, 2, {}},
        {"row above the current last row", 4, 1, 3, {}}, // the index follows its record
    };
    for (const Case& c : cases) {
        auto grid = GridWithRows(5);
        grid->SetRowIndex(c.current);
        EventLog log;
        log.attach(*grid);
        grid->DeleteRow(c.deleted);
        EXPECT_EQ(grid->GetRowCount(), 4) << c.name;
        EXPECT_EQ(grid->GetRowIndex(), c.expectedIndex) << c.name;
        EXPECT_EQ(log.events, c.events) << c.name;
    }
    auto grid = GridWithRows(2);
    EventLog log;
    log.attach(*grid);
    EXPECT_THROW(grid->DeleteRow(2), EListError);
    EXPECT_TRUE(log.events.empty());
}

TEST(VexoGridTest, SelectionAndCheckMarks) {
    auto grid = GridWithRows(4);
    grid->SetRowSelected(1, true);
    EXPECT_FALSE(grid->GetRowSelected(1)) << "needs Multiselect";
    grid->SetRowChecked(1, true);
    EXPECT_FALSE(grid->GetRowChecked(1)) << "needs CheckBoxes";

    grid->SetMultiselect(true);
    grid->SetRowSelected(1, true);
    grid->SetRowSelected(3, true);
    EXPECT_EQ(grid->GetRowSelectedCount(), 2);
    grid->SetCheckBoxes(true);
    EXPECT_FALSE(grid->GetMultiselect());
    EXPECT_EQ(grid->GetRowSelectedCount(), 0);

    grid->Row(2)->setUnicolumn(true);
    grid->SetRowChecked(2, true);
    grid->SetRowChecked(0, true);
    EXPECT_FALSE(grid->GetRowChecked(2));
    EXPECT_TRUE(grid->GetRowChecked(0));
    grid->Row(2)->setChecked(true); // set behind the grid's back: still reads unchecked
    EXPECT_FALSE(grid->GetRowChecked(2));
    EXPECT_EQ(grid->GetRowCheckedCount(), 1);
    grid->SetRowIndex(0);
    grid->RowCheckedClear();
    EXPECT_EQ(grid->GetRowCheckedCount(), 0);
    EXPECT_EQ(grid->GetRowIndex(), -1);

    grid->SetMultiselect(true);
    EXPECT_FALSE(grid->GetCheckBoxes());
}

TEST(VexoGridTest, EitherSelectionModeSwitchesTheOtherOffAndTheLayoutFollows) {
    // Each setter turns the other mode off; the check box space then leaves the header's first
    // column at once, without anything else asking for a repaint.
    const struct {
        const char* name;
        void (TVexoGrid::*first)(bool);
        void (TVexoGrid::*second)(bool);
    } cases[] = {
        {"Multiselect after CheckBoxes", &TVexoGrid::SetCheckBoxes, &TVexoGrid::SetMultiselect},
        {"CheckBoxes after Multiselect", &TVexoGrid::SetMultiselect, &TVexoGrid::SetCheckBoxes},
    };
    for (const auto& c : cases) {
        auto grid = GridWithRows(3);
        grid->Columns()->Items(0)->SetCaption("Nombre");
        (grid.get()->*c.first)(true);
        RenderToImage(grid->Head());
        (grid.get()->*c.second)(true);
        EXPECT_NE(grid->GetMultiselect(), grid->GetCheckBoxes()) << c.name;
        const QImage shown = RenderToImage(grid->Head());
        grid->Head()->Invalidate();
        EXPECT_EQ(shown, RenderToImage(grid->Head()))
            << c.name << ": the header already shows the new indent";
        EXPECT_EQ(grid->Surface()->CellRect(-1, 0).Left, grid->GetCheckBoxes() ? 18 : 0) << c.name;
    }
}

TEST(VexoGridTest, FindAndSelectByItemData) {
    auto grid = GridWithRows(30, 60); // 4 whole rows visible
    EXPECT_EQ(grid->FindOrderColumn("B"), 1);
    EXPECT_EQ(grid->FindColumn("zz"), nullptr);
    EXPECT_EQ(grid->FindRowByItemData("id7", 0), 7);
    EXPECT_EQ(grid->FindRowByItemData("ID7", 0), -1);
    EXPECT_FALSE(grid->SelectRowByItemData("none", 0));
    EXPECT_EQ(grid->GetRowIndex(), -1);
    EXPECT_TRUE(grid->SelectRowByItemData("id20", 0));
    EXPECT_EQ(grid->GetRowIndex(), 20);
    EXPECT_EQ(grid->GetRowTop(), 17) << "scrolled so that the row is the last whole one";
}

TEST(VexoGridTest, RefreshBracket) {
    struct Case {
        const char* name;
        bool byItemData;
        int current;
        int top;
        std::vector<std::string> refill; // RowData of the new rows
        int expectedIndex;
        int expectedTop;
    };
    const std::vector<std::string> same = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"};
    const std::vector<std::string> moved = {"x", "a", "b", "c", "d", "e", "f", "g", "h", "i", "j"};
    const std::vector<std::string> gone = {"a", "b", "c", "e", "f", "g", "h", "i", "j"};
    const Case cases[] = {
        {"by index", false, 3, 2, moved, 3, 2},
        {"by item data follows the row", true, 3, 2, moved, 4, 1},
        {"by item data, row gone: the old index", true, 3, 2, gone, 3, 2},
        {"by index, fewer rows", false, 3, 2, {"a", "b"}, -1, 0},
        {"by item data, nothing was current", true, -1, 0, same, -1, 0},
    };
    for (const Case& c : cases) {
        auto grid = MakeGrid(606, 60); // 4 whole rows
        AddColumns(*grid, {{"a"}});
        for (const std::string& d : same)
            grid->AddRow(d);
        grid->SetItemDataOnRefresh(c.byItemData);
        grid->SetRowIndex(c.current);
        grid->SetRowTop(c.top);
        grid->PreRefresh();
        EXPECT_FALSE(grid->Surface()->Visible());
        grid->Clear();
        for (const std::string& d : c.refill)
            grid->AddRow(d);
        grid->PostRefresh();
        EXPECT_TRUE(grid->Surface()->Visible());
        EXPECT_EQ(grid->Surface()->VertRange(),
                  static_cast<int>(c.refill.size()) * grid->GetRowHeight() + grid->GetDiferenceRowHeight())
            << c.name << ": the rows added inside the refresh are scrolled over";
        EXPECT_EQ(grid->GetRowIndex(), c.expectedIndex) << c.name;
        EXPECT_EQ(grid->GetRowTop(), c.expectedTop) << c.name;
        EXPECT_GE(grid->GetRefreshTime(), 0.0);
    }
}

TEST(VexoGridTest, Geometry) {
    auto grid = GridWithRows(10, 100);
    EXPECT_EQ(grid->GetNumOfEntireRows(), 6);
    EXPECT_EQ(grid->GetDiferenceRowHeight(), 10);
    EXPECT_EQ(grid->Surface()->VertRange(), 160);
    EXPECT_EQ(grid->Surface()->VertIncrement(), 15);
    grid->SetRowTop(9);
    EXPECT_EQ(grid->GetRowTop(), 4);
    grid->SetRowTop(-3);
    EXPECT_EQ(grid->GetRowTop(), 0);

    grid->SetRowTop(3);
    EXPECT_EQ(grid->RowForY(29), 4);
    EXPECT_EQ(grid->RowForY(7 * 15), -1) << "below the last row";

    // EnsureRowVisible: from RowTop 3 (rows 3..8 whole).
    const struct { int row, top; } visible[] = {{5, 3}, {9, 4}, {1, 1}, {0, 0}};
    for (auto v : visible) {
        grid->EnsureRowVisible(v.row);
        EXPECT_EQ(grid->GetRowTop(), v.top) << "row " << v.row;
    }

    auto fits = GridWithRows(3, 100);
    fits->Clear();
    fits->AddRow();
    fits->SetRowTop(1);
    EXPECT_EQ(fits->GetRowTop(), 0) << "all rows fit: nothing scrolls";
}

TEST(VexoGridTest, ColumnsAndStretching) {
    auto grid = MakeGrid(300, 100);
    AddColumns(*grid, {{"a", vgString, 100}, {"b", vgString, 60}, {"c", vgString, 40}});
    EXPECT_EQ(grid->GetTotalWidth(), 200);
    EXPECT_EQ(grid->Head()->TotalWidth(), 200);
    EXPECT_EQ(grid->Surface()->Edges(), (std::vector<int>{0, 100, 160, 200}));
    const struct { int x, col; } xs[] = {{0, 0}, {50, 0}, {100, 0}, {101, 1}, {200, 2}, {201, -1}, {-1, -1}};
    for (auto c : xs)
        EXPECT_EQ(grid->ColForX(c.x), c.col) << "x " << c.x;

    grid->SetCol100x100("nothing");
    EXPECT_EQ(grid->GetCol100x100(), "") << "a name of no column is refused";
    grid->SetCol100x100("b");
    EXPECT_EQ(grid->Columns()->Items(1)->Width(), 300 - 2 - 100 - 40);
    grid->SetBounds(0, 0, 400, 118);
    EXPECT_EQ(grid->Columns()->Items(1)->Width(), 400 - 2 - 100 - 40) << "follows a resize";
    grid->SetCol100x100("B"); // other letter case: its own width is subtracted too
    EXPECT_EQ(grid->Columns()->Items(1)->Width(), 400 - 2 - 100 - 258 - 40);
    grid->SetCol100x100("");
    grid->SetBounds(0, 0, 500, 118);
    EXPECT_EQ(grid->Columns()->Items(1)->Width(), 400 - 2 - 100 - 258 - 40)
        << "stretching off keeps the width";
}

TEST(VexoGridTest, EnsureColVisibleScrollsHorizontally) {
    auto grid = MakeGrid(100, 100);
    AddColumns(*grid, {{"a", vgString, 80}, {"b", vgString, 60}, {"c", vgString, 40}});
    grid->EnsureColVisible(1); // right edge 140 beyond 100
    EXPECT_EQ(grid->Surface()->HorzOffset(), 40);
    EXPECT_EQ(grid->Surface()->Edges().front(), -40);
    EXPECT_EQ(grid->Head()->Offset(), -40);
    grid->EnsureColVisible(0); // left edge -40
    EXPECT_EQ(grid->Surface()->HorzOffset(), 0);
    grid->EnsureColVisible(0);
    EXPECT_EQ(grid->Surface()->HorzOffset(), 0);
}

TEST(VexoGridTest, MouseWheelScrollsWholeNotches) {
    const struct { int delta, top; } cases[] = {{60, 5}, {-60, 5}, {240, 3}, {-240, 7}, {-120 * 50, 14}};
    for (auto c : cases) {
        auto grid = GridWithRows(20, 90); // 6 whole rows
        grid->SetRowTop(5);
        grid->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, c.delta), 0);
        EXPECT_EQ(grid->GetRowTop(), c.top) << "delta " << c.delta;
    }
}

TEST(VexoGridTest, SortBy) {
    struct Case {
        const char* name;
        std::string keys;
        std::vector<std::string> expected; // column "s" after the sort
    };
    // Columns: s (text), i (integer), d (date), f (float), m (money), bo (boolean), t (time)
    const Case cases[] = {
        {"text ignores case", "s", {"a", "B", "c", "d"}},
        {"key names ignore case", "S", {"a", "B", "c", "d"}},
        {"integer by value", "i", {"d", "c", "a", "B"}},
        {"date in calendar order", "d", {"B", "a", "d", "c"}},
        {"float by value", "f", {"c", "a", "d", "B"}},
        {"money by value", "m", {"B", "d", "a", "c"}},
        {"boolean false first, then item data", "bo,#1", {"B", "c", "d", "a"}},
        {"time", "t", {"d", "a", "c", "B"}},
        {"item data slot 0", "#0", {"d", "B", "c", "a"}},
        {"no keys keep the order", "", {"c", "a", "B", "d"}},
    };
    for (const Case& c : cases) {
        auto grid = MakeGrid();
        AddColumns(*grid, {{"s"},
                           {"i", vgInteger},
                           {"d", vgDate},
                           {"f", vgFloat},
                           {"m", vgMoney},
                           {"bo", vgBoolean},
                           {"t", vgTime}});
        struct Row {
            const char *s, *i, *d, *f, *m, *bo, *t, *data, *slot1;
        };
        const Row rows[] = {
            {"c", "9", "01/01/2007", "-1,5", "1.000,00", "false", "10:00", "r2", "2"},
            {"a", "10", "31/12/2005", "2,25", "999,99", "true", "09:30", "r3", "9"},
            {"B", "100", "30/11/2005", "10", "-5,00", "false", "23:59", "r1", "1"},
            {"d", "x", "01/01/2006", "2,5", "0,50", "true", "00:00", "r0", "0"},
        };
        for (const Row& r : rows) {
            grid->AddRow(r.data);
            const char* cells[] = {r.s, r.i, r.d, r.f, r.m, r.bo, r.t};
            for (int col = 0; col < 7; ++col)
                grid->AddString(col, cells[col]);
            grid->Row(grid->GetRowCount() - 1)->setItemData(1, r.slot1);
        }
        grid->SetRowIndex(1);
        grid->SortBy(c.keys);
        EXPECT_EQ(Column(*grid, 0), c.expected) << c.name;
        EXPECT_EQ(grid->GetRowIndex(), 1) << c.name << ": the current index stays";
        EXPECT_EQ(grid->GetRowSelectedCount(), 1) << c.name << ": flags travel with their rows";
    }
}

TEST(VexoGridTest, SortByMultipleKeysAndTextVersusInteger) {
    auto grid = MakeGrid();
    AddColumns(*grid, {{"b"}, {"c"}, {"n", vgInteger}});
    const char* rows[][3] = {{"2", "y", "10"}, {"1", "y", "9"}, {"3", "x", "100"}};
    for (auto& r : rows) {
        grid->AddRow();
        for (int col = 0; col < 3; ++col)
            grid->AddString(col, r[col]);
    }
    grid->SortBy("c,b");
    EXPECT_EQ(Column(*grid, 0), (std::vector<std::string>{"3", "1", "2"}));
    grid->SortBy("n");
    EXPECT_EQ(Column(*grid, 2), (std::vector<std::string>{"9", "10", "100"}));
    grid->SortBy("b");
    grid->Columns()->Items(2)->SetDataType(vgString);
    grid->SortBy("n");
    EXPECT_EQ(Column(*grid, 2), (std::vector<std::string>{"10", "100", "9"}));

    TVexoGrid_rowInfo* first = grid->Row(0);
    EXPECT_THROW(grid->SortBy("c,nosuch"), EListError);
    EXPECT_EQ(grid->Row(0), first) << "an unknown key raises before any row moves";
    EXPECT_EQ(grid->theColSort(grid->Row(0), grid->Row(1)), 0) << "no sort in progress";
}

// The sort compares the start of each row's key first and the rest only on a tie: texts that differ
// only far into the key, or only in letter case, and numbers either side of zero must still come
// out in the comparison's order, with equal rows in their first order.
TEST(VexoGridTest, SortByOrdersTextsThatDifferLateAndNumbersAroundZero) {
    auto grid = MakeGrid();
    AddColumns(*grid, {{"t"}, {"f", vgFloat}, {"id"}});
    const std::string common = "Una frase común bastante larga que comparten las filas ";
    const std::vector<std::pair<std::string, std::string>> rows = {
        {common + "b", "1,5"},  {common + "a", "-0,0"}, {common + "B", "0"}, {"ñu", "-2"},
        {common + "a", "-1,5"}, {common, "1,5"},        {"NU", "0,0"},       {common + "á", "-2"}};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        grid->AddRow();
        grid->AddString(0, rows[i].first);
        grid->AddString(1, rows[i].second);
        grid->AddString(2, std::to_string(i));
    }
    std::vector<std::size_t> expected(rows.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        expected[i] = i;
    const struct {
        const char* keys;
        std::function<bool(std::size_t, std::size_t)> less;
    } cases[] = {
        {"t",
         [&](std::size_t a, std::size_t b) { return AnsiCompareText(rows[a].first, rows[b].first) < 0; }},
        {"f", [&](std::size_t a,
                  std::size_t b) { return textToFloat(rows[a].second) < textToFloat(rows[b].second); }},
    };
    for (const auto& c : cases) {
        grid->SortBy("id");
        std::vector<std::size_t> order = expected;
        std::stable_sort(order.begin(), order.end(), c.less);
        std::vector<std::string> ids;
        for (std::size_t i : order)
            ids.push_back(std::to_string(i));
        grid->SortBy(c.keys);
        EXPECT_EQ(Column(*grid, 2), ids) << c.keys;
    }
}

TEST(VexoGridTest, FindColumnTextStepsThroughMatches) {
    auto grid = MakeGrid();
    AddColumns(*grid, {{"a"}, {"b"}});
    const char* texts[][2] = {{"uno", "Camión"}, {"dos", "nada"}, {"tres", "camion rojo"}, {"CAMIÓN", "x"}};
    for (auto& t : texts) {
        grid->AddRow();
        grid->AddString(0, t[0]);
        grid->AddString(1, t[1]);
    }
    EventLog log;
    log.attach(*grid);
    std::vector<int> found;
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(grid->FindColumnText("camion", "1,0"));
        found.push_back(grid->GetRowIndex());
    }
    EXPECT_EQ(found, (std::vector<int>{0, 2, 3, 0})) << "wraps around";
    EXPECT_EQ(log.events.front(), "enter 0");
    EXPECT_FALSE(grid->FindColumnText("nowhere", "0,1"));
    EXPECT_EQ(grid->GetRowIndex(), 0);
    EXPECT_FALSE(grid->FindColumnText("", "0"));
    EXPECT_FALSE(grid->FindColumnText("NADA", "0")) << "only the listed columns";
    EXPECT_TRUE(grid->FindColumnText("NADA", "x,1")) << "a malformed index reads as column 0";

    grid->SetRowIndex(2);
    EXPECT_FALSE(grid->FindColumnText("tres", "0")) << "the current row is not examined";

    auto empty = MakeGrid();
    EXPECT_FALSE(empty->FindColumnText("a", "0"));
}

TEST(VexoGridTest, PerCellBackColours) {
    auto grid = GridWithRows(1);
    struct Step {
        int col;
        TColor color;
        std::string text;
    };
    const Step steps[] = {
        {2, 255, "2:255"},
        {0, clWindow, "2:255,0:-2147483643"},
        {2, 0x00FF00, "2:65280,0:-2147483643"},
        {11, 7, "2:65280,0:-2147483643,11:7"},
        {1, clNone, "2:65280,0:-2147483643,11:7,1:536870911"},
        {2, clNone, "0:-2147483643,11:7,1:536870911"},
    };
    for (const Step& s : steps) {
        grid->SetBackColor(0, s.col, s.color);
        EXPECT_EQ(grid->Row(0)->backColors(), s.text);
        EXPECT_EQ(grid->GetBackColor(0, s.col), s.color);
    }
    EXPECT_EQ(grid->GetBackColor(0, 11), 7) << "not confused with column 1";
    EXPECT_EQ(grid->GetBackColor(0, 5), clNone);
    EXPECT_EQ(grid->GetBackColor(0, 0), clWindow);
}

TEST(VexoGridTest, Skins) {
    const struct {
        const char* name;
        bool applies;
    } cases[] = {{"STD", true}, {"std", true}, {"Std2", false}, {"", false}};
    for (auto c : cases) {
        auto grid = MakeGrid();
        grid->SetSkinName(c.name);
        EXPECT_EQ(grid->GetSkinName(), c.name);
        if (!c.applies) {
            EXPECT_EQ(grid->GetHdColor(), clBtnFace) << c.name;
            EXPECT_EQ(grid->AttrUnicolumn()->Color(), clBlack) << c.name;
            continue;
        }
        EXPECT_EQ(grid->AttrUnicolumn()->Color(), 33023);
        EXPECT_EQ(grid->AttrUnicolumn()->ColorSel(), 11786751);
        EXPECT_TRUE(grid->AttrUnicolumn()->Styles().Contains(fsBold));
        EXPECT_EQ(grid->GetBkColor(), clWindow);
        EXPECT_EQ(grid->GetColorBkSel(), 0xFF8080);
        EXPECT_EQ(grid->GetColorBkSelIn(), 0xB1BBB0);
        EXPECT_EQ(grid->GetHdColor(), 0xEBEBEB);
        EXPECT_EQ(grid->Head()->Color(), 0xEBEBEB);
        grid->SetSkinName("other");
        EXPECT_EQ(grid->GetHdColor(), 0xEBEBEB) << "another name does not undo the scheme";
    }
}

TEST(VexoGridTest, ColumnTextForm) {
    auto grid = MakeGrid();
    AddColumns(*grid, {{"a"}, {"b", vgInteger}});
    TVGColumn* b = grid->Columns()->Items(1);
    b->SetCaption("numeric");
    b->SetReadOnly(true);
    EXPECT_EQ(b->ToString(), "<TVGColumn FieldName=\"b\" Alignment=\"0\" Caption=\"numeric\" Width=\"50\" "
                             "ReadOnly=\"true\" DataType=\"4\" IsCombo=\"false\" Format=\"\" />\r\n");
    const std::string text = grid->Columns()->ToString();
    EXPECT_EQ(text.rfind("<TVGColumnCollection>\r\n", 0), 0u);
    EXPECT_TRUE(text.ends_with("</TVGColumnCollection>\r\n"));

    // The same text changes nothing (the columns keep their types).
    grid->SetColData(grid->GenerateColData().get());
    EXPECT_EQ(grid->Columns()->Items(1)->DataType(), vgInteger);

    // Captions with the characters the reader decodes round-trip; only name, caption and width
    // come back.
    b->SetCaption("a<b> \"c\" & d");
    b->SetWidth(77);
    auto data = grid->GenerateColData();
    grid->Columns()->Clear();
    grid->SetColData(data.get());
    ASSERT_EQ(grid->Columns()->Count(), 2);
    EXPECT_EQ(grid->Columns()->Items(1)->Caption(), "a<b> \"c\" & d");
    EXPECT_EQ(grid->Columns()->Items(1)->Width(), 77);
    EXPECT_EQ(grid->Columns()->Items(1)->FieldName(), "b");
    EXPECT_EQ(grid->Columns()->Items(1)->DataType(), vgString);
    EXPECT_FALSE(grid->Columns()->Items(1)->ReadOnly());

    TStringList bad;
    bad.SetText("<TVGColumn FieldName=\"x\" width=\"12\" /><TVGColumn FieldName=\"y\" Width=\"wide\" />");
    EXPECT_THROW(grid->SetColData(&bad), EConvertError);
    ASSERT_EQ(grid->Columns()->Count(), 1) << "columns read before the bad one remain";
    EXPECT_EQ(grid->Columns()->Items(0)->Width(), 12);
}

TEST(VexoGridTest, ColumnTextKeepsAnyNameCaptionAndFormat) {
    // Every text the writer puts in an attribute reads back the same, escapes spelt out included.
    const char* texts[] = {"&lt;", "a & b", "&amp;", "<\"&>", "&quot;&gt;", "Año"};
    for (const char* text : texts) {
        auto grid = MakeGrid();
        AddColumns(*grid, {{"a"}});
        TVGColumn* c = grid->Columns()->Items(0);
        c->SetFieldName(text);
        c->SetCaption(text);
        c->SetFormat(text);
        XmlReader reader;
        reader.SetText(c->ToString());
        while (reader.Next() && reader.TagName() != "TVGColumn") {
        }
        EXPECT_EQ(reader.Attribute("Format"), text) << "the format is written, though not read back";
        auto data = grid->GenerateColData();
        grid->Columns()->Clear();
        grid->SetColData(data.get());
        ASSERT_EQ(grid->Columns()->Count(), 1) << text;
        EXPECT_EQ(grid->Columns()->Items(0)->Caption(), text);
        EXPECT_EQ(grid->Columns()->Items(0)->FieldName(), text);
    }
}

TEST(VexoGridTest, RowCode) {
    auto grid = MakeGrid();
    AddColumns(*grid, {{"a"}, {"e", vgMoney}});
    const std::string expected =
        "\tclass grid_dataRow : public TVexoRow\n"
        "\t{\n"
        "\tpublic:\n"
        "\t\tgrid_dataRow( TVexoGrid*grid ) : TVexoRow( grid ), a(this,0),e(this,1)\n"
        "\t\t{}\n"
        "\t\tTVexoDataCol_string   a;\n"
        "\t\tTVexoDataCol_float    e;\n"
        "\t};\n";
    EXPECT_EQ(grid->GenerateRowCode()->GetText(), expected);
    grid->Columns()->Clear();
    auto code = grid->GenerateRowCode();
    ASSERT_EQ(code->Count(), 6);
    EXPECT_EQ(code->Get(3), "\t\tgrid_dataRow( TVexoGrid*grid ) : TVexoRow( grid ), ");
}
