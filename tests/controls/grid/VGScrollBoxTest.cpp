// The grid's painting surface: rows rendered to an image and read back pixel by pixel, the text
// of cells, which rows are painted and in what order the application is asked for their data,
// and scroll messages, sent directly and through the real Qt bar.
#include "controls/grid/GridTestSupport.h"
#include "controls/grid/VexoRow.h"
#include "support/PixelSurface.h"
#include "support/WindowTestSupport.h"

#include "framework/graphics/Gdi.h"
#include "framework/graphics/SysColors.h"
#include "framework/graphics/TImageList.h"
#include "framework/windows/Render.h"
#include "framework/windows/TApplication.h"
#include "framework/windows/TControlCanvas.h"
#include "framework/windows/TForm.h"
#include "framework/windows/WinApi.h"

#include <QApplication>
#include <QCoreApplication>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

using namespace vexo;

namespace {

constexpr TColor kBack = 0xFFFFFF;
constexpr TColor kText = 0x000000;
constexpr TColor kSelFocused = 0x0000FF;
constexpr TColor kSelUnfocused = 0x00FF00;
constexpr TColor kSelText = 0xFFFFFF;

// A grid with plain colours (system colours would depend on the palette), rows "r0", "r1", ... in
// column 0 and nothing else.
std::unique_ptr<TVexoGrid> PaintGrid(int rows, const std::vector<ColumnDef>& columns, int width = 300,
                                     int height = 100) {
    auto grid = MakeGrid(width, height);
    grid->SetBkColor(kBack);
    grid->SetColorText(kText);
    grid->SetColorBkSel(kSelFocused);
    grid->SetColorBkSelIn(kSelUnfocused);
    grid->SetColorTextSel(kSelText);
    AddColumns(*grid, columns);
    for (int i = 0; i < rows; ++i) {
        grid->AddRow();
        grid->AddString(0, "r" + std::to_string(i));
    }
    return grid;
}

// A full paint of the surface, as the platform would ask for it.
QImage Render(TVexoGrid& grid) {
    grid.Surface()->Invalidate();
    return RenderToImage(grid.Surface());
}

TColor At(const QImage& image, int x, int y) {
    return QColorToColor(image.pixelColor(x, y));
}

// True when no pixel of area differs from colour.
bool Plain(const QImage& image, const TRect& area, TColor colour) {
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            if (At(image, x, y) != colour) return false;
    return true;
}

// Compares area of image with the same area of a reference drawn at the same coordinates.
bool SameAs(const QImage& image, PixelSurface& reference, const TRect& area) {
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            if (At(image, x, y) != reference.at(x, y)) return false;
    return true;
}

void RecordNeedData(TVexoGrid& grid, std::vector<int>& log) {
    grid.OnRowNeedData = [&log](int row) { log.push_back(row); };
}

QScrollBar* VerticalBar(TVexoGrid& grid) {
    for (QScrollBar* b : grid.Surface()->Widget()->findChildren<QScrollBar*>())
        if (b->orientation() == Qt::Vertical) return b;
    return nullptr;
}

// Where the bar's style puts one of its sub-controls (thumb, groove) now.
QRect BarArea(QScrollBar* bar, QStyle::SubControl area) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, area, bar);
}

} // namespace

TEST(VGScrollBoxTest, ConstructionMakesARealScrollBoxWithoutBorder) {
    auto grid = MakeGrid();
    TVGScrollBox* s = grid->Surface();
    EXPECT_FALSE(s->TabStop());
    EXPECT_FALSE(s->AutoScroll());
    EXPECT_EQ(s->BorderStyle(), bsNone);
    EXPECT_EQ(s->HorzScrollBar()->Style(), ssHotTrack);
    EXPECT_EQ(s->VertScrollBar()->Style(), ssHotTrack);
    EXPECT_TRUE(s->VertScrollBar()->Tracking());
    EXPECT_FALSE(s->HorzScrollBar()->Tracking());
    EXPECT_EQ(s->Widget()->findChildren<QScrollBar*>().size(), 2);
}

