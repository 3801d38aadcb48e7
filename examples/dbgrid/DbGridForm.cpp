#include "examples/dbgrid/DbGridForm.h"

#include "db/DBProperties.h"
#include "db/DBVexoGrid.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/TClassDecl.h"

#include <cassert>

using namespace vexo;

namespace {

// The form file names its class and its handler; both must be known before the text is read.
void registerDbGridForm() {
    static const bool registered = [] {
        RegisterDbClasses();
        RegisterClass<TDbGridForm, TForm>("TDbGridForm").Method("gridSeparator", &TDbGridForm::gridSeparator);
        return true;
    }();
    (void)registered;
}

} // namespace

TDbGridForm::TDbGridForm(TComponent* owner) : TForm(owner) {
    registerDbGridForm();
    ReadComponentText(DbGridFormText(), this);
    grid = dynamic_cast<TDBVexoGrid*>(FindComponent("grid"));
    assert(grid != nullptr && "the form file creates the grid");
}

void TDbGridForm::gridSeparator(void* fld, std::string& text) {
    (void)fld;
    text = "Región " + grid->table.getString("region");
}
