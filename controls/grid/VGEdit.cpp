// How it works: the editor is an edit control that lives hidden on the grid. ShowEditor settles
// it on the grid's current cell: the application's per-row settings first (OnRowNeedData), then
// the cell's rectangle, the column's mode, list, case and format, and the cell's value. Commit
// converts the editor's value back into the cell's text through a row cursor's typed setters and
// reports a changed cell to the grid. The window procedure turns navigation keys into a commit
// followed by a move (NextCell, PrevCell, NextRow, PrevRow, all going through the grid's
// SetRowIndex so that row exit and enter follow), and Escape or the loss of focus into the end of
// the row's editing. Tab reaches the editor as Enter: the message hook rewrites it before dispatch.
#include "controls/grid/VGEdit.h"

#include "controls/common/AppMsgHandler.h"
#include "controls/grid/VGColumnCollection.h"
#include "controls/grid/VGScrollBox.h"
#include "controls/grid/VexoGrid.h"
#include "controls/grid/VexoRow.h"
#include "framework/core/Exception.h"
#include "framework/core/ScopeGuard.h"
#include "framework/core/SysUtils.h"
#include "framework/windows/TApplication.h"
#include "framework/windows/TForm.h"
#include "framework/windows/WinApi.h"
#include "values/VexoConvert.h"

#include <algorithm>