TEST(VGScrollBoxTest, UpdateExtentDrivesTheBarsAndTheHeader) {
    auto grid = PaintGrid(40, {{"a", vgString, 150}, {"b", vgString, 250}}, 200, 100);
    TVGScrollBox* s = grid->Surface();
    // The horizontal bar shows (401 > 200) and takes its height from the client area.
    const int clientHeight = s->ClientHeight();
    EXPECT_LT(clientHeight, 100);
    EXPECT_EQ(s->HorzRange(), 401);
    EXPECT_EQ(s->VertRange(), 40 * 15 + clientHeight % 15);
    EXPECT_EQ(s->VertIncrement(), 15);
    grid->SetRowTop(3);
    EXPECT_EQ(s->VertPosition(), 45);
    s->SetHorzOffset(70);
    grid->UpdateColumns();
    EXPECT_EQ(s->HorzOffset(), 70);
    EXPECT_EQ(s->HorzScrollBar()->Position(), 70);
    EXPECT_EQ(s->Edges(), (std::vector<int>{-70, 80, 330}));
    EXPECT_EQ(grid->Head()->Offset(), -70);
    s->SetHorzOffset(100000);
    EXPECT_EQ(s->HorzOffset(), 401 - s->ClientWidth()) << "the bar clamps the offset";
}

TEST(VGScrollBoxTest, SelectionColoursFollowTheLogicalFocusAndShowSelection) {
    const struct {
        const char* name;
        bool focus, showSelection;
        TColor back;
    } cases[] = {
        {"focused", true, true, kSelFocused},
        {"not focused", false, true, kSelUnfocused},
        {"ShowSelection off", true, false, kBack},
    };
    for (const auto& c : cases) {
        auto grid = PaintGrid(3, {{"a", vgString, 50}, {"b", vgString, 50}});
        grid->SetRowIndex(1);
        grid->SetLogicFocus(c.focus);
        grid->SetShowSelection(c.showSelection);
        const QImage image = Render(*grid);
        EXPECT_EQ(At(image, 97, 15 + 5), c.back) << c.name;
        EXPECT_EQ(At(image, 97, 5), kBack) << c.name << ": other rows keep the background";
        // The row's text in the selected text colour: only the selected state shows white ink on
        // the selection colour, so look for a text pixel that is neither background.
        const TRect text = Rect(1, 16, 49, 28);
        EXPECT_FALSE(Plain(image, text, c.back)) << c.name << ": the row shows its text";
    }
}

TEST(VGScrollBoxTest, LinesLeaveOutTheirEndPixels) {
    for (const bool showLines : {true, false}) {
        auto grid = PaintGrid(1, {{"a", vgString, 40}, {"b", vgString, 60}});
        grid->SetShowLines(showLines);
        const QImage image = Render(*grid);
        const TColor line = showLines ? clSilver : kBack;
        // Row 0 is 0..14; vertical lines at every column edge, from the top to above the last
        // line of the row; the horizontal line on y = 14 from x = 0 up to the row's right end
        // (the range, 101) without its end pixel.
        for (const int x : {0, 40, 100}) {
            EXPECT_EQ(At(image, x, 0), line) << "x " << x;
            EXPECT_EQ(At(image, x, 13), line) << "x " << x;
        }
        EXPECT_EQ(At(image, 0, 14), line);
        EXPECT_EQ(At(image, 100, 14), line);
        EXPECT_EQ(At(image, 101, 14), kBack) << "the horizontal line's end pixel";
        EXPECT_EQ(At(image, 101, 5), kBack);
        EXPECT_EQ(At(image, 20, 15), kBack) << "below the only row";
    }
}

// CTest runs this alone under QT_SCALE_FACTOR=2 (HighDpi.GridPaintsSharplyAtRatio2); elsewhere it
// skips. The window's picture is at the device pixel ratio: a one-pixel line of the grid covers
// exactly two device pixels, unblended, and text is drawn at full resolution, where a picture at
// ratio 1 scaled up would make every aligned 2 x 2 block of device pixels one colour. Controls
// still work in logical pixels, reading back included.
TEST(VGScrollBoxTest, PaintsAtFullResolutionAtADevicePixelRatioOf2) {
    if (qApp->devicePixelRatio() != 2) GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
    auto grid = PaintGrid(1, {{"a", vgString, 40}, {"b", vgString, 60}});
    grid->SetShowLines(true);
    const QImage image = Render(*grid);
    ASSERT_EQ(image.size(), 2 * grid->Surface()->Widget()->size());

    using Run = std::array<TColor, 4>;
    const Run across{kBack, clSilver, clSilver, kBack};
    for (int y = 2; y < 26; ++y) // the column line at x = 40, away from its ends
        EXPECT_EQ((Run{At(image, 79, y), At(image, 80, y), At(image, 81, y), At(image, 82, y)}), across)
            << "device row " << y;
    for (int x = 84; x < 198; ++x) // the row's line at y = 14, under the empty column
        EXPECT_EQ((Run{At(image, x, 27), At(image, x, 28), At(image, x, 29), At(image, x, 30)}), across)
            << "device column " << x;

    int finerThanALogicalPixel = 0;
    for (int y = 0; y < 26; y += 2) // the text "r0" of the first cell
        for (int x = 2; x < 78; x += 2) {
            const TColor c = At(image, x, y);
            if (At(image, x + 1, y) != c || At(image, x, y + 1) != c || At(image, x + 1, y + 1) != c)
                ++finerThanALogicalPixel;
        }
    EXPECT_GT(finerThanALogicalPixel, 0) << "the text is a picture at ratio 1 scaled up";

    TControlCanvas canvas(grid->Surface());
    EXPECT_EQ(canvas.Pixels(40, 5), clSilver);
    EXPECT_EQ(canvas.Pixels(41, 5), kBack);
    EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 300, 100));
    EXPECT_EQ(GetDeviceCaps(canvas.Handle(), HORZRES), 300);
}

