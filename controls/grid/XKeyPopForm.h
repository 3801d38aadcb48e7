#pragma once
// The list pop-up of a list or yes/no edit: the edit's entries in a one-column grid, separators as
// full-width rows, sorted by text when the edit asks for it, with the current value's row current.
// A double click or Enter writes the current row's value into the edit and closes; with no current
// row nothing is chosen and the list stays open.
#include "controls/edit/VexoPopUpForm.h"

namespace vexo {

class TVexoGrid;

class TXKeyPopForm : public TVexoPopUpForm {
public:
    static constexpr int ListHeight = 100;   // the height of a list edit's pop-up
    static constexpr int ColumnReserve = 24; // the column is this much narrower than the edit
    static inline const std::string ColumnName = "theCol";

    explicit TXKeyPopForm(TVexoEdit* edit);

    TVexoGrid* List() const { return list_; }
    TWinControl* Inner() const override;
    bool apply() override;

private:
    void create();
    void place();
    void fill();

    TVexoGrid* list_;
};

} // namespace vexo
