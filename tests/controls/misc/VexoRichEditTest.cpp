#include "controls/misc/VexoRichEdit.h"
#include "framework/windows/FormatRange.h"
#include "framework/windows/RichText.h"
#include "framework/windows/TForm.h"
#include "framework/windows/TPrinter.h"
#include "support/PdfTools.h"

#include <QTextDocument>
#include <gtest/gtest.h>

#include <string>

using namespace vexo;

namespace {

struct RichEditOnForm {
    TForm form{nullptr};
    TVexoRichEdit* edit;
    RichEditOnForm() {
        form.SetBounds(0, 0, 300, 200);
        edit = new TVexoRichEdit(&form);
        edit->SetParent(&form);
        edit->SetBounds(8, 8, 280, 180);
    }
};

std::string longRichText(int paragraphs) {
    std::string rtf = "{\\rtf1\\ansi ";
    for (int i = 0; i < paragraphs; ++i)
        rtf += "{\\b P\\'e1rrafo} " + std::to_string(i) + " de un texto largo\\par ";
    return rtf + "}";
}

} // namespace

TEST(VexoRichEditTest, TextIsReadAsRichTextOnlyWhenItSaysSo) {
    struct Case {
        const char* text;
        const char* plain;
    };
    const Case cases[] = {
        {"{\\rtf1\\ansi {\\b Hola} mundo\\par segunda}", "Hola mundo\nsegunda"},
        {"texto {llano} con \\b llaves", "texto {llano} con \\b llaves"},
        {"{\\rtf1 sin cerrar {\\i cursiva", "sin cerrar cursiva"},
    };
    for (const Case& c : cases) {
        RichEditOnForm f;
        f.edit->SetText(c.text);
        std::string plain = f.edit->PlainText();
        for (auto pos = plain.find('\r'); pos != std::string::npos; pos = plain.find('\r'))
            plain.erase(pos, 1);
        EXPECT_EQ(plain, c.plain) << c.text;
    }
    RichEditOnForm f;
    f.edit->SetText("{\\rtf1 {\\b negrita}}");
    f.edit->SetBorderStyle(bsNone);
    f.edit->SetScrollBars(ssVertical);
    EXPECT_EQ(f.edit->PlainText(), "negrita") << "a new window shows the text last given";
}

// The control's print loop, run through the window's messages, gives what the framework's own
// loop gives for the same text: the same pages, under the title.
TEST(VexoRichEditTest, PrintsPageByPageThroughItsWindow) {
    if (!HavePoppler()) GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    const std::string text = longRichText(150);
    QTextDocument reference;
    SetRichEditText(reference, text);
    TPrinter measure;
    measure.SetFileName(testing::TempDir() + "/rich-reference.pdf");
    const int expected = PrintFormattedText(reference, "referencia", measure);
    ASSERT_GT(expected, 1);

    RichEditOnForm f;
    f.edit->SetText(text);
    const std::string path = testing::TempDir() + "/rich-edit.pdf";
    Printer().SetFileName(path);
    f.edit->Print("Informe de prueba");
    EXPECT_EQ(PdfInfo(path, "Pages"), std::to_string(expected));
    EXPECT_EQ(PdfInfo(path, "Title"), "Informe de prueba");
}