TEST(VGScrollBoxTest, CheckBoxRadioAndImageFollowTheHorizontalOffset) {
    TImageList images(10, 10);
    TBitmap picture;
    picture.SetSize(10, 10);
    picture.Canvas()->Brush()->SetColor(0xFF00FF);
    picture.Canvas()->FillRect(Rect(0, 0, 10, 10));
    images.Add(&picture, nullptr);

    const struct {
        int offset;
        bool radio, checked;
    } cases[] = {{0, false, false}, {0, false, true}, {0, true, true},
                 {8, false, true},  {8, true, false}, {30, false, true}};
    for (const auto& c : cases) {
        const std::string name = "offset " + std::to_string(c.offset) + (c.radio ? " radio" : " check") +
                                 (c.checked ? " checked" : "");
        auto grid = PaintGrid(2, {{"a", vgString, 150}, {"b", vgString, 250}}, 200, 100);
        grid->SetShowLines(false);
        grid->SetCheckBoxes(true);
        grid->SetCheckAreRadio(c.radio);
        grid->SetImages(&images);
        grid->Row(0)->setImage(0);
        grid->SetRowChecked(0, c.checked);
        grid->Surface()->Perform(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, c.offset), 0);
        TVGScrollBox* s = grid->Surface();
        ASSERT_EQ(s->HorzOffset(), c.offset) << name;

        EXPECT_EQ(s->CheckBoxRect(0).Left, 1 - c.offset) << name;
        EXPECT_EQ(s->CheckBoxRect(0).Width(), 13) << name;
        EXPECT_EQ(s->ImageRect(0).Left, 18 - c.offset) << name;
        EXPECT_EQ(s->CellRect(0, 0).Left, -c.offset + 18 + 10 + 2) << name;
        EXPECT_EQ(s->CellRect(-1, 0).Left, -c.offset + 18 + 10 + 2) << name << ": the header's rectangle";
        EXPECT_EQ(s->CellRect(0, 1).Left, 150 - c.offset) << name << ": only column 0 is indented";

        const QImage image = Render(*grid);
        PixelSurface expected(40, 15);
        expected.canvas()->Brush()->SetColor(kBack);
        expected.canvas()->FillRect(Rect(0, 0, 40, 15));
        TRect box = s->CheckBoxRect(0);
        DrawFrameControl(expected.dc(), &box, DFC_BUTTON,
                         DFCS_FLAT | (c.checked ? DFCS_CHECKED : 0) |
                             (c.radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK));
        const TRect visibleBox = Rect(0, 0, std::max(0, box.Right), 15);
        EXPECT_TRUE(SameAs(image, expected, visibleBox)) << name;
        // The image at the row's top, not centred.
        const int imageLeft = 18 - c.offset;
        if (imageLeft >= 0) {
            EXPECT_EQ(At(image, imageLeft, 0), 0xFF00FF) << name;
            EXPECT_EQ(At(image, imageLeft + 9, 9), 0xFF00FF) << name;
            EXPECT_NE(At(image, imageLeft + 9, 10), 0xFF00FF) << name;
        } else {
            EXPECT_EQ(At(image, 0, 0), kBack) << name << ": scrolled out of view";
        }
    }
}

