#include "controls/grid/VexoGridRowInfo.h"
#include "framework/core/Exception.h"

#include <gtest/gtest.h>

#include <string>

using namespace vexo;

TEST(VexoGridRowInfoTest, NewRecordHasTheInitialValues) {
    TVexoGrid_rowInfo r;
    EXPECT_FALSE(r.selected());
    EXPECT_FALSE(r.checked());
    EXPECT_FALSE(r.unicolumn());
    EXPECT_FALSE(r.noCheckBox());
    EXPECT_EQ(r.image(), -1);
    EXPECT_EQ(r.rowAttr(), -1);
    EXPECT_EQ(r.backColors(), "");
    for (int i = 0; i < TVexoGrid_rowInfo::MaxCells; ++i) {
        EXPECT_TRUE(r.isNull(i));
        EXPECT_EQ(r.cellText(i), "");
        EXPECT_FALSE(r.joined(i));
        EXPECT_EQ(r.cellAttr(i), -1);
    }
    for (int i = 0; i < TVexoGrid_rowInfo::MaxItemData; ++i)
        EXPECT_EQ(r.itemData(i), "");
    EXPECT_EQ(r.heapBytes(), 0u) << "a fresh record allocates nothing";
}

TEST(VexoGridRowInfoTest, CellsAndRowDataWrittenInAnyOrderReadBack) {
    constexpr int RowData = -1;
    struct Write {
        int col;
        std::string text;
    };
    // Growing, shrinking, emptying and rewriting cells and the RowData (which the buffer keeps
    // ahead of the cells) in the middle of the packed buffer, and outgrowing the record's own room
    // onto the heap.
    const std::string longText(300, 'x');
    const Write writes[] = {{3, "three"},     {0, "zero"},   {RowData, "C001"},   {35, "last"}, {3, ""},
                            {1, "uno"},       {3, "tres"},   {RowData, ""},       {0, ""},      {0, "cero"},
                            {35, "último ñ"}, {2, longText}, {RowData, "código"}, {1, "un"},    {2, "short"},
                            {4, longText},    {0, ""},       {RowData, longText}, {4, ""}};
    TVexoGrid_rowInfo r;
    std::string expected[TVexoGrid_rowInfo::MaxCells], expectedRowData;
    for (const Write& w : writes) {
        if (w.col == RowData) {
            r.setItemData(0, w.text);
            expectedRowData = w.text;
        } else {
            r.setCell(w.col, w.text);
            expected[w.col] = w.text;
        }
        ASSERT_EQ(r.itemData(0), expectedRowData) << "after writing " << w.col;
        for (int i = 0; i < TVexoGrid_rowInfo::MaxCells; ++i)
            ASSERT_EQ(r.cellText(i), expected[i]) << "cell " << i << " after writing " << w.col;
    }
    EXPECT_EQ(r.cellCount(), 36);
}

// A cell or the RowData written from a view of the same row's texts, whose bytes the write
// itself moves.
TEST(VexoGridRowInfoTest, TextsCopiedWithinTheRowReadBack) {
    constexpr int RowData = -1;
    const struct {
        int to, from;
    } copies[] = {{3, 0}, {0, 3}, {RowData, 1}, {1, RowData}, {0, 2}, {2, 2}, {RowData, 3}};
    TVexoGrid_rowInfo r;
    std::string expected[4] = {"uno", "dos dos", std::string(200, 't'), "cuatro"}, expectedRowData = "C1";
    r.setItemData(0, expectedRowData);
    for (int i = 0; i < 4; ++i)
        r.setCell(i, expected[i]);
    for (const auto& c : copies) {
        const std::string text = c.from == RowData ? expectedRowData : expected[c.from];
        const std::string_view view = c.from == RowData ? r.itemData(0) : r.cellText(c.from);
        if (c.to == RowData) {
            r.setItemData(0, view);
            expectedRowData = text;
        } else {
            r.setCell(c.to, view);
            expected[c.to] = text;
        }
        ASSERT_EQ(r.itemData(0), expectedRowData) << c.to << " from " << c.from;
        for (int i = 0; i < 4; ++i)
            ASSERT_EQ(r.cellText(i), expected[i]) << "cell " << i << " after " << c.to << " from " << c.from;
    }
}