namespace vexo {

namespace {

sVexoEditMode modeOf(VGDataType type) {
    switch (type) {
    case vgDate:
        return sEditDate;
    case vgTime:
        return sEditTime;
    case vgBoolean:
        return sEditBoolean;
    case vgInteger:
        return sEditInteger;
    case vgFloat:
    case vgMoney:
        return sEditDouble;
    case vgString:
        break;
    }
    return sEditString;
}

// The editor's one message for a value it cannot take: empty caption, one OK button.
void tellInvalid(const std::string& text) {
    Application->MessageBox("El valor '" + text + "' no es v\xC3\xA1lido", "", 0);
}

TForm* parentForm(TControl* control) {
    for (TControl* c = control; c; c = c->Parent())
        if (auto* form = dynamic_cast<TForm*>(c)) return form;
    return nullptr;
}

} // namespace

TVGEdit::TVGEdit(TVexoGrid* grid)
    : TVexoEdit(grid), grid_(grid), surface_(grid->Surface()), row_(std::make_unique<TVexoRow>(grid)) {
    SetParent(grid);
    setShowFrame(true);
    SetTabStop(true);
    SetVisible(false);
}

TVGEdit::~TVGEdit() = default;

void TVGEdit::CreateWnd() {
    TVexoEdit::CreateWnd();
    AppMsgHandler::RegisterControl(this, [this](MSG& message, bool&) {
        if (message.message == WM_KEYDOWN && message.hwnd == WindowHandle() &&
            message.wParam == static_cast<WPARAM>(VK_TAB))
            message.wParam = VK_RETURN;
    });
}

// ---- starting and showing ----

bool TVGEdit::EditAt(int col) {
    TVexoGrid& g = *grid_;
    const int row = g.GetRowIndex();
    // F2 reaches here without a current row, and a grid without columns has no cell at all.
    if (row < 0 || row >= g.GetRowCount() || g.Columns()->Count() == 0) return false;
    if (g.GetIsRowUnicolumn(row)) return false;
    const int previous = g.GetColIndex();
    g.SetColIndex(std::max(col, 0) - 1);
    if (!NextCell()) {
        // Nothing to edit: the current column keeps meaning the cell it meant before.
        g.SetColIndex(previous);
        return false;
    }
    ShowEditor();
    return true;
}

void TVGEdit::ShowEditor() {
    TVexoGrid& g = *grid_;
    const int row = g.GetRowIndex();
    row_->MoveTo(row);
    ComboTexts()->Clear();
    ComboValues()->Clear();
    setFormat(std::string());
    if (g.OnRowNeedData) g.OnRowNeedData(row);
    const int col = g.GetColIndex();
    g.EnsureColVisible(col);

    // The surface's cell, moved into the grid's coordinates and grown by the frame's pixel.
    const TRect cell = surface_->CellRect(row, col);
    const int top = surface_->Top();
    editRect_ = Rect(cell.Left, cell.Top + top - 1, cell.Right + 1, cell.Bottom + top + 1);
    // Moving from cell to cell keeps the editor shown: hiding the focused editor would hand the
    // focus to another control for a moment, and that control's focus events with it.
    if (!Focused()) SetVisible(false);
    SetBounds(editRect_.Left, editRect_.Top, editRect_.Right - editRect_.Left,
              editRect_.Bottom - editRect_.Top);

    const TVGColumn& column = *g.Columns()->Items(col);
    if (column.IsCombo()) {
        setMode(sEditList);
        setComboTexts(*column.ComboTexts());
        setComboValues(*column.ComboValues());
    } else {
        setMode(modeOf(column.DataType()));
    }
    SetCharCase(column.CharCase());
    loadValue(column, g.GetString(row, col));
    SetVisible(true);
    SelectAll();
    SetFocus();
}

// The cell's value into the editor. Money text groups thousands with points, which the decimal
// mode cannot read: the editor gets the amount as a plain decimal instead, and Commit writes it
// back as money text.
void TVGEdit::loadValue(const TVGColumn& column, const std::string& cellText) {
    switch (column.IsCombo() ? vgString : column.DataType()) {
    case vgDate:
    case vgTime:
        // A cell the application filled with an impossible date or time cannot be shown: the user
        // is told, and the editor starts empty without touching the cell.
        try {
            if (column.DataType() == vgDate) {
                shownDate_.setText(cellText);
                setDate(shownDate_);
            } else {
                shownTime_.setText(cellText);
                setTime(shownTime_);
            }
        } catch (const EConvertError&) {
            tellInvalid(cellText);
            shownDate_ = sDB_date();
            shownTime_ = sDB_time();
            setDate(shownDate_);
            setTime(shownTime_);
        }
        setFormat(column.Format());
        return;
    case vgMoney: {
        double amount = 0;
        try {
            amount = textToMoney(cellText);
        } catch (const EConvertError&) {
            setText(std::string()); // a cell the application filled with something else
            return;
        }
        setText(cellText.empty() ? std::string() : floatToText(moneyDecimals, amount));
        return;
    }
    default:
        setText(cellText);
        return;
    }
}

void TVGEdit::HideEditor() {
    SetVisible(false);
    TForm* form = parentForm(grid_);
    if (grid_->CanFocus() && form && form->Visible() && form->Enabled()) grid_->SetFocus();
}

// ---- committing ----

void TVGEdit::doChange() {
    Commit();
}

bool TVGEdit::Commit() {
    TVexoGrid& g = *grid_;
    const int row = g.GetRowIndex();
    const int col = g.GetColIndex();
    if (row < 0 || row >= g.GetRowCount() || col < 0 || col >= g.Columns()->Count()) return false;
    const std::string old = g.GetString(row, col);
    committing_ = true;
    ScopeGuard done([this] { committing_ = false; });
    row_->MoveTo(row);
    try {
        storeValue(col);
        // Money is judged by the cell, since the editor shows it without thousands points; dates
        // and times are written only on a real change, so both compare what the cell now holds.
        const bool byCell = dataType_ == vgMoney || dataType_ == vgDate || dataType_ == vgTime;
        if ((byCell ? g.GetString(row, col) : getText()) != old) {
            g.SetRowModified(true);
            g.doCellModified();
        }
    } catch (const EConvertError&) {
        refuse(getText());
        return false;
    }
    return true;
}

void TVGEdit::refuse(const std::string& text) {
    tellInvalid(text);
    const int row = grid_->GetRowIndex();
    const int col = grid_->GetColIndex();
    loadValue(*grid_->Columns()->Items(col), grid_->GetString(row, col));
}

void TVGEdit::storeValue(int col) {
    const std::string text = getText();
    switch (dataType_) {
    case vgString:
        row_->SetAsString(col, text);
        return;
    case vgDate: {
        // Written only when the user changed the date the editor showed: an empty cell that the
        // editor merely passed over stays empty.
        const sDB_date now = getDate();
        if (now.day != shownDate_.day || now.month != shownDate_.month || now.year != shownDate_.year)
            row_->SetAsDate(col, now);
        return;
    }
    case vgTime:
        if (getTime().minutes() != shownTime_.minutes()) row_->SetAsTime(col, getTime());
        return;
    case vgBoolean:
        grid_->SetString(grid_->GetRowIndex(), col, text);
        return;
    case vgInteger:
        row_->SetAsInteger(col, StrToIntDef(text, 0));
        return;
    case vgFloat:
        if (!text.empty()) row_->SetAsFloat(col, decimalTextToFloat(text));
        return;
    case vgMoney:
        row_->SetAsFloat(col, textToMoney(text));
        return;
    }
}

// ---- navigation ----

bool TVGEdit::editable(int col) const {
    return !grid_->Columns()->Items(col)->ReadOnly();
}

void TVGEdit::moveTo(int row, int col) {
    dataType_ = grid_->Columns()->Items(col)->DataType();
    grid_->SetColIndex(col);
    grid_->SetRowIndex(row);
    grid_->EnsureRowVisible(row);
}

int TVGEdit::editableCol(int row, int col, bool forward) const {
    if (grid_->OnRowNeedData) grid_->OnRowNeedData(row);
    const int cols = grid_->Columns()->Count();
    for (col += forward ? 1 : -1; col >= 0 && col < cols; col += forward ? 1 : -1)
        if (editable(col)) return col;
    return -1;
}

// With AutoAddRow a row is appended past the last one, but only when no later row was found, and
// at most once per search: a grid whose columns are all read-only would otherwise grow for ever.
// A row appended in vain is removed again.
bool TVGEdit::NextCell() {
    TVexoGrid& g = *grid_;
    int row = g.GetRowIndex();
    if (row < 0 || row >= g.GetRowCount()) return false;
    int from = g.GetColIndex();
    bool appended = false;
    for (;;) {
        if (const int col = editableCol(row, from, true); col >= 0) {
            moveTo(row, col);
            return true;
        }
        if (appended) {
            if (row < g.GetRowCount() && row != g.GetRowIndex()) g.DeleteRow(row);
            return false;
        }
        bool found = false;
        while (row < g.GetRowCount() - 1) {
            ++row;
            if (!g.GetIsRowUnicolumn(row)) {
                found = true;
                break;
            }
        }
        if (!found && row == g.GetRowCount() - 1 && g.GetAutoAddRow()) {
            g.AddRow();
            row = g.GetRowCount() - 1;
            found = appended = true;
        }
        if (!found) return false;
        from = -1;
    }
}

bool TVGEdit::PrevCell() {
    TVexoGrid& g = *grid_;
    int row = g.GetRowIndex();
    if (row < 0 || row >= g.GetRowCount()) return false;
    int from = g.GetColIndex();
    for (;;) {
        if (const int col = editableCol(row, from, false); col >= 0) {
            moveTo(row, col);
            return true;
        }
        bool found = false;
        while (row > 0) {
            --row;
            if (!g.GetIsRowUnicolumn(row)) {
                found = true;
                break;
            }
        }
        if (!found) return false;
        from = g.Columns()->Count();
    }
}

bool TVGEdit::NextRow() {
    return stepRow(1);
}

bool TVGEdit::PrevRow() {
    return stepRow(-1);
}

// The nearest row in that direction, not unicolumn, where the current column is editable once the
// application has seen the row.
bool TVGEdit::stepRow(int direction) {
    TVexoGrid& g = *grid_;
    const int col = g.GetColIndex();
    for (int r = g.GetRowIndex() + direction; r >= 0 && r < g.GetRowCount(); r += direction) {
        if (g.OnRowNeedData) g.OnRowNeedData(r);
        if (g.GetIsRowUnicolumn(r) || !editable(col)) continue;
        g.SetRowIndex(r);
        g.EnsureRowVisible(g.GetRowIndex());
        return true;
    }
    return false;
}

// ---- window procedure ----

void TVGEdit::endRowEdit() {
    grid_->doRowExit(-1);
    grid_->SetRowModified(false);
    grid_->doRowEnter();
}

void TVGEdit::WndProc(TMessage& message) {
    if (committing_ || ComponentState().Contains(csDesigning)) {
        TVexoEdit::WndProc(message);
        return;
    }
    if (message.Msg == WM_KILLFOCUS && Visible()) {
        TVexoEdit::WndProc(message);
        if (isFocused()) return; // the focus went to the editor's own pop-up
        Commit();
        // The focus went to another control, or out of the application: the grid takes it back
        // only in the second case, so that a click elsewhere keeps the focus where it went.
        SetVisible(false);
        if (!message.WParam) HideEditor();
        endRowEdit();
        message.Result = 0;
        return;
    }
    if (message.Msg == WM_KEYDOWN && navigate(message)) return;
    TVexoEdit::WndProc(message);
}

// The editor's own keys: F2 places the caret, Escape over the whole text cancels, and the
// navigation keys commit and move. False for every key that takes the inherited handling.
bool TVGEdit::navigate(TMessage& message) {
    int key = static_cast<int>(message.WParam);
    if (key == VK_F2) {
        SelectNone();
        message.Result = 0;
        return true;
    }
    if (key == VK_ESCAPE && IsAllSelected()) {
        HideEditor();
        endRowEdit();
        message.Result = 0;
        return true;
    }
    const bool sideways = (key == VK_LEFT || key == VK_RIGHT) && IsAllSelected();
    if (key != VK_RETURN && key != VK_UP && key != VK_DOWN && !sideways) return false;

    // The edit control's own reading of the typed text (a decimal, a date) is the first check a
    // value meets: what it cannot read is refused like a value Commit cannot convert.
    try {
        processEndEdit(true);
    } catch (const EConvertError&) {
        refuse(windowText());
        message.Result = 0;
        return true;
    }
    if (!Commit()) {
        message.Result = 0;
        return true;
    }
    if (key == VK_RETURN) {
        key = GetKeyState(VK_SHIFT) < 0 ? VK_LEFT : VK_RIGHT;
        message.WParam = static_cast<WPARAM>(key);
    }
    TVexoGrid& g = *grid_;
    const int row = g.GetRowIndex();
    if (key == VK_UP && row > 0)
        PrevRow();
    else if (key == VK_DOWN && row < g.GetRowCount() - 1)
        NextRow();
    else if (key == VK_LEFT)
        PrevCell();
    else if (key == VK_RIGHT)
        NextCell();
    else
        return false;
    ShowEditor();
    message.Result = 0;
    return true;
}

} // namespace vexo