TEST(VGScrollBoxTest, ARowWithoutCheckBoxShowsNone) {
    auto grid = PaintGrid(2, {{"a", vgString, 100}});
    grid->SetCheckBoxes(true);
    grid->SetShowLines(false);
    grid->Row(1)->setNoCheckBox(true);
    const QImage image = Render(*grid);
    EXPECT_FALSE(Plain(image, Rect(1, 1, 14, 14), kBack));
    EXPECT_TRUE(Plain(image, Rect(0, 15, 18, 30), kBack));
}

TEST(VGScrollBoxTest, CellTextConvertsPadsAndNeverRaises) {
    auto grid = PaintGrid(1, {{"s"}, {"d", vgDate}, {"t", vgTime}, {"b", vgBoolean}, {"c"}});
    TVGColumnCollection* cols = grid->Columns();
    cols->Items(4)->SetIsCombo(true);
    TStringList values, texts;
    values.Add("1");
    values.Add("2");
    values.Add("2");
    texts.Add("uno");
    texts.Add("dos");
    texts.Add("otro dos");
    cols->Items(4)->SetComboValues(&values);
    cols->Items(4)->SetComboTexts(&texts);

    const struct {
        int col;
        TAlignment alignment;
        const char* format;
        const char* stored; // nullptr: a null cell
        const char* shown;
    } cases[] = {
        {0, taLeftJustify, "", "abc", " abc"},
        {0, taRightJustify, "", "abc", "abc "},
        {0, taCenter, "", "abc", "abc"},
        {0, taLeftJustify, "", nullptr, ""},
        {0, taRightJustify, "", "", " "},
        {1, taLeftJustify, "DD/MM/YYYY", "05/03/2024", " 05/03/2024"},
        {1, taLeftJustify, "yyyy-mm-dd", "05/03/2024", " 2024-03-05"},
        {1, taLeftJustify, "DD/MM/YYYY", "no es fecha", " no es fecha"},
        {1, taRightJustify, "DD/MM/YYYY", "31/02/2024", "31/02/2024 "},
        {1, taLeftJustify, "DD/MM/YYYY", "", " "},
        {2, taLeftJustify, "HH:MM", "9:05", " 09:05"},
        {2, taCenter, "HH:MM", "25:99", "25:99"},
        {3, taLeftJustify, "", "true", " sí"},
        {3, taLeftJustify, "", "false", " no"},
        {3, taLeftJustify, "", "quizá", " quizá"},
        {4, taLeftJustify, "", "2", " dos"},
        {4, taLeftJustify, "", "3", " 3"},
        {4, taLeftJustify, "", "", " "},
    };
    for (const auto& c : cases) {
        TVGColumn* column = cols->Items(c.col);
        column->SetAlignment(c.alignment);
        if (c.col == 1 || c.col == 2) column->SetFormat(c.format);
        if (c.stored) {
            grid->SetString(0, c.col, c.stored);
        } else {
            grid->Row(0)->setNull(c.col, true);
        }
        EXPECT_EQ(grid->Surface()->CellText(0, c.col), c.shown)
            << "column " << c.col << " '" << (c.stored ? c.stored : "null") << "'";
    }
    EXPECT_EQ(grid->Surface()->CellText(5, 0), "") << "a row that does not exist";
    EXPECT_NO_THROW(Render(*grid)) << "unparsable dates paint";
}

TEST(VGScrollBoxTest, TextIsDrawnWithTheAlignmentAndItsPadding) {
    const TAlignment alignments[] = {taLeftJustify, taRightJustify, taCenter};
    for (const TAlignment a : alignments) {
        auto grid = PaintGrid(1, {{"a", vgString, 80}, {"b", vgString, 60}});
        grid->SetShowLines(false);
        grid->Columns()->Items(1)->SetAlignment(a);
        grid->SetString(0, 1, "abc");
        grid->SetLabelWrap(false);
        const QImage image = Render(*grid);

        // The same text drawn by hand where the cell is.
        PixelSurface expected(200, 15);
        expected.canvas()->Brush()->SetColor(kBack);
        expected.canvas()->FillRect(Rect(0, 0, 200, 15));
        expected.canvas()->Font()->SetColor(kText);
        const std::string text = grid->Surface()->CellText(0, 1);
        TRect cell = grid->Surface()->CellRect(0, 1);
        const unsigned align = a == taRightJustify ? DT_RIGHT : a == taCenter ? DT_CENTER : 0;
        DrawTextEx(expected.dc(), text, &cell, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | align);
        EXPECT_TRUE(SameAs(image, expected, Rect(80, 0, 140, 15))) << "alignment " << a;
        const TRect ink = expected.inkBounds(kBack);
        EXPECT_GT(ink.Right - ink.Left, 5) << "alignment " << a;
        if (a == taLeftJustify) {
            EXPECT_GE(ink.Left, 80 + 3) << "one space before";
        }
        if (a == taRightJustify) {
            EXPECT_LE(ink.Right, 140 - 3) << "one space after";
        }
    }
}

