// How it works: the rows live in a block array of compact row records (VexoGridRowInfo.h); every
// operation that moves the current row goes through SetRowIndex, which raises the exit of the
// old row before the enter of the new one. In multi-select mode the current row field doubles as
// the anchor of range selections and is then written without row events. The surface is told to
// recompute its extent after any change of rows, columns or scroll position. The grid's other
// concerns live beside this file: geometry and column layout (VexoGridGeometry.cpp), sorting and
// searching (VexoGridSort.cpp), mouse and keyboard input (VexoGridInput.cpp) and the text forms of
// its columns and row class (VexoGridText.cpp).
#include "controls/grid/VexoGrid.h"

#include "controls/common/AppMsgHandler.h"
#include "controls/grid/GridProperties.h"
#include "controls/grid/VGEdit.h"
#include "controls/grid/VGHead.h"
#include "controls/grid/VGScrollBox.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/TImageList.h"
#include "framework/windows/Messages.h"
#include "values/VexoConvert.h"
#include "values/sArray.h"

#include <chrono>
#include <optional>
#include <utility>

namespace vexo {

namespace {

long long nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

TVexoGrid::TVexoGrid(TComponent* owner)
    : TCustomControl(owner), columns_(std::make_unique<TVGColumnCollection>(this)),
      attrUnicolumn_(std::make_unique<TFontAttr>()), fontAttrs_(std::make_unique<TFontAttrs>()) {
    RegisterGridClasses();
    SetTabStop(true);
    head_ = new TVGHead(this);
    head_->SetColor(colorHead_);
    surface_ = new TVGScrollBox(this);
    surface_->SetColor(colorBk_);
    if (!designing()) editor_ = new TVGEdit(this);
    SetBounds(Left(), Top(), 100, 100);
    SetParentColor(true);
}

TVexoGrid::~TVexoGrid() = default;

void TVexoGrid::SetColumns(const TVGColumnCollection* columns) {
    if (columns) columns_->Assign(columns);
}

void TVexoGrid::repaintSurface(bool eraseAll) {
    surface_->UpdateExtent(eraseAll);
}

void TVexoGrid::paintRow(int row) {
    surface_->PaintRow(row);
}

// ---- rows and cells ----

void TVexoGrid::AddRow(const std::string& data) {
    rows_.add()->setItemData(0, data);
    // Inside PreRefresh / PostRefresh the surface is hidden and laid out once at the end.
    if (refreshing_) return;
    if (!col100x100_.empty() && Visible()) UpdateColumns();
    // Filling adds rows one at a time; only the vertical extent depends on their number.
    surface_->UpdateRowExtent();
}

void TVexoGrid::InsertAt(int index, const std::string& data) {
    rows_.insert(index)->setItemData(0, data);
    repaintSurface(false);
}

void TVexoGrid::Clear() {
    rowIndex_ = -1;
    rowTop_ = -1;
    rows_.clear();
    repaintSurface(true);
}

void TVexoGrid::DeleteRow(int index) {
    rows_.get(index); // a bad index raises here, before any event
    if (index == rowIndex_) {
        doRowExit(index);
        rowIndex_ = -1;
    }
    rows_.remove(index);
    // The current record moved up with the rows below the deleted one; an index left beyond the
    // rows would point at nothing, so it follows its record onto the last row.
    if (rowIndex_ >= rows_.count()) rowIndex_ = rows_.count() - 1;
    repaintSurface(true);
}

void TVexoGrid::SetString(int row, int col, std::string_view text) {
    TVexoGrid_rowInfo* info = rows_.get(row);
    info->setNull(col, false);
    info->setCell(col, text);
}

void TVexoGrid::AddString(int col, std::string_view text) {
    SetString(rows_.count() - 1, col, text);
}

std::string TVexoGrid::GetString(int row, int col) const {
    const TVexoGrid_rowInfo* info = rows_.get(row);
    return info->isNull(col) ? std::string() : info->cell(col);
}

std::string TVexoGrid::GetRowData(int row) const {
    return std::string(rows_.get(row)->itemData(0));
}

void TVexoGrid::SetRowData(int row, const std::string& data) {
    rows_.get(row)->setItemData(0, data);
}

bool TVexoGrid::GetIsRowUnicolumn(int row) const {
    return rows_.get(row)->unicolumn();
}

// ---- current row, selection, check marks ----

void TVexoGrid::SetRowIndex(int index) {
    if (index < -1) index = -1;
    if (index == rowIndex_) return;
    // Lowered onto the current last row, the change still runs: the row is left and entered
    // again, which clears its modified flag and, with Multiselect, the rest of the selection.
    if (index >= rows_.count()) index = rows_.count() - 1;
    if (multiselect_) RowSelectedClear();
    if (rowIndex_ >= 0) {
        const int old = rowIndex_;
        rows_.get(old)->setSelected(false);
        paintRow(old);
        doRowExit(old);
    }
    rowIndex_ = index;
    if (index < 0) return;
    rowModified_ = false;
    rows_.get(index)->setSelected(true);
    paintRow(index);
    doRowEnter();
}

bool TVexoGrid::GetRowSelected(int row) const {
    return rows_.get(row)->selected();
}

void TVexoGrid::SetRowSelected(int row, bool flag) {
    if (!multiselect_) return;
    rows_.get(row)->setSelected(flag);
    paintRow(row);
}

void TVexoGrid::RowSelectedClear() {
    for (int i = 0; i < rows_.count(); ++i)
        rows_.get(i)->setSelected(false);
    rowIndex_ = -1;
    surface_->Invalidate();
}

int TVexoGrid::GetRowSelectedCount() const {
    int n = 0;
    for (int i = 0; i < rows_.count(); ++i)
        n += rows_.get(i)->selected();
    return n;
}

bool TVexoGrid::GetRowChecked(int row) const {
    const TVexoGrid_rowInfo* info = rows_.get(row);
    return info->checked() && !info->unicolumn();
}

void TVexoGrid::SetRowChecked(int row, bool flag) {
    if (!checkBoxes_) return;
    TVexoGrid_rowInfo* info = rows_.get(row);
    info->setChecked(flag && !info->unicolumn());
    paintRow(row);
}

void TVexoGrid::RowCheckedClear() {
    for (int i = 0; i < rows_.count(); ++i)
        rows_.get(i)->setChecked(false);
    rowIndex_ = -1;
    surface_->Invalidate();
}

int TVexoGrid::GetRowCheckedCount() const {
    int n = 0;
    for (int i = 0; i < rows_.count(); ++i)
        n += GetRowChecked(i);
    return n;
}

void TVexoGrid::doRowEnter() {
    if (OnRowEnter) OnRowEnter(rowIndex_);
}

void TVexoGrid::doRowExit(int row) {
    if (row == -1) row = rowIndex_;
    if (OnRowExit) OnRowExit(row, rowModified_);
}

void TVexoGrid::doCellModified() {
    if (OnCellModified) OnCellModified(rowIndex_, colIndex_);
}

// ---- lookup ----

TVGColumn* TVexoGrid::FindColumn(const std::string& name) const {
    const int i = FindOrderColumn(name);
    return i < 0 ? nullptr : columns_->Items(i);
}

int TVexoGrid::FindOrderColumn(const std::string& name) const {
    const std::string key = AnsiUpperCase(name);
    for (int i = 0; i < columns_->Count(); ++i)
        if (AnsiUpperCase(columns_->Items(i)->FieldName()) == key) return i;
    return -1;
}

int TVexoGrid::FindRowByItemData(const std::string& text, int slot) const {
    for (int i = 0; i < rows_.count(); ++i)
        if (rows_.get(i)->itemData(slot) == text) return i;
    return -1;
}

bool TVexoGrid::SelectRowByItemData(const std::string& text, int slot) {
    const int row = FindRowByItemData(text, slot);
    if (row < 0) return false;
    SetRowIndex(row);
    EnsureRowVisible(row);
    return true;
}

// ---- refresh bracket ----

void TVexoGrid::PreRefresh() {
    refreshStartMs_ = nowMs();
    savedRow_ = rowIndex_;
    savedTop_ = rowTop_;
    savedData_ = rowIndex_ >= 0 && rowIndex_ < rows_.count() ? GetRowData(rowIndex_) : std::string();
    surface_->Hide();
    refreshing_ = true;
}

void TVexoGrid::PostRefresh() {
    refreshing_ = false;
    surface_->UpdateRowExtent(); // the rows added since PreRefresh
    const int count = rows_.count();
    rowIndex_ = -1;
    if (itemDataOnRefresh_) {
        // Without a row current before the refill there is nothing to follow; looking up the
        // empty text would make some unrelated row current.
        if (savedRow_ >= 0) SelectRowByItemData(savedData_, 0);
        if (rowIndex_ < 0 && count > 0 && savedRow_ >= 0) SetRowIndex(savedRow_);
        if (rowIndex_ == savedRow_ && savedTop_ != -1 && savedTop_ < count) SetRowTop(savedTop_);
    } else {
        if (savedRow_ != -1 && savedRow_ < count) SetRowIndex(savedRow_);
        if (savedTop_ != -1 && savedTop_ < count) SetRowTop(savedTop_);
    }
    surface_->Show();
    UpdateColumns();
    savedRow_ = -1;
    savedTop_ = -1;
    savedData_.clear();
    refreshTime_ = static_cast<double>(nowMs() - refreshStartMs_) * 0.001;
}

// ---- colours and skins ----

void TVexoGrid::SetBkColor(TColor color) {
    colorBk_ = color;
    SetColor(color);
    surface_->SetColor(color);
    Invalidate();
}

void TVexoGrid::SetHdColor(TColor color) {
    colorHead_ = color;
    head_->SetColor(color);
    head_->Invalidate();
}

void TVexoGrid::SetSkinName(const std::string& name) {
    skinName_ = name;
    if (AnsiUpperCase(name) != "STD") return;
    attrUnicolumn_->SetColor(0x0080FF);
    attrUnicolumn_->SetColorSel(0xB3D9FF);
    attrUnicolumn_->SetStyles(attrUnicolumn_->Styles() << fsBold);
    SetBkColor(clWindow);
    colorBkSel_ = 0xFF8080;
    colorBkSelIn_ = 0xB1BBB0;
    SetHdColor(0xEBEBEB);
    colorText_ = clWindowText;
    colorTextSel_ = clHighlightText;
}

TColor TVexoGrid::GetBackColor(int row, int col) const {
    const std::string prefix = intToText(col) + ":";
    sArray entries;
    entries.split(rows_.get(row)->backColors(), ",");
    for (int i = 0; i < entries.count(); ++i)
        if (entries.get(i).rfind(prefix, 0) == 0) return textToColor(entries.get(i).substr(prefix.size()));
    return clNone;
}

void TVexoGrid::SetBackColor(int row, int col, TColor color) {
    TVexoGrid_rowInfo* info = rows_.get(row);
    const std::string prefix = intToText(col) + ":";
    sArray entries;
    entries.split(info->backColors(), ",");
    bool found = false;
    for (int i = 0; i < entries.count(); ++i) {
        if (entries.get(i).rfind(prefix, 0) != 0) continue;
        found = true;
        if (color == clNone)
            entries.remove(i);
        else
            entries.set(i, prefix + intToText(color));
        break;
    }
    if (!found) entries.add(prefix + intToText(color));
    info->setBackColors(entries.join(",", ""));
}

// ---- other properties ----

void TVexoGrid::SetRowHeight(int height) {
    if (height < 1) return;
    rowHeight_ = height;
    repaintSurface(true);
}

void TVexoGrid::SetMultiselect(bool value) {
    multiselect_ = value;
    // Through the setter: the check box space leaves the layout and the header at once.
    if (value && checkBoxes_) SetCheckBoxes(false);
    RowSelectedClear();
}

void TVexoGrid::SetCheckBoxes(bool value) {
    checkBoxes_ = value;
    if (value) multiselect_ = false;
    RowSelectedClear();
    UpdateColumns();
}

void TVexoGrid::SetCheckAreRadio(bool value) {
    checkAreRadio_ = value;
    surface_->Invalidate();
}

void TVexoGrid::SetLabelWrap(bool value) {
    labelWrap_ = value;
    UpdateColumns();
}

void TVexoGrid::SetShowHeader(bool value) {
    showHeader_ = value;
    head_->SetVisible(value);
}

void TVexoGrid::SetShowLines(bool value) {
    showLines_ = value;
    surface_->Invalidate();
}

void TVexoGrid::SetImages(TCustomImageList* images) {
    SetReference(images_, images);
    UpdateColumns();
}

void TVexoGrid::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (DropReference(images_, component, operation) && !ComponentState().Contains(csDestroying))
        UpdateColumns();
}

// ---- editing and focus ----

void TVexoGrid::StartEdit() {
    if (editable_ && editor_) editor_->EditAt(0);
}

bool TVexoGrid::getIsInEdit() const {
    return editor_ && editor_->Visible();
}

bool TVexoGrid::asLogicFocus() const {
    return logicFocus_ || (editor_ && editor_->Focused());
}

// ---- window ----

void TVexoGrid::Loaded() {
    TCustomControl::Loaded();
    if (pendingCol100x100_) {
        const std::string name = *std::exchange(pendingCol100x100_, std::nullopt);
        SetCol100x100(name);
    }
}

void TVexoGrid::CreateWnd() {
    TCustomControl::CreateWnd();
    UpdateColumns();
    if (!designing())
        AppMsgHandler::RegisterControl(
            this, [this](MSG& message, bool& handled) { DesvioMensajes(message, handled); });
}

void TVexoGrid::WndProc(TMessage& message) {
    if (message.Msg == WM_PAINT) {
        if (Color() != colorBk_) {
            SetColor(colorBk_);
        }
        if (!painted_) {
            painted_ = true;
            UpdateColumns();
        }
    }
    const bool focusChange = (message.Msg == WM_SETFOCUS || message.Msg == WM_KILLFOCUS) && !designing();
    if (focusChange) {
        // Losing the focus to the editor keeps the focused look: the cell being edited is still
        // the grid's.
        const auto receiver = reinterpret_cast<HWND>(message.WParam);
        logicFocus_ = message.Msg == WM_SETFOCUS ||
                      (editor_ && (editor_->Focused() || (receiver && receiver == editor_->WindowHandle())));
    }
    TCustomControl::WndProc(message);
    if (focusChange) surface_->RepaintSelection();
    if (message.Msg == WM_MOUSEWHEEL && !designing()) MouseWheelRows(GET_WHEEL_DELTA_WPARAM(message.WParam));
}

void TVexoGrid::Resize() {
    TCustomControl::Resize();
    if (!designing()) UpdateColumns();
}

} // namespace vexo
