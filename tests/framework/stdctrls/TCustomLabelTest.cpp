#include "framework/graphics/SysColors.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TCanvas.h"
#include "framework/stdctrls/TCustomPanel.h"
#include "framework/stdctrls/TLabel.h"
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

// The columns holding any pixel of color inside r; empty when none does.
std::pair<int, int> inkColumns(const QImage& image, const TRect& r, TColor color) {
    int first = -1, last = -1;
    for (int x = r.Left; x < r.Right; ++x)
        for (int y = r.Top; y < r.Bottom; ++y)
            if (pixel(image, x, y) == ColorToRGB(color)) {
                if (first < 0) first = x;
                last = x;
            }
    return {first, last};
}

int textWidth(const std::string& text) {
    TBitmap b;
    b.SetSize(1, 1);
    return b.Canvas()->TextWidth(text);
}

TEST(TCustomLabelTest, AutoSizeFollowsTheCaption) {
    TLabel label(nullptr);
    label.SetBounds(100, 10, 65, 17);
    label.SetCaption("Hello");
    EXPECT_EQ(label.Width(), textWidth("Hello"));
    EXPECT_EQ(label.Height(), 13);
    EXPECT_EQ(label.Left(), 100);

    label.SetAlignment(taRightJustify);
    const int right = label.Left() + label.Width();
    label.SetCaption("Hello, world");
    EXPECT_EQ(label.Left() + label.Width(), right) << "a right-aligned label keeps its right edge";

    label.SetCaption("");
    EXPECT_EQ(label.Height(), 13) << "an empty caption still takes one line";
    EXPECT_GT(label.Width(), 0);

    label.SetCaption("&Name");
    const int prefixed = label.Width();
    label.SetShowAccelChar(false);
    EXPECT_GT(label.Width(), prefixed) << "without the prefix the & is drawn";

    label.SetAutoSize(false);
    label.SetBounds(0, 0, 50, 40);
    label.SetCaption("a much longer caption than fits");
    EXPECT_EQ(label.Width(), 50);
    EXPECT_EQ(label.Height(), 40);
}

TEST(TCustomLabelTest, WordWrapKeepsTheWidthAndGrowsDown) {
    TLabel label(nullptr);
    label.SetWordWrap(true);
    label.SetAutoSize(false);
    label.SetBounds(0, 0, textWidth("alpha beta") + 2, 13);
    label.SetAutoSize(true);
    label.SetCaption("alpha beta gamma delta");
    EXPECT_LE(label.Width(), textWidth("alpha beta") + 2);
    EXPECT_GE(label.Height(), 26) << "the caption breaks into lines";
}

struct LabelOnPanel {
    TCustomPanel panel{nullptr};
    TLabel* label;
    LabelOnPanel() {
        panel.SetBevelOuter(bvNone);
        panel.SetBounds(0, 0, 120, 40);
        label = new TLabel(&panel);
        label->SetParent(&panel);
        label->SetAutoSize(false);
        label->SetBounds(10, 5, 100, 30);
        label->SetCaption("WWW");
        label->Font()->SetColor(clRed);
    }
};

TEST(TCustomLabelTest, PaintsAlignedAndLaidOutText) {
    struct Case {
        TAlignment alignment;
        TTextLayout layout;
    } cases[] = {{taLeftJustify, tlTop}, {taRightJustify, tlBottom}, {taCenter, tlCenter}};
    for (const Case& c : cases) {
        LabelOnPanel s;
        s.label->SetAlignment(c.alignment);
        s.label->SetLayout(c.layout);
        const QImage image = RenderToImage(&s.panel);
        const auto [first, last] = inkColumns(image, Rect(0, 0, 120, 40), clRed);
        ASSERT_GE(first, 0) << "alignment " << int(c.alignment);
        const int w = textWidth("WWW");
        const int expectedLeft = c.alignment == taLeftJustify    ? 10
                                 : c.alignment == taRightJustify ? 110 - w
                                                                 : 10 + (100 - w) / 2;
        EXPECT_NEAR(first, expectedLeft, 2) << "alignment " << int(c.alignment);
        EXPECT_LT(last, 110);
        int top = -1, bottom = -1;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 120; ++x)
                if (pixel(image, x, y) == clRed) {
                    if (top < 0) top = y;
                    bottom = y;
                }
        if (c.layout == tlTop) {
            EXPECT_LT(top, 5 + 6);
        } else if (c.layout == tlBottom) {
            EXPECT_GT(bottom, 35 - 6);
        } else {
            EXPECT_NEAR((top + bottom) / 2, 20, 3);
        }
        EXPECT_EQ(pixel(image, 12, 33), ColorToRGB(clBtnFace))
            << "an opaque label paints its parent's colour";
    }
}

TEST(TCustomLabelTest, ColourTransparencyAndDisabledText) {
    LabelOnPanel s;
    s.label->SetColor(clYellow);
    QImage image = RenderToImage(&s.panel);
    EXPECT_EQ(pixel(image, 108, 33), clYellow);
    EXPECT_EQ(pixel(image, 5, 5), ColorToRGB(clBtnFace));
    s.label->SetTransparent(true);
    image = RenderToImage(&s.panel);
    EXPECT_EQ(pixel(image, 108, 33), ColorToRGB(clBtnFace)) << "a transparent label leaves the background";

    s.label->SetEnabled(false);
    image = RenderToImage(&s.panel);
    EXPECT_LT(inkColumns(image, Rect(0, 0, 120, 40), clRed).first, 0)
        << "disabled text is not in the font colour";
    EXPECT_GE(inkColumns(image, Rect(0, 0, 120, 40), ColorToRGB(clBtnShadow)).first, 10);
    EXPECT_GE(inkColumns(image, Rect(0, 0, 120, 40), ColorToRGB(clBtnHighlight)).first, 11)
        << "the embossed highlight lies one pixel right and down";
}

TEST(TCustomLabelTest, FormFilesAndFocusControl) {
    TCustomPanel panel(nullptr);
    panel.SetName("Host");
    TLabel* label = new TLabel(&panel);
    label->SetName("Label1");
    label->SetParent(&panel);
    {
        auto* target = new RecordingControl(&panel);
        label->SetFocusControl(target);
        EXPECT_EQ(label->FocusControl(), target);
        delete target;
    }
    EXPECT_EQ(label->FocusControl(), nullptr) << "a destroyed control is forgotten";

    label->SetCaption("Name:");
    label->SetAlignment(taRightJustify);
    label->SetLayout(tlCenter);
    label->SetWordWrap(true);
    label->SetTransparent(true);
    const std::string text = WriteComponentText(label);
    EXPECT_NE(text.find("Alignment = taRightJustify"), std::string::npos) << text;
    EXPECT_NE(text.find("Layout = tlCenter"), std::string::npos) << text;
    EXPECT_EQ(text.find("ParentColor"), std::string::npos) << "the parent's colour is the default";
    EXPECT_EQ(text.find("AutoSize"), std::string::npos) << text;
    TLabel back(nullptr);
    ReadComponentText(text, &back);
    EXPECT_EQ(back.Caption(), "Name:");
    EXPECT_TRUE(back.WordWrap());
    EXPECT_TRUE(back.Transparent());
    EXPECT_EQ(WriteComponentText(&back), text);
}

} // namespace
