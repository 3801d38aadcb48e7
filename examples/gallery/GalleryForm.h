#pragma once
// The gallery's window: every standard glyph on a button of each frame style, enabled and
// disabled, on the first page of a tab container; framed panels on the second; a rich text and a
// picture on the third, with a button that prints the text to a PDF file; a strip of tab buttons
// under it; and a button that opens the database repair form.
#include "framework/windows/TForm.h"

#include <string_view>

namespace vexo {
class TJPEGControl;
class TVexoButton;
class TVexoRichEdit;
class TVexoPage;
class TVexoTabbed;
class TVexoTabButtons;
} // namespace vexo

std::string_view GalleryFormText();

class TGalleryForm : public vexo::TForm {
public:
    explicit TGalleryForm(vexo::TComponent* owner);

    vexo::TVexoTabbed* tabs = nullptr;
    vexo::TVexoPage* pageButtons = nullptr;
    vexo::TVexoTabButtons* months = nullptr;
    vexo::TVexoRichEdit* richText = nullptr;
    vexo::TJPEGControl* photo = nullptr;

    void btRepairClick(vexo::TObject* sender);
    // Prints the rich text to the printer's PDF file and says where it went.
    void btPrintClick(vexo::TObject* sender);

private:
    void addGlyphButtons();
    void fillTextAndPhoto();
};
