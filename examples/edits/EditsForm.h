#pragma once
// The edit example's window: one edit per mode, each with its label, and a standalone scroll bar
// whose position the "entero" edit shows; beside them a month calendar on a frame with turned
// text, and two edits on a framed panel whose caption lies over its top line.
#include "framework/windows/TForm.h"

#include <string_view>

namespace vexo {
class TVexoEdit;
class TVexoScroll;
} // namespace vexo

// The form file the form is built from, embedded in the program when it is built.
std::string_view EditsFormText();

class TEditsForm : public vexo::TForm {
public:
    explicit TEditsForm(vexo::TComponent* owner);

    // Bound from the form file; owned by the form.
    vexo::TVexoEdit* entero = nullptr;
    vexo::TVexoScroll* barra = nullptr;

    void barraChange(vexo::TObject* sender);
};
