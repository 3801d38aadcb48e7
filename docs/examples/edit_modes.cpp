// Edit controls in three modes on a form: a date with its step arrows, a list whose value differs
// from its text, and a decimal number; the change events they fire when editing ends.
#include "controls/edit/VexoEdit.h"
#include "framework/windows/TForm.h"

#include <iostream>

using namespace vexo;

void EditModes() {
    TForm form(nullptr);
    form.SetClientWidth(300);
    form.SetClientHeight(120);

    // The label is drawn on the parent, to the left of the control: leave room for it.
    auto place = [&form](TVexoEdit* edit, int top, const char* label) {
        edit->SetParent(&form);
        edit->SetBounds(90, top, 160, 17);
        edit->setLabel(label);
        edit->setShowFrame(true);
    };

    auto* date = new TVexoEdit(&form);
    place(date, 12, "Fecha");
    date->setMode(sEditDate); // a drop-down: the button opens a month calendar
    date->setDateNavigator(true);
    date->setDateNavigatorKind(sDnkWeek); // the arrows step a week
    date->setDate(sDB_date(5, 1, 2006));

    auto* colour = new TVexoEdit(&form);
    place(colour, 38, "Color");
    colour->setMode(sEditList);
    colour->add("Rojo", "R"); // shown text, value
    colour->add("Verde", "G");
    colour->setText("G");                                                            // selects by value
    std::cout << colour->getText() << " shows " << colour->getTextVisible() << '\n'; // G shows Verde

    auto* amount = new TVexoEdit(&form);
    place(amount, 64, "Importe");
    amount->setMode(sEditDouble); // only digits, sign and the decimal separator get through
    amount->OnChangePre = [](TObject*) { std::cout << "OnChangePre\n"; };
    amount->OnChange = [amount](TObject*) { std::cout << "OnChange " << amount->getText() << '\n'; };
    amount->OnChangePost = [](TObject*) { std::cout << "OnChangePost\n"; };

    // The text as the user typed it, then the end of the edit (the loss of the focus): the text is
    // normalised and the three events fire once, in this order.
    amount->SetCaption("1234,5");
    amount->processEndEdit(true);
}
