#include "controls/grid/XKeyPopForm.h"

#include "controls/edit/VexoEdit.h"
#include "controls/grid/VGColumn.h"
#include "controls/grid/VGColumnCollection.h"
#include "controls/grid/VexoGrid.h"
#include "controls/grid/VexoRow.h"
#include "controls/misc/VexoFrame.h"
#include "framework/core/TStringList.h"
#include "framework/graphics/TFont.h"
#include "framework/windows/TScreen.h"

namespace vexo {

namespace {

// The edit layer opens its list pop-up through this maker (see TVexoEdit::SetListPopUpMaker).
const bool makerInstalled = [] {
    TVexoEdit::SetListPopUpMaker([](TVexoEdit& edit) -> TVexoPopUpForm* { return new TXKeyPopForm(&edit); });
    return true;
}();

} // namespace

// Nothing else refers to this file, so a static link would leave it (and the maker) out: programs
// that link the whole library ask the linker for this name (see the vexocontrols target).
extern "C" const bool vexo_list_popup_linked = makerInstalled;

TXKeyPopForm::TXKeyPopForm(TVexoEdit* edit) : TVexoPopUpForm(edit) {
    Frame()->SetAlign(alClient);
    list_ = new TVexoGrid(this);
    list_->SetParent(Frame());
    list_->SetShowHeader(false);
    list_->SetShowLines(false);
    list_->SetAlign(alClient);
    list_->OnDblClick = [this](TObject*) { choose(); };
    TVGColumn* column = list_->Columns()->Add();
    column->SetWidth(edit->Width() - ColumnReserve);
    column->SetFieldName(ColumnName);
    list_->SetCol100x100(ColumnName);
    OnCreate = [this](TObject*) { create(); };
}

TWinControl* TXKeyPopForm::Inner() const {
    return list_;
}

void TXKeyPopForm::create() {
    list_->SetSkinName("STD");
    Font()->Assign(*Edit()->Font());
    place();
    listen();
    fill();
}

void TXKeyPopForm::place() {
    TVexoEdit* edit = Edit();
    const TPoint at = underEdit();
    const int height = edit->Mode() == sEditList ? ListHeight : 2 * list_->GetRowHeight() + 6;
    int top = at.y;
    // Too close to the bottom of the screen: above the edit instead.
    if (Screen->Height() < top + height) top -= edit->Height() + height;
    SetBounds(at.x, top, edit->Width(), height);
}

void TXKeyPopForm::fill() {
    TVexoEdit* edit = Edit();
    const TStringList& texts = *edit->ComboTexts();
    const TStringList& values = *edit->ComboValues();
    list_->PreRefresh();
    list_->Clear();
    TVexoRow row(list_);
    // A text without its value (the two lists set apart, of unequal length) is a row that chooses
    // no entry.
    for (int i = 0; i < texts.Count(); ++i) {
        const std::string value = i < values.Count() ? values.Get(i) : std::string();
        row.Append();
        if (value == TVexoEdit::separatorMark) {
            row.SetUnicolumn(true);
            row.SetUnicolumnText(texts.Get(i));
        } else {
            row.SetAsString(0, texts.Get(i));
            row.SetItemData(0, value);
        }
        row.Store();
    }
    list_->PostRefresh();
    if (edit->SortCombo()) list_->SortBy(ColumnName);
    list_->SelectRowByItemData(edit->getText(), 0);
}

bool TXKeyPopForm::apply() {
    TVexoRow row(list_);
    row.MoveTo(TVexoRow::CurrentRow);
    const int current = row.RowIndex();
    if (current < 0 || current >= list_->GetRowCount()) return false;
    TVexoEdit* edit = Edit();
    edit->beginEdit();
    edit->setText(row.GetItemData(0));
    edit->eventPostModified();
    edit->doChange();
    return true;
}

} // namespace vexo
