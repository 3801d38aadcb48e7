#include "controls/misc/VexoFrame.h"
#include "controls/edit/VexoEdit.h"
#include "controls/misc/MiscProperties.h"
#include "framework/core/TStringList.h"
#include "framework/graphics/TFont.h"
#include "framework/streaming/ClassRegistry.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"
#include "framework/windows/Render.h"
#include "framework/windows/TCustomControl.h"
#include "framework/windows/TForm.h"
#include "framework/windows/WinApi.h"
#include "support/PixelSurface.h"
#include "support/WindowTestSupport.h"

#include <QApplication>
#include <QCursor>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace vexo;

namespace {

constexpr TColor Face = 0xFFFFFF;
constexpr TColor Line = 0x0000FF;
constexpr TColor Ink = 0xFF0000;

// A frame on a form, in plain colours, rendered without a screen.
struct FrameOnForm {
    TForm form{nullptr};
    TVexoFrame* frame;
    explicit FrameOnForm(int width = 40, int height = 30) {
        form.SetBounds(0, 0, 300, 200);
        frame = new TVexoFrame(&form);
        frame->SetParent(&form);
        frame->SetBounds(0, 0, width, height);
        frame->SetColor(Face);
        frame->setFrameColor(Line);
        frame->setTextColor(Ink);
    }
    PixelSurface picture() { return PixelSurface(RenderToImage(frame)); }
    TSize textSize() const {
        TFont font;
        font.Assign(*frame->Font());
        font.SetStyle(frame->TextStyles());
        return MeasureTextLine(font, frame->Text());
    }
};

} // namespace

TEST(VexoFrameTest, SidesDrawOnTheEdgePixels) {
    struct Case {
        const char* name;
        bool sides[4]; // left, right, top, bottom
        bool hide;
        TRect lineBounds;
        int linePixels;
    };
    const Case cases[] = {
        {"all four", {true, true, true, true}, false, {0, 0, 40, 30}, 2 * 40 + 2 * 28},
        {"bottom only: its last pixel row", {false, false, false, true}, false, {0, 29, 40, 30}, 40},
        {"right only: its last pixel column", {false, true, false, false}, false, {39, 0, 40, 30}, 30},
        {"left and top", {true, false, true, false}, false, {0, 0, 40, 30}, 40 + 29},
        {"hidden", {true, true, true, true}, true, {}, 0},
    };
    for (const Case& c : cases) {
        FrameOnForm f;
        for (int i = 0; i < 4; ++i)
            f.frame->setDrawFrame(i, c.sides[i]);
        f.frame->setHideFrame(c.hide);
        PixelSurface p = f.picture();
        EXPECT_EQ(p.boundsOf(Line), c.lineBounds) << c.name;
        EXPECT_EQ(p.count(Line), c.linePixels) << c.name;
        EXPECT_EQ(p.count(Line) + p.count(Face), 40 * 30) << c.name << ": nothing else drawn";
    }
    FrameOnForm f;
    EXPECT_FALSE(f.frame->getDrawFrame(4));
    f.frame->setDrawFrame(-1, false); // ignored
    EXPECT_TRUE(f.frame->getDrawFrame(0) && f.frame->getDrawFrame(3));
}

TEST(VexoFrameTest, OverCaptionSitsOnTheTopLineInsideTheMargin) {
    FrameOnForm f(120, 60);
    f.frame->SetBorderWidth(2);
    f.frame->setText("Grupo");
    f.frame->setTextVAlignment(tvaOver);
    const TSize t = f.textSize();
    ASSERT_GT(t.cx, 0);
    EXPECT_EQ(f.frame->TextRect(), (TRect{5, 0, 115, t.cy})) << "2B + 1 from either side";

    PixelSurface p = f.picture();
    const int lineY = t.cy / 2;
    EXPECT_EQ(p.at(0, lineY), Line) << "the top line runs half the caption down";
    EXPECT_EQ(p.at(119, lineY), Line);
    EXPECT_EQ(p.at(0, lineY - 1), Face) << "nothing above it but the caption";
    EXPECT_EQ(p.at(4, lineY), Line) << "the caption starts at 5";
    for (int x = 5; x < 5 + t.cx; ++x)
        ASSERT_NE(p.at(x, lineY), Line) << "the caption's background hides the line at " << x;

    // Aligned children start under the caption, inside the margin and the panel's one-pixel bevel.
    auto* child = new TVexoFrame(&f.form);
    child->SetParent(f.frame);
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(), (TRect{3, 3 + TVexoFrame::OverCaptionInset, 117, 57}));
    f.frame->setTextVAlignment(tvaCenter);
    EXPECT_EQ(child->BoundsRect(), (TRect{3, 3, 117, 57})) << "realigned once the caption leaves the line";
}

