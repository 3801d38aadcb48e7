// The edit example: a dialog with one edit control per mode, run in the framework's message loop.
//
//     vexo_edits                     shows the form until it is closed
//     vexo_edits --screenshot FILE   writes a PNG of the form and prints its path; without a
//                                    platform chosen it needs no display
#include "app/ExampleMain.h"
#include "examples/edits/EditsForm.h"
#include "framework/windows/Render.h"
#include "framework/windows/TApplication.h"

#include <QApplication>

using namespace vexo;

int main(int argc, char** argv) {
    return RunExample(argc, argv,
                      {"vexo_edits", "One edit control per mode, with its label, and a scroll bar.",
                       [] {
                           TEditsForm* form = nullptr;
                           Application->CreateForm(form);
                           return static_cast<TForm*>(form);
                       },
                       [](TForm* form) {
                           // The labels are drawn on the form when the edits paint: show the form
                           // once, offscreen, before taking its picture.
                           form->Show();
                           QApplication::processEvents();
                           return RenderToImage(form);
                       }});
}
