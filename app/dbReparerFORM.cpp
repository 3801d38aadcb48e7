#include "app/dbReparerFORM.h"

#include "controls/misc/MiscProperties.h"
#include "controls/misc/VexoButton.h"
#include "controls/misc/VexoFrame.h"
#include "framework/stdctrls/TLabel.h"
#include "framework/stdctrls/TListBox.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/TClassDecl.h"

#include <cassert>

using namespace vexo;

namespace {

// The form file names its class and its handlers; both must be known before the text is read.
void registerRepairForm() {
    static const bool registered = [] {
        RegisterMiscClasses();
        RegisterClass<TdbReparerFORM, TForm>("TdbReparerFORM")
            .Method("FormActivate", &TdbReparerFORM::FormActivate)
            .Method("btStartClick", &TdbReparerFORM::btStartClick);
        return true;
    }();
    (void)registered;
}

template <class T> T* piece(TForm& form, const char* name) {
    auto* found = dynamic_cast<T*>(form.FindComponent(name));
    assert(found != nullptr && "the form file creates every control of the form");
    return found;
}

} // namespace

TdbReparerFORM::TdbReparerFORM(TComponent* owner) : TForm(owner) {
    registerRepairForm();
    ReadComponentText(dbReparerFORMText(), this);
    Panel1 = piece<TVexoFrame>(*this, "Panel1");
    btStart = piece<TVexoButton>(*this, "btStart");
    theLabel = piece<TLabel>(*this, "theLabel");
    theList = piece<TListBox>(*this, "theList");
}

void TdbReparerFORM::FormActivate(TObject*) {}

void TdbReparerFORM::btStartClick(TObject*) {}
