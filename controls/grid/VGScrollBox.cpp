#include "controls/grid/VGScrollBox.h"

#include "controls/grid/VGHead.h"
#include "controls/grid/VexoGrid.h"
#include "framework/TImageList.h"

#include <algorithm>
#include <cstdint>

TVGScrollBox::TVGScrollBox(TVexoGrid* grid)
    : TCustomControl(grid), grid_(grid), defaultAttr_(std::make_unique<TFontAttr>()) {
    SetTabStop(false);
    SetParent(grid);
    SetAlign(alClient);
}

TVGScrollBox::~TVGScrollBox() = default;

void TVGScrollBox::UpdateRowExtent() {
    const int rowHeight = grid_->GetRowHeight();
    vertRange_ = grid_->GetRowCount() * rowHeight + grid_->GetDiferenceRowHeight();
    vertIncrement_ = static_cast<std::uint16_t>(rowHeight);
    vertPosition_ = std::clamp(grid_->GetRowTop() * rowHeight, 0, std::max(vertRange_, 0));
    if (!painting_ && HandleAllocated()) Invalidate();
}

void TVGScrollBox::UpdateExtent(bool eraseAll) {
    const int rowHeight = grid_->GetRowHeight();
    horzRange_ = grid_->GetTotalWidth() + 1;
    vertRange_ = grid_->GetRowCount() * rowHeight + grid_->GetDiferenceRowHeight();
    vertIncrement_ = static_cast<std::uint16_t>(rowHeight);
    vertPosition_ = std::clamp(grid_->GetRowTop() * rowHeight, 0, std::max(vertRange_, 0));
    offset_ = std::clamp(offset_, 0, std::max(horzRange_, 0));
    grid_->Head()->SetOffset(-offset_);

    TVGColumnCollection* columns = grid_->Columns();
    edges_.clear();
    edges_.reserve(static_cast<std::size_t>(columns->Count()) + 1);
    int x = -offset_;
    for (int i = 0; i < columns->Count(); ++i) {
        edges_.push_back(x);
        x += columns->Items(i)->Width();
    }
    edges_.push_back(x);

    if (painting_) return;
    if (eraseAll) erasePending_ = true;
    if (HandleAllocated()) Invalidate(); // without a window there is nothing to repaint yet
}

void TVGScrollBox::PaintRow(int row) {
    if (row < 0 || row >= grid_->GetRowCount()) return;
    if (HandleAllocated()) InvalidateRect(RowRect(row));
}

void TVGScrollBox::RepaintSelection() {
    if (!grid_->GetMultiselect()) {
        if (grid_->GetRowIndex() >= 0) PaintRow(grid_->GetRowIndex());
        return;
    }
    for (int i = 0; i < grid_->GetRowCount(); ++i)
        if (grid_->GetRowSelected(i)) PaintRow(i);
}

void TVGScrollBox::SetHorzOffset(int offset) {
    offset_ = std::clamp(offset, 0, std::max(horzRange_, 0));
}

TRect TVGScrollBox::RowRect(int row) const {
    const int top = (row - grid_->GetRowTop()) * grid_->GetRowHeight();
    return Rect(0, top, horzRange_, top + grid_->GetRowHeight());
}

TRect TVGScrollBox::CellRect(int row, int col) const {
    TRect r = RowRect(row);
    if (edges_.empty()) return Rect(0, r.Top, 0, r.Bottom);
    const int lastEdge = static_cast<int>(edges_.size()) - 1;
    auto edge = [&](int i) { return edges_[static_cast<std::size_t>(std::clamp(i, 0, lastEdge))]; };
    const TVexoGrid_rowInfo* info = row >= 0 ? grid_->Row(row) : nullptr;
    const bool unicolumn = info && info->unicolumn();
    if (unicolumn) {
        r.Left = edge(0);
        r.Right = edge(lastEdge);
    } else {
        r.Left = edge(col);
        r.Right = edge(col + 1);
        for (int k = col; info && k >= 0 && k + 1 < lastEdge && info->joined(k); ++k)
            r.Right = edge(k + 2);
    }
    if (col == 0 || unicolumn) {
        if (grid_->GetCheckBoxes()) r.Left += 18;
        if (grid_->GetImages()) r.Left += grid_->GetImages()->Width() + 2;
    }
    return r;
}

TRect TVGScrollBox::CheckBoxRect(int row) const {
    const int left = 1 - offset_;
    const int top = (row - grid_->GetRowTop()) * grid_->GetRowHeight() + 1;
    return Rect(left, top, left + 13, top + 13);
}

TRect TVGScrollBox::ImageRect(int row) const {
    const TRect r = RowRect(row);
    const int left = (grid_->GetCheckBoxes() ? 18 : 0) - offset_;
    const int width = grid_->GetImages() ? grid_->GetImages()->Width() : 0;
    return Rect(left, r.Top, left + width + 2, r.Bottom);
}