TEST(VGScrollBoxTest, NullCellsShowNothing) {
    auto grid = PaintGrid(1, {{"a", vgString, 80}, {"b", vgString, 60}});
    grid->SetShowLines(false);
    grid->SetString(0, 1, "texto");
    grid->Row(0)->setNull(1, true);
    EXPECT_TRUE(Plain(Render(*grid), Rect(80, 0, 140, 15), kBack));
}

TEST(VGScrollBoxTest, JoinedCellsPaintAsOne) {
    auto grid = PaintGrid(2, {{"a", vgString, 40}, {"b", vgString, 60}, {"c", vgString, 50}});
    grid->SetString(0, 0, "una etiqueta larga");
    grid->SetString(0, 1, "XXXXXXXX");
    grid->Row(0)->setJoined(0, true);
    TVGScrollBox* s = grid->Surface();
    EXPECT_EQ(s->CellRect(0, 0).Right, 100);
    EXPECT_EQ(s->CellRect(1, 0).Right, 40) << "only the flagged row";
    grid->Row(0)->setJoined(1, true);
    EXPECT_EQ(s->CellRect(0, 0).Right, 150) << "a chain of joined cells";
    EXPECT_EQ(s->CellRect(0, 1).Right, 150);
    grid->Row(0)->setJoined(1, false);

    const QImage image = Render(*grid);
    EXPECT_EQ(At(image, 40, 0), kBack) << "no line between the joined cells";
    EXPECT_EQ(At(image, 40, 15), clSilver) << "the line stays in the other row";
    EXPECT_EQ(At(image, 100, 5), clSilver);
    // Cell 0's text runs on over column 1; cell 1's own text is not drawn: the picture is that of
    // cell 0's text alone.
    PixelSurface expected(160, 15);
    expected.canvas()->Brush()->SetColor(kBack);
    expected.canvas()->FillRect(Rect(0, 0, 160, 15));
    expected.canvas()->Font()->SetColor(kText);
    TRect cell = Rect(0, 0, 100, 15);
    DrawTextEx(expected.dc(), std::string(" una etiqueta larga"), &cell,
               DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | DT_END_ELLIPSIS);
    EXPECT_TRUE(SameAs(image, expected, Rect(1, 0, 100, 14)));
}

TEST(VGScrollBoxTest, AUnicolumnRowIsOneIndentedCellWithItsOwnSet) {
    auto grid = PaintGrid(3, {{"a", vgString, 40}, {"b", vgString, 60}}, 300, 100);
    grid->SetCheckBoxes(true);
    grid->Row(1)->setUnicolumn(true);
    grid->SetString(1, 0, "T");
    grid->SetString(1, 1, "no se ve");
    grid->AttrUnicolumn()->SetBackColor(0x00FFFF);
    grid->AttrUnicolumn()->SetColor(0xFF0000);
    grid->Columns()->Items(0)->SetAlignment(taRightJustify); // ignored: a unicolumn row is left-aligned
    std::vector<int> asked;
    RecordNeedData(*grid, asked);

    TVGScrollBox* s = grid->Surface();
    EXPECT_EQ(s->CellRect(1, 0).Left, 18);
    EXPECT_EQ(s->CellRect(1, 0).Right, 100);
    EXPECT_EQ(s->CellText(1, 0), " T");
    EXPECT_EQ(s->CellText(1, 1), "");

    const QImage image = Render(*grid);
    EXPECT_EQ(asked, (std::vector<int>{0, 2})) << "no data asked for a unicolumn row";
    EXPECT_EQ(At(image, 98, 20), 0x00FFFF) << "filled with its set's colour to the last edge";
    EXPECT_TRUE(Plain(image, Rect(1, 16, 14, 28), kBack)) << "no check box";
    EXPECT_EQ(At(image, 40, 20), 0x00FFFF) << "no line between its columns";
    const TRect ink = [&] {
        TRect r{300, 0, 0, 0};
        for (int y = 16; y < 28; ++y)
            for (int x = 19; x < 98; ++x)
                if (At(image, x, y) != 0x00FFFF) {
                    r.Left = std::min(r.Left, x);
                    r.Right = std::max(r.Right, x + 1);
                }
        return r;
    }();
    EXPECT_GE(ink.Left, 18 + 3) << "left-aligned after one space";
    EXPECT_LT(ink.Right, 60) << "left-aligned";
}

