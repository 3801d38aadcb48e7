#include "controls/misc/VexoButton.h"
#include "controls/misc/MiscProperties.h"
#include "framework/graphics/SysColors.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TCanvas.h"
#include "framework/stdctrls/TAction.h"
#include "framework/streaming/ClassRegistry.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"
#include "framework/windows/Render.h"
#include "framework/windows/TForm.h"
#include "support/PixelSurface.h"
#include "support/WindowTestSupport.h"

#include <QApplication>
#include <QCursor>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace vexo;

namespace {

constexpr TColor FormColor = 0x00C0FFC0;
constexpr int X = 10, Y = 10;

struct ButtonOnForm {
    TForm form{nullptr};
    TVexoButton* button;
    explicit ButtonOnForm(int width = 20, int height = 20) {
        form.SetBounds(0, 0, 200, 120);
        form.SetColor(FormColor);
        button = new TVexoButton(&form);
        button->SetParent(&form);
        button->SetBounds(X, Y, width, height);
    }
    PixelSurface picture() {
        return PixelSurface(RenderToImage(&form).copy(X, Y, button->Width(), button->Height()));
    }
};

// A strip of count 16 x 16 images, each filled with its own colour but for its bottom-left pixel:
// white, the strip's transparent colour.
void strip(TBitmap& b, int count, const TColor* colors) {
    b.SetSize(16 * count, 16);
    for (int i = 0; i < count; ++i) {
        b.Canvas()->Brush()->SetColor(colors[i]);
        b.Canvas()->FillRect(Rect(16 * i, 0, 16 * i + 16, 16));
        b.Canvas()->SetPixels(16 * i, 15, clWhite);
    }
}

} // namespace

TEST(VexoButtonTest, LooksAtRestHoveredPressedAndDisabled) {
    const TColor images[] = {clRed, clBlue};
    struct Case {
        const char* name;
        TVexoButtonMode mode;
        TColor inactiveFrame;
        bool hover, press, enabled;
        TColor corner; // pixel (0, 0)
        TColor inside; // pixel (1, 1): the fill under the content
        TPoint glyphAt;
        TColor glyph;
    };
    constexpr TColor Back = 16758711, Form = FormColor;
    const Case cases[] = {
        {"flat at rest", vbmFlat, clNone, false, false, true, Form, Form, {2, 2}, clRed},
        {"flat at rest, resting frame", vbmFlat, clGreen, false, false, true, clGreen, Form, {2, 2}, clRed},
        {"flat hovered", vbmFlat, clNone, true, false, true, clBlue, Back, {2, 2}, clRed},
        {"flat pressed: content right", vbmFlat, clNone, true, true, true, clBlue, Back, {3, 2}, clRed},
        {"flat disabled: second image", vbmFlat, clGreen, false, false, false, Form, Form, {2, 2}, clBlue},
        {"soft at rest", vbmSoft, clNone, false, false, true, clBtnHighlight, Form, {2, 2}, clRed},
        {"soft pressed, no fill", vbmSoft, clNone, true, true, true, clBtnShadow, Form, {3, 2}, clRed},
    };
    for (const Case& c : cases) {
        ButtonOnForm f;
        TBitmap glyph;
        strip(glyph, 2, images);
        f.button->setGlyph(&glyph);
        f.button->setGlyphCount(2);
        f.button->setMode(c.mode);
        f.button->setColors(3, c.inactiveFrame);
        f.button->SetEnabled(c.enabled);
        if (c.hover) f.button->Perform(CM_MOUSEENTER);
        if (c.press) f.button->Perform(WM_LBUTTONDOWN);
        PixelSurface p = f.picture();
        EXPECT_EQ(p.at(0, 0), ColorToRGB(c.corner)) << c.name;
        EXPECT_EQ(p.at(1, 1), c.inside) << c.name;
        EXPECT_EQ(p.boundsOf(c.glyph), Rect(c.glyphAt.x, c.glyphAt.y, c.glyphAt.x + 16, c.glyphAt.y + 16))
            << c.name;
        EXPECT_EQ(p.at(c.glyphAt.x, c.glyphAt.y + 15), p.at(c.glyphAt.x - 1, c.glyphAt.y + 15))
            << c.name << ": the glyph's background pixel is not drawn";
    }

    ButtonOnForm f;
    TBitmap glyph;
    strip(glyph, 1, images);
    f.button->setGlyph(&glyph);
    f.button->SetEnabled(false);
    EXPECT_EQ(f.picture().count(clRed), 0) << "a single image has no disabled look";
    f.button->SetEnabled(true);
    f.button->setMode(vbmRound);
    f.button->setColors(0, clRed);
    PixelSurface round = f.picture();
    EXPECT_EQ(round.at(10, 0), clBlue) << "the round outline is blue whatever the frame colour";
    EXPECT_EQ(round.at(10, 19), clGray) << "its grey twin one pixel down and right";
    EXPECT_EQ(round.at(0, 0), FormColor) << "outside the rounded corner";
    f.button->setColors(7, clLime);
    for (int i = 0; i < 5; ++i)
        EXPECT_NE(f.button->getColors(i), clLime) << "index 7 is ignored";
}

