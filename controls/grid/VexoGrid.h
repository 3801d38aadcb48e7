#pragma once
// The data grid: typed columns, rows held as texts, a current row with enter and exit events,
// multi-selection or check boxes, sorting and searching, geometry for whole-row vertical and
// pixel horizontal scrolling, colour sets and skins, and text forms of its columns and of a typed
// row class for them. It owns a header, a painting surface and an in-place editor as children: the
// surface paints the rows, the header shows the column captions and resizes columns, and the
// editor chooses the cell that editing starts on. Mouse and keys reach the grid through the
// application message hook.
#include "controls/grid/FontAttr.h"
#include "controls/grid/VGColumnCollection.h"
#include "controls/grid/VGRowStore.h"
#include "framework/core/TStringList.h"
#include "framework/windows/TAccessibleTable.h"
#include "framework/windows/TCustomControl.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vexo {

class TVGHead;
class TVGScrollBox;
class TVGEdit;
class TCustomImageList;

using TVGRowEvent = std::function<void(int row)>;
using TVGRowExitEvent = std::function<void(int row, bool modified)>;
using TVGCellEvent = std::function<void(int row, int col)>;
// key is a copy of the message's virtual-key code; handled arrives false, and left false lets the
// key go on to the grid's window.
using TVGKeyDownExEvent = std::function<void(TObject* sender, WORD key, TShiftState shift, bool& handled)>;

class TVexoGrid : public TCustomControl, public TAccessibleTable {
public:
    explicit TVexoGrid(TComponent* owner);
    ~TVexoGrid() override;

    // Children and sub-objects.
    TVGHead* Head() const { return head_; }
    TVGScrollBox* Surface() const { return surface_; }
    TVGEdit* Editor() const { return editor_; } // none in the form designer
    TVGColumnCollection* Columns() const { return columns_.get(); }
    void SetColumns(const TVGColumnCollection* columns);

    // Rows and cells. A row index outside the rows raises EListError and changes nothing.
    void AddRow() { AddRow(std::string()); }
    void AddRow(const std::string& data);
    void InsertAt(int index, const std::string& data);
    void Clear();
    void DeleteRow(int index);
    int GetRowCount() const { return rows_.count(); }
    // The row record itself, for application code that sets image, span flags or attributes.
    TVexoGrid_rowInfo* Row(int row) const { return rows_.get(row); }
    void SetString(int row, int col, std::string_view text);
    void AddString(int col, std::string_view text);
    std::string GetString(int row, int col) const;
    std::string GetRowData(int row) const;
    void SetRowData(int row, const std::string& data);
    bool GetIsRowUnicolumn(int row) const;

    // Current row, selection, check marks.
    int GetRowIndex() const { return rowIndex_; }
    void SetRowIndex(int index);
    int GetColIndex() const { return colIndex_; }
    void SetColIndex(int col) { colIndex_ = col; }
    bool GetRowModified() const { return rowModified_; }
    void SetRowModified(bool value) { rowModified_ = value; }
    bool GetRowSelected(int row) const;
    void SetRowSelected(int row, bool flag);
    void RowSelectedClear();
    void ClearRowSelectedCount() { RowSelectedClear(); }
    int GetRowSelectedCount() const;
    bool GetRowChecked(int row) const;
    void SetRowChecked(int row, bool flag);
    void RowCheckedClear();
    int GetRowCheckedCount() const;

    // Lookup.
    TVGColumn* FindColumn(const std::string& name) const; // letter case ignored
    int FindOrderColumn(const std::string& name) const;
    int FindRowByItemData(const std::string& text, int slot) const;
    bool SelectRowByItemData(const std::string& text, int slot);

    // Refresh bracket: keeps the user's place while the application reloads the rows.
    void PreRefresh();
    void PostRefresh();
    double GetRefreshTime() const { return refreshTime_; }

    // Sorting and searching.
    // Keys separated by ","; "#n" is item-data slot n, anything else a column's FieldName. A key
    // naming no column raises EListError before any row moves.
    void SortBy(const std::string& keys);
    // The comparison under the keys of the sort in progress; 0 outside a sort.
    int theColSort(const TVexoGrid_rowInfo* a, const TVexoGrid_rowInfo* b) const;
    bool FindColumnText(const std::string& text, const std::string& columns);