TEST(VGScrollBoxTest, AttributeSetChoice) {
    auto grid = PaintGrid(3, {{"a", vgString, 40}, {"b", vgString, 60}});
    grid->SetShowLines(false);
    TFontAttrs* sets = grid->FontAttrs();
    sets->Attr1()->SetBackColor(0x00FF00);
    sets->Attr2()->SetBackColor(0xFF0000);
    sets->Attr3()->SetBackColor(clNone);
    TVexoGrid_rowInfo* r0 = grid->Row(0);
    r0->setRowAttr(1);
    r0->setCellAttr(0, 2);
    grid->Row(1)->setCellAttr(0, 2);
    grid->Row(2)->setCellAttr(0, 2);
    grid->Row(2)->setCellAttr(1, 3);
    const struct {
        int row, x;
        TColor back;
        const char* why;
    } cases[] = {
        {0, 38, 0x00FF00, "the row's set beats the cell's"},
        {0, 98, 0x00FF00, "the row's set covers every cell"},
        {1, 38, 0xFF0000, "the cell's set"},
        {1, 98, kBack, "the default set"},
        {2, 98, 0xFF0000, "a set without back colour keeps the one last applied"},
    };
    const QImage image = Render(*grid);
    for (const auto& c : cases)
        EXPECT_EQ(At(image, c.x, c.row * 15 + 7), c.back) << c.why;
}

TEST(VGScrollBoxTest, PaintTouchesOnlyTheVisibleRowsThenAsksForTheCurrentOne) {
    auto grid = PaintGrid(10, {{"a"}, {"b"}}, 300, 100);
    ASSERT_EQ(grid->GetNumOfEntireRows(), 6);
    grid->SetRowTop(4);
    grid->SetRowIndex(2);
    std::vector<int> asked;
    RecordNeedData(*grid, asked);
    Render(*grid);
    EXPECT_EQ(asked, (std::vector<int>{4, 5, 6, 7, 8, 9, 2}));

    asked.clear();
    grid->SetRowTop(0);
    Render(*grid);
    EXPECT_EQ(asked, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 2})) << "the partly visible row 6 too";

    auto empty = PaintGrid(0, {{"a"}});
    std::vector<int> none;
    RecordNeedData(*empty, none);
    const QImage image = Render(*empty);
    EXPECT_TRUE(none.empty());
    EXPECT_TRUE(Plain(image, Rect(0, 0, 300, 100), kBack));
}

