#pragma once
// A list of strings to choose from, drawn by the control itself: one line per item, the selected
// ones in the highlight colours, the current one framed while the list has the focus.
//
// The user changes the selection with the mouse (Ctrl toggles, Shift extends, when MultiSelect) or
// the arrow, page, Home and End keys; each change runs OnClick, as the framework's list box
// reports a change of selection. Items is the list itself: any change to it shows at once.
#include "framework/core/TStringList.h"
#include "framework/windows/TCustomControl.h"
#include <string>
#include <vector>

namespace vexo {

class TListBox : public TCustomControl {
public:
    explicit TListBox(TComponent* owner);
    ~TListBox() override;

    TStringList* Items() { return &items_; }
    int Count() const { return items_.Count(); }
    // -1 when no item is current. Setting a value outside -1 .. Count-1 leaves no item current.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    // Sorted keeps the items in case-insensitive order, also as they are added.
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value);
    // Whether item index is selected; false (and ignored when set) outside the items.
    bool Selected(int index) const;
    void SetSelected(int index, bool value);
    int SelCount() const;
    // The first item shown at the top.
    int TopIndex() const { return topIndex_; }
    void SetTopIndex(int index);
    // The row height: the font's line height, unless a height was set (any value above 0).
    int ItemHeight() const;
    void SetItemHeight(int height);
    bool ItemHeightSet() const { return fixedItemHeight_ > 0; }
    // bsSingle (the default) draws a sunken edge two pixels wide inside the bounds; bsNone none.
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    // The item under the client point, or -1.
    int ItemAtPos(TPoint p) const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    void FontChanged() override;

private:
    void itemsChanged();
    void sortItems();
    int visibleRows() const;
    // The client area inside the border, where the rows are.
    TRect rowsRect() const;
    void makeVisible(int index);
    // Makes index current (and the only selection unless extending); runs OnClick when it changed.
    void userSelect(int index, TShiftState shift);

    TStringList items_;
    std::vector<std::string> shown_; // the items as of the last change, to follow the selection
    std::vector<bool> selected_;
    int itemIndex_ = -1;
    int anchor_ = -1;
    int topIndex_ = 0;
    mutable int itemHeight_ = 0; // 0: measure the font again
    int fixedItemHeight_ = 0;
    TBorderStyle borderStyle_ = bsSingle;
    bool sorted_ = false;
    bool multiSelect_ = false;
    bool sorting_ = false;
};

} // namespace vexo