TEST(VexoFrameTest, TextIsPlacedAlignedAndWrapped) {
    // Ink bounds of a horizontal text against the text rectangle, which is the frame less B + 1.
    struct Case {
        const char* name;
        TAlignment h;
        TVAlignment v;
        bool wrap;
        const char* text;
    };
    const Case cases[] = {
        {"top left", taLeftJustify, tvaTopJustify, false, "Nombre"},
        {"centre", taCenter, tvaCenter, false, "Nombre"},
        {"bottom right", taRightJustify, tvaBottomJustify, false, "Nombre"},
        {"long, clipped", taLeftJustify, tvaTopJustify, false, "una frase bastante larga para el marco"},
        {"long, wrapped", taLeftJustify, tvaTopJustify, true, "una frase bastante larga para el marco"},
    };
    for (const Case& c : cases) {
        FrameOnForm f(100, 80);
        f.frame->SetBorderWidth(3);
        f.frame->setHideFrame(true);
        f.frame->setText(c.text);
        f.frame->setTextAlignment(c.h);
        f.frame->setTextVAlignment(c.v);
        f.frame->setTextWrap(c.wrap);
        const TSize t = f.textSize();
        const TRect r = f.frame->TextRect();
        EXPECT_EQ(r, (TRect{4, 4, 96, 76})) << c.name;
        const TRect ink = f.picture().inkBounds(Face);
        ASSERT_FALSE(ink.IsEmpty()) << c.name;
        EXPECT_TRUE(ink.Left >= r.Left && ink.Right <= r.Right && ink.Top >= r.Top && ink.Bottom <= r.Bottom)
            << c.name << ": the text stays in its rectangle";
        if (c.wrap) {
            EXPECT_GT(ink.Height(), t.cy) << c.name << ": more than one line";
            continue;
        }
        EXPECT_LE(ink.Height(), t.cy) << c.name << ": one line";
        const int mid = (ink.Top + ink.Bottom) / 2;
        const int expectedMid[] = {r.Top + t.cy / 2, (r.Top + r.Bottom) / 2, r.Bottom - t.cy / 2};
        EXPECT_NEAR(mid, expectedMid[c.v], t.cy / 2) << c.name;
        if (t.cx > r.Width()) {
            EXPECT_GT(ink.Right, r.Right - 6) << c.name << ": runs on to the edge, where it is cut";
            continue;
        }
        const int centre = (ink.Left + ink.Right) / 2;
        const int expectedCentre[] = {r.Left + t.cx / 2, r.Right - t.cx / 2, (r.Left + r.Right) / 2};
        EXPECT_NEAR(centre, expectedCentre[c.h], 3) << c.name;
    }
}

TEST(VexoFrameTest, TurnedTextFillsTheCellBesideTheMarginCentredOnTheHeight) {
    // Read downward or upward, the text lies in the same cell: h0 wide from the margin, w0 long
    // and centred on the frame's height.
    for (TTextDirection d : {ttdUpToBottom, ttdBottomToUp}) {
        FrameOnForm f(60, 120);
        f.frame->SetBorderWidth(4);
        f.frame->setHideFrame(true);
        f.frame->setText("Vertical");
        f.frame->setTextDirection(d);
        const TSize t = f.textSize();
        const TRect cell{4, (120 - t.cx) / 2, 4 + t.cy, (120 - t.cx) / 2 + t.cx};
        const TRect ink = f.picture().inkBounds(Face);
        ASSERT_FALSE(ink.IsEmpty()) << d;
        EXPECT_GT(ink.Height(), ink.Width()) << d << ": turned";
        EXPECT_TRUE(ink.Left >= cell.Left && ink.Right <= cell.Right && ink.Top >= cell.Top &&
                    ink.Bottom <= cell.Bottom)
            << d << ": ink " << ink.Left << "," << ink.Top << "," << ink.Right << "," << ink.Bottom;
        EXPECT_GT(ink.Height(), t.cx * 3 / 4) << d;
    }
}

