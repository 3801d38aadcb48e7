#include "controls/grid/GridTestSupport.h"

#include "controls/grid/VexoRow.h"
#include "values/VexoConvert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

using namespace vexo;

namespace {

// The sample form's row class, as the row-code generator writes it for a grid named grid.
class grid_dataRow : public TVexoRow {
public:
    grid_dataRow(TVexoGrid* grid)
        : TVexoRow(grid), a(this, 0), b(this, 1), c(this, 2), d(this, 3), e(this, 4) {}
    TVexoDataCol_string a;
    TVexoDataCol_integer b;
    TVexoDataCol_date c;
    TVexoDataCol_string d;
    TVexoDataCol_float e;
};

// The sample form's grid, built in code exactly as its form file stores it.
std::unique_ptr<TVexoGrid> SampleGrid() {
    auto grid = MakeGrid(606, 238 - 18);
    grid->SetRowHeight(15);
    grid->SetEditable(true);
    grid->AttrUnicolumn()->SetColorSel(clBlack);
    for (int i = 0; i < TFontAttrs::Count; ++i)
        grid->FontAttrs()->Attr(i)->SetColorSel(clBlack);
    struct Col {
        const char* field;
        const char* caption;
        int width;
        VGDataType type;
    };
    const Col cols[] = {{"a", "indication", 130, vgString},
                        {"b", "numeric", 50, vgInteger},
                        {"c", "date", 90, vgDate},
                        {"d", "some data", 223, vgString},
                        {"e", "total", 80, vgFloat}};
    for (const Col& def : cols) {
        TVGColumn* col = grid->Columns()->Add();
        col->SetFieldName(def.field);
        col->SetCaption(def.caption);
        col->SetWidth(def.width);
        col->SetDataType(def.type);
    }
    grid->Columns()->Items(1)->SetReadOnly(true);
    grid->Columns()->Items(2)->SetFormat("DD/MM/YYYY");
    grid->Columns()->Items(4)->SetAlignment(taRightJustify);
    grid->SetCol100x100("some");
    grid->OnRowNeedData = [g = grid.get()](int row) {
        g->Columns()->Items(1)->SetReadOnly(g->GetRowData(row) == "RO");
    };
    return grid;
}

} // namespace

