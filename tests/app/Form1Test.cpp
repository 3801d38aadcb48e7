#include "app/Form1.h"

#include "controls/grid/VGEdit.h"
#include "controls/grid/VGScrollBox.h"
#include "controls/grid/VexoGrid.h"
#include "framework/streaming/FormWriter.h"
#include "framework/windows/Render.h"
#include "support/WindowTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace vexo;

namespace {

const std::string Sentence = "Con cien cañones por banda, viento en popa a toda vela";

std::vector<std::string> linesOf(std::string_view text) {
    std::vector<std::string> lines;
    std::istringstream in{std::string(text)};
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The centre of a cell in the painting surface's client coordinates.
QPoint cellCentre(TVexoGrid* grid, int row, int col) {
    const TRect r = grid->Surface()->CellRect(row, col);
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

// In-place editing has begun, whether or not the editor's window shows.
bool editing(TVexoGrid* grid) {
    return grid->getIsInEdit();
}

} // namespace

TEST(Form1Test, SixSampleRows) {
    TForm1 form(nullptr);
    TVexoGrid* grid = form.grid;
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(form.Name(), "Form1");
    EXPECT_EQ(grid->Name(), "grid");
    EXPECT_EQ(grid->Parent(), &form);
    const struct {
        const char* a;
        const char* b;
        const char* e;
        const char* data;
    } rows[] = {{"row normal", "10", "1000,50", ""},
                {"row normal", "11", "1100,00", ""},
                {"numeric is Read-only", "12", "1200,00", "RO"},
                {"row normal", "13", "1300,00", ""},
                {"row normal", "14", "1400,00", ""},
                {"row normal", "15", "1500,40", ""}};
    ASSERT_EQ(grid->GetRowCount(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(grid->GetString(i, 0), rows[i].a) << "row " << i;
        EXPECT_EQ(grid->GetString(i, 1), rows[i].b) << "row " << i;
        EXPECT_EQ(grid->GetString(i, 2), "01/10/2006") << "row " << i;
        EXPECT_EQ(grid->GetString(i, 3), Sentence) << "row " << i;
        EXPECT_EQ(grid->GetString(i, 4), rows[i].e) << "row " << i;
        EXPECT_EQ(grid->GetRowData(i), rows[i].data) << "row " << i;
    }
    EXPECT_EQ(grid->GetRowTop(), 0);
    EXPECT_EQ(grid->GetRowIndex(), -1) << "no current row at start";
}

TEST(Form1Test, FormAndColumnsAsStored) {
    TForm1 form(nullptr);
    EXPECT_EQ(form.Caption(), "Form1");
    EXPECT_EQ(form.BorderStyle(), bsDialog);
    EXPECT_EQ(form.ClientWidth(), 606);
    EXPECT_EQ(form.ClientHeight(), 238);
    EXPECT_EQ(form.Position(), poScreenCenter);
    EXPECT_EQ(form.Font()->Height(), -11);
    TVexoGrid* grid = form.grid;
    EXPECT_TRUE(grid->GetEditable());
    EXPECT_EQ(grid->GetRowHeight(), 15);
    const struct {
        const char* field;
        const char* caption;
        int width;
        VGDataType type;
    } columns[] = {{"a", "indication", 130, vgString},
                   {"b", "numeric", 50, vgInteger},
                   {"c", "date", 90, vgDate},
                   {"d", "some data", 223, vgString},
                   {"e", "total", 80, vgFloat}};
    ASSERT_EQ(grid->Columns()->Count(), 5);
    // "some" names no column: refused, so nothing stretches, even once the window is laid out.
    form.HandleNeeded();
    grid->UpdateColumns();
    EXPECT_EQ(grid->GetCol100x100(), "");
    for (int i = 0; i < 5; ++i) {
        const TVGColumn* c = grid->Columns()->Items(i);
        EXPECT_EQ(c->FieldName(), columns[i].field);
        EXPECT_EQ(c->Caption(), columns[i].caption);
        EXPECT_EQ(c->Width(), columns[i].width) << "column " << i << " keeps its stored width";
        EXPECT_EQ(c->DataType(), columns[i].type);
    }
    EXPECT_EQ(grid->Columns()->Items(2)->Format(), "DD/MM/YYYY");
    EXPECT_EQ(grid->Columns()->Items(4)->Alignment(), taRightJustify);
}

TEST(Form1Test, NumericIsReadOnlyOnlyForTheRowMarkedRO) {
    TForm1 form(nullptr);
    TVGColumn* numeric = form.grid->Columns()->Items(1);
    EXPECT_TRUE(numeric->ReadOnly()) << "as stored, until a row is asked for";
    ASSERT_TRUE(form.grid->OnRowNeedData) << "bound from the form file";
    const struct {
        int row;
        bool readOnly;
    } steps[] = {{0, false}, {2, true}, {3, false}, {2, true}, {5, false}, {1, false}};
    for (const auto& s : steps) {
        form.grid->OnRowNeedData(s.row);
        EXPECT_EQ(numeric->ReadOnly(), s.readOnly) << "after row " << s.row;
    }
}

TEST(Form1Test, FormFileIsEmbeddedAndWritesBackWithoutLoss) {
    const std::string_view stored = Form1Text();
    ASSERT_EQ(stored.substr(0, 21), "object Form1: TForm1\n");
    TForm1 form(nullptr);
    const std::string written = WriteComponentText(&form);

    // The writer leaves out what holds the default, and the stretched column that was refused;
    // every other stored line comes back, and nothing is invented.
    const std::set<std::string> dropped = {"    TabStop = True", "    RowHeight = 15",
                                           "    Col100x100 = 'some'", "        Width = 50",
                                           "        DataType = vgString"};
    const std::vector<std::string> storedLines = linesOf(stored);
    const std::vector<std::string> writtenLines = linesOf(written);
    const std::multiset<std::string> writtenSet(writtenLines.begin(), writtenLines.end());
    std::multiset<std::string> expected;
    for (const std::string& line : storedLines)
        if (!dropped.count(line)) expected.insert(line);
    // The framework always writes the form's position and creation order.
    for (const char* line : {"  Left = 0", "  Top = 0", "  OldCreateOrder = False"})
        expected.insert(line);
    EXPECT_EQ(writtenSet, expected) << written;

    // The canonical text is stable: the same form writes the same text again.
    EXPECT_EQ(WriteComponentText(&form), written);
}

TEST(Form1Test, SecondClickEditsNumericExceptOnTheReadOnlyRow) {
    const struct {
        int row;
        bool edits;
    } cases[] = {{2, false}, {3, true}};
    for (const auto& c : cases) {
        TForm1 form(nullptr);
        ASSERT_TRUE(ShowActive(&form));
        TVexoGrid* grid = form.grid;
        QWidget* surface = grid->Surface()->Widget();
        const QPoint at = cellCentre(grid, c.row, 1);
        QTest::mouseClick(surface, Qt::LeftButton, {}, at);
        ASSERT_EQ(grid->GetRowIndex(), c.row);
        EXPECT_FALSE(editing(grid)) << "the first click only selects";
        QApplication::processEvents(); // the repaint a user sees before clicking again
        QTest::mouseClick(surface, Qt::LeftButton, {}, at);
        EXPECT_EQ(editing(grid), c.edits) << "row " << c.row;
        if (c.edits) {
            EXPECT_EQ(grid->GetColIndex(), 1) << "editing starts in the clicked column";
        } else {
            EXPECT_NE(grid->GetColIndex(), 1);
        }
        form.Hide();
    }
}

TEST(Form1Test, ScreenShowsTheHeadlessPictureXvfb) {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!platform || std::string(platform) != "xcb" || !std::getenv("DISPLAY"))
        GTEST_SKIP() << "needs QT_QPA_PLATFORM=xcb and a display";
    TForm1 form(nullptr);
    form.Show();
    QWidget* w = form.Widget();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    QTest::qWait(100);
    const QImage shot = w->screen()->grabWindow(w->winId()).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage headless = RenderToImage(&form);
    ASSERT_EQ(shot.size(), QSize(606, 238));
    ASSERT_EQ(shot.size(), headless.size());
    EXPECT_EQ(shot, headless) << "the screen shows exactly the headless picture";
    EXPECT_TRUE(shot.save(QDir::temp().filePath("vexo_sample_form1_xvfb.png"), "PNG"));
}
