#include "controls/misc/VexoLabel.h"
#include "controls/misc/MiscProperties.h"
#include "framework/graphics/TFont.h"
#include "framework/streaming/ClassRegistry.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"
#include "framework/windows/Render.h"
#include "framework/windows/TForm.h"
#include "support/PixelSurface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

using namespace vexo;

namespace {

constexpr TColor Face = 0xFFFFFF;
constexpr TColor Ink = 0xFF0000;
constexpr TColor FormColor = 0x808080;
constexpr int X = 10, Y = 10;

struct LabelOnForm {
    TForm form{nullptr};
    TVexoLabel* label;
    LabelOnForm() {
        form.SetBounds(0, 0, 200, 200);
        form.SetColor(FormColor);
        label = new TVexoLabel(&form);
        label->SetParent(&form);
        label->SetColor(Face);
        label->Font()->SetColor(Ink);
    }
    // The label's own pixels.
    PixelSurface picture() {
        return PixelSurface(RenderToImage(&form).copy(X, Y, label->Width(), label->Height()));
    }
    TSize captionSize() const { return MeasureTextLine(*label->Font(), label->Caption()); }
};

} // namespace

TEST(VexoLabelTest, CaptionLiesInTheCellItsDirectionAndAlignmentsGive) {
    constexpr int W = 60, H = 120;
    struct Case {
        TTextDirection d;
        TAlignment a;
        TVAlignment v;
        std::function<TRect(int cx, int cy)> cell;
    };
    const Case cases[] = {
        {ttdLeftToRight, taLeftJustify, tvaTopJustify, [](int cx, int cy) { return Rect(0, 0, cx, cy); }},
        {ttdLeftToRight, taRightJustify, tvaBottomJustify,
         [](int cx, int cy) { return Rect(W - cx, H - cy, W, H); }},
        {ttdLeftToRight, taCenter, tvaCenter,
         [](int cx, int cy) { return Bounds((W - cx) / 2, (H - cy) / 2, cx, cy); }},
        // Read downward: the letters' tops face right, "top" is the right edge, "left" the top.
        {ttdUpToBottom, taLeftJustify, tvaTopJustify, [](int cx, int cy) { return Rect(W - cy, 0, W, cx); }},
        {ttdUpToBottom, taRightJustify, tvaBottomJustify,
         [](int cx, int cy) { return Rect(0, H - cx, cy, H); }},
        {ttdUpToBottom, taCenter, tvaCenter,
         [](int cx, int cy) {
             return Rect((W + cy) / 2 - cy, (H - cx) / 2, (W + cy) / 2, (H - cx) / 2 + cx);
         }},
        // Read upward: the letters' tops face left, "top" is the left edge, "left" the bottom.
        {ttdBottomToUp, taLeftJustify, tvaTopJustify, [](int cx, int cy) { return Rect(0, H - cx, cy, H); }},
        {ttdBottomToUp, taRightJustify, tvaBottomJustify,
         [](int cx, int cy) { return Rect(W - cy, 0, W, cx); }},
        {ttdBottomToUp, taCenter, tvaCenter,
         [](int cx, int cy) {
             return Rect((W - cy) / 2, (H + cx) / 2 - cx, (W - cy) / 2 + cy, (H + cx) / 2);
         }},
    };
    for (const Case& c : cases) {
        const std::string name = "direction " + std::to_string(c.d) + ", alignment " + std::to_string(c.a) +
                                 ", vertical " + std::to_string(c.v);
        LabelOnForm f;
        f.label->SetAutoSize(false);
        f.label->SetCaption("Etiqueta");
        f.label->SetBounds(X, Y, W, H);
        f.label->setTextDirection(c.d);
        f.label->SetAlignment(c.a);
        f.label->setTextVAlignment(c.v);
        f.label->SetTransparent(true); // does not change the painting
        const TSize t = f.captionSize();
        const TRect cell = c.cell(t.cx, t.cy);
        PixelSurface p = f.picture();
        EXPECT_EQ(p.count(FormColor), 0) << name << ": the background is filled";
        const TRect ink = p.inkBounds(Face);
        ASSERT_FALSE(ink.IsEmpty()) << name;
        EXPECT_TRUE(ink.Left >= cell.Left && ink.Right <= cell.Right && ink.Top >= cell.Top &&
                    ink.Bottom <= cell.Bottom)
            << name << ": ink " << ink.Left << "," << ink.Top << "," << ink.Right << "," << ink.Bottom
            << " cell " << cell.Left << "," << cell.Top << "," << cell.Right << "," << cell.Bottom;
        const int along = c.d == ttdLeftToRight ? ink.Width() : ink.Height();
        EXPECT_GT(along, t.cx * 3 / 4) << name << ": runs along its direction";
    }
}

TEST(VexoLabelTest, AutoSizeTurnsWithTheText) {
    LabelOnForm f;
    f.label->SetCaption("Etiqueta larga");
    const TSize t = f.captionSize();
    EXPECT_EQ(f.label->BoundsRect(), Bounds(0, 0, t.cx, t.cy));
    f.label->setTextDirection(ttdUpToBottom);
    EXPECT_EQ(f.label->BoundsRect(), Bounds(0, 0, t.cy, t.cx)) << "as wide as the text is high";
    f.label->SetCaption("Otra");
    const TSize o = f.captionSize();
    EXPECT_EQ(f.label->BoundsRect(), Bounds(0, 0, o.cy, o.cx)) << "a new caption keeps it turned";
    f.label->SetAlign(alLeft);
    const int height = f.label->Height();
    f.label->setTextDirection(ttdLeftToRight);
    EXPECT_EQ(f.label->Height(), height) << "an aligned label keeps the size its alignment gives";
}

TEST(VexoLabelTest, FormFileRoundTripAndPalette) {
    RegisterMiscClasses();
    const auto classes = PaletteClasses("VexoControls");
    EXPECT_EQ(std::count(classes.begin(), classes.end(), FindClass("TVexoLabel")), 1);

    TForm holder(nullptr);
    holder.SetName("H");
    auto* label = new TVexoLabel(&holder);
    label->SetName("label");
    label->SetParent(&holder);
    label->SetCaption("Fecha & hora");
    label->setTextDirection(ttdBottomToUp);
    label->setTextVAlignment(tvaBottomJustify);
    label->SetAlignment(taRightJustify);
    const std::string text = WriteComponentText(&holder);
    for (const char* line : {"TextDirection = ttdBottomToUp", "TextVAlignment = tvaBottomJustify",
                             "Alignment = taRightJustify", "Caption = "})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;

    TForm again(nullptr);
    ReadComponentText(text, &again);
    auto* read = dynamic_cast<TVexoLabel*>(again.FindComponent("label"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(WriteComponentText(&again), text);
    EXPECT_EQ(read->BoundsRect(), label->BoundsRect()) << "turned bounds survive the read";
}
