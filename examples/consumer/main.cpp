// Builds a form with a grid and a button from the installed headers and writes its picture: the
// smallest program a user of the library writes.
//     consumer FILE.png
#include "controls/grid/VexoGrid.h"
#include "controls/misc/VexoButton.h"
#include "framework/windows/Render.h"
#include "framework/windows/TForm.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

using namespace vexo;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: consumer FILE.png\n");
        return 2;
    }
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    TForm form(nullptr);
    form.SetBounds(0, 0, 320, 200);
    auto* grid = new TVexoGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(8, 8, 300, 140);
    TVGColumn* column = grid->Columns()->Add();
    column->SetCaption("Cliente");
    column->SetWidth(200);
    for (const char* name : {"Ana", "Bruno", "Carmen"}) {
        grid->AddRow();
        grid->AddString(0, name);
    }
    auto* button = new TVexoButton(&form);
    button->SetParent(&form);
    button->SetBounds(8, 160, 100, 24);
    button->ApplyStdImage(vbiOk);
    button->setText("Aceptar");
    if (!SaveToPng(&form, argv[1])) {
        std::fprintf(stderr, "consumer: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%s\n", argv[1]);
    return 0;
}
