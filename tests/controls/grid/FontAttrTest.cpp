#include "controls/grid/FontAttr.h"

#include "framework/graphics/TCanvas.h"

#include <gtest/gtest.h>

using namespace vexo;

TEST(FontAttrTest, ApplyToSetsTheStateColoursAndKeepsTheBackgroundForClNone) {
    TFontAttr attr;
    attr.SetColor(clRed);
    attr.SetColorSel(clYellow);
    attr.SetBackColorSel(clNavy);
    attr.SetStyles(TFontStyles{fsItalic});
    struct Case {
        bool selected;
        TColor font, brush;
    };
    const Case cases[] = {{false, clRed, clGreen}, {true, clYellow, clNavy}};
    for (const Case& c : cases) {
        TCanvas canvas;
        canvas.Brush()->SetColor(clGreen);
        canvas.Pen()->SetColor(clGreen);
        attr.ApplyTo(&canvas, c.selected);
        EXPECT_EQ(canvas.Font()->Color(), c.font);
        EXPECT_EQ(canvas.Brush()->Color(), c.brush);
        EXPECT_EQ(canvas.Pen()->Color(), c.brush);
        EXPECT_TRUE(canvas.Font()->Style().Contains(fsItalic));
    }
}

TEST(FontAttrTest, AssignCopiesSetsOnly) {
    TFontAttr source;
    source.SetColor(1);
    source.SetColorSel(2);
    source.SetBackColor(3);
    source.SetBackColorSel(4);
    source.SetStyles(TFontStyles{fsBold});
    TFontAttrs attrs;
    attrs.SetAttr2(&source);
    const TFontAttr* a = attrs.Attr(2);
    EXPECT_EQ(a->Color(), 1);
    EXPECT_EQ(a->ColorSel(), 2);
    EXPECT_EQ(a->BackColor(), 3);
    EXPECT_EQ(a->BackColorSel(), 4);
    EXPECT_EQ(a->Styles(), TFontStyles{fsBold});
    EXPECT_EQ(attrs.Attr(0)->Color(), clBlack) << "the other sets keep their defaults";
    EXPECT_EQ(attrs.Attr(0)->ColorSel(), TFontAttr::DefaultColorSel);
    EXPECT_EQ(attrs.Attr(5), nullptr);
    TFontAttrs copy;
    copy.Assign(&attrs);
    EXPECT_EQ(copy.Attr2()->BackColorSel(), 4);
    TFontAttr unchanged;
    unchanged.Assign(&attrs); // not a single set: ignored
    EXPECT_EQ(unchanged.Color(), clBlack);
}
