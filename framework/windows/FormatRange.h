#pragma once
// The rich-edit control's page formatting and its print loop. TFormatRange lays a document out for
// one device and width and puts it on pages: Format renders from a character position into a
// rectangle given in twips (1/1440 inch) of the device and returns where the next page begins.
// The layout is kept between calls for the same device resolution and width, until Clear.
#include "framework/core/Types.h"
#include "framework/graphics/GdiTypes.h"
#include <functional>
#include <memory>
#include <string>

class QTextDocument;

namespace vexo {

class TPrinter;

// The length of the document's text as the control counts it: one character per paragraph break.
int RichTextLength(const QTextDocument& document);

class TFormatRange {
public:
    // The document must outlive the formatter; later edits are seen after Clear.
    explicit TFormatRange(const QTextDocument& document);
    ~TFormatRange();
    TFormatRange(const TFormatRange&) = delete;
    TFormatRange& operator=(const TFormatRange&) = delete;

    // Lines starting at or after the line that holds first fill page from its top; the page always
    // takes at least one line, even one taller than the page, so a print loop always advances.
    // Returns the position of the first character of the first line that did not fit, or the text
    // length when all did. With render false nothing is drawn (measuring only).
    int Format(HDC dc, const TRect& pageTwips, int first, bool render);
    void Clear();

private:
    struct Layout;
    const QTextDocument& document_;
    std::unique_ptr<Layout> layout_;
};

// Renders the text from position first into the page (in twips) on dc; returns the position where
// the next page begins.
using TFormatPage = std::function<int(HDC dc, const TRect& pageTwips, int first)>;

// The print loop of a text of total characters: a job under the title, the page less 700 twips on
// every side, a new page while text remains (one page for an empty text). The printer's mapping
// mode is given back before the job ends, as its context goes with the job; a job that fails
// halfway is abandoned. Returns the number of pages.
int PrintPages(TPrinter& printer, const std::string& title, int total, const TFormatPage& formatPage);

// PrintPages of the document, formatted by a TFormatRange.
int PrintFormattedText(const QTextDocument& document, const std::string& title, TPrinter& printer);

} // namespace vexo