    // Geometry, in pixels of the surface's client area.
    int GetRowTop() const;
    void SetRowTop(int top);
    int GetNumOfEntireRows() const;
    int GetDiferenceRowHeight() const;
    int RowForY(int y) const;
    int ColForX(int x) const;
    void EnsureRowVisible(int row);
    void EnsureColVisible(int col);
    void UpdateColumns();
    int GetTotalWidth() const { return totalWidth_; }
    const std::string& GetCol100x100() const { return col100x100_; }
    void SetCol100x100(const std::string& name);
    // Scrolls by whole notches of a wheel delta (120 per notch).
    void MouseWheelRows(int wheelDelta);

    // Colours and skins.
    TColor GetBkColor() const { return colorBk_; }
    void SetBkColor(TColor color);
    TColor GetColorBkSel() const { return colorBkSel_; }
    void SetColorBkSel(TColor color) { colorBkSel_ = color; }
    TColor GetColorBkSelIn() const { return colorBkSelIn_; }
    void SetColorBkSelIn(TColor color) { colorBkSelIn_ = color; }
    TColor GetHdColor() const { return colorHead_; }
    void SetHdColor(TColor color);
    TColor GetColorText() const { return colorText_; }
    void SetColorText(TColor color) { colorText_ = color; }
    TColor GetColorTextSel() const { return colorTextSel_; }
    void SetColorTextSel(TColor color) { colorTextSel_ = color; }
    TFontAttr* AttrUnicolumn() const { return attrUnicolumn_.get(); }
    void setAttrUnicolumn(const TFontAttr* attr) { attrUnicolumn_->Assign(attr); }
    TFontAttrs* FontAttrs() const { return fontAttrs_.get(); }
    void SetFontAttrs(const TFontAttrs* attrs) { fontAttrs_->Assign(attrs); }
    const std::string& GetSkinName() const { return skinName_; }
    void SetSkinName(const std::string& name);
    TColor GetBackColor(int row, int col) const;
    void SetBackColor(int row, int col, TColor color);

    // Other published properties.
    int GetRowHeight() const { return rowHeight_; }
    void SetRowHeight(int height); // below 1 is refused
    bool GetMultiselect() const { return multiselect_; }
    void SetMultiselect(bool value);
    bool GetCheckBoxes() const { return checkBoxes_; }
    void SetCheckBoxes(bool value);
    bool GetCheckAreRadio() const { return checkAreRadio_; }
    void SetCheckAreRadio(bool value);
    bool GetLabelWrap() const { return labelWrap_; }
    void SetLabelWrap(bool value);
    bool GetShowHeader() const { return showHeader_; }
    void SetShowHeader(bool value);
    bool GetShowSelection() const { return showSelection_; }
    void SetShowSelection(bool value) { showSelection_ = value; }
    bool GetShowLines() const { return showLines_; }
    void SetShowLines(bool value);
    bool GetEditable() const { return editable_; }
    void SetEditable(bool value) { editable_ = value; }
    bool GetAutoAddRow() const { return autoAddRow_; }
    void SetAutoAddRow(bool value) { autoAddRow_ = value; }
    bool GetItemDataOnRefresh() const { return itemDataOnRefresh_; }
    void SetItemDataOnRefresh(bool value) { itemDataOnRefresh_ = value; }
    TCustomImageList* GetImages() const { return images_; }
    void SetImages(TCustomImageList* images);

    // Input. The grid takes its mouse and keyboard input from the application message hook, before
    // the messages reach its own window or the surface's: DesvioMensajes sees every queued message
    // and sets handled to drop the ones it consumed. Coordinates are the receiving window's.
    void DesvioMensajes(MSG& message, bool& handled);
    void EventMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void EventMouseMove(TShiftState shift, int x, int y);
    void EventMouseUp(TMouseButton button, TShiftState shift, int x, int y);

