#include "controls/grid/VGHead.h"

#include "controls/grid/VexoGrid.h"

TVGHead::TVGHead(TVexoGrid* grid) : TCustomControl(grid), grid_(grid) {
    SetHeight(DefaultHeight);
    SetParent(grid);
    SetAlign(alTop);
}

void TVGHead::SetTotalWidth(int width) {
    if (width == totalWidth_) return;
    totalWidth_ = width;
    Invalidate();
}

void TVGHead::SetOffset(int offset) {
    if (offset == offset_) return;
    offset_ = offset;
    Invalidate();
}
