#include "framework/windows/TPrinter.h"
#include "framework/graphics/Gdi.h"
#include "framework/graphics/TCanvas.h"
#include "support/PdfTools.h"

#include <gtest/gtest.h>

#include <QFile>
#include <functional>
#include <string>

using namespace vexo;

TEST(TPrinterTest, WritesAPdfWithTheTitleAndOnePagePerNewPage) {
    if (!HavePoppler()) GTEST_SKIP() << "pdfinfo and pdftoppm (poppler-utils) are not installed";
    TPrinter printer;
    EXPECT_EQ(printer.FileName(), TPrinter::DefaultFileName());
    const std::string path = testing::TempDir() + "/printer-pages.pdf";
    printer.SetFileName(path);
    printer.SetTitle("Informe de ñandúes");
    printer.BeginDoc();
    HDC dc = printer.Canvas()->Handle();
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), printer.Resolution());
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), printer.Resolution());
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), printer.PageWidth());
    EXPECT_EQ(GetDeviceCaps(dc, VERTRES), printer.PageHeight());
    EXPECT_NEAR(printer.PageWidth(), 2480, 1); // A4 at 300 pixels per inch
    EXPECT_EQ(SetMapMode(dc, MM_TEXT), MM_TEXT);
    EXPECT_EQ(SetMapMode(dc, 2), 0) << "other mapping modes are refused";
    printer.Canvas()->Brush()->SetColor(clBlack);
    printer.Canvas()->FillRect(Rect(300, 300, 600, 600));
    printer.NewPage();
    printer.NewPage();
    EXPECT_EQ(printer.PageNumber(), 3);
    printer.EndDoc();
    EXPECT_FALSE(printer.Printing());
    EXPECT_EQ(PdfInfo(path, "Pages"), "3");
    EXPECT_EQ(PdfInfo(path, "Title"), "Informe de ñandúes");
    // The square is at one inch, an inch wide: at 30 pixels per inch, 30..60.
    const QImage page = PdfPageImage(path, 1, 30);
    ASSERT_FALSE(page.isNull());
    EXPECT_LT(qGray(page.pixel(45, 45)), 64);
    EXPECT_GT(qGray(page.pixel(20, 45)), 192);
}

TEST(TPrinterTest, RefusesCallsOutOfTurnAndUnwritableFiles) {
    TPrinter printer;
    const std::function<void()> outOfTurn[] = {
        [&] { printer.NewPage(); }, [&] { printer.EndDoc(); },         [&] { printer.Abort(); },
        [&] { printer.Canvas(); },  [&] { printer.SetResolution(0); },
    };
    for (const auto& call : outOfTurn)
        EXPECT_THROW(call(), EPrinter);

    printer.SetFileName("/no-such-folder/sub/out.pdf");
    EXPECT_THROW(printer.BeginDoc(), EPrinter);
    EXPECT_FALSE(printer.Printing());

    const std::string path = testing::TempDir() + "/printer-abort.pdf";
    printer.SetFileName(path);
    printer.BeginDoc();
    EXPECT_THROW(printer.BeginDoc(), EPrinter);
    EXPECT_THROW(printer.SetResolution(600), EPrinter);
    printer.Abort();
    EXPECT_TRUE(printer.Aborted());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
    printer.SetFileName("");
    EXPECT_EQ(printer.FileName(), TPrinter::DefaultFileName());
}
