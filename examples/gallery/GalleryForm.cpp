#include "examples/gallery/GalleryForm.h"

#include "app/dbReparerFORM.h"
#include "controls/misc/JPEGControl.h"
#include "controls/misc/MiscProperties.h"
#include "controls/misc/VexoButton.h"
#include "controls/misc/VexoPage.h"
#include "controls/misc/VexoRichEdit.h"
#include "controls/misc/VexoTabButtons.h"
#include "controls/misc/VexoTabbed.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/TClassDecl.h"
#include "framework/windows/TApplication.h"
#include "framework/windows/TPrinter.h"

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cassert>

using namespace vexo;

namespace {

void registerGallery() {
    static const bool registered = [] {
        RegisterMiscClasses();
        RegisterClass<TGalleryForm, TForm>("TGalleryForm")
            .Method("btRepairClick", &TGalleryForm::btRepairClick)
            .Method("btPrintClick", &TGalleryForm::btPrintClick);
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
    richText = dynamic_cast<TVexoRichEdit*>(FindComponent("richText"));
    photo = dynamic_cast<TJPEGControl*>(FindComponent("photo"));
    assert(tabs && pageButtons && months && richText && photo &&
           "the form file creates the gallery's controls");
    addGlyphButtons();
    fillTextAndPhoto();
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

// The picture is drawn here and written as a JPEG file, so that the box decodes a real one.
void TGalleryForm::fillTextAndPhoto() {
    richText->SetText("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue160;}"
                      "\\f0\\fs28\\b Texto enriquecido\\b0\\fs20\\par "
                      "Con {\\i cursiva}, {\\ul subrayado} y {\\cf1 color}.\\par "
                      "\\tab Un tabulador, una e\\'f1e y un \\u8364? euro.\\par }");
    QImage picture(160, 110, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient sky(0, 0, 0, 110);
    sky.setColorAt(0, QColor(90, 150, 230));
    sky.setColorAt(1, QColor(250, 220, 160));
    painter.fillRect(picture.rect(), sky);
    painter.setBrush(QColor(60, 120, 60));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPoint(50, 130), 90, 50);
    painter.drawEllipse(QPoint(140, 135), 70, 45);
    painter.end();
    const QString path = QDir::temp().filePath("vexo-gallery-photo.jpg");
    if (picture.save(path, "JPG", 90)) photo->SetFile(path.toStdString());
}

void TGalleryForm::btPrintClick(TObject*) {
    richText->Print("Galería de VexoControls");
    Application->MessageBox("Impreso en " + Printer().FileName(), "Imprimir");
}

void TGalleryForm::btRepairClick(TObject*) {
    TdbReparerFORM repair(nullptr);
    repair.ShowModal();
}
