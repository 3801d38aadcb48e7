#include "controls/edit/XDatePopUpForm.h"

#include "controls/edit/VexoCalendar.h"
#include "controls/edit/VexoEdit.h"
#include "controls/misc/VexoFrame.h"

namespace vexo {

TXDatePopUpForm::TXDatePopUpForm(TVexoEdit* edit) : TVexoPopUpForm(edit) {
    calendar_ = new TVexoCalendar(this);
    calendar_->SetParent(Frame());
    OnCreate = [this](TObject*) { create(); };
}

TWinControl* TXDatePopUpForm::Inner() const {
    return calendar_;
}

void TXDatePopUpForm::create() {
    // The frame closes round the calendar, and the form takes the frame's size.
    Frame()->SetAutoSize(true);

    sDB_date date = Edit()->getDate();
    if (date.isEmpty()) date.today();
    calendar_->setDate(date);
    calendar_->OnChange = [this](TObject*) { apply(); };
    calendar_->OnDblClick = [this](TObject*) { choose(); };

    const TPoint at = underEdit();
    SetBounds(at.x, at.y, Frame()->Width(), Frame()->Height());
    listen();
}

bool TXDatePopUpForm::apply() {
    TVexoEdit* edit = Edit();
    edit->beginEdit();
    edit->setDate(calendar_->getDate());
    edit->eventPostModified();
    edit->doChange();
    return true;
}

} // namespace vexo