TEST(VGScrollBoxTest, PaintRowDrawsAtOnceWithoutRepaintingTheWindow) {
    auto grid = PaintGrid(5, {{"a", vgString, 50}, {"b", vgString, 50}});
    grid->SetLogicFocus(true);
    Render(*grid);
    std::vector<int> asked;
    RecordNeedData(*grid, asked);
    grid->SetRowIndex(3); // PaintRow(3), outside any paint
    EXPECT_EQ(asked, (std::vector<int>{3}));
    asked.clear();
    const QImage image = RenderToImage(grid->Surface()); // no invalidation: shows the picture
    EXPECT_TRUE(asked.empty()) << "nothing was invalidated, so nothing was painted again";
    EXPECT_EQ(At(image, 97, 3 * 15 + 5), kSelFocused);

    // Focus messages repaint the selection: the colour follows the focus.
    grid->SetLogicFocus(false);
    grid->Surface()->Perform(WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(asked, (std::vector<int>{3}));
    EXPECT_EQ(At(RenderToImage(grid->Surface()), 97, 3 * 15 + 5), kSelUnfocused);
}

TEST(VGScrollBoxTest, RepaintSelectionPaintsEverySelectedRowInMultiselect) {
    auto grid = PaintGrid(6, {{"a"}});
    grid->SetMultiselect(true);
    grid->SetRowSelected(4, true);
    grid->SetRowSelected(1, true);
    std::vector<int> asked;
    RecordNeedData(*grid, asked);
    grid->Surface()->RepaintSelection();
    EXPECT_EQ(asked, (std::vector<int>{1, 4}));
}

TEST(VGScrollBoxTest, AHandlerThatRaisesDuringAPaintDoesNotBreakPainting) {
    auto grid = PaintGrid(3, {{"a"}});
    std::vector<std::string> reported;
    Application->OnException = [&reported](TObject*, const std::exception& e) {
        reported.push_back(e.what());
    };
    grid->OnRowNeedData = [](int row) {
        if (row == 1) throw std::runtime_error("sin datos");
    };
    EXPECT_NO_THROW(Render(*grid));
    Application->OnException = nullptr;
    EXPECT_EQ(reported, (std::vector<std::string>{"sin datos"}));
    EXPECT_EQ(grid->Surface()->Canvas()->LockCount(), 0);
    EXPECT_FALSE(grid->Surface()->Canvas()->HandleAllocated());
    grid->UpdateColumns();
    grid->Surface()->UpdateExtent(true);
    EXPECT_TRUE(grid->Surface()->ErasePending()) << "the paint is over";
}

TEST(VGScrollBoxTest, InvalidationsAskedForDuringAPaintAreAppliedAfterIt) {
    // The handler for row 1 changes row 0, which the paint has drawn already; the picture shown
    // next must be the changed one.
    const struct {
        const char* name;
        std::function<void(TVexoGrid&)> change;
    } cases[] = {
        {"RowSelectedClear", [](TVexoGrid& g) { g.RowSelectedClear(); }},
        {"TVexoRow::Store",
         [](TVexoGrid& g) {
             TVexoRow row(&g);
             row.MoveTo(0);
             row.SetAsString(0, "cambiada");
             row.Store();
         }},
    };
    for (const auto& c : cases) {
        auto grid = PaintGrid(3, {{"a", vgString, 120}});
        grid->SetLogicFocus(true);
        grid->SetRowIndex(0);
        int changes = 0;
        grid->OnRowNeedData = [&](int row) {
            if (row == 1 && changes++ == 0) c.change(*grid);
        };
        Render(*grid);
        ASSERT_EQ(changes, 1) << c.name;
        const QImage shown = RenderToImage(grid->Surface()); // no invalidation of the test's own
        EXPECT_EQ(shown, Render(*grid)) << c.name << ": the change was painted after the paint";
    }
}

TEST(VGScrollBoxTest, VerticalScrollCodes) {
    // 40 rows, 6 whole rows in 100 pixels: range 610, last position 510 (RowTop 34).
    const struct {
        int code, thumb, top;
    } cases[] = {
        {SB_LINEUP, 0, 9},    {SB_LINEDOWN, 0, 11},   {SB_PAGEUP, 0, 4},
        {SB_PAGEDOWN, 0, 17}, {SB_THUMBTRACK, 20, 2}, {SB_THUMBPOSITION, 100, 7},
        {SB_TOP, 0, 0},       {SB_BOTTOM, 0, 34},     {SB_ENDSCROLL, 0, 10},
        {9, 0, 10},           {SB_THUMBTRACK, 0, 0},
    };
    for (const auto& c : cases) {
        auto grid = PaintGrid(40, {{"a"}}, 300, 100);
        ASSERT_EQ(grid->Surface()->VertRange(), 610);
        grid->SetRowTop(10);
        SendMessage(grid->Surface()->Handle(), WM_VSCROLL, MAKEWPARAM(c.code, c.thumb), 0);
        EXPECT_EQ(grid->GetRowTop(), c.top) << "code " << c.code;
        EXPECT_EQ(grid->Surface()->VertPosition(), c.top * 15) << "code " << c.code;
    }
}

TEST(VGScrollBoxTest, ThumbPositionsRoundUpAndAreUnsigned16Bits) {
    auto grid = PaintGrid(10, {{"a"}}, 300, 100);
    TVGScrollBox* s = grid->Surface();
    s->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 20), 0);
    EXPECT_EQ(grid->GetRowTop(), 2) << "20 / 15 rounded up";
    s->VertScrollBar()->SetPosition(20); // where the dragged thumb was let go
    s->Perform(WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
    EXPECT_EQ(s->VertPosition(), 30);
    EXPECT_EQ(grid->GetRowTop(), 2);

    auto big = PaintGrid(10000, {{"a"}}, 300, 100);
    const struct { int thumb, top; } thumbs[] = {{0xFFFF, 4369}, {0x8000, 2185}};
    for (const auto& t : thumbs) {
        big->Surface()->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, t.thumb), 0);
        EXPECT_EQ(big->GetRowTop(), t.top) << "thumb " << t.thumb;
    }
}

