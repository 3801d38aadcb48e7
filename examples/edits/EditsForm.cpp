#include "examples/edits/EditsForm.h"

#include "controls/edit/CalendarProperties.h"
#include "controls/edit/EditProperties.h"
#include "controls/edit/VexoEdit.h"
#include "controls/scroll/VexoScroll.h"
#include "controls/misc/MiscProperties.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/TClassDecl.h"
#include "values/VexoConvert.h"

#include <cassert>

using namespace vexo;

namespace {

// The form file names its class and its handler; both must be known before the text is read.
void registerEditsForm() {
    static const bool registered = [] {
        RegisterEditClasses();
        RegisterCalendarClasses();
        RegisterMiscClasses();
        RegisterClass<TEditsForm, TForm>("TEditsForm").Method("barraChange", &TEditsForm::barraChange);
        return true;
    }();
    (void)registered;
}

} // namespace

TEditsForm::TEditsForm(TComponent* owner) : TForm(owner) {
    registerEditsForm();
    ReadComponentText(EditsFormText(), this);
    entero = dynamic_cast<TVexoEdit*>(FindComponent("entero"));
    barra = dynamic_cast<TVexoScroll*>(FindComponent("barra"));
    assert(entero != nullptr && barra != nullptr && "the form file creates the edits and the bar");
}

void TEditsForm::barraChange(TObject* sender) {
    (void)sender;
    entero->setText(intToText(barra->Position()));
}
