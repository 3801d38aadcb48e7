#include "framework/windows/FormatRange.h"
#include "framework/graphics/Gdi.h"
#include "framework/windows/RichText.h"
#include "framework/windows/TPrinter.h"
#include "support/PdfTools.h"
#include "support/PixelSurface.h"

#include <QFontMetricsF>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace vexo;

namespace {

std::string paragraphs(int count, const std::string& format = "") {
    std::string rtf = "{\\rtf1 " + format;
    for (int i = 1; i <= count; ++i)
        rtf += "L\\'ednea " + std::to_string(i) + "\\par ";
    return rtf + "fin}";
}

// 2 x 1 inches at one inch from the top-left corner; at 96 pixels per inch, (96, 96, 288, 192).
const TRect Page = Rect(1440, 1440, 4320, 2880);
const TRect PagePixels = Rect(96, 96, 288, 192);

} // namespace

TEST(FormatRangeTest, ReturnsWhereTheNextPageBegins) {
    const std::string words = "{\\rtf1 " + [] {
        std::string s;
        for (int i = 0; i < 80; ++i)
            s += "palabra ";
        return s;
    }() + "}";
    struct Case {
        const char* name;
        std::string text;
        int first;
        // What the returned position must be: -2 the text length, -3 a paragraph start inside the
        // text, -4 a word start inside the text; else that exact position.
        int expected;
    };
    const Case cases[] = {
        {"empty", "", 0, 0},
        {"fits", "corto", 0, -2},
        {"starts past the end", "corto", 99, -2},
        {"many paragraphs", paragraphs(40), 0, -3},
        {"many paragraphs, second page", paragraphs(40), 30, -3},
        {"one wrapped paragraph", words, 0, -4},
        {"a line taller than the page", "{\\rtf1\\fs400 X\\par\\fs24 y}", 0, 2},
    };
    for (const Case& c : cases) {
        QTextDocument doc;
        SetRichEditText(doc, c.text);
        const int total = RichTextLength(doc);
        const QString text = doc.toRawText();
        TFormatRange formatter(doc);
        PixelSurface surface(400, 300);
        const int measured = formatter.Format(surface.dc(), Page, c.first, false);
        EXPECT_EQ(surface.inkBounds(), TRect{}) << c.name << ": measuring draws nothing";
        const int next = formatter.Format(surface.dc(), Page, c.first, true);
        EXPECT_EQ(next, measured) << c.name;
        if (c.expected == -2) {
            EXPECT_EQ(next, total) << c.name;
        } else if (c.expected == -3 || c.expected == -4) {
            EXPECT_GT(next, c.first) << c.name;
            EXPECT_LT(next, total) << c.name;
            if (c.expected == -3) {
                EXPECT_EQ(doc.findBlock(next).position(), next) << c.name;
            } else {
                EXPECT_EQ(text[next - 1], ' ') << c.name;
            }
        } else {
            EXPECT_EQ(next, c.expected) << c.name;
        }
        const TRect ink = surface.inkBounds();
        if (!ink.IsEmpty()) {
            EXPECT_GE(ink.Left, PagePixels.Left) << c.name;
            EXPECT_GE(ink.Top, PagePixels.Top) << c.name;
            EXPECT_LE(ink.Right, PagePixels.Right) << c.name;
            EXPECT_LE(ink.Bottom, PagePixels.Bottom) << c.name;
        }
    }
}

TEST(FormatRangeTest, PagesFollowEachOtherWithoutGapsOrRepeats) {
    QTextDocument doc;
    SetRichEditText(doc, paragraphs(100));
    TFormatRange formatter(doc);
    PixelSurface surface(400, 300);
    const int total = RichTextLength(doc);
    int first = 0, pages = 0;
    int firstPageEnd = -1;
    while (first < total && pages < 1000) {
        const int next = formatter.Format(surface.dc(), Page, first, false);
        ASSERT_GT(next, first);
        // Each page holds as many of these equal lines as the first.
        if (firstPageEnd < 0) {
            firstPageEnd = next;
        } else if (next < total) {
            EXPECT_EQ(doc.findBlock(next).blockNumber() - doc.findBlock(first).blockNumber(),
                      doc.findBlock(firstPageEnd).blockNumber());
        }
        first = next;
        ++pages;
    }
    EXPECT_EQ(first, total);
    EXPECT_GT(pages, 5);
}

TEST(FormatRangeTest, PrintsALongTextOnTheExpectedNumberOfPages) {
    if (!HavePoppler()) GTEST_SKIP() << "pdfinfo and pdftoppm (poppler-utils) are not installed";
    constexpr int Lines = 301; // 300 paragraphs and the closing one
    QTextDocument doc;
    SetRichEditText(doc, paragraphs(Lines - 1));
    TPrinter printer;
    const std::string path = testing::TempDir() + "/long-text.pdf";
    printer.SetFileName(path);

    // The page less 700 twips a side, in the printer's pixels, and the height of one 12-point line.
    QPdfWriter device(QString::fromStdString(testing::TempDir() + "/measure.pdf"));
    device.setResolution(printer.Resolution());
    QFont font = doc.defaultFont();
    font.setPointSizeF(12);
    const double lineHeight = QFontMetricsF(font, &device).height();
    const int printable =
        (printer.PageHeight() * 1440 / printer.Resolution() - 1400) * printer.Resolution() / 1440;
    const int perPage = static_cast<int>(printable / lineHeight);
    const int expected = (Lines + perPage - 1) / perPage;

    EXPECT_EQ(PrintFormattedText(doc, "Texto largo", printer), expected);
    EXPECT_EQ(PdfInfo(path, "Pages"), std::to_string(expected));
    EXPECT_EQ(PdfInfo(path, "Title"), "Texto largo");

    // At 72 pixels per inch the margin is 700 / 20 = 35 pixels: ink only inside it.
    const QImage page = PdfPageImage(path, 2, 72);
    ASSERT_FALSE(page.isNull());
    int inkTop = page.height(), inkBottom = 0, inkLeft = page.width(), inkRight = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 128) {
                inkTop = std::min(inkTop, y);
                inkBottom = std::max(inkBottom, y);
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
            }
    EXPECT_GE(inkLeft, 34);
    EXPECT_GE(inkTop, 34);
    EXPECT_LE(inkRight, page.width() - 34);
    EXPECT_LE(inkBottom, page.height() - 34);
    EXPECT_GT(inkBottom - inkTop, page.height() / 2) << "a full page of lines";
}