TEST(VexoFrameTest, LinesAreTheTextSplitAtBreaks) {
    TVexoFrame frame(nullptr);
    frame.setText("uno\ndos");
    ASSERT_EQ(frame.Lines()->Count(), 2);
    EXPECT_EQ((*frame.Lines())[1], "dos");
    TStringList lines;
    lines.Add("tres");
    lines.Add("cuatro");
    frame.SetLines(lines);
    EXPECT_EQ(frame.Text(), "tres\ncuatro");
    EXPECT_TRUE(frame.Text().find('\r') == std::string::npos);
}

namespace {

// A shown frame on a form: clicks reach it through real input.
struct ShownFrame : FrameOnForm {
    bool exposed = false;
    int clicks = 0, doubleClicks = 0;
    ShownFrame() : FrameOnForm(200, 100) {
        frame->SetLeft(10);
        frame->SetTop(10);
        frame->SetBorderWidth(2);
        frame->OnTextClick = [this](TObject*) { ++clicks; };
        frame->OnTextDoubleClick = [this](TObject*) { ++doubleClicks; };
        form.Show();
        exposed = QTest::qWaitForWindowExposed(form.Widget());
        QCursor::setPos(QPoint(900, 700));
        QApplication::processEvents();
    }
    QWidget* w() const { return frame->Widget(); }
    void click(int x, int y) { QTest::mouseClick(w(), Qt::LeftButton, {}, QPoint(x, y)); }
    void doubleClick(int x, int y) { QTest::mouseDClick(w(), Qt::LeftButton, {}, QPoint(x, y)); }
};

} // namespace

TEST(VexoFrameTest, TextClicksAreHitTestedAgainstTheTextRectangle) {
    ShownFrame f;
    ASSERT_TRUE(f.exposed);
    f.frame->setText("Pulse aquí");
    const TRect r = f.frame->TextRect();
    ASSERT_EQ(r, (TRect{3, 3, 197, 97}));

    f.click(20, 8);
    EXPECT_EQ(f.clicks, 1);
    EXPECT_EQ(f.frame->LastClickPoint(), Point(20, 8));
    f.click(1, 1); // on the frame's line and margin, outside the text rectangle
    EXPECT_EQ(f.clicks, 1);
    EXPECT_EQ(f.frame->LastClickPoint(), Point(1, 1)) << "kept even when it misses";

    f.doubleClick(30, 9);
    EXPECT_EQ(f.doubleClicks, 1);
    f.doubleClick(198, 98);
    EXPECT_EQ(f.doubleClicks, 1);

    f.frame->setText("");
    EXPECT_TRUE(f.frame->TextRect().IsEmpty());
    f.click(20, 8);
    EXPECT_EQ(f.clicks, 1) << "no text, nothing to click";
}