TEST(VexoButtonTest, CaptionSitsAfterTheGlyphAndIsEmbossedWhenDisabled) {
    ButtonOnForm f(120, 30);
    f.button->Font()->SetColor(clBlack);
    f.button->setText("A&B");
    PixelSurface enabled = f.picture();
    const TRect ink = enabled.boundsOf(clBlack);
    EXPECT_GE(ink.Left, 2);
    EXPECT_LT(ink.Left, 4);
    EXPECT_NEAR((ink.Top + ink.Bottom) / 2, 15, 2) << "centred on the height";

    f.button->SetEnabled(false);
    PixelSurface disabled = f.picture();
    EXPECT_EQ(disabled.count(clBlack), 0);
    EXPECT_EQ(disabled.boundsOf(clGray).Left, ink.Left);
    EXPECT_EQ(disabled.boundsOf(clWhite).Left, ink.Left + 1) << "the white copy one pixel down and right";
}

TEST(VexoButtonTest, StandardGlyphsLoadThroughTheFormReader) {
    struct Case {
        TVexoButtonStdImages image;
        int width, height, bytes;
    };
    const Case cases[] = {{vbiCancel, 28, 13, 326},  {vbiOk, 28, 13, 326},    {vbiUp, 28, 13, 326},
                          {vbiMinus, 28, 13, 326},   {vbiPlus, 28, 13, 326},  {vbiNext, 20, 13, 274},
                          {vbiPrior, 20, 13, 274},   {vbiFirst, 28, 13, 326}, {vbiLast, 28, 13, 326},
                          {vbiRefresh, 28, 13, 326}, {vbiGear, 28, 13, 326},  {vbiDropDown, 28, 12, 310}};
    for (const Case& c : cases) {
        const std::string hex = StdImageData(c.image);
        ASSERT_EQ(hex.size(), 2u * (4 + c.bytes)) << c.image;
        EXPECT_EQ(std::strtoul(hex.substr(0, 4).c_str(), nullptr, 16),
                  static_cast<unsigned>(c.bytes & 0xFF) << 8 | static_cast<unsigned>(c.bytes >> 8))
            << c.image << ": the little-endian byte count";

        ButtonOnForm f(30, 20);
        f.button->SetName("ok");
        f.button->setGlyphCount(5);
        f.button->ApplyStdImage(c.image);
        EXPECT_EQ(f.button->Name(), "ok");
        EXPECT_EQ(f.button->GlyphCount(), 2);
        EXPECT_EQ(f.button->Glyph()->Width(), c.width) << c.image;
        EXPECT_EQ(f.button->Glyph()->Height(), c.height) << c.image;
        EXPECT_EQ(f.button->Glyph()->PixelFormat(), pf4bit) << c.image;

        PixelSurface at = f.picture();
        EXPECT_GT(at.count(clBlack), 0) << c.image << ": the symbol";
        EXPECT_EQ(at.count(clOlive) + at.count(clLime), 0) << c.image << ": the background is transparent";
        f.button->SetEnabled(false);
        PixelSurface off = f.picture();
        EXPECT_EQ(off.count(clBlack), 0) << c.image;
        EXPECT_GT(off.count(clGray), 0) << c.image << ": the grey twin";
        EXPECT_GT(off.count(clWhite), 0) << c.image << ": its white shadow";
    }
    ButtonOnForm f;
    f.button->ApplyStdImage(vbiOk);
    f.button->ApplyStdImage(vbiNone);
    EXPECT_TRUE(f.button->Glyph()->Empty());
    EXPECT_EQ(f.button->GlyphCount(), 2);
}

namespace {

struct ShownButton : ButtonOnForm {
    bool exposed;
    int clicks = 0;
    ShownButton() : ButtonOnForm(40, 20) {
        button->OnClick = [this](TObject*) { ++clicks; };
        form.Show();
        exposed = QTest::qWaitForWindowExposed(form.Widget());
        QCursor::setPos(QPoint(900, 700));
        QApplication::processEvents();
    }
    QWidget* w() { return form.Widget(); }
    void move(int x, int y) { QTest::mouseMove(w(), QPoint(x, y)); }
    void press(int x, int y) { QTest::mousePress(w(), Qt::LeftButton, {}, QPoint(x, y)); }
    void release(int x, int y) { QTest::mouseRelease(w(), Qt::LeftButton, {}, QPoint(x, y)); }
};

} // namespace

