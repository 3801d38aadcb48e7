#include "examples/gallery/GalleryForm.h"

#include "app/dbReparerFORM.h"
#include "controls/misc/MiscProperties.h"
#include "controls/misc/VexoButton.h"
#include "controls/misc/VexoPage.h"
#include "controls/misc/VexoTabButtons.h"
#include "controls/misc/VexoTabbed.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/TClassDecl.h"

#include <cassert>

using namespace vexo;

namespace {

void registerGallery() {
    static const bool registered = [] {
        RegisterMiscClasses();
        RegisterClass<TGalleryForm, TForm>("TGalleryForm")
            .Method("btRepairClick", &TGalleryForm::btRepairClick);
        return true;
    }();
    (void)registered;
}

} // namespace

TGalleryForm::TGalleryForm(TComponent* owner) : TForm(owner) {
    registerGallery();
    ReadComponentText(GalleryFormText(), this);
    tabs = dynamic_cast<TVexoTabbed*>(FindComponent("tabs"));
    pageButtons = dynamic_cast<TVexoPage*>(FindComponent("pageButtons"));
    months = dynamic_cast<TVexoTabButtons*>(FindComponent("months"));
    assert(tabs && pageButtons && months && "the form file creates the gallery's controls");
    addGlyphButtons();
}

// One row per frame style, and a row of disabled buttons: every standard glyph in each.
void TGalleryForm::addGlyphButtons() {
    constexpr int size = 30, gap = 8;
    const TVexoButtonMode modes[] = {vbmFlat, vbmSoft, vbmRound};
    for (int row = 0; row < 4; ++row) {
        for (int glyph = vbiCancel; glyph <= vbiDropDown; ++glyph) {
            auto* button = new TVexoButton(this);
            button->SetParent(pageButtons);
            button->SetBounds(gap + (glyph - 1) * (size + gap), gap + row * (size + gap), size, size);
            button->setMode(modes[row < 3 ? row : 0]);
            button->setColors(3, clSilver);
            button->ApplyStdImage(static_cast<TVexoButtonStdImages>(glyph));
            button->SetEnabled(row < 3);
        }
    }
    const char* captions[] = {"Plano", "Suave", "Redondo"};
    for (int mode = 0; mode < 3; ++mode) {
        auto* button = new TVexoButton(this);
        button->SetParent(pageButtons);
        button->SetBounds(gap + mode * 130, 4 * (size + gap) + gap, 120, 26);
        button->setMode(modes[mode]);
        button->setColors(3, clSilver);
        button->ApplyStdImage(vbiOk);
        button->setText(captions[mode]);
    }
}

void TGalleryForm::btRepairClick(TObject*) {
    TdbReparerFORM repair(nullptr);
    repair.ShowModal();
}
