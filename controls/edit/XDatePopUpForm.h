#pragma once
// The date edit's pop-up: a month calendar on the edit's date (today's when it is empty). Every move
// of the calendar's current day is written into the edit at once and fires its change events; a
// double click or Enter applies and closes, Escape closes keeping the last date written.
#include "controls/edit/VexoPopUpForm.h"

namespace vexo {

class TVexoCalendar;

class TXDatePopUpForm : public TVexoPopUpForm {
public:
    explicit TXDatePopUpForm(TVexoEdit* edit);

    TVexoCalendar* Calendar() const { return calendar_; }
    TWinControl* Inner() const override;
    bool apply() override;

private:
    void create();

    TVexoCalendar* calendar_;
};

} // namespace vexo
