// The edit example: a dialog with one edit control per mode, run in the framework's message loop.
//
//     vexo_edits                     shows the form until it is closed
//     vexo_edits --screenshot FILE   writes a PNG of the form and prints its path; without a
//                                    platform chosen it needs no display
//     vexo_edits --open-popup NAME   opens the pop-up of the drop-down edit NAME (fecha, lista,
//                                    booleano); with --screenshot the picture shows it under its edit
#include "app/ExampleMain.h"
#include "controls/edit/VexoEdit.h"
#include "controls/edit/VexoPopUpForm.h"
#include "examples/edits/EditsForm.h"
#include "framework/windows/Render.h"
#include "framework/windows/TApplication.h"

#include <QApplication>
#include <QPainter>

using namespace vexo;

namespace {

// The form as it shows, with the open pop-up drawn where it stands over the form.
QImage picture(TForm* form) {
    // The labels are drawn on the form when the edits paint: show the form once, offscreen, before
    // taking its picture.
    form->Show();
    QApplication::processEvents();
    QImage image = RenderToImage(form);
    if (TVexoPopUpForm* popup = TVexoPopUpForm::Open()) {
        const TPoint origin = form->ClientToScreen(Point(0, 0));
        QPainter painter(&image);
        painter.drawImage(popup->Left() - origin.x, popup->Top() - origin.y, RenderToImage(popup));
    }
    return image;
}

bool openPopup(TForm* form, const std::string& name) {
    auto* edit = dynamic_cast<TVexoEdit*>(form->FindComponent(name));
    if (!edit || !edit->IsCombo()) return false;
    edit->DefaultOnCombo(edit);
    return TVexoPopUpForm::Open() != nullptr;
}

} // namespace

int main(int argc, char** argv) {
    return RunExample(argc, argv,
                      {"vexo_edits", "One edit control per mode, with its label, and a scroll bar.",
                       [] {
                           TEditsForm* form = nullptr;
                           Application->CreateForm(form);
                           return static_cast<TForm*>(form);
                       },
                       picture, openPopup});
}