TEST(VexoButtonTest, ClickNeedsPressAndReleaseOverTheButton) {
    struct Step {
        char what; // m move, p press, r release
        int x, y;
    };
    struct Case {
        const char* name;
        bool enabled;
        std::vector<Step> steps;
        int clicks;
    };
    const Case cases[] = {
        {"press and release over it", true, {{'m', 20, 20}, {'p', 20, 20}, {'r', 21, 20}}, 1},
        {"released outside", true, {{'m', 20, 20}, {'p', 20, 20}, {'m', 100, 80}, {'r', 100, 80}}, 0},
        {"left and came back",
         true,
         {{'m', 20, 20}, {'p', 20, 20}, {'m', 100, 80}, {'m', 20, 20}, {'r', 20, 20}},
         0},
        {"pressed outside, released over it",
         true,
         {{'m', 100, 80}, {'p', 100, 80}, {'m', 20, 20}, {'r', 20, 20}},
         0},
        {"disabled", false, {{'m', 20, 20}, {'p', 20, 20}, {'r', 20, 20}}, 0},
    };
    for (const Case& c : cases) {
        ShownButton b;
        ASSERT_TRUE(b.exposed);
        b.button->SetEnabled(c.enabled);
        for (const Step& s : c.steps) {
            if (s.what == 'm') b.move(s.x, s.y);
            if (s.what == 'p') b.press(s.x, s.y);
            if (s.what == 'r') b.release(s.x, s.y);
        }
        EXPECT_EQ(b.clicks, c.clicks) << c.name;
        EXPECT_FALSE(b.button->Pressed()) << c.name;
    }
}

TEST(VexoButtonTest, TextThrownByTheClickHandlerIsShownAndOtherErrorsPass) {
    ShownButton b;
    ASSERT_TRUE(b.exposed);
    RecordingPresenter boxes;
    b.button->OnClick = [](TObject*) { throw "Sin conexión"; };
    b.move(20, 20);
    b.press(20, 20);
    b.release(20, 20);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Sin conexión");
    EXPECT_EQ(boxes.shown[0].caption, "Tilulo");
    EXPECT_TRUE(b.button->Hover()) << "the pointer is still over it";

    b.button->OnClick = [](TObject*) { throw std::runtime_error("otro"); };
    b.button->Perform(WM_LBUTTONDOWN);
    EXPECT_THROW(b.button->Perform(WM_LBUTTONUP), std::runtime_error);
}

TEST(VexoButtonTest, ActionGivesCaptionAndEnabledAndRunsOnClick) {
    ShownButton b;
    ASSERT_TRUE(b.exposed);
    b.button->OnClick = nullptr;
    auto* action = new TAction(&b.form);
    int runs = 0;
    action->OnExecute = [&runs](TObject*) { ++runs; };
    action->SetCaption("Guardar");
    b.button->SetAction(action);
    EXPECT_EQ(b.button->Text(), "Guardar");
    action->SetEnabled(false);
    EXPECT_FALSE(b.button->Enabled());
    action->SetEnabled(true);
    action->SetCaption("Grabar");
    EXPECT_EQ(b.button->Text(), "Grabar");
    b.move(20, 20);
    b.press(20, 20);
    b.release(20, 20);
    EXPECT_EQ(runs, 1);
    delete action;
    EXPECT_EQ(b.button->Action(), nullptr) << "the reference goes with the action";
}

TEST(VexoButtonTest, FormFileRoundTrip) {
    RegisterMiscClasses();
    const auto classes = PaletteClasses("VexoControls");
    EXPECT_EQ(std::count(classes.begin(), classes.end(), FindClass("TVexoButton")), 1);

    TForm holder(nullptr);
    holder.SetName("H");
    auto* action = new TAction(&holder);
    action->SetName("guardar");
    auto* button = new TVexoButton(&holder);
    button->SetName("boton");
    button->SetParent(&holder);
    button->ApplyStdImage(vbiGear);
    button->SetAction(action);
    button->setText("Rueda & más");
    button->setMode(vbmRound);
    button->setWrapText(true);
    button->setColors(0, 0x00112233);
    button->setColors(3, clGray);
    button->setAlignment(taCenter);
    button->setTextStyles(TFontStyles{fsBold});
    const std::string text = WriteComponentText(&holder);
    for (const char* line : {"Glyph.Data = {", "GlyphCount = 2", "Text = 'Rueda & m", "Mode = vbmRound",
                             "WrapText = True", "ColorFrame = ", "ColorFrameInactive = clGray",
                             "Alignment = taCenter", "TextStyles = [fsBold]", "Action = guardar"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    EXPECT_EQ(text.find("NumGlyphs"), std::string::npos) << "written once, as GlyphCount";
    EXPECT_EQ(text.find("Caption"), std::string::npos) << "written once, as Text";

    TForm again(nullptr);
    ReadComponentText(text, &again);
    EXPECT_EQ(WriteComponentText(&again), text);
    auto* read = dynamic_cast<TVexoButton*>(again.FindComponent("boton"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Glyph()->Width(), 28);
    EXPECT_EQ(read->Action(), again.FindComponent("guardar"));

    // The second names read too.
    TForm aliases(nullptr);
    ReadComponentText(
        "object F: TForm\n  object b: TVexoButton\n    Caption = 'Sí'\n    NumGlyphs = 3\n  end\nend\n",
        &aliases);
    auto* b = dynamic_cast<TVexoButton*>(aliases.FindComponent("b"));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->Text(), "Sí");
    EXPECT_EQ(b->GlyphCount(), 3);
}
