#include "framework/graphics/TCanvas.h"
#include "framework/graphics/Gdi.h"
#include "framework/graphics/GraphicsExceptions.h"
#include "framework/graphics/LogFont.h"
#include "framework/graphics/TDeviceContext_p.h"
#include "support/PixelSurface.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using namespace vexo;

namespace {

TEST(TCanvasTest, FillRectLeavesOutRightAndBottomEdges) {
    PixelSurface s(10, 10);
    s.canvas()->Brush()->SetColor(clRed);
    s.canvas()->FillRect(Rect(2, 3, 6, 7));
    EXPECT_EQ(s.inkBounds(), Rect(2, 3, 6, 7));
    EXPECT_EQ(s.count(clRed), 16);
    s.canvas()->Brush()->SetStyle(bsClear);
    s.canvas()->FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(s.count(clRed), 16) << "a clear brush fills nothing";
}

TEST(TCanvasTest, RectangleOutlinesWithPenAndFillsWithBrush) {
    struct Case {
        const char* name;
        TPenStyle pen;
        TBrushStyle brush;
        TColor corner;   // (1,1)
        TColor interior; // (3,3)
        TRect ink;
    };
    const Case cases[] = {
        {"pen and brush", psSolid, bsSolid, clRed, clBlue, Rect(1, 1, 7, 6)},
        {"clear brush outlines only", psSolid, bsClear, clRed, clWhite, Rect(1, 1, 7, 6)},
        {"clear pen fills one pixel less", psClear, bsSolid, clBlue, clBlue, Rect(1, 1, 6, 5)},
    };
    for (const Case& c : cases) {
        PixelSurface s(10, 10);
        TCanvas* cv = s.canvas();
        cv->Pen()->SetColor(clRed);
        cv->Pen()->SetStyle(c.pen);
        cv->Brush()->SetColor(clBlue);
        cv->Brush()->SetStyle(c.brush);
        cv->Rectangle(1, 1, 7, 6);
        EXPECT_EQ(s.at(1, 1), c.corner) << c.name;
        EXPECT_EQ(s.at(3, 3), c.interior) << c.name;
        EXPECT_EQ(s.inkBounds(), c.ink) << c.name;
        if (c.pen == psSolid) {
            EXPECT_EQ(s.at(6, 5), clRed) << c.name << ": bottom-right corner is r-1, b-1";
            EXPECT_EQ(s.count(clRed), 2 * 6 + 2 * 3) << c.name << ": every outline pixel once";
        }
    }
}

TEST(TCanvasTest, LineToLeavesOutTheEndPixel) {
    struct Case {
        const char* name;
        TPoint from, to;
        std::vector<TPoint> set;
        TPoint unset;
    };
    const Case cases[] = {
        {"horizontal", {1, 1}, {5, 1}, {{1, 1}, {2, 1}, {3, 1}, {4, 1}}, {5, 1}},
        {"horizontal backwards", {5, 1}, {1, 1}, {{5, 1}, {4, 1}, {3, 1}, {2, 1}}, {1, 1}},
        {"vertical", {2, 0}, {2, 4}, {{2, 0}, {2, 1}, {2, 2}, {2, 3}}, {2, 4}},
        {"diagonal", {1, 1}, {5, 5}, {{1, 1}, {2, 2}, {3, 3}, {4, 4}}, {5, 5}},
        {"diagonal up", {1, 5}, {5, 1}, {{1, 5}, {2, 4}, {3, 3}, {4, 2}}, {5, 1}},
    };
    for (const Case& c : cases) {
        PixelSurface s(8, 8);
        s.canvas()->Pen()->SetColor(clBlack);
        s.canvas()->MoveTo(c.from.x, c.from.y);
        s.canvas()->LineTo(c.to.x, c.to.y);
        for (TPoint p : c.set)
            EXPECT_EQ(s.at(p.x, p.y), clBlack) << c.name << " at " << p.x << "," << p.y;
        EXPECT_EQ(s.at(c.unset.x, c.unset.y), clWhite) << c.name;
        EXPECT_EQ(s.count(clBlack), static_cast<int>(c.set.size())) << c.name;
        EXPECT_EQ(s.canvas()->PenPos(), c.to) << c.name;
    }
}

TEST(TCanvasTest, PolylineLeavesOutOnlyItsLastPoint) {
    PixelSurface s(8, 8);
    s.canvas()->Polyline({{1, 1}, {4, 1}, {4, 4}});
    EXPECT_EQ(s.at(4, 1), clBlack) << "a corner is drawn by the next segment";
    EXPECT_EQ(s.at(4, 3), clBlack);
    EXPECT_EQ(s.at(4, 4), clWhite);
    EXPECT_EQ(s.count(clBlack), 6);
}

TEST(TCanvasTest, XorPenModesUndoThemselves) {
    for (TPenMode mode : {pmXor, pmNotXor, pmNot}) {
        PixelSurface s(8, 8);
        s.canvas()->Brush()->SetColor(clYellow);
        s.canvas()->FillRect(Rect(0, 0, 4, 8));
        const QImage before = s.bitmap.Image().copy();
        s.canvas()->Pen()->SetMode(mode);
        s.canvas()->Pen()->SetColor(clRed);
        for (int i = 0; i < 2; ++i) {
            s.canvas()->MoveTo(0, 3);
            s.canvas()->LineTo(8, 3);
            if (i == 0) {
                EXPECT_NE(s.bitmap.Image(), before) << "mode " << mode << " draws";
            }
        }
        EXPECT_EQ(s.bitmap.Image(), before) << "mode " << mode << " twice restores";
    }
}

TEST(TCanvasTest, DottedPenLeavesGaps) {
    PixelSurface s(40, 3);
    s.canvas()->Pen()->SetStyle(psDot);
    s.canvas()->MoveTo(0, 1);
    s.canvas()->LineTo(40, 1);
    const int set = s.count(clBlack);
    EXPECT_GT(set, 10);
    EXPECT_LT(set, 30);
    EXPECT_EQ(s.at(0, 1), clBlack) << "the pattern starts drawn";
}

TEST(TCanvasTest, PolygonOutlinesEveryEdgeAndFillsInside) {
    PixelSurface s(12, 12);
    TCanvas* cv = s.canvas();
    cv->Pen()->SetColor(clRed);
    cv->Brush()->SetColor(clBlue);
    cv->Polygon({{1, 1}, {9, 1}, {1, 9}});
    for (TPoint p : std::vector<TPoint>{{1, 1}, {9, 1}, {1, 9}, {5, 1}, {1, 5}, {5, 5}})
        EXPECT_EQ(s.at(p.x, p.y), clRed) << p.x << "," << p.y;
    EXPECT_EQ(s.at(3, 3), clBlue);
    EXPECT_EQ(s.at(7, 7), clWhite);
    EXPECT_EQ(s.inkBounds(), Rect(1, 1, 10, 10));
}

TEST(TCanvasTest, RoundRectAndEllipseStayInsideTheirBox) {
    PixelSurface s(24, 16);
    TCanvas* cv = s.canvas();
    cv->Pen()->SetColor(clBlue);
    cv->Brush()->SetColor(clYellow);
    cv->RoundRect(0, 0, 20, 12, 8, 8);
    EXPECT_EQ(s.inkBounds(), Rect(0, 0, 20, 12));
    EXPECT_EQ(s.at(0, 0), clWhite) << "corner rounded off";
    EXPECT_EQ(s.at(10, 0), clBlue);
    EXPECT_EQ(s.at(19, 6), clBlue) << "right edge at right - 1";
    EXPECT_EQ(s.at(10, 11), clBlue) << "bottom edge at bottom - 1";
    EXPECT_EQ(s.at(10, 6), clYellow);

    PixelSurface e(16, 16);
    e.canvas()->Ellipse(2, 2, 12, 12);
    EXPECT_EQ(e.inkBounds(), Rect(2, 2, 12, 12));
    EXPECT_EQ(e.at(2, 2), clWhite);
}

TEST(TCanvasTest, TextOutPaintsBrushBackgroundUnlessClear) {
    for (bool clear : {false, true}) {
        PixelSurface s(60, 20);
        TCanvas* cv = s.canvas();
        cv->Font()->SetColor(clBlack);
        cv->Brush()->SetColor(clYellow);
        if (clear) cv->Brush()->SetStyle(bsClear);
        cv->TextOut(3, 2, "Hi");
        const TSize size = cv->TextExtent("Hi");
        EXPECT_GT(s.count(clBlack), 5);
        if (clear) {
            EXPECT_EQ(s.count(clYellow), 0);
        } else {
            EXPECT_EQ(s.count(clYellow) + s.count(clBlack), size.cx * size.cy) << "the whole cell is painted";
            EXPECT_EQ(s.inkBounds(), Bounds(3, 2, size.cx, size.cy));
        }
        EXPECT_EQ(cv->PenPos(), Point(3 + size.cx, 2));
    }
}

TEST(TCanvasTest, TextRectFillsAndClipsToItsRectangle) {
    PixelSurface s(60, 20);
    TCanvas* cv = s.canvas();
    cv->Brush()->SetColor(clYellow);
    cv->TextRect(Rect(2, 2, 12, 15), 4, 2, "Clipped text");
    EXPECT_EQ(s.inkBounds(), Rect(2, 2, 12, 15));
    EXPECT_EQ(s.at(2, 14), clYellow);
}

TEST(TCanvasTest, DefaultFontMeasuresLikeTheDialogFont) {
    PixelSurface s(10, 10);
    EXPECT_EQ(s.canvas()->TextHeight("Xy"), 13);
    EXPECT_GT(s.canvas()->TextWidth("WWW"), s.canvas()->TextWidth("iii"));
    EXPECT_EQ(s.canvas()->TextWidth(""), 0);
    s.canvas()->Font()->SetSize(16);
    EXPECT_GT(s.canvas()->TextHeight("Xy"), 13) << "a font change is selected before measuring";
}

// Small aliased text keeps its words apart: at the dialog font of the sample's cells, the blank
// columns where a space is are wider than any gap between two letters of a word, so that "row
// normal" does not read "rownormal".
TEST(TCanvasTest, SpacesShowWiderThanGapsBetweenLetters) {
    for (const std::string text :
         {"row normal", "numeric is Read-only", "Con cien cañones por banda, viento en popa"}) {
        PixelSurface s(300, 16);
        TCanvas* cv = s.canvas();
        cv->Font()->SetColor(clBlack);
        cv->Brush()->SetStyle(bsClear);
        cv->TextOut(0, 0, text);
        const auto blankColumn = [&](int x) {
            for (int y = 0; y < 16; ++y)
                if (s.at(x, y) != clWhite) return false;
            return true;
        };
        // Each run of blank columns between ink is a word gap when it meets a space's advance.
        std::vector<std::pair<int, int>> spaces;
        for (std::size_t i = text.find(' '); i != std::string::npos; i = text.find(' ', i + 1))
            spaces.emplace_back(cv->TextWidth(text.substr(0, i)), cv->TextWidth(text.substr(0, i + 1)));
        int narrowestWordGap = 1000;
        int widestLetterGap = 0;
        int wordGaps = 0;
        const int end = cv->TextWidth(text);
        for (int x = 1; x < end; ++x) {
            if (!blankColumn(x) || blankColumn(x - 1)) continue;
            int gapEnd = x;
            while (gapEnd < end && blankColumn(gapEnd))
                ++gapEnd;
            if (gapEnd == end) break;
            const bool atSpace = std::any_of(spaces.begin(), spaces.end(),
                                             [&](auto sp) { return x < sp.second && gapEnd > sp.first; });
            if (atSpace) {
                ++wordGaps;
                narrowestWordGap = std::min(narrowestWordGap, gapEnd - x);
            } else {
                widestLetterGap = std::max(widestLetterGap, gapEnd - x);
            }
            x = gapEnd;
        }
        EXPECT_EQ(wordGaps, static_cast<int>(spaces.size())) << text;
        EXPECT_GT(narrowestWordGap, widestLetterGap) << text;
    }
}

TEST(TCanvasTest, PixelsReadAndWrite) {
    PixelSurface s(4, 4);
    s.canvas()->SetPixels(2, 1, clRed);
    s.canvas()->SetPixels(3, 3, clBtnFace);
    EXPECT_EQ(s.canvas()->Pixels(2, 1), clRed);
    EXPECT_EQ(s.canvas()->Pixels(3, 3), RGB(212, 208, 200)) << "system colours resolve";
    EXPECT_EQ(s.canvas()->Pixels(0, 0), clWhite);
    EXPECT_EQ(s.canvas()->Pixels(4, 0), clNone);
    EXPECT_EQ(s.canvas()->Pixels(-1, 0), clNone);
}

TEST(TCanvasTest, ClipRectIsTheWholeBitmap) {
    PixelSurface s(30, 20);
    EXPECT_EQ(s.canvas()->ClipRect(), Rect(0, 0, 30, 20));
}

TEST(TCanvasTest, CanvasWithoutDeviceRefusesToDraw) {
    TCanvas canvas;
    EXPECT_THROW(canvas.LineTo(1, 1), EInvalidGraphicOperation);
    EXPECT_THROW(canvas.Handle(), EInvalidGraphicOperation);
    EXPECT_FALSE(canvas.HandleAllocated());
}

TEST(TCanvasTest, FontSelectedOnTheHandleStaysUntilTheCanvasFontChanges) {
    PixelSurface s(10, 10);
    TCanvas* cv = s.canvas();
    const int normal = cv->TextHeight("X");
    LOGFONT big = cv->Font()->LogFont();
    big.lfHeight = -30;
    HFONT font = CreateFontIndirect(&big);
    HFONT old = SelectObject(cv->Handle(), font);
    EXPECT_GT(cv->TextHeight("X"), normal) << "the canvas does not reselect an unchanged font";
    SelectObject(cv->Handle(), old);
    DeleteObject(font);
    EXPECT_EQ(cv->TextHeight("X"), normal);
    SelectObject(cv->Handle(), font = CreateFontIndirect(&big));
    cv->Font()->SetColor(clRed);
    EXPECT_EQ(cv->TextHeight("X"), normal) << "a changed canvas font is selected again";
    DeleteObject(font);
}

TEST(TCanvasTest, ExternalHandleIsUsedAndCanBeDetached) {
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        TDeviceContext dc(&image);
        TCanvas canvas;
        canvas.SetHandle(&dc);
        canvas.Brush()->SetColor(clGreen);
        canvas.FillRect(Rect(0, 0, 2, 2));
        canvas.SetHandle(nullptr);
        EXPECT_THROW(canvas.FillRect(Rect(0, 0, 2, 2)), EInvalidGraphicOperation);
    }
    EXPECT_EQ(QColorToColor(image.pixelColor(1, 1)), clGreen);
    EXPECT_EQ(QColorToColor(image.pixelColor(2, 2)), clWhite);
}

TEST(TCanvasTest, CopyRectCopiesFromAnotherCanvas) {
    PixelSurface from(4, 4);
    from.canvas()->SetPixels(1, 1, clRed);
    PixelSurface to(8, 8);
    to.canvas()->CopyRect(Rect(0, 0, 8, 8), from.canvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(to.inkBounds(), Rect(2, 2, 4, 4)) << "stretched twice";
}

} // namespace
