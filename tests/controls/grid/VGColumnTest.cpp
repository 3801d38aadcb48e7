#include "controls/grid/GridTestSupport.h"

#include <gtest/gtest.h>

using namespace vexo;

TEST(VGColumnTest, DefaultsOfANewColumn) {
    auto grid = MakeGrid();
    TVGColumn* c = grid->Columns()->Add();
    EXPECT_EQ(c->Alignment(), taLeftJustify);
    EXPECT_EQ(c->Width(), 50);
    EXPECT_FALSE(c->ReadOnly());
    EXPECT_EQ(c->DataType(), vgString);
    EXPECT_FALSE(c->IsCombo());
    EXPECT_EQ(c->CharCase(), ecNormal);
    EXPECT_EQ(c->GetComboCount(), 0);
    EXPECT_EQ(c->GetDisplayName(), "TVGColumn");
    c->SetCaption("total");
    EXPECT_EQ(c->GetDisplayName(), "total");
}

TEST(VGColumnTest, DataTypeSetsFormatAndChoices) {
    struct Case {
        VGDataType type;
        std::string format;
        int choices;
    };
    const Case cases[] = {{vgDate, "DD/MM/YYYY", 0}, {vgTime, "HH:MM", 0}, {vgBoolean, "", 2},
                          {vgInteger, "", 0},        {vgMoney, "", 0},     {vgString, "", 0}};
    for (const Case& k : cases) {
        TVGColumn c;
        c.SetFormat("custom");
        c.add("x", "y");
        c.SetDataType(k.type);
        if (k.type == vgString) { // unchanged type keeps custom settings
            EXPECT_EQ(c.Format(), "custom");
            EXPECT_EQ(c.GetComboCount(), 1);
            continue;
        }
        EXPECT_EQ(c.Format(), k.format) << k.type;
        EXPECT_EQ(c.GetComboCount(), k.choices) << k.type;
    }
    TVGColumn b;
    b.SetDataType(vgBoolean);
    EXPECT_EQ(b.getComboText("true"), "sí");
    EXPECT_EQ(b.getComboText("false"), "no");
    EXPECT_EQ(b.getComboText("TRUE"), "TRUE");
    b.SetDataType(vgString);
    b.SetDataType(vgBoolean);
    EXPECT_EQ(b.GetComboCount(), 2);
}

namespace {
struct CountingGrid : TVexoGrid {
    using TVexoGrid::TVexoGrid;
    int layouts = 0;
    void OnUpdateColumns() override { ++layouts; }
};
} // namespace

TEST(VGColumnTest, SettersNotifyButAssignDoesNot) {
    CountingGrid grid(nullptr);
    grid.SetBounds(0, 0, 300, 100);
    grid.HandleNeeded();
    TVGColumn* c = grid.Columns()->Add();
    const int afterAdd = grid.layouts;
    c->SetWidth(c->Width()); // same value still notifies
    EXPECT_EQ(grid.layouts, afterAdd + 1);
    c->SetDataType(vgString); // same type does not
    EXPECT_EQ(grid.layouts, afterAdd + 1);

    TVGColumn source;
    source.SetDataType(vgDate);
    source.SetFormat("DD-MM");
    source.SetFieldName("c");
    source.add("t", "v");
    c->Assign(&source);
    EXPECT_EQ(grid.layouts, afterAdd + 1);
    EXPECT_EQ(c->DataType(), vgDate);
    EXPECT_EQ(c->Format(), "DD-MM");
    EXPECT_EQ(c->FieldName(), "c");
    EXPECT_EQ(c->getComboText("v"), "t");
}

TEST(VGColumnTest, StretchedColumnThroughTheColumn) {
    auto grid = MakeGrid(400, 100);
    AddColumns(*grid, {{"a", vgString, 100}, {"b", vgString, 50}, {"", vgString, 30}});
    TVGColumn* a = grid->Columns()->Items(0);
    TVGColumn* b = grid->Columns()->Items(1);
    TVGColumn* unnamed = grid->Columns()->Items(2);

    a->SetIsCol100x100(true);
    EXPECT_TRUE(a->GetIsCol100x100());
    EXPECT_EQ(a->Width(), 400 - 2 - 50 - 30);
    b->SetIsCol100x100(false); // clears whichever column held it
    EXPECT_EQ(grid->GetCol100x100(), "");
    unnamed->SetIsCol100x100(true);
    EXPECT_FALSE(unnamed->GetIsCol100x100());
    EXPECT_EQ(grid->GetCol100x100(), "");
    TVGColumn loose;
    loose.SetFieldName("x");
    loose.SetIsCol100x100(true);
    EXPECT_FALSE(loose.GetIsCol100x100());
}
