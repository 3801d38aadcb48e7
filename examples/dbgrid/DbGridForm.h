#pragma once
// The data-bound grid example's window: one grid over the demo table of clients, grouped by
// region under separator rows. Every cell but the code is editable and is written back at once.
#include "framework/windows/TForm.h"

#include <string>
#include <string_view>

namespace vexo {
class TDBVexoGrid;
}

// The form file the form is built from, embedded in the program when it is built.
std::string_view DbGridFormText();

class TDbGridForm : public vexo::TForm {
public:
    explicit TDbGridForm(vexo::TComponent* owner);

    // Bound from the form file; owned by the form.
    vexo::TDBVexoGrid* grid = nullptr;

    // The separator row names the region of the record that follows it.
    void gridSeparator(void* fld, std::string& text);
};
