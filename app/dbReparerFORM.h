#pragma once
// The data layer's repair window, "Reparar DB": a start button, a status line under it and a list
// that a repair pass fills with one line per step. The form is built from its form file; the
// repair pass itself is the application's, so both handlers do nothing here.
#include "framework/windows/TForm.h"

#include <string_view>

namespace vexo {
class TLabel;
class TListBox;
class TVexoButton;
class TVexoFrame;
} // namespace vexo

// The form file the form is built from, embedded in the program when it is built.
std::string_view dbReparerFORMText();

class TdbReparerFORM : public vexo::TForm {
public:
    explicit TdbReparerFORM(vexo::TComponent* owner);

    // Bound from the form file; owned by the form.
    vexo::TVexoFrame* Panel1 = nullptr;
    vexo::TVexoButton* btStart = nullptr;
    vexo::TLabel* theLabel = nullptr;
    vexo::TListBox* theList = nullptr;

    void FormActivate(vexo::TObject* sender);
    void btStartClick(vexo::TObject* sender);
};
