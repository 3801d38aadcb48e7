#include "framework/TCustomPanel.h"
#include "framework/Render.h"
#include "framework/SysColors.h"
#include "framework/WindowTestSupport.h"
#include <gtest/gtest.h>

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

} // namespace