TEST(VexoFrameTest, FormFileRoundTripAndPalette) {
    RegisterMiscClasses();
    const auto classes = PaletteClasses("VexoControls");
    EXPECT_EQ(std::count(classes.begin(), classes.end(), FindClass("TVexoFrame")), 1);

    TForm holder(nullptr);
    holder.SetName("H");
    auto* frame = new TVexoFrame(&holder);
    frame->SetName("frame");
    frame->SetParent(&holder);
    frame->SetBounds(4, 6, 150, 90);
    frame->setFrameColor(0x00102030);
    frame->setDrawFrame(1, false);
    frame->setDrawFrame(2, false);
    frame->setHideFrame(true);
    frame->SetBorderWidth(3);
    frame->setText("Datos & más\nsegunda");
    frame->setTextAlignment(taCenter);
    frame->setTextVAlignment(tvaOver);
    frame->setTextDirection(ttdBottomToUp);
    frame->setTextColor(0x00405060);
    frame->setTextStyles(TFontStyles{fsBold, fsItalic});
    frame->setTextWrap(true);
    const std::string text = WriteComponentText(&holder);
    for (const char* line :
         {"ColorFrame = ", "DrawRight = False", "DrawTop = False", "HideFrame = True", "BorderWidth = 3",
          "TextAlignment = taCenter", "TextVAlignment = tvaOver", "TextDirection = ttdBottomToUp",
          "TextColor = ", "TextStyles = [fsBold, fsItalic]", "TextWrap = True"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    EXPECT_EQ(text.find("Lines"), std::string::npos) << "Text carries the lines";
    EXPECT_EQ(text.find("DrawLeft"), std::string::npos) << "defaults are not written";

    TForm again(nullptr);
    ReadComponentText(text, &again);
    auto* read = dynamic_cast<TVexoFrame*>(again.FindComponent("frame"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(WriteComponentText(&again), text);
    EXPECT_EQ(read->Text(), "Datos & más\nsegunda");
    EXPECT_EQ(read->TextStyles(), (TFontStyles{fsBold, fsItalic}));

    // A frame as the constructor makes it stores nothing but its bounds and tab order; the window text colour
    // is not written either.
    TForm plain(nullptr);
    plain.SetName("P");
    auto* fresh = new TVexoFrame(&plain);
    fresh->SetParent(&plain);
    fresh->setTextColor(clWindowText);
    const std::string defaults = WriteComponentText(&plain);
    EXPECT_EQ(defaults.substr(defaults.find("  object ")),
              "  object TVexoFrame\n    Left = 0\n    Top = 0\n    Width = 185\n    Height = 41\n    "
              "TabOrder = 0\n  end\nend\n");
}

TEST(VexoFrameTest, TheLabelOfAnEditOnTheFrameShowsAfterTheFrameRepaints) {
    FrameOnForm h(200, 60);
    auto* edit = new TVexoEdit(&h.form);
    edit->SetParent(h.frame);
    edit->SetBounds(80, 20, 100, 17);
    edit->setLabel("Nombre");
    edit->setLabelColor(Ink);
    const TRect labelArea = Rect(2, 20, 76, 37);
    const auto inkIn = [&](PixelSurface picture) {
        int n = 0;
        for (int y = labelArea.Top; y < labelArea.Bottom; ++y)
            for (int x = labelArea.Left; x < labelArea.Right; ++x)
                n += picture.at(x, y) != Face ? 1 : 0;
        return n;
    };
    const int painted = inkIn(h.picture());
    ASSERT_GT(painted, 20) << "the edit paints its label beside itself";
    // Only the frame repaints there: the edit itself does not paint again.
    ASSERT_TRUE(InvalidateRect(h.frame->Handle(), &labelArea, true));
    EXPECT_EQ(inkIn(h.picture()), painted);
}

TEST(VexoFrameTest, FocusPassesToTheFirstChildThatTakesIt) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* frame = new TVexoFrame(&form);
    frame->SetParent(&form);
    frame->SetBounds(0, 0, 200, 150);
    auto* empty = new TVexoFrame(&form);
    empty->SetParent(&form);
    empty->SetBounds(210, 0, 80, 80);
    TWinControl* children[3];
    for (int i = 0; i < 3; ++i) {
        children[i] = new TCustomControl(&form);
        children[i]->SetParent(frame);
        children[i]->SetBounds(10, 10 + 40 * i, 100, 30);
    }
    children[1]->SetTabStop(true);
    children[1]->SetEnabled(false); // cannot take it
    children[2]->SetTabStop(true);
    ASSERT_TRUE(ShowActive(&form));
    frame->SetFocus();
    EXPECT_TRUE(children[2]->Focused());
    EXPECT_FALSE(frame->Focused());
    empty->SetFocus();
    EXPECT_TRUE(empty->Focused()) << "with no such child the frame keeps it";
}
