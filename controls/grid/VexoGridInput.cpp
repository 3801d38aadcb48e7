// How it works: input does not come through the grid's own window handlers. The application
// message hook hands every queued message to DesvioMensajes first, which acts on those for the
// grid's window and the surface's, and drops what it consumed. A button press makes a row current
// (or, with Multiselect, extends or toggles the selection from the anchor, the current row field);
// a drag with the button down follows the pointer; keys move the current row by lines, pages and
// ends, toggle a check mark, or start editing, and go to the application's key handlers otherwise.
#include "controls/grid/VexoGrid.h"

#include "controls/grid/VGEdit.h"
#include "controls/grid/VGScrollBox.h"
#include "framework/windows/WinApi.h"

#include <algorithm>

namespace vexo {

namespace {

// Mouse messages carry the keyboard as it is now: Shift and Ctrl, never the buttons or Alt.
TShiftState mouseShift() {
    TShiftState shift;
    if (GetKeyState(VK_SHIFT) < 0) shift << ssShift;
    if (GetKeyState(VK_CONTROL) < 0) shift << ssCtrl;
    return shift;
}

} // namespace

void TVexoGrid::DesvioMensajes(MSG& message, bool& handled) {
    if (!message.hwnd || (message.hwnd != WindowHandle() && message.hwnd != surface_->WindowHandle())) return;
    const int x = GET_X_LPARAM(message.lParam);
    const int y = GET_Y_LPARAM(message.lParam);
    switch (message.message) {
    case WM_LBUTTONDOWN:
        handled = true;
        mouseDown_ = true;
        EventMouseDown(mbLeft, mouseShift(), x, y);
        return;
    case WM_MOUSEMOVE:
        handled = true;
        EventMouseMove(mouseShift(), x, y);
        return;
    case WM_LBUTTONUP:
        handled = true;
        EventMouseUp(mbLeft, mouseShift(), x, y); // acts on, and clears, the mouse-down flag
        return;
    case WM_LBUTTONDBLCLK:
        handled = true;
        if (OnDblClick) OnDblClick(this);
        return;
    case WM_KEYDOWN:
        handled = keyDown(static_cast<WORD>(message.wParam), KeyDataToShiftState(message.lParam));
        return;
    default:
        return; // characters, the right button and the wheel reach the windows as usual
    }
}

// Returns whether the key was consumed.
bool TVexoGrid::keyDown(WORD key, TShiftState shift) {
    const int count = rows_.count();
    if (key == VK_TAB || count == 0) return false;
    if (rowIndex_ < 0) {
        // The first key only finds the grid a current row; the key itself goes on.
        SetRowIndex(0);
        return false;
    }
    const int r = rowIndex_;
    bool handled = true;
    switch (key) {
    case VK_UP:
        if (r > 0) SetRowIndex(r - 1);
        break;
    case VK_DOWN:
        if (r + 1 < count) SetRowIndex(r + 1);
        break;
    case VK_PRIOR:
        SetRowIndex(std::max(r - GetNumOfEntireRows(), 0));
        break;
    case VK_NEXT:
        SetRowIndex(std::min(r + GetNumOfEntireRows(), count - 1));
        break;
    case VK_HOME:
        SetRowIndex(0);
        break;
    case VK_END:
        SetRowIndex(count - 1);
        break;
    case VK_SPACE:
        if (checkBoxes_) {
            TVexoGrid_rowInfo* info = rows_.get(r);
            info->setChecked(!info->checked());
            paintRow(r);
            if (OnRowChecking) OnRowChecking(r);
        }
        return true; // the row stays where it is: no scrolling
    case VK_F2:
        StartEdit();
        break;
    default:
        if (OnKeyDownEx) {
            handled = false;
            OnKeyDownEx(this, key, shift, handled);
        } else if (OnKeyDown) {
            WORD copy = key; // the handler cannot change the key the grid saw
            OnKeyDown(this, copy, shift);
        } else {
            handled = false;
        }
        break;
    }
    // A handler may have emptied the grid or left no row current: nothing to bring into view then.
    if (rowIndex_ >= 0 && rowIndex_ < rows_.count()) EnsureRowVisible(rowIndex_);
    return handled;
}

// Selects exactly the rows between from and to (either order) and repaints those that changed.
bool TVexoGrid::selectRange(int from, int to) {
    const int lo = std::min(from, to);
    const int hi = std::max(from, to);
    bool changed = false;
    for (int i = 0; i < rows_.count(); ++i) {
        TVexoGrid_rowInfo* info = rows_.get(i);
        const bool want = i >= lo && i <= hi;
        if (info->selected() == want) continue;
        info->setSelected(want);
        paintRow(i);
        changed = true;
    }
    return changed;
}

void TVexoGrid::EventMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    (void)button;
    logicFocus_ = true;
    SetFocus();
    if (editor_ && editor_->Visible()) editor_->HideEditor();
    const int row = RowForY(y);
    if (row < 0) return; // below the last row: the button is down all the same, for drags
    if (editor_ && editor_->Focused()) editor_->HideEditor();
    const int old = rowIndex_;

    if (multiselect_ && shift.Contains(ssShift)) {
        selectRange(rowIndex_, row);
        rowIndex_ = row;
    } else if (multiselect_ && shift.Contains(ssCtrl)) {
        SetRowSelected(row, !GetRowSelected(row));
        if (GetRowSelected(row)) rowIndex_ = row;
    } else {
        SetRowIndex(row);
    }
    mouseDown_ = true;
    // The row events may have removed rows.
    if (row >= rows_.count()) return;

    TVexoGrid_rowInfo* info = rows_.get(row);
    if (checkBoxes_ && !info->unicolumn()) {
        if (!surface_->CheckBoxRect(row).Contains(Point(x, y))) return;
        info->setChecked(!info->checked());
        EnsureRowVisible(row);
        if (OnRowChecking) OnRowChecking(row);
        paintRow(row);
        mouseDown_ = false;
        return;
    }
    if (!multiselect_ && row == old && editable_) {
        mouseDown_ = false;
        const int col = ColForX(x);
        if (col >= 0 && !columns_->Items(col)->ReadOnly() && editor_) editor_->EditAt(col);
    }
}

void TVexoGrid::EventMouseMove(TShiftState shift, int x, int y) {
    (void)x;
    if (!mouseDown_ || shift.Contains(ssShift) || shift.Contains(ssCtrl)) return;
    const int row = RowForY(y);
    if (row < 0) return;
    if (multiselect_)
        selectRange(rowIndex_, row); // the anchor stays where the button went down
    else
        SetRowIndex(row);
}

void TVexoGrid::EventMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    (void)button;
    (void)shift;
    (void)x;
    if (!mouseDown_) return;
    mouseDown_ = false;
    const int row = RowForY(y);
    if (row < 0) return;
    if (multiselect_) rowIndex_ = row;
    EnsureRowVisible(row);
}

} // namespace vexo
