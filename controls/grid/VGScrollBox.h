#pragma once
// The grid's painting surface: the child window that draws the grid's rows and carries its two
// scroll bars. It owns the horizontal offset and the column edges, computes the rectangles of
// rows, cells, check boxes and images that input, header and editor share, and turns scroll bar
// messages into a new first row or offset. It keeps no row data: every paint reads the grid.
#include "controls/grid/FontAttr.h"
#include "framework/windows/TScrollBox.h"

#include <memory>
#include <string>
#include <vector>

namespace vexo {

class TVexoGrid;
class TVexoGrid_rowInfo;
class TControlCanvas;

class TVGScrollBox : public TScrollBox {
public:
    explicit TVGScrollBox(TVexoGrid* grid);
    ~TVGScrollBox() override;

    TVexoGrid* Grid() const { return grid_; }
    TControlCanvas* Canvas() const { return canvas_.get(); }

    // Recomputes the scroll bars and the column edges; asks for a repaint unless a paint is
    // running, with the whole area erased first when eraseAll is true.
    void UpdateExtent(bool eraseAll);
    // The share of UpdateExtent that a row appended at the end affects: the vertical bar, and a
    // repaint when the new row can be seen. The column edges stay as they are.
    void UpdateRowExtent();
    // Paints one row at once, inside a paint or outside one, without invalidating the window.
    virtual void PaintRow(int row);
    // The current row, or with Multiselect every selected row: the selection colour follows the
    // focus.
    void RepaintSelection();

    TRect RowRect(int row) const;
    // Row -1 gives the header's rectangle of the column and reads no row record.
    TRect CellRect(int row, int col) const;
    TRect CheckBoxRect(int row) const;
    TRect ImageRect(int row) const;
    // The text a cell shows: converted by the column's type, combo text, padded by alignment.
    // Never raises: a date or time the parser rejects shows as stored.
    std::string CellText(int row, int col) const;
    // The client width when horizontal is true, the client height otherwise.
    int ClientExtent(bool horizontal) const { return horizontal ? ClientWidth() : ClientHeight(); }

    // Left edge of each column, then the right edge of the last; empty before the first layout.
    const std::vector<int>& Edges() const { return edges_; }
    int HorzOffset() const { return offset_; }
    // Moves the horizontal bar (which clamps) and takes its position; shows through UpdateExtent.
    void SetHorzOffset(int offset);

    int HorzRange() const;
    int VertRange() const;
    int VertIncrement() const;
    int VertPosition() const;
    bool ErasePending() const { return erasePending_; }
    TFontAttr* DefaultAttr() const { return defaultAttr_.get(); }

    // Asked for during a paint (a handler that changed rows the paint has drawn already), the
    // invalidation waits and is applied once the paint is over.
    void Invalidate() override;
    void WndProc(TMessage& message) override;

protected:
    void CreateWnd() override;
    // Paints the visible rows; called only from the WM_PAINT handling.
    virtual void Paint();

private:
    void paintMessage(TMessage& message);
    void horzScroll(int code, int thumb);
    void vertScroll(int code, int thumb);
    const TFontAttr* attrFor(const TVexoGrid_rowInfo& info, int col) const;
    // One cell of a row being painted: background, check box and image (column 0), text, and the
    // column lines.
    void paintCell(const TVexoGrid_rowInfo& info, int row, int col, const TRect& rowRect, bool selected);
    unsigned cellTextFlags(int col, bool unicolumn) const;

    TVexoGrid* grid_;
    std::vector<int> edges_;
    std::unique_ptr<TControlCanvas> canvas_;
    bool painting_ = false;
    bool invalidateAfterPaint_ = false;
    bool erasePending_ = false;
    std::unique_ptr<TFontAttr> defaultAttr_;
    int offset_ = 0;
};

} // namespace vexo