// Every length up to past the short-copy limit, between neighbours, each byte distinct: a copy
// that drops, doubles or spills a byte shows here.
TEST(VexoGridRowInfoTest, TextsOfEveryShortLengthReadBackWithTheirNeighbours) {
    for (std::size_t n = 0; n <= 70; ++n) {
        std::string text(n, ' ');
        for (std::size_t i = 0; i < n; ++i)
            text[i] = static_cast<char>('!' + (i * 7 + n) % 90);
        TVexoGrid_rowInfo r;
        r.setCell(0, "left");
        r.setCell(1, text);
        r.setCell(2, "right");
        ASSERT_EQ(r.cellText(0), "left") << n;
        ASSERT_EQ(r.cellText(1), text) << n;
        ASSERT_EQ(r.cellText(2), "right") << n;
    }
}

TEST(VexoGridRowInfoTest, WritesOutsideTheRecordAreRefused) {
    TVexoGrid_rowInfo r;
    EXPECT_THROW(r.setCell(36, "outside"), EListError);
    EXPECT_THROW(r.setCell(-1, "outside"), EListError);
    EXPECT_THROW(r.setNull(36, false), EListError);
    EXPECT_THROW(r.setJoined(40, true), EListError);
    EXPECT_THROW(r.setCellAttr(36, 1), EListError);
    EXPECT_THROW(r.setItemData(10, "x"), EListError);
    EXPECT_EQ(r.cellCount(), 0);
    EXPECT_EQ(r.cellText(36), "");
    EXPECT_TRUE(r.isNull(36));
    EXPECT_EQ(r.itemData(10), "");
}

TEST(VexoGridRowInfoTest, FlagsAndExtrasAreIndependent) {
    TVexoGrid_rowInfo r;
    r.setSelected(true);
    r.setNull(0, false);
    r.setNull(35, false);
    r.setChecked(true);
    r.setNoCheckBox(true);
    r.setUnicolumn(true);
    r.setJoined(1, true);
    r.setCellAttr(4, 2);
    r.setImage(7);
    r.setRowAttr(3);
    r.setItemData(9, "nine");
    r.setItemData(0, "zero");
    r.setBackColors("2:255");
    EXPECT_TRUE(r.selected() && r.checked() && r.noCheckBox() && r.unicolumn());
    EXPECT_FALSE(r.isNull(0));
    EXPECT_FALSE(r.isNull(35));
    EXPECT_TRUE(r.isNull(1));
    EXPECT_TRUE(r.joined(1));
    EXPECT_FALSE(r.joined(0));
    EXPECT_EQ(r.cellAttr(4), 2);
    EXPECT_EQ(r.cellAttr(3), -1);
    EXPECT_EQ(r.image(), 7);
    EXPECT_EQ(r.rowAttr(), 3);
    EXPECT_EQ(r.itemData(9), "nine");
    EXPECT_EQ(r.itemData(5), "");
    EXPECT_EQ(r.itemData(0), "zero");
    EXPECT_EQ(r.backColors(), "2:255");
    r.setAllNull();
    EXPECT_TRUE(r.isNull(0));
    EXPECT_TRUE(r.selected()) << "null flags do not touch the row flags";
}

TEST(VexoGridRowInfoTest, DefaultValuesAllocateNoExtras) {
    TVexoGrid_rowInfo r;
    r.setItemData(0, "");
    r.setImage(-1);
    r.setRowAttr(-1);
    r.setCellAttr(3, -1);
    r.setJoined(2, false);
    r.setBackColors("");
    r.setCell(5, "");
    EXPECT_EQ(r.heapBytes(), 0u);
    // A data-bound row: its code and short cells fit the record itself.
    r.setItemData(0, "C0000001");
    r.setCell(0, "Cliente número 1");
    r.setCell(1, "01/01/2006");
    EXPECT_EQ(r.heapBytes(), 0u);
}
