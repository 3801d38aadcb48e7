#include "framework/stdctrls/TCustomPanel.h"
#include "framework/graphics/SysColors.h"
#include "framework/stdctrls/TPanel.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"
#include "framework/windows/Render.h"
#include "support/WindowTestSupport.h"
#include <gtest/gtest.h>

using namespace vexo;

namespace {

TColor pixel(const QImage& image, int x, int y) {
    return RGB(qRed(image.pixel(x, y)), qGreen(image.pixel(x, y)), qBlue(image.pixel(x, y)));
}

TEST(TCustomPanelTest, ChildrenAlignInsideBevelsAndBorder) {
    TCustomPanel panel(nullptr);
    panel.SetBounds(0, 0, 100, 60);
    auto* child = new RecordingControl(&panel);
    child->SetParent(&panel);
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(), Rect(1, 1, 99, 59)) << "the default raised bevel is one pixel";
    panel.SetBorderWidth(2);
    panel.SetBevelInner(bvLowered);
    EXPECT_EQ(child->BoundsRect(), Rect(4, 4, 96, 56));
    panel.SetBevelOuter(bvNone);
    panel.SetBevelInner(bvNone);
    panel.SetBorderWidth(-5);
    EXPECT_EQ(child->BoundsRect(), Rect(0, 0, 100, 60)) << "a negative border counts as none";
}

TEST(TCustomPanelTest, AutoSizeClosesRoundTheChildrenWithoutAlignment) {
    struct Case {
        int border;
        TRect a, b; // the two children before
        TRect panel, aAfter, bAfter;
    };
    const Case cases[] = {
        // One pixel of bevel and one of border: the children move in by 2, the panel closes round them.
        {1, Rect(0, 0, 168, 114), Rect(0, 0, 10, 10), Rect(5, 7, 177, 125), Rect(2, 2, 170, 116),
         Rect(2, 2, 12, 12)},
        {0, Rect(10, 20, 30, 40), Rect(40, 5, 50, 25), Rect(5, 7, 47, 44), Rect(1, 16, 21, 36),
         Rect(31, 1, 41, 21)},
    };
    for (const Case& c : cases) {
        TCustomPanel panel(nullptr);
        panel.SetBounds(5, 7, 300, 300);
        panel.SetBorderWidth(c.border);
        auto* a = new RecordingControl(&panel);
        a->SetParent(&panel);
        a->SetBoundsRect(c.a);
        auto* b = new RecordingControl(&panel);
        b->SetParent(&panel);
        b->SetBoundsRect(c.b);
        auto* aligned = new RecordingControl(&panel);
        aligned->SetParent(&panel);
        aligned->SetAlign(alTop);
        panel.SetAutoSize(true);
        EXPECT_EQ(panel.BoundsRect(), c.panel) << c.border;
        EXPECT_EQ(a->BoundsRect(), c.aAfter) << c.border;
        EXPECT_EQ(b->BoundsRect(), c.bAfter) << c.border;
    }
}

TEST(TCustomPanelTest, RaisedBevelIsLightAboveAndDarkBelow) {
    TCustomPanel panel(nullptr);
    panel.SetBounds(0, 0, 40, 20);
    const QImage image = RenderToImage(&panel);
    EXPECT_EQ(pixel(image, 5, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(pixel(image, 0, 5), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(pixel(image, 5, 19), ColorToRGB(clBtnShadow));
    EXPECT_EQ(pixel(image, 39, 5), ColorToRGB(clBtnShadow));
    EXPECT_EQ(pixel(image, 5, 5), ColorToRGB(clBtnFace));
}

TEST(TCustomPanelTest, CaptionFollowsTheAlignment) {
    struct Case {
        TAlignment alignment;
        int minLeft, maxLeft;
    } cases[] = {{taLeftJustify, 1, 6}, {taCenter, 30, 60}, {taRightJustify, 60, 99}};
    for (const Case& c : cases) {
        TCustomPanel panel(nullptr);
        panel.SetBounds(0, 0, 100, 30);
        panel.SetCaption("ii");
        panel.Font()->SetColor(clRed);
        panel.SetAlignment(c.alignment);
        const QImage image = RenderToImage(&panel);
        int first = -1;
        for (int x = 0; x < 100 && first < 0; ++x)
            for (int y = 0; y < 30; ++y)
                if (pixel(image, x, y) == clRed) first = x;
        EXPECT_GE(first, c.minLeft) << int(c.alignment);
        EXPECT_LE(first, c.maxLeft) << int(c.alignment);
    }
}

TEST(TCustomPanelTest, PanelWritesOnlyWhatDiffersFromItsDefaults) {
    TPanel panel(nullptr);
    panel.SetName("Panel1");
    EXPECT_EQ(WriteComponentText(&panel),
              "object Panel1: TPanel\n  Left = 0\n  Top = 0\n  Width = 185\n  Height = 41\nend\n");
    panel.SetAlignment(taLeftJustify);
    panel.SetBevelOuter(bvLowered);
    panel.SetCaption("Total");
    const std::string text = WriteComponentText(&panel);
    TPanel back(nullptr);
    ReadComponentText(text, &back);
    EXPECT_EQ(back.Alignment(), taLeftJustify);
    EXPECT_EQ(back.BevelOuter(), bvLowered);
    EXPECT_EQ(back.Caption(), "Total");
    EXPECT_EQ(WriteComponentText(&back), text);
}

} // namespace