TEST(VGScrollBoxTest, HorizontalScrollCodes) {
    // Columns 400 wide in 200 pixels: range 401, last offset 201.
    const struct {
        int code, thumb, offset;
    } cases[] = {
        {SB_LINELEFT, 0, 42},   {SB_LINERIGHT, 0, 58},   {SB_PAGELEFT, 0, 0},
        {SB_PAGERIGHT, 0, 201}, {SB_THUMBTRACK, 30, 30}, {SB_THUMBPOSITION, 300, 201},
        {SB_LEFT, 0, 0},        {SB_RIGHT, 0, 201},      {SB_ENDSCROLL, 0, 50},
    };
    for (const auto& c : cases) {
        auto grid = PaintGrid(0, {{"a", vgString, 150}, {"b", vgString, 250}}, 200, 100);
        TVGScrollBox* s = grid->Surface();
        s->SetHorzOffset(50);
        SendMessage(s->Handle(), WM_HSCROLL, MAKEWPARAM(c.code, c.thumb), 0);
        EXPECT_EQ(s->HorzOffset(), c.offset) << "code " << c.code;
        EXPECT_EQ(s->HorzScrollBar()->Position(), c.offset) << "code " << c.code;
        EXPECT_EQ(s->Edges().front(), -c.offset) << "code " << c.code;
        EXPECT_EQ(grid->Head()->Offset(), -c.offset) << "code " << c.code;
    }
}

TEST(VGScrollBoxTest, TheRealScrollBarScrollsByRows) {
    auto grid = PaintGrid(40, {{"a"}}, 300, 100);
    QScrollBar* vertical = VerticalBar(*grid);
    ASSERT_NE(vertical, nullptr);
    vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(grid->GetRowTop(), 1);
    vertical->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(grid->GetRowTop(), 1 + 7) << "a page of 100 pixels, rounded up";
    EXPECT_EQ(vertical->value(), 8 * 15);
    vertical->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(grid->GetRowTop(), 34);
}

TEST(VGScrollBoxTest, DraggingTheThumbOfAMillionRowsLandsOnTheRowUnderIt) {
    // 15,000,000 pixels of rows: far more than the 16 bits a scroll message has for the thumb.
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    auto* grid = new TVexoGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 300, TVGHead::DefaultHeight + 200);
    AddColumns(*grid, {{"a"}});
    for (int i = 0; i < 1000000; ++i)
        grid->AddRow();
    ASSERT_TRUE(ShowActive(&form));
    QCoreApplication::processEvents(); // the bar takes the range of the rows appended
    QScrollBar* bar = VerticalBar(*grid);
    ASSERT_NE(bar, nullptr);
    const int page = grid->GetNumOfEntireRows();
    const struct {
        const char* name;
        std::function<void()> drag;
        int tolerance; // rows
    } drags[] = {
        {"thumb moved to the middle of the range",
         [bar] {
             bar->setSliderDown(true);
             bar->setSliderPosition(bar->maximum() / 2);
             bar->setSliderDown(false);
         },
         page},
        // A pixel of the groove is thousands of rows: the pointer lands within a few pixels.
        {"pointer dragging the thumb to the middle of the groove",
         [bar] {
             const QRect thumb = BarArea(bar, QStyle::SC_ScrollBarSlider);
             const QPoint middle(thumb.center().x(), BarArea(bar, QStyle::SC_ScrollBarGroove).center().y());
             QTest::mousePress(bar, Qt::LeftButton, {}, thumb.center());
             QTest::mouseMove(bar, middle);
             QTest::mouseRelease(bar, Qt::LeftButton, {}, middle);
         },
         20000},
    };
    for (const auto& d : drags) {
        grid->SetRowTop(0);
        d.drag();
        EXPECT_NEAR(grid->GetRowTop(), 500000, d.tolerance) << d.name;
        EXPECT_EQ(grid->Surface()->VertPosition(), grid->GetRowTop() * 15) << d.name;
    }
}

TEST(VGScrollBoxTest, DoubleClickGoesOnlyToTheGridsHandler) {
    for (const bool assigned : {false, true}) {
        auto grid = PaintGrid(2, {{"a"}});
        std::vector<TObject*> senders;
        int surfaceClicks = 0;
        grid->Surface()->OnDblClick = [&surfaceClicks](TObject*) { ++surfaceClicks; };
        if (assigned) grid->OnDblClick = [&senders](TObject* sender) { senders.push_back(sender); };
        EXPECT_EQ(grid->Surface()->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5)), 0);
        EXPECT_EQ(surfaceClicks, 0) << "never passed on";
        EXPECT_EQ(senders, assigned ? std::vector<TObject*>{grid.get()} : std::vector<TObject*>{});
    }
}
