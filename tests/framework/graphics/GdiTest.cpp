#include "framework/graphics/Gdi.h"
#include "framework/graphics/LogFont.h"
#include "framework/graphics/TCanvas.h"
#include "framework/graphics/TDeviceContext_p.h"
#include "support/PixelSurface.h"
#include <QImage>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>

using namespace vexo;

namespace {

constexpr TColor kBack = clLime; // the text cell's opaque background, to find the cell exactly

TEST(GdiTest, SingleLineAlignmentPlacesTheTextCell) {
    struct Case {
        unsigned format;
        const char* name;
    };
    const Case cases[] = {
        {DT_LEFT | DT_TOP, "left top"},
        {DT_CENTER | DT_TOP, "centre top"},
        {DT_RIGHT | DT_TOP, "right top"},
        {DT_LEFT | DT_VCENTER, "left vcentre"},
        {DT_CENTER | DT_VCENTER, "centre vcentre"},
        {DT_RIGHT | DT_BOTTOM, "right bottom"},
    };
    const TRect box = Rect(10, 5, 91, 46);
    for (const Case& c : cases) {
        PixelSurface s(100, 50);
        HDC dc = s.dc();
        SetBkColor(dc, kBack);
        SetBkMode(dc, OPAQUE);
        const TSize size = dc->TextExtent(std::string("Abc"));
        TRect r = box;
        const int result = DrawTextEx(dc, "Abc", -1, &r, c.format | DT_SINGLELINE);
        int x = box.Left;
        if (c.format & DT_CENTER) x = (box.Left + box.Right - size.cx) / 2;
        if (c.format & DT_RIGHT) x = box.Right - size.cx;
        int y = box.Top;
        if (c.format & DT_VCENTER) y = (box.Top + box.Bottom - size.cy) / 2;
        if (c.format & DT_BOTTOM) y = box.Bottom - size.cy;
        EXPECT_EQ(s.inkBounds(), Bounds(x, y, size.cx, size.cy)) << c.name;
        EXPECT_EQ(result, y + size.cy - box.Top) << c.name;
        EXPECT_EQ(r, box) << c.name << ": the rectangle is kept";
    }
}

TEST(GdiTest, CalcRectMeasuresWithoutDrawing) {
    PixelSurface s(200, 100);
    HDC dc = s.dc();
    const TSize size = dc->TextExtent(std::string("Hello"));
    TRect r = Rect(5, 5, 6, 6);
    EXPECT_EQ(DrawTextEx(dc, "Hello", -1, &r, DT_CALCRECT | DT_SINGLELINE), size.cy);
    EXPECT_EQ(r, Rect(5, 5, 5 + size.cx, 5 + size.cy));
    r = Rect(0, 0, 100, 0);
    DrawTextEx(dc, "one\ntwo\r\nthree", -1, &r, DT_CALCRECT);
    EXPECT_EQ(r.Height(), 3 * size.cy) << "line breaks count without DT_SINGLELINE";
    EXPECT_EQ(r.Width(), dc->TextExtent(std::string("three")).cx);
    EXPECT_EQ(s.count(clWhite), 200 * 100);
}

TEST(GdiTest, WordBreakWrapsAtSpacesWithinTheWidth) {
    PixelSurface s(200, 100);
    HDC dc = s.dc();
    const int lh = dc->LineHeight();
    const int word =
        std::max(dc->TextExtent(std::string("alpha beta")).cx, dc->TextExtent(std::string("gamma delta")).cx);
    TRect r = Rect(0, 0, word, 0);
    DrawTextEx(dc, "alpha beta gamma delta", -1, &r, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(r.Height(), 2 * lh);
    EXPECT_LE(r.Width(), word);
    r = Rect(0, 0, 5, 0);
    DrawTextEx(dc, "unbreakable", -1, &r, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(r.Height(), lh) << "a long word is not split";
    EXPECT_EQ(r.Width(), dc->TextExtent(std::string("unbreakable")).cx);

    r = Rect(0, 0, word, 100);
    DrawTextEx(dc, "alpha beta gamma delta", -1, &r, DT_WORDBREAK);
    EXPECT_EQ(s.inkBounds().Top / lh, 0);
    EXPECT_EQ((s.inkBounds().Bottom - 1) / lh, 1) << "two lines drawn";
}

TEST(GdiTest, EndEllipsisCutsTheTextToFitAndEndsInDots) {
    const std::string text = "A rather long caption for a small cell";
    PixelSurface s(200, 20);
    HDC dc = s.dc();
    TRect cell = Rect(0, 0, 80, 20);
    TRect measured = cell;
    DrawTextEx(dc, text.c_str(), -1, &measured, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(measured.Width(), 80);
    DrawTextEx(dc, text.c_str(), -1, &cell, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    const QImage drawn = s.bitmap.Image().copy();
    EXPECT_LE(s.inkBounds().Right, 80);
    // The picture is exactly some prefix of the text followed by "...".
    bool found = false;
    for (std::size_t n = 0; n < text.size() && !found; ++n) {
        PixelSurface t(200, 20);
        t.dc()->TextOut(0, 0, text.substr(0, n) + "...");
        found = t.bitmap.Image() == drawn;
    }
    EXPECT_TRUE(found);
}

// The cut keeps the longest start that fits with the dots, whatever the spread of widths along
// the text (a guess from the average width must not settle on a shorter start).
TEST(GdiTest, EndEllipsisKeepsTheLongestStartThatFits) {
    const std::string texts[] = {"Con cien cañones por banda, viento en popa a toda vela",
                                 "iiiiiiiiiiiiWWWWWWWWWWWW", "WWWWWWWWWWWWiiiiiiiiiiii", "W", "ab"};
    PixelSurface s(10, 10);
    HDC dc = s.dc();
    for (const std::string& text : texts) {
        const QString q = QString::fromStdString(text);
        for (int width = 0; width <= 260; width += 7) {
            // By definition: cut one character at a time until it fits.
            int n = static_cast<int>(q.size());
            QString expected = q;
            if (dc->TextExtent(q).cx > width) {
                n = static_cast<int>(q.size()) - 1;
                while (n > 0 && dc->TextExtent(q.left(n) + "...").cx > width)
                    --n;
                expected = q.left(n) + "...";
            }
            TRect r = Rect(0, 0, width, 20);
            DrawTextEx(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
            EXPECT_EQ(r.Width(), dc->TextExtent(expected).cx) << text << " in " << width << " pixels";
        }
    }
}

TEST(GdiTest, ClippingUnlessNoClip) {
    for (bool noclip : {false, true}) {
        PixelSurface s(100, 20);
        TRect r = Rect(0, 0, 10, 20);
        DrawTextEx(s.dc(), "Wide text here", -1, &r, DT_SINGLELINE | (noclip ? DT_NOCLIP : 0u));
        if (noclip) {
            EXPECT_GT(s.inkBounds().Right, 10);
        } else {
            EXPECT_LE(s.inkBounds().Right, 10);
        }
    }
}

TEST(GdiTest, PrefixProcessing) {
    struct Case {
        const char* text;
        unsigned format;
        const char* shown;
        bool underline;
    };
    const Case cases[] = {
        {"&a", DT_NOPREFIX, "&a", false},
        {"&a", 0, "a", true},
        {"x&&y", 0, "x&y", false},
        {"&a", DT_HIDEPREFIX, "a", false},
    };
    for (const Case& c : cases) {
        PixelSurface s(60, 20);
        HDC dc = s.dc();
        TRect r = Rect(0, 0, 60, 20);
        DrawTextEx(dc, c.text, -1, &r, c.format | DT_SINGLELINE);
        PixelSurface plain(60, 20);
        plain.dc()->TextOut(0, 0, std::string(c.shown));
        const bool same = s.bitmap.Image() == plain.bitmap.Image();
        EXPECT_EQ(same, !c.underline) << c.text << " format " << c.format;
        if (c.underline) {
            const int below = dc->Ascent() + 1;
            EXPECT_EQ(s.at(1, below), clBlack) << "the underline under a";
        }
    }
}

TEST(GdiTest, ExpandTabsToEightAverageCharacters) {
    PixelSurface s(300, 20);
    HDC dc = s.dc();
    TRect r = Rect(0, 0, 300, 20);
    DrawTextEx(dc, "a\tb", -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    EXPECT_EQ(r.Width(), 8 * dc->AverageCharWidth() + dc->TextExtent(std::string("b")).cx);
}

TEST(GdiTest, CheckBoxFrameControl) {
    struct Case {
        unsigned state;
        TColor inside;
        bool mark;
    };
    const Case cases[] = {
        {DFCS_BUTTONCHECK | DFCS_FLAT, clWhite, false},
        {DFCS_BUTTONCHECK | DFCS_FLAT | DFCS_CHECKED, clWhite, true},
        {DFCS_BUTTONCHECK | DFCS_FLAT | DFCS_CHECKED | DFCS_INACTIVE, RGB(212, 208, 200), true},
    };
    for (const Case& c : cases) {
        PixelSurface s(20, 20);
        s.canvas()->Brush()->SetColor(clRed);
        s.canvas()->FillRect(Rect(0, 0, 20, 20));
        TRect r = Rect(2, 2, 15, 15);
        EXPECT_TRUE(DrawFrameControl(s.dc(), &r, DFC_BUTTON, c.state));
        EXPECT_EQ(s.inkBounds(clRed), Rect(2, 2, 15, 15)) << c.state;
        EXPECT_EQ(s.at(2, 2), RGB(128, 128, 128)) << "flat frame in the button shadow colour";
        EXPECT_EQ(s.at(14, 14), RGB(128, 128, 128));
        EXPECT_EQ(s.at(3, 3), c.inside);
        // The mark's left tip (row 2 of the 7 x 7 mark at 3,3 inside the box) and its top right.
        const TColor markColor = (c.state & DFCS_INACTIVE) ? RGB(128, 128, 128) : clBlack;
        EXPECT_EQ(s.at(2 + 3, 2 + 3 + 2) == markColor, c.mark) << c.state;
        EXPECT_EQ(s.at(2 + 3 + 6, 2 + 3) == markColor, c.mark) << c.state;
    }
}

TEST(GdiTest, RadioFrameControl) {
    for (bool checked : {false, true}) {
        PixelSurface s(20, 20);
        TRect r = Rect(0, 0, 13, 13);
        DrawFrameControl(s.dc(), &r, DFC_BUTTON,
                         DFCS_BUTTONRADIO | DFCS_FLAT | (checked ? DFCS_CHECKED : 0u));
        EXPECT_EQ(s.at(0, 0), clWhite) << "round: the corner stays";
        EXPECT_EQ(s.at(5, 0), RGB(128, 128, 128)) << "outline at the top";
        EXPECT_EQ(s.at(0, 5), RGB(128, 128, 128)) << "outline at the left";
        EXPECT_EQ(s.at(5, 5) == clBlack, checked) << "the dot";
        EXPECT_EQ(s.at(3, 3), clWhite);
    }
}

TEST(GdiTest, ScrollArrowsPointTheirWay) {
    struct Case {
        unsigned kind;
        bool horizontal;
        bool tipFirst; // the tip at the smaller coordinate
    };
    const Case cases[] = {
        {DFCS_SCROLLLEFT, true, true},
        {DFCS_SCROLLRIGHT, true, false},
        {DFCS_SCROLLUP, false, true},
        {DFCS_SCROLLDOWN, false, false},
    };
    for (const Case& c : cases) {
        PixelSurface s(22, 22);
        TRect r = Rect(0, 0, 22, 22);
        DrawFrameControl(s.dc(), &r, DFC_SCROLL, c.kind | DFCS_FLAT);
        EXPECT_EQ(s.at(3, 3), RGB(212, 208, 200)) << "button face";
        EXPECT_EQ(s.at(0, 0), RGB(128, 128, 128)) << "flat frame";
        // Along the pointing axis, the tip end of the arrow has fewer pixels than the base end.
        const TRect arrow = s.boundsOf(clBlack);
        const int first = c.horizontal ? arrow.Left : arrow.Top;
        const int last = (c.horizontal ? arrow.Right : arrow.Bottom) - 1;
        ASSERT_GT(last, first) << c.kind;
        int atFirst = 0;
        int atLast = 0;
        for (int j = 1; j < 21; ++j) {
            atFirst += (c.horizontal ? s.at(first, j) : s.at(j, first)) == clBlack;
            atLast += (c.horizontal ? s.at(last, j) : s.at(j, last)) == clBlack;
        }
        EXPECT_EQ(atFirst < atLast, c.tipFirst) << c.kind;
    }
}

TEST(GdiTest, DrawEdgeColours) {
    struct Case {
        unsigned edge;
        TColor topLeft, bottomRight;
    };
    const Case cases[] = {
        {BDR_RAISEDINNER, clWhite, RGB(128, 128, 128)},
        {BDR_SUNKENOUTER, RGB(128, 128, 128), clWhite},
        {BDR_RAISEDOUTER, RGB(212, 208, 200), RGB(64, 64, 64)},
        {BDR_SUNKENINNER, RGB(64, 64, 64), RGB(212, 208, 200)},
    };
    for (const Case& c : cases) {
        PixelSurface s(12, 10);
        s.canvas()->Brush()->SetColor(clRed);
        s.canvas()->FillRect(Rect(0, 0, 12, 10));
        TRect r = Rect(0, 0, 12, 10);
        EXPECT_TRUE(DrawEdge(s.dc(), &r, c.edge, BF_RECT | BF_ADJUST));
        EXPECT_EQ(r, Rect(1, 1, 11, 9)) << "one pixel per edge";
        EXPECT_EQ(s.at(0, 0), c.topLeft) << c.edge;
        EXPECT_EQ(s.at(5, 0), c.topLeft) << c.edge;
        EXPECT_EQ(s.at(0, 5), c.topLeft) << c.edge;
        EXPECT_EQ(s.at(11, 9), c.bottomRight) << c.edge;
        EXPECT_EQ(s.at(11, 0), c.bottomRight) << c.edge << ": top-right corner";
        EXPECT_EQ(s.at(0, 9), c.bottomRight) << c.edge << ": bottom-left corner";
        EXPECT_EQ(s.at(1, 1), clRed) << "the inside is left alone";
    }
    PixelSurface s(12, 10);
    TRect r = Rect(0, 0, 12, 10);
    DrawEdge(s.dc(), &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST | BF_MIDDLE);
    EXPECT_EQ(r, Rect(2, 2, 10, 8));
    EXPECT_EQ(s.at(1, 1), RGB(64, 64, 64));
    EXPECT_EQ(s.at(5, 5), RGB(212, 208, 200));
}

TEST(GdiTest, FocusRectInvertsEveryOtherPixelAndUndoesItself) {
    PixelSurface s(10, 10);
    const QImage before = s.bitmap.Image().copy();
    const TRect r = Rect(1, 1, 9, 7);
    DrawFocusRect(s.dc(), &r);
    EXPECT_EQ(s.at(1, 1), clBlack);
    EXPECT_EQ(s.at(2, 1), clWhite);
    EXPECT_EQ(s.at(3, 1), clBlack);
    EXPECT_EQ(s.at(1, 3), clBlack);
    EXPECT_EQ(s.at(4, 4), clWhite) << "inside untouched";
    EXPECT_EQ(s.inkBounds(), Rect(1, 1, 9, 7));
    DrawFocusRect(s.dc(), &r);
    EXPECT_EQ(s.bitmap.Image(), before);
}

TEST(GdiTest, TurnedFontsRunAlongTheirAngle) {
    struct Case {
        int escapement;
        bool vertical;
        TRect allowed; // where the text may lie relative to the origin (50, 50)
    };
    const Case cases[] = {
        {0, false, Rect(50, 50, 100, 100)},
        {900, true, Rect(50, 0, 100, 51)},  // bottom to top: right of and above the origin
        {2700, true, Rect(0, 50, 51, 100)}, // top to bottom: left of and below
    };
    for (const Case& c : cases) {
        PixelSurface s(100, 100);
        HDC dc = s.dc();
        LOGFONT lf;
        lf.lfHeight = -11;
        lf.lfFaceName = "MS Sans Serif";
        lf.lfEscapement = c.escapement;
        HFONT font = CreateFontIndirect(&lf);
        HFONT old = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        TextOut(dc, 50, 50, "Turned text", -1);
        SelectObject(dc, old);
        DeleteObject(font);
        const TRect ink = s.inkBounds();
        EXPECT_EQ(ink.Height() > ink.Width(), c.vertical) << c.escapement;
        EXPECT_GE(ink.Left, c.allowed.Left) << c.escapement;
        EXPECT_LE(ink.Right, c.allowed.Right) << c.escapement;
        EXPECT_GE(ink.Top, c.allowed.Top) << c.escapement;
        EXPECT_LE(ink.Bottom, c.allowed.Bottom) << c.escapement;
    }
}

TEST(GdiTest, DeviceStateSettersReturnThePreviousValue) {
    PixelSurface s(4, 4);
    HDC dc = s.dc();
    SetTextColor(dc, clRed);
    EXPECT_EQ(SetTextColor(dc, clBlue), clRed);
    SetBkMode(dc, TRANSPARENT);
    EXPECT_EQ(SetBkMode(dc, 7), 0) << "an unknown mode is refused";
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    TPoint previous;
    MoveToEx(dc, 1, 2, nullptr);
    MoveToEx(dc, 3, 3, &previous);
    EXPECT_EQ(previous, Point(1, 2));
    EXPECT_FALSE(LineTo(nullptr, 1, 1));
    EXPECT_EQ(DrawTextEx(nullptr, "x", -1, nullptr, 0), 0);
}

TEST(GdiTest, FillRectResolvesSystemColoursAndSkipsNone) {
    PixelSurface s(6, 6);
    TRect r = Rect(0, 0, 3, 3);
    FillRect(s.dc(), &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    EXPECT_EQ(s.at(2, 2), RGB(10, 36, 106));
    r = Rect(0, 0, 6, 6);
    FillRect(s.dc(), &r, clNone);
    EXPECT_EQ(s.at(5, 5), clWhite);
}

TEST(GdiTest, RestoringAFontAfterDeletingTheSelectedOne) {
    PixelSurface s(4, 4);
    HDC dc = s.dc();
    const LOGFONT original = dc->Font();
    LOGFONT lf = original;
    lf.lfHeight = -40;
    HFONT big = CreateFontIndirect(&lf);
    HFONT old = SelectObject(dc, big);
    DeleteObject(big);
    SelectObject(dc, old);
    EXPECT_EQ(dc->Font(), original);
    EXPECT_TRUE(DeleteObject(old)) << "the context's own snapshot is not freed by the caller";
}

} // namespace