    // Editing and focus.
    void StartEdit();
    bool getIsInEdit() const;
    bool asLogicFocus() const;
    void SetLogicFocus(bool value) { logicFocus_ = value; }

    // Text outputs. Both lists are new and belong to the caller.
    std::unique_ptr<TStringList> GenerateColData() const;
    void SetColData(const TStringList* list);
    std::unique_ptr<TStringList> GenerateRowCode() const;
    // The same texts for the published properties ColData and RowCode, which hand out a list
    // without giving it away: made afresh on every read into a list the grid keeps.
    TStringList* ColDataProperty() const;
    TStringList* RowCodeProperty() const;

    // The grid's own events; called only when assigned.
    TVGRowEvent OnRowEnter;
    TVGRowExitEvent OnRowExit;
    TVGRowEvent OnRowNeedData;
    TVGCellEvent OnCellModified;
    TVGRowEvent OnRowChecking;
    TNotifyEvent OnHeadChange;
    TVGKeyDownExEvent OnKeyDownEx;

    virtual void doRowEnter();
    // row -1 means the current row.
    virtual void doRowExit(int row = -1);
    virtual void doCellModified();
    // Called at the end of every column layout and after columns were read from text.
    virtual void OnUpdateColumns() {}

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void Resize() override;

private:
    // Assistive technology reads the grid as a table (VexoGridAccessible.cpp).
    int AccessibleRowCount() const override;
    int AccessibleColumnCount() const override;
    std::string AccessibleColumnHeader(int col) const override;
    std::string AccessibleCellText(int row, int col) const override;
    int AccessibleCurrentRow() const override;
    int AccessibleCurrentColumn() const override;
    bool AccessibleRowSelected(int row) const override;
    bool AccessibleRowCheckable(int row) const override;
    bool AccessibleRowChecked(int row) const override;

private:
    class SortKeys;
    void repaintSurface(bool eraseAll);
    void paintRow(int row);
    bool designing() const { return ComponentState().Contains(csDesigning); }
    bool keyDown(WORD key, TShiftState shift);
    bool selectRange(int from, int to);

    std::unique_ptr<TVGColumnCollection> columns_;
    VGRowStore rows_;
    std::unique_ptr<TFontAttr> attrUnicolumn_;
    std::unique_ptr<TFontAttrs> fontAttrs_;
    TVGHead* head_ = nullptr;
    TVGScrollBox* surface_ = nullptr;
    TVGEdit* editor_ = nullptr;

    int rowIndex_ = -1;
    int colIndex_ = -1;
    bool rowModified_ = false;
    mutable int rowTop_ = -1;
    std::string savedData_;
    int savedRow_ = -1;
    int savedTop_ = -1;
    double refreshTime_ = 0;
    long long refreshStartMs_ = 0;
    bool refreshing_ = false; // between PreRefresh and PostRefresh
    int totalWidth_ = 0;
    bool layoutRunning_ = false;
    bool painted_ = false;
    bool logicFocus_ = false;
    bool mouseDown_ = false; // the left button went down on the grid and has not come up
    const SortKeys* activeSort_ = nullptr;

    TColor colorBk_ = clWindow;
    TColor colorBkSel_ = clHighlight;
    TColor colorBkSelIn_ = clInactiveCaption;
    TColor colorHead_ = clBtnFace;
    TColor colorText_ = clWindowText;
    TColor colorTextSel_ = clHighlightText;
    int rowHeight_ = 15;
    std::string col100x100_;
    std::optional<std::string> pendingCol100x100_; // read from a form file, judged in Loaded
    bool multiselect_ = false;
    bool labelWrap_ = true;
    bool showHeader_ = true;
    bool showSelection_ = true;
    bool checkBoxes_ = false;
    bool checkAreRadio_ = false;
    bool showLines_ = true;
    bool editable_ = false;
    bool autoAddRow_ = false;
    bool itemDataOnRefresh_ = false;
    std::string skinName_;
    TCustomImageList* images_ = nullptr;
    mutable std::unique_ptr<TStringList> colDataProperty_;
    mutable std::unique_ptr<TStringList> rowCodeProperty_;
};

} // namespace vexo
