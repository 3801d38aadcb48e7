// How it works: the grid scrolls by whole rows vertically (RowTop, the first row shown) and by
// pixels horizontally (the surface's offset). Row positions follow from RowTop and RowHeight, column
// positions from the surface's column edges. UpdateColumns is the column layout: it stretches the
// Col100x100 column over the width the others leave, sums the widths for the header and the
// horizontal bar, and lets the surface recompute its extent.
#include "controls/grid/VexoGrid.h"

#include "controls/grid/VGHead.h"
#include "controls/grid/VGScrollBox.h"
#include "framework/core/ScopeGuard.h"

#include <cstdint>

namespace vexo {

int TVexoGrid::GetRowTop() const {
    if (rowTop_ < 0) rowTop_ = 0;
    return rowTop_;
}

void TVexoGrid::SetRowTop(int top) {
    if (top < 0) top = 0;
    const int last = rows_.count() - GetNumOfEntireRows();
    if (last >= 0 && top > last) top = last;
    if (top == rowTop_ || last < 1) return;
    rowTop_ = top;
    repaintSurface(true);
}

int TVexoGrid::GetNumOfEntireRows() const {
    return surface_->ClientExtent(false) / rowHeight_;
}

int TVexoGrid::GetDiferenceRowHeight() const {
    return surface_->ClientExtent(false) % rowHeight_;
}

int TVexoGrid::RowForY(int y) const {
    const int row = GetRowTop() + y / rowHeight_;
    return row >= 0 && row < rows_.count() ? row : -1;
}

int TVexoGrid::ColForX(int x) const {
    const auto& edges = surface_->Edges();
    for (std::size_t i = 0; i + 1 < edges.size(); ++i)
        if (edges[i] <= x && edges[i + 1] >= x) return static_cast<int>(i);
    return -1;
}

void TVexoGrid::EnsureRowVisible(int row) {
    const int top = GetRowTop();
    const int entire = GetNumOfEntireRows();
    if (row >= top && row < top + entire) return;
    rowTop_ = row >= top ? row - entire + 1 : row;
    if (rows_.count() < rowTop_) rowTop_ = rows_.count() - entire;
    if (rowTop_ < 0) rowTop_ = 0;
    repaintSurface(false);
}

void TVexoGrid::EnsureColVisible(int col) {
    const auto& edges = surface_->Edges();
    if (col < 0 || static_cast<std::size_t>(col) + 1 >= edges.size()) return;
    const int left = edges[static_cast<std::size_t>(col)];
    const int right = edges[static_cast<std::size_t>(col) + 1];
    const int width = surface_->ClientExtent(true);
    if (left >= 0) {
        if (right <= width) return;
        surface_->SetHorzOffset(surface_->HorzOffset() + right - width);
    } else {
        surface_->SetHorzOffset(surface_->HorzOffset() + left);
    }
    repaintSurface(true);
}

void TVexoGrid::UpdateColumns() {
    if (!HandleAllocated() || layoutRunning_) return;
    layoutRunning_ = true;
    const ScopeGuard endLayout([this] { layoutRunning_ = false; });
    if (!col100x100_.empty()) {
        int w = surface_->ClientExtent(true) - 2;
        for (int i = 0; i < columns_->Count(); ++i) {
            TVGColumn* c = columns_->Items(i);
            if (c->FieldName() != col100x100_) w -= c->Width();
        }
        if (TVGColumn* stretched = FindColumn(col100x100_)) stretched->SetWidth(w);
    }
    int total = 0;
    for (int i = 0; i < columns_->Count(); ++i)
        total += columns_->Items(i)->Width();
    totalWidth_ = total;
    head_->SetTotalWidth(total);
    if (surface_->ClientExtent(true) > total) head_->SetScrollOffset(0);
    repaintSurface(false);
    OnUpdateColumns();
}

void TVexoGrid::SetCol100x100(const std::string& name) {
    // A form file may list the stretched column before the columns themselves: judge the name
    // once every stored property is in.
    if (ComponentState().Contains(csLoading)) {
        pendingCol100x100_ = name;
        return;
    }
    if (!name.empty() && !FindColumn(name)) return;
    col100x100_ = name;
    UpdateColumns();
}

void TVexoGrid::MouseWheelRows(int wheelDelta) {
    const int notches = static_cast<std::int16_t>(wheelDelta) / 120;
    if (notches != 0) SetRowTop(GetRowTop() - notches);
}

} // namespace vexo
