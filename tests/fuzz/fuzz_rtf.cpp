// Arbitrary bytes as rich-edit text (read as rich text whether or not they begin with "{\rtf"),
// then laid out on a page: nothing may crash, hang or raise.
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TCanvas.h"
#include "framework/windows/FormatRange.h"
#include "framework/windows/RichText.h"
#include "tests/fuzz/FuzzGuiApp.h"
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace vexo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnsureFuzzGuiApp();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    QTextDocument doc;
    ReadRichText(doc, text);
    SetRichEditText(doc, text);
    // A small page, so that the text takes several; every call must advance.
    TBitmap page;
    page.SetSize(64, 64);
    TFormatRange formatter(doc);
    const int total = RichTextLength(doc);
    int first = 0;
    for (int pages = 0; first < total && pages < 64; ++pages) {
        const int next = formatter.Format(page.Canvas()->Handle(), TRect{0, 0, 900, 900}, first, true);
        if (next <= first) std::abort();
        first = next;
    }
    return 0;
}