TEST(VexoRowTest, SampleFormRows) {
    auto grid = SampleGrid();
    const std::string sentence = "Con cien cañones por banda, viento en popa a toda vela";
    const sDB_date date(1, 10, 2006);
    grid_dataRow row(grid.get());
    const struct {
        const char* a;
        const char* data;
        int b;
        double e;
    } rows[] = {{"row normal", "", 10, 1000.5},
                {"row normal", "", 11, 1100.0},
                {"numeric is Read-only", "RO", 12, 1200.0},
                {"row normal", "", 13, 1300.0},
                {"row normal", "", 14, 1400.0},
                {"row normal", "", 15, 1500.4}};
    for (const auto& r : rows) {
        row.Append();
        row.a = r.a;
        if (*r.data) row.SetItemData(0, r.data);
        row.b = r.b;
        row.c = date;
        row.d = sentence;
        row.e = r.e;
    }
    const char* totals[] = {"1000,50", "1100,00", "1200,00", "1300,00", "1400,00", "1500,40"};
    ASSERT_EQ(grid->GetRowCount(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(grid->GetString(i, 0), rows[i].a);
        EXPECT_EQ(grid->GetString(i, 1), std::to_string(10 + i));
        EXPECT_EQ(grid->GetString(i, 2), "01/10/2006");
        EXPECT_EQ(grid->GetString(i, 3), sentence);
        EXPECT_EQ(grid->GetString(i, 4), totals[i]);
        EXPECT_EQ(grid->GetRowData(i), rows[i].data);
    }
    EXPECT_EQ(grid->GetRowIndex(), -1);
    EXPECT_EQ(grid->GetRowTop(), 0);
    EXPECT_EQ(grid->GetCol100x100(), "") << "the stored \"some\" names no column";
    const int widths[] = {130, 50, 90, 223, 80};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(grid->Columns()->Items(i)->Width(), widths[i]);
    EXPECT_TRUE(grid->Columns()->Items(1)->ReadOnly());

    for (int i : {2, 3, 2, 0}) {
        grid->OnRowNeedData(i);
        EXPECT_EQ(grid->Columns()->Items(1)->ReadOnly(), i == 2) << "row " << i;
    }
}

TEST(VexoRowTest, BindingAndRowOperations) {
    auto grid = MakeGrid();
    AddColumns(*grid, {{"s"}, {"n", vgInteger}});
    TVexoRow row(grid.get());
    EXPECT_EQ(row.Position(), TVexoRow::LastRow);
    EXPECT_FALSE(row.IsUnicolumn());
    row.SetUnicolumnText("nothing to write into");
    EXPECT_EQ(grid->GetRowCount(), 0);

    row.Append();
    EXPECT_EQ(row.GetAsString(0), "") << "appended cells are null";
    row.Append();
    row.SetAsString(0, "last");
    EXPECT_EQ(grid->GetString(1, 0), "last");
    row.MoveTo(0);
    row.SetAsInteger(1, -42);
    EXPECT_EQ(grid->GetString(0, 1), "-42");
    EXPECT_EQ(row.GetAsInteger(1), -42);
    grid->SetRowIndex(1);
    row.MoveTo(TVexoRow::CurrentRow);
    EXPECT_EQ(row.RowIndex(), 1) << "resolved when moving";
    row.SetUnicolumn(true);
    row.SetUnicolumnText("title");
    EXPECT_TRUE(row.IsUnicolumn());
    EXPECT_EQ(grid->GetString(1, 0), "title");
    row.SetNull(0, true);
    EXPECT_EQ(grid->GetString(1, 0), "");
    row.MoveTo(7);
    EXPECT_FALSE(row.IsUnicolumn());
    EXPECT_THROW(row.SetAsString(0, "x"), EListError);
}

TEST(VexoRowTest, HooksAreCalledForDataRowsOnly) {
    struct Hooked : TVexoRow {
        using TVexoRow::TVexoRow;
        std::vector<std::string> calls;
        void OnRowLoaded() override { calls.push_back("loaded " + std::to_string(RowIndex())); }
        void OnRowStore() override { calls.push_back("store " + std::to_string(RowIndex())); }
    };
    auto grid = MakeGrid();
    AddColumns(*grid, {{"s"}});
    Hooked row(grid.get());
    row.Store(); // bound to the last row of an empty grid: no row
    row.Append();
    row.Append();
    row.SetUnicolumn(true);
    row.Store();
    row.MoveTo(1);
    row.MoveTo(0);
    row.Store();
    row.MoveTo(5);
    row.Store();
    row.MoveTo(TVexoRow::CurrentRow); // the grid has no current row
    row.Store();
    EXPECT_EQ(row.calls, (std::vector<std::string>{"loaded 0", "loaded 1", "loaded 0", "store 0"}));
}

TEST(VexoRowTest, TypedConversionsAndTypeChecks) {
    auto grid = MakeGrid();
    AddColumns(*grid, {{"s"},
                       {"d", vgDate},
                       {"t", vgTime},
                       {"b", vgBoolean},
                       {"i", vgInteger},
                       {"f", vgFloat},
                       {"m", vgMoney}});
    TVexoRow row(grid.get());
    row.Append();
    row.SetAsDate(1, sDB_date(5, 1, 2006));
    row.SetAsTime(2, sDB_time(9, 5));
    row.SetAsString(3, "true");
    row.SetAsString(4, "12x");
    row.SetAsFloat(5, 1000.5);
    row.SetAsFloat(6, 1000.5);
    row.SetAsFloat(0, 1234567.891);
    const char* texts[] = {"1.234.567,89", "05/01/2006", "09:05", "true", "12x", "1000,50", "1.000,50"};
    for (int col = 0; col < 7; ++col)
        EXPECT_EQ(grid->GetString(0, col), texts[col]) << col;
    EXPECT_EQ(row.GetAsDate(1).text(), "05/01/2006");
    EXPECT_EQ(row.GetAsTime(2).text(), "09:05");
    EXPECT_TRUE(row.GetAsBoolean(3));
    EXPECT_EQ(row.GetAsInteger(4), 0) << "not an integer";
    EXPECT_DOUBLE_EQ(row.GetAsFloat(5), 1000.5);
    EXPECT_DOUBLE_EQ(row.GetAsMoney(6), 1000.5);
    TVexoDataCol_float money(&row, 6), number(&row, 5);
    EXPECT_DOUBLE_EQ(money.Get(), 1000.5);
    number = 2.5;
    EXPECT_EQ(grid->GetString(0, 5), "2,50");

    struct Mismatch {
        int col;
        VGDataType expected;
        std::function<void()> call;
    };
    const std::vector<Mismatch> mismatches = {
        {1, vgString, [&] { row.GetAsString(1); }},   {0, vgDate, [&] { row.GetAsDate(0); }},
        {0, vgTime, [&] { row.GetAsTime(0); }},       {0, vgBoolean, [&] { row.GetAsBoolean(0); }},
        {5, vgInteger, [&] { row.GetAsInteger(5); }}, {6, vgFloat, [&] { row.GetAsFloat(6); }},
        {5, vgMoney, [&] { row.GetAsMoney(5); }},
    };
    for (const Mismatch& m : mismatches) {
        try {
            m.call();
            ADD_FAILURE() << "no exception for column " << m.col;
        } catch (const VGException& e) {
            EXPECT_EQ(e.Message, "grid col=" + std::to_string(m.col) + " Tipo de datos erróneo " +
                                     std::to_string(m.expected));
        }
    }
}

// Dates, integers and floats are written in their stored text forms for every value, odd ones
// included, both into a row being filled (the setter writes into the cell itself) and over a
// value already there (through a buffer).
TEST(VexoRowTest, WrittenTextsMatchTheConversions) {
    auto grid = MakeGrid();
    AddColumns(*grid, {{"d", vgDate}, {"f", vgFloat}, {"m", vgMoney}, {"i", vgInteger}});
    TVexoRow row(grid.get());
    const auto last = [&](int col) { return grid->GetString(grid->GetRowCount() - 1, col); };
    const sDB_date dates[] = {{1, 10, 2006},  {0, 0, 0},     {31, 2, 2006}, {5, 13, 999}, {-1, 1, 2000},
                              {100, 1, 2000}, {1, 1, 10000}, {9, 9, 9999},  {12, -3, 5}};
    for (const sDB_date& d : dates) {
        for (int pass = 0; pass < 2; ++pass) {
            if (pass == 0) row.Append();
            row.SetAsDate(0, d);
            EXPECT_EQ(last(0), d.text()) << d.day << "/" << d.month << "/" << d.year << " pass " << pass;
        }
    }
    for (int v : {0, -1, 7, 2147483647, -2147483647 - 1}) {
        row.Append();
        row.SetAsDate(0, dates[0]);
        row.SetAsFloat(1, 0);
        row.SetAsFloat(2, 0);
        for (int pass = 0; pass < 2; ++pass) {
            row.SetAsInteger(3, v);
            EXPECT_EQ(last(3), intToText(v)) << "pass " << pass;
        }
    }
    // Exact binary ties (0.125, 0.375, 2.5e-2 * 5), values just either side of a half hundredth,
    // both sides of the widest value the setter rounds itself, and the non-finite ones.
    std::vector<double> values = {0.0,
                                  -0.0,
                                  -0.001,
                                  0.005,
                                  0.015,
                                  2.675,
                                  0.125,
                                  0.375,
                                  -0.625,
                                  0.995,
                                  -0.004999,
                                  1.005,
                                  1000.5,
                                  -1234567.891,
                                  9999999999999.995,
                                  std::nextafter(1e13, 0.0),
                                  1e13,
                                  1e15,
                                  1e300,
                                  -1e-300,
                                  4.9e-324,
                                  std::numeric_limits<double>::quiet_NaN(),
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity()};
    std::uint64_t seed = 20061001;
    for (int i = 0; i < 2000; ++i) {
        seed = seed * 6364136223846793005u + 1442695040888963407u;
        const double magnitude = std::pow(10.0, static_cast<double>(seed >> 60) - 3);
        values.push_back((static_cast<double>(seed >> 11) / 9007199254740992.0 - 0.5) * magnitude);
        values.push_back(static_cast<double>((seed >> 20) % 200000) / 1000.0 + 0.005); // near ties
    }
    for (double v : values) {
        row.Append();
        row.SetAsDate(0, dates[0]);
        for (int pass = 0; pass < 2; ++pass) {
            row.SetAsFloat(1, v);
            EXPECT_EQ(last(1), floatToText(2, v)) << v << " pass " << pass;
        }
        row.SetAsFloat(2, v);
        EXPECT_EQ(last(2), moneyToText(v)) << v;
    }
}
