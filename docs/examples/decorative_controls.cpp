// The decorative controls together: a tab container with two pages, a framed panel with a caption
// over its top line, a label with turned text, buttons with standard glyphs, a strip of tab
// buttons, a rich-text box that prints to PDF and a JPEG picture box.
#include "controls/misc/JPEGControl.h"
#include "controls/misc/VexoButton.h"
#include "controls/misc/VexoFrame.h"
#include "controls/misc/VexoLabel.h"
#include "controls/misc/VexoPage.h"
#include "controls/misc/VexoRichEdit.h"
#include "controls/misc/VexoTabButtons.h"
#include "controls/misc/VexoTabbed.h"
#include "framework/core/TStringList.h"
#include "framework/graphics/GraphicsExceptions.h"
#include "framework/windows/TForm.h"
#include "framework/windows/TPrinter.h"

#include <filesystem>
#include <iostream>

using namespace vexo;

void DecorativeControls() {
    TForm form(nullptr);
    form.SetClientWidth(480);
    form.SetClientHeight(320);

    // Pages sort by Order; the tab strip runs along the bottom unless told otherwise.
    auto* tabs = new TVexoTabbed(&form);
    tabs->SetParent(&form);
    tabs->SetBounds(8, 8, 300, 220);
    bool notesSaved = true;
    // Asked with the page being left before every change of page; false keeps that page.
    tabs->OnCanChange = [&notesSaved](int leaving, bool& canChange) {
        canChange = leaving != 1 || notesSaved;
    };
    tabs->OnChange = [tabs](TObject*) { std::cout << "page " << tabs->ActiveIndex() << '\n'; };
    for (const char* caption : {"Datos", "Notas"}) {
        auto* page = new TVexoPage(&form);
        page->setTabControl(tabs);
        page->SetCaption(caption);
    }
    tabs->setActiveIndex(1); // OnCanChange, then OnChange

    // A group box: frame lines on all four sides, the caption laid over the top one.
    auto* group = new TVexoFrame(&form);
    group->SetParent(tabs->Pages(0));
    group->SetBounds(8, 8, 200, 90);
    group->setText("Envío");
    group->setTextVAlignment(tvaOver);
    group->setFrameColor(0x808080);

    auto* side = new TVexoLabel(&form);
    side->SetParent(tabs->Pages(0));
    side->SetBounds(220, 8, 20, 90);
    side->SetCaption("Vertical");
    side->setTextDirection(ttdBottomToUp); // reads upward

    auto* ok = new TVexoButton(&form);
    ok->SetParent(&form);
    ok->SetBounds(320, 8, 90, 24);
    ok->setText("Aceptar");
    ok->setMode(vbmSoft);
    ok->ApplyStdImage(vbiOk);
    ok->OnClick = [](TObject*) { std::cout << "Aceptar\n"; }; // press and release over the button

    TStringList months;
    months.SetText("enero\nfebrero\nmarzo\nabril");
    auto* strip = new TVexoTabButtons(&form);
    strip->SetParent(&form);
    strip->SetBounds(8, 236, 300, 20);
    strip->setItems(months);
    strip->OnChange = [strip](TObject*) { std::cout << "mes " << strip->ActiveIndex() << '\n'; };

    auto* notes = new TVexoRichEdit(&form);
    notes->SetParent(tabs->Pages(1));
    notes->SetBounds(4, 4, 280, 180);
    notes->SetText("{\\rtf1 Pedido {\\b urgente}: entregar antes del lunes.\\par}");
    // Print jobs are PDF files.
    Printer().SetFileName((std::filesystem::temp_directory_path() / "notas.pdf").string());
    notes->Print("Notas del pedido");

    auto* photo = new TJPEGControl(&form);
    photo->SetParent(&form);
    photo->SetBounds(320, 40, 150, 120);
    try {
        photo->SetFile("/no/such/photo.jpg");
    } catch (const EInvalidGraphic& error) { // the previous picture and file name stay
        std::cout << error.what() << '\n';
    }
}
