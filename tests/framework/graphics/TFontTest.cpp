#include "framework/graphics/TFont.h"
#include "framework/graphics/FontMapping_p.h"
#include "framework/graphics/SysColors.h"
#include "framework/graphics/TBrush.h"
#include <QFont>
#include <gtest/gtest.h>

using namespace vexo;

namespace {

TEST(TFontTest, PointsAndPixelHeights) {
    const struct { int size, height; } cases[] = {{8, -11}, {9, -12}, {10, -13}, {12, -16}, {0, 0}};
    for (auto c : cases) {
        EXPECT_EQ(FontSizeToHeight(c.size), c.height) << c.size;
        EXPECT_EQ(FontHeightToSize(c.height), c.size) << c.height;
    }
    TFont f;
    EXPECT_EQ(f.Name(), "MS Sans Serif");
    EXPECT_EQ(f.Height(), -11);
    EXPECT_EQ(f.Size(), 8);
    EXPECT_EQ(f.Color(), clWindowText);
}

TEST(TFontTest, OnChangeFiresOnRealChangesOnly) {
    TFont f;
    int changes = 0;
    f.OnChange = [&](TGraphicsObject* sender) {
        EXPECT_EQ(sender, &f);
        ++changes;
    };
    f.SetSize(8); // already 8 points
    f.SetColor(clWindowText);
    EXPECT_EQ(changes, 0);
    f.SetStyle(TFontStyles{fsBold, fsItalic});
    f.SetName("Arial");
    f.SetSize(10);
    EXPECT_EQ(changes, 3);
    TFont other;
    other.Assign(f);
    EXPECT_TRUE(other == f);
    f.Assign(other);
    EXPECT_EQ(changes, 3) << "assigning equal values is no change";
}

TEST(TFontTest, LogFontRoundTrip) {
    TFont f;
    f.SetStyle(TFontStyles{fsBold, fsUnderline});
    f.SetOrientation(900);
    const LOGFONT lf = f.LogFont();
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfUnderline, 1);
    EXPECT_EQ(lf.lfEscapement, 900);
    TFont g;
    g.SetColor(clRed);
    g.SetLogFont(lf);
    EXPECT_EQ(g.Style(), f.Style());
    EXPECT_EQ(g.Orientation(), 900);
    EXPECT_EQ(g.Color(), clRed) << "a logical font has no colour";
}

TEST(TFontTest, FaceNamesMapToInstalledFonts) {
    const struct {
        const char* face;
        const char* family;
    } cases[] = {
        {"MS Sans Serif", "Liberation Sans"},
        {"default", "Liberation Sans"},
        {"Arial", "Liberation Sans"},
        {"Tahoma", "DejaVu Sans"},
        {"Verdana", "DejaVu Sans"},
        {"Courier New", "Liberation Mono"},
        {"Times New Roman", "Liberation Serif"},
        {"No Such Face", "Liberation Sans"},
    };
    for (auto c : cases)
        EXPECT_EQ(MappedFontFamily(c.face), c.family) << c.face;
    EXPECT_EQ(MappedFontFamily("No Such Face", FIXED_PITCH), "Liberation Mono");
    LOGFONT lf;
    lf.lfHeight = -11;
    lf.lfFaceName = "MS Sans Serif";
    lf.lfWeight = FW_BOLD;
    const QFont q = LogFontToQFont(lf);
    EXPECT_EQ(q.pixelSize(), 11);
    EXPECT_TRUE(q.bold());
    EXPECT_EQ(q.family(), "Liberation Sans");
}

TEST(TFontTest, StyleSetOperators) {
    TFontStyles s;
    s << fsBold << fsStrikeOut;
    EXPECT_TRUE(s.Contains(fsBold));
    EXPECT_FALSE(s.Contains(fsItalic));
    s >> fsBold;
    EXPECT_EQ(s, TFontStyles{fsStrikeOut});
    EXPECT_EQ(TFontStyles({fsBold}) + TFontStyles({fsItalic}), TFontStyles({fsBold, fsItalic}));
    EXPECT_EQ(TFontStyles({fsBold, fsItalic}) - TFontStyles({fsBold}), TFontStyles({fsItalic}));
    EXPECT_STREQ(FontStyleName(fsStrikeOut), "fsStrikeOut");
}

TEST(TFontTest, SystemColoursResolveThroughTheReplaceablePalette) {
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(10, 36, 106));
    EXPECT_EQ(ColorToRGB(clInfoBk), RGB(255, 255, 225));
    EXPECT_EQ(ColorToRGB(clRed), clRed);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
    EXPECT_EQ(GetSysColor(99), clBlack);
    TSysPalette p = SysPalette();
    p[15] = clRed;
    SetSysPalette(p);
    EXPECT_EQ(ColorToRGB(clBtnFace), clRed);
    ResetSysPalette();
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
}

TEST(TFontTest, BrushColourClearsAndRestoresTheStyle) {
    TBrush b;
    b.SetStyle(bsClear);
    b.SetColor(clRed);
    EXPECT_EQ(b.Style(), bsSolid) << "a colour makes a clear brush solid";
    b.SetColor(clNone);
    EXPECT_EQ(b.Style(), bsClear);
}

} // namespace
