#include "framework/windows/FormatRange.h"

#include "framework/core/MulDiv.h"
#include "framework/core/ScopeGuard.h"
#include "framework/graphics/Gdi.h"
#include "framework/graphics/TCanvas.h"
#include "framework/graphics/TDeviceContext_p.h"
#include "framework/windows/TPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextLine>
#include <algorithm>

namespace vexo {

int RichTextLength(const QTextDocument& document) {
    return document.characterCount() - 1; // the document's last paragraph end is not text
}

struct TFormatRange::Layout {
    std::unique_ptr<QTextDocument> copy;
    int dpiX = 0;
    int dpiY = 0;
    int width = 0;
};

TFormatRange::TFormatRange(const QTextDocument& document) : document_(document) {}

TFormatRange::~TFormatRange() = default;

void TFormatRange::Clear() {
    layout_.reset();
}

int TFormatRange::Format(HDC dc, const TRect& pageTwips, int first, bool render) {
    const int total = RichTextLength(document_);
    const int dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    if (dpiX <= 0 || dpiY <= 0 || first >= total) return total;
    first = std::max(first, 0);
    const TRect page{MulDiv(pageTwips.Left, dpiX, 1440), MulDiv(pageTwips.Top, dpiY, 1440),
                     MulDiv(pageTwips.Right, dpiX, 1440), MulDiv(pageTwips.Bottom, dpiY, 1440)};
    const int width = std::max(page.Width(), 1);
    if (!layout_ || layout_->dpiX != dpiX || layout_->dpiY != dpiY || layout_->width != width) {
        // A copy laid out at the device's resolution: the document itself may be on screen.
        layout_ = std::make_unique<Layout>();
        layout_->copy.reset(document_.clone());
        layout_->copy->setDocumentMargin(0);
        layout_->copy->documentLayout()->setPaintDevice(dc->Device());
        layout_->copy->setTextWidth(width);
        layout_->dpiX = dpiX;
        layout_->dpiY = dpiY;
        layout_->width = width;
    }
    QTextDocument& doc = *layout_->copy;
    doc.documentLayout()->documentSize(); // lays the whole document out

    // Walks the lines from the one holding first; a block without lines (never laid out) is
    // passed over.
    QTextBlock block = doc.findBlock(first);
    int lineIndex = std::max(block.layout()->lineForTextPosition(first - block.position()).lineNumber(), 0);
    qreal pageTop = 0;
    qreal pageBottom = 0;
    int placed = 0;
    int next = total;
    for (; block.isValid(); block = block.next(), lineIndex = 0) {
        const QTextLayout* lines = block.layout();
        for (; lineIndex < lines->lineCount(); ++lineIndex) {
            const QTextLine line = lines->lineAt(lineIndex);
            const qreal top = lines->position().y() + line.y();
            if (placed == 0) pageTop = top;
            const qreal bottom = top + line.height();
            if (placed > 0 && bottom - pageTop > page.Height()) {
                next = block.position() + line.textStart();
                break;
            }
            pageBottom = bottom;
            ++placed;
        }
        if (next != total) break;
    }
    if (render) {
        QPainter& painter = dc->Painter();
        painter.save();
        const ScopeGuard restore([&painter] { painter.restore(); });
        painter.translate(page.Left, page.Top - pageTop);
        QAbstractTextDocumentLayout::PaintContext context;
        // A line taller than the page is cut at its bottom.
        context.clip = QRectF(0, pageTop, width, std::min<qreal>(pageBottom - pageTop, page.Height()));
        context.palette.setColor(QPalette::Text, Qt::black);
        painter.setClipRect(context.clip, Qt::IntersectClip);
        doc.documentLayout()->draw(&painter, context);
    }
    return next;
}

int PrintPages(TPrinter& printer, const std::string& title, int total, const TFormatPage& formatPage) {
    printer.SetTitle(title);
    printer.BeginDoc();
    ScopeGuard unfinished([&printer] {
        if (printer.Printing()) printer.Abort();
    });
    HDC dc = printer.Canvas()->Handle();
    TRect page{0, 0, printer.PageWidth() * 1440 / GetDeviceCaps(dc, LOGPIXELSX),
               printer.PageHeight() * 1440 / GetDeviceCaps(dc, LOGPIXELSY)};
    InflateRect(&page, -700, -700);
    const int oldMode = SetMapMode(dc, MM_TEXT);
    int pages = 1;
    for (int first = 0;;) {
        first = formatPage(dc, page, first);
        if (first >= total || first == -1) break;
        printer.NewPage();
        ++pages;
    }
    SetMapMode(dc, oldMode);
    printer.EndDoc();
    return pages;
}

int PrintFormattedText(const QTextDocument& document, const std::string& title, TPrinter& printer) {
    TFormatRange formatter(document);
    return PrintPages(printer, title, RichTextLength(document),
                      [&formatter](HDC dc, const TRect& page, int first) {
                          return formatter.Format(dc, page, first, true);
                      });
}

} // namespace vexo
