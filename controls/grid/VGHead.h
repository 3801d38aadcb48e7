#pragma once
// The grid's column header strip: one caption per column, lined up with the painting surface's
// columns (the rectangles come from the surface, so the header scrolls with it), and column
// resizing by dragging a column's right edge. It neither sorts nor selects.
#include "framework/windows/TCustomControl.h"
#include "values/nBlockArray.h"

namespace vexo {

class TVexoGrid;

class TVGHead : public TCustomControl {
public:
    static constexpr int DefaultHeight = 18;
    // The last pixels of a caption, right edge included, where a drag resizes the column.
    static constexpr int ResizeZone = 5;
    // A drag never makes a column narrower than this.
    static constexpr int MinDragWidth = 7;

    explicit TVGHead(TVexoGrid* grid);
    ~TVGHead() override;

    TVexoGrid* Grid() const { return grid_; }
    int TotalWidth() const { return totalWidth_; }
    void SetTotalWidth(int width);
    // Pixels the header is shifted by: minus the surface's horizontal offset.
    int Offset() const { return offset_; }
    void SetScrollOffset(int offset);

    // One rectangle per column in header coordinates: the surface's header rectangle of the
    // column, as tall as the header.
    void BuildColumnRects();
    int ColumnRectCount() const { return rects_.count(); }
    TRect ColumnRect(int col) const { return rects_[col]; }

    // The state of the resize interaction, for whoever needs to know whether a drag is going on.
    bool ResizeArmed() const { return resizeArmed_; }
    bool ButtonDown() const { return buttonDown_; }
    int HoverColumn() const { return hoverCol_; }

    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;

private:
    void headMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void headMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void headMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void hoverLookup(int x);
    void dragTo(int x);

    bool resizeArmed_ = false;
    bool buttonDown_ = false;
    int hoverCol_ = -1;
    int offset_ = 0;
    int totalWidth_ = 0;
    nBlockArray<TRect> rects_;
    TVexoGrid* grid_;
};

} // namespace vexo
