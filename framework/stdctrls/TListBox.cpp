#include "framework/stdctrls/TListBox.h"

#include "framework/stdctrls/StdCtrlsProperties.h"

#include "framework/core/SysUtils.h"
#include "framework/graphics/Gdi.h"
#include "framework/graphics/TBitmap.h"
#include "framework/windows/TControlCanvas.h"

#include <QScopedValueRollback>

#include <algorithm>

namespace vexo {

TListBox::TListBox(TComponent* owner) : TCustomControl(owner) {
    RegisterStdCtrlsClasses();
    // OnClick reports a change of selection, not every click.
    SetControlStyle(ControlStyle() >> csClickEvents);
    SetBounds(Left(), Top(), 121, 97);
    SetColor(clWindow);
    SetTabStop(true);
    items_.OnChange = [this] { itemsChanged(); };
}

TListBox::~TListBox() {
    items_.OnChange = nullptr;
}

void TListBox::itemsChanged() {
    if (sorting_) return;
    // The list only says that it changed. Comparing with what was shown finds the one range that
    // changed (an insert, a delete, a replace): the selection before it stays, the selection after
    // it moves with its items, and the selection inside it goes.
    const std::vector<std::string>& now = items_.items();
    const std::size_t oldCount = shown_.size(), newCount = now.size();
    std::size_t head = 0;
    while (head < oldCount && head < newCount && shown_[head] == now[head])
        ++head;
    std::size_t tail = 0;
    while (tail < oldCount - head && tail < newCount - head &&
           shown_[oldCount - 1 - tail] == now[newCount - 1 - tail])
        ++tail;
    auto follow = [&](int index) -> int {
        if (index < 0) return -1;
        const auto i = static_cast<std::size_t>(index);
        if (i < head) return index;
        if (i >= oldCount - tail && i < oldCount) return static_cast<int>(i - oldCount + newCount);
        return -1;
    };
    std::vector<bool> selected(newCount, false);
    for (std::size_t i = 0; i < selected_.size(); ++i)
        if (selected_[i])
            if (const int j = follow(static_cast<int>(i)); j >= 0)
                selected[static_cast<std::size_t>(j)] = true;
    selected_ = std::move(selected);
    itemIndex_ = follow(itemIndex_);
    anchor_ = follow(anchor_);
    shown_ = now;
    if (sorted_) sortItems();
    topIndex_ = std::clamp(topIndex_, 0, std::max(0, items_.Count() - 1));
    Invalidate();
}

void TListBox::sortItems() {
    const std::vector<std::string>& items = items_.items();
    std::vector<std::size_t> order(items.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&items](std::size_t a, std::size_t b) {
        return AnsiCompareText(items[a], items[b]) < 0;
    });
    if (std::is_sorted(order.begin(), order.end())) return;
    // The selection moves with its items.
    TStringList sorted;
    std::vector<bool> selected(order.size(), false);
    int itemIndex = -1, anchor = -1;
    for (std::size_t to = 0; to < order.size(); ++to) {
        const std::size_t from = order[to];
        sorted.Add(items[from]);
        selected[to] = selected_[from];
        if (static_cast<int>(from) == itemIndex_) itemIndex = static_cast<int>(to);
        if (static_cast<int>(from) == anchor_) anchor = static_cast<int>(to);
    }
    {
        const QScopedValueRollback sortingNow(sorting_, true);
        items_.Assign(sorted);
    }
    shown_ = items_.items();
    selected_ = std::move(selected);
    itemIndex_ = itemIndex;
    anchor_ = anchor;
}

void TListBox::SetSorted(bool value) {
    if (value == sorted_) return;
    sorted_ = value;
    if (sorted_) itemsChanged();
}

void TListBox::SetMultiSelect(bool value) {
    if (value == multiSelect_) return;
    multiSelect_ = value;
    std::fill(selected_.begin(), selected_.end(), false);
    if (itemIndex_ >= 0) selected_[static_cast<std::size_t>(itemIndex_)] = true;
    Invalidate();
}

void TListBox::SetItemIndex(int index) {
    if (index < -1 || index >= items_.Count()) index = -1;
    if (!multiSelect_) std::fill(selected_.begin(), selected_.end(), false);
    itemIndex_ = index;
    anchor_ = index;
    if (index >= 0) {
        selected_[static_cast<std::size_t>(index)] = true;
        makeVisible(index);
    }
    Invalidate();
}

bool TListBox::Selected(int index) const {
    return index >= 0 && index < items_.Count() && selected_[static_cast<std::size_t>(index)];
}

void TListBox::SetSelected(int index, bool value) {
    if (index < 0 || index >= items_.Count()) return;
    if (!multiSelect_) {
        SetItemIndex(value ? index : (index == itemIndex_ ? -1 : itemIndex_));
        return;
    }
    selected_[static_cast<std::size_t>(index)] = value;
    Invalidate();
}

int TListBox::SelCount() const {
    return static_cast<int>(std::count(selected_.begin(), selected_.end(), true));
}

void TListBox::FontChanged() {
    itemHeight_ = 0;
    Invalidate();
}

