#pragma once
// The grid's column header strip. For now it keeps what the grid's layout hands it (the total
// width of the columns and the horizontal offset); drawing and column dragging come later and
// take their rectangles from the painting surface, so the two stay aligned.
#include "framework/TCustomControl.h"

class TVexoGrid;

class TVGHead : public TCustomControl {
public:
    static constexpr int DefaultHeight = 18;
    explicit TVGHead(TVexoGrid* grid);

    TVexoGrid* Grid() const { return grid_; }
    int TotalWidth() const { return totalWidth_; }
    void SetTotalWidth(int width);
    // Pixels the header is shifted by: minus the surface's horizontal offset.
    int Offset() const { return offset_; }
    void SetOffset(int offset);

private:
    TVexoGrid* grid_;
    int totalWidth_ = 0;
    int offset_ = 0;
};
