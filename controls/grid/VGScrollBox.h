#pragma once
// The grid's painting surface. It owns the horizontal offset and the column edges, and computes
// the rectangles of rows, cells, check boxes and images that input, header and editor share.
// The scroll state is kept here as plain numbers (ranges, step, position); painting and the
// scroll bars themselves come later and read them. PaintRow and Paint are the seams for that.
#include "controls/grid/FontAttr.h"
#include "framework/TCustomControl.h"

#include <vector>

class TVexoGrid;

class TVGScrollBox : public TCustomControl {
public:
    explicit TVGScrollBox(TVexoGrid* grid);
    ~TVGScrollBox() override;

    TVexoGrid* Grid() const { return grid_; }

    // Recomputes the scroll ranges and the column edges; asks for a repaint unless a paint is
    // running, with the whole area erased first when eraseAll is true.
    void UpdateExtent(bool eraseAll);
    // The part of UpdateExtent that a change of the row count affects: the vertical scroll
    // state, and a repaint. The column edges stay as they are.
    void UpdateRowExtent();
    // Repaints one row (selection or check mark changed).
    virtual void PaintRow(int row);
    void RepaintSelection();

    TRect RowRect(int row) const;
    // Row -1 gives the header's rectangle of the column and reads no row record.
    TRect CellRect(int row, int col) const;
    TRect CheckBoxRect(int row) const;
    TRect ImageRect(int row) const;
    // The client width when horizontal is true, the client height otherwise.
    int ClientExtent(bool horizontal) const { return horizontal ? ClientWidth() : ClientHeight(); }

    // Left edge of each column, then the right edge of the last; empty before the first layout.
    const std::vector<int>& Edges() const { return edges_; }
    int HorzOffset() const { return offset_; }
    // Clamped to 0..HorzRange; takes effect through UpdateExtent.
    void SetHorzOffset(int offset);

    int HorzRange() const { return horzRange_; }
    int VertRange() const { return vertRange_; }
    int VertIncrement() const { return vertIncrement_; }
    int VertPosition() const { return vertPosition_; }
    bool ErasePending() const { return erasePending_; }
    TFontAttr* DefaultAttr() const { return defaultAttr_.get(); }

private:
    TVexoGrid* grid_;
    std::vector<int> edges_;
    std::unique_ptr<TFontAttr> defaultAttr_;
    bool painting_ = false;
    bool erasePending_ = false;
    int offset_ = 0;
    int horzRange_ = 0;
    int vertRange_ = 0;
    int vertIncrement_ = 0;
    int vertPosition_ = 0;
};