int TListBox::ItemHeight() const {
    if (fixedItemHeight_ > 0) return fixedItemHeight_;
    if (itemHeight_ > 0) return itemHeight_;
    // Measured on a scratch bitmap: the list may have no window yet.
    TBitmap scratch;
    scratch.SetSize(1, 1);
    scratch.Canvas()->SetFont(*Font());
    itemHeight_ = std::max(1, scratch.Canvas()->TextHeight("Xy"));
    return itemHeight_;
}

void TListBox::SetItemHeight(int height) {
    if (height <= 0 || height == fixedItemHeight_) return;
    fixedItemHeight_ = height;
    SetTopIndex(topIndex_);
    Invalidate();
}

void TListBox::SetBorderStyle(TBorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    SetTopIndex(topIndex_);
    Invalidate();
}

TRect TListBox::rowsRect() const {
    const int border = borderStyle_ == bsSingle ? 2 : 0;
    const TRect client = ClientRect();
    return Rect(client.Left + border, client.Top + border,
                std::max(client.Left + border, client.Right - border),
                std::max(client.Top + border, client.Bottom - border));
}

int TListBox::visibleRows() const {
    return std::max(1, rowsRect().Height() / ItemHeight());
}

void TListBox::SetTopIndex(int index) {
    index = std::clamp(index, 0, std::max(0, items_.Count() - visibleRows()));
    if (index == topIndex_) return;
    topIndex_ = index;
    Invalidate();
}

void TListBox::makeVisible(int index) {
    if (index < topIndex_)
        SetTopIndex(index);
    else if (index >= topIndex_ + visibleRows())
        SetTopIndex(index - visibleRows() + 1);
}

int TListBox::ItemAtPos(TPoint p) const {
    const TRect rows = rowsRect();
    if (!rows.Contains(p)) return -1;
    const int index = topIndex_ + (p.y - rows.Top) / ItemHeight();
    return index < items_.Count() ? index : -1;
}

void TListBox::userSelect(int index, TShiftState shift) {
    if (index < 0 || index >= items_.Count()) return;
    const std::vector<bool> before = selected_;
    const int previous = itemIndex_;
    if (multiSelect_ && shift.Contains(ssShift) && anchor_ >= 0) {
        std::fill(selected_.begin(), selected_.end(), false);
        for (int i = std::min(anchor_, index); i <= std::max(anchor_, index); ++i)
            selected_[static_cast<std::size_t>(i)] = true;
        itemIndex_ = index;
    } else if (multiSelect_ && shift.Contains(ssCtrl)) {
        selected_[static_cast<std::size_t>(index)] = !selected_[static_cast<std::size_t>(index)];
        itemIndex_ = index;
        anchor_ = index;
    } else {
        std::fill(selected_.begin(), selected_.end(), false);
        selected_[static_cast<std::size_t>(index)] = true;
        itemIndex_ = index;
        anchor_ = index;
    }
    makeVisible(index);
    Invalidate();
    if (previous != itemIndex_ || before != selected_) Click();
}

void TListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (CanFocus()) SetFocus();
    if (button == mbLeft) userSelect(ItemAtPos(Point(x, y)), shift);
    TCustomControl::MouseDown(button, shift, x, y);
}

void TListBox::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (items_.Count() == 0) return;
    const int current = itemIndex_;
    int target = current;
    switch (key) {
    case VK_UP:
        target = current - 1;
        break;
    case VK_DOWN:
        target = current + 1;
        break;
    case VK_PRIOR:
        target = current - (visibleRows() - 1);
        break;
    case VK_NEXT:
        target = current + (visibleRows() - 1);
        break;
    case VK_HOME:
        target = 0;
        break;
    case VK_END:
        target = items_.Count() - 1;
        break;
    default:
        return;
    }
    // With nothing current, any movement starts at the first item.
    if (current < 0) target = 0;
    target = std::clamp(target, 0, items_.Count() - 1);
    key = 0;
    userSelect(target, shift - TShiftState{ssCtrl});
}

bool TListBox::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    if (TCustomControl::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
    SetTopIndex(topIndex_ - wheelDelta / 120 * 3);
    return true;
}

void TListBox::Paint() {
    TControlCanvas* canvas = Canvas();
    canvas->SetFont(*Font());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(ClientRect());
    if (borderStyle_ == bsSingle) {
        TRect edge = ClientRect();
        DrawEdge(canvas->Handle(), &edge, EDGE_SUNKEN, BF_RECT);
    }
    const TRect rows = rowsRect();
    const int height = ItemHeight();
    for (int i = topIndex_; i < items_.Count(); ++i) {
        const int top = rows.Top + (i - topIndex_) * height;
        if (top >= rows.Bottom) break;
        // The last row may be cut short: the border stays whole.
        TRect row = Rect(rows.Left, top, rows.Right, std::min(top + height, rows.Bottom));
        const bool selected = selected_[static_cast<std::size_t>(i)];
        canvas->Brush()->SetColor(selected ? clHighlight : Color());
        canvas->FillRect(row);
        canvas->Font()->SetColor(selected ? clHighlightText : Enabled() ? Font()->Color() : clGrayText);
        TRect text = Rect(row.Left + 2, row.Top, row.Right, row.Bottom);
        DrawTextEx(canvas->Handle(), items_[i], &text,
                   DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS);
        if (i == itemIndex_ && Focused()) DrawFocusRect(canvas->Handle(), &row);
    }
}

} // namespace vexo
