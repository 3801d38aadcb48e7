// A form read from its form file: the form class registers itself and its handler, reads the text
// in its constructor and binds its members to the components by name. Writing the form gives the
// text back; a broken text is refused with its line number.
#include "controls/edit/EditProperties.h"
#include "controls/grid/GridProperties.h"
#include "controls/grid/VexoGrid.h"
#include "controls/misc/MiscProperties.h"
#include "framework/streaming/FilerErrors.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"
#include "framework/streaming/TClassDecl.h"
#include "framework/windows/TForm.h"

#include <cassert>
#include <iostream>
#include <string_view>

using namespace vexo;

// order_form.dfm, compiled into the program by the build (vexo_form_text in CMakeLists.txt).
std::string_view OrderFormText();

class TOrderForm : public TForm {
public:
    explicit TOrderForm(TComponent* owner) : TForm(owner) {
        registerClass();
        ReadComponentText(OrderFormText(), this);
        lines = dynamic_cast<TVexoGrid*>(FindComponent("lines"));
        assert(lines != nullptr && "the form file creates the grid");
    }

    TVexoGrid* lines = nullptr; // owned by the form, like every component of the file

    // Bound by name from "OnClick = saveClick"; the signature must match the event's.
    void saveClick(TObject*) { std::cout << lines->GetRowCount() << " lines saved\n"; }

private:
    // Every class the text names must be registered before the text is read.
    static void registerClass() {
        static const bool registered = [] {
            RegisterMiscClasses(); // the frame and the button
            RegisterEditClasses();
            RegisterGridClasses();
            RegisterClass<TOrderForm, TForm>("TOrderForm").Method("saveClick", &TOrderForm::saveClick);
            return true;
        }();
        (void)registered;
    }
};

void FormFileRoundTrip() {
    TOrderForm form(nullptr);
    form.lines->AddRow();
    form.lines->AddString(0, "Tornillos");

    // Only the properties that differ from their defaults are written; reading this text again
    // gives the same form.
    const std::string text = WriteComponentText(&form);
    std::cout << text.substr(0, text.find('\n')) << '\n'; // object OrderForm: TOrderForm

    try {
        TForm scratch(nullptr);
        PreviewComponentText("object F: TForm\n  Width = ancho\nend\n", &scratch);
    } catch (const EReadError& error) { // names the line and what was expected
        std::cout << error.what() << '\n';
    }
}
