#include "examples/gallery/GalleryForm.h"
#include "controls/misc/JPEGControl.h"
#include "controls/misc/VexoRichEdit.h"
#include "controls/misc/VexoTabbed.h"
#include "framework/windows/TPrinter.h"
#include "support/PdfTools.h"
#include "support/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace vexo;

// The gallery's text-and-picture page: the rich text read, the picture decoded, and the print
// button writing the text to a PDF file and saying where.
TEST(GalleryFormTest, TextAndPicturePagePrintsToAPdfFile) {
    TGalleryForm form(nullptr);
    EXPECT_EQ(form.tabs->PageCount(), 4);
    EXPECT_NE(form.richText->PlainText().find("Texto enriquecido"), std::string::npos);
    EXPECT_NE(form.richText->PlainText().find("eñe"), std::string::npos) << "the \\' escape";
    EXPECT_FALSE(form.photo->FileName().empty()) << "the picture was written and decoded";

    if (!HavePoppler()) GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    const std::string path = testing::TempDir() + "/gallery-print.pdf";
    Printer().SetFileName(path);
    RecordingPresenter boxes;
    form.btPrintClick(nullptr);
    EXPECT_EQ(PdfInfo(path, "Pages"), "1");
    EXPECT_EQ(PdfInfo(path, "Title"), "Galería de VexoControls");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Impreso en " + path);
}
