#pragma once
// The grid's in-place cell editor: an edit control, hidden until editing starts, that the grid
// lays over its current cell. Each time it is shown it takes the column's mode, list, letter case
// and format; it converts the typed value back into the cell's text form (refusing a value it
// cannot convert, with a message), moves from cell to cell and row to row with the keyboard, and
// tells the grid when a cell changed and when the editing of a row ended.
#include "controls/edit/VexoEdit.h"
#include "controls/grid/VGColumn.h"
#include "framework/core/Types.h"
#include "values/sDB_date.h"
#include "values/sDB_time.h"

#include <memory>

namespace vexo {

class TVexoGrid;
class TVexoRow;
class TVGScrollBox;

class TVGEdit : public TVexoEdit {
public:
    explicit TVGEdit(TVexoGrid* grid);
    ~TVGEdit() override;

    TVexoGrid* Grid() const { return grid_; }

    // Starts editing the current row at the first editable cell from col on (moving on to later
    // rows when there is none); false, with the grid's current column as it was, when no cell can
    // be edited, when there is no current row, or when the current row is unicolumn.
    bool EditAt(int col);
    // Configures, places, fills and shows the editor over the grid's current cell.
    void ShowEditor();
    // Stores the editor's value in the current cell; false when the value was refused (the user
    // was told, and the editor shows the cell's value again).
    bool Commit();
    // Hides the editor and gives the grid the focus back when it can take it.
    void HideEditor();

    // Keyboard navigation over editable cells; each move to another row goes through the grid's
    // SetRowIndex (row exit, then row enter). NextCell and PrevCell return false when there is no
    // such cell (the current cell stays where it was); NextRow and PrevRow likewise.
    bool NextCell();
    bool PrevCell();
    bool NextRow();
    bool PrevRow();

    VGDataType DataType() const { return dataType_; }
    // The editor's bounds in the grid's client coordinates, as of the last show.
    TRect EditRect() const { return editRect_; }

    // Each change the edit control reports (end of editing with a changed text, a choice in its
    // list or date pop-up) is stored at once; the edit control's OnChange is not raised.
    void doChange() override;
    void WndProc(TMessage& message) override;

protected:
    void CreateWnd() override;

private:
    bool editable(int col) const;
    // The first editable column after (forward) or before col in row, for NextCell and PrevCell;
    // -1 when there is none.
    int editableCol(int row, int col, bool forward) const;
    void moveTo(int row, int col);
    bool stepRow(int direction);
    // Cancel and focus loss end the row's editing: row exit with its modified flag, then row enter.
    void endRowEdit();
    void storeValue(int col);
    void loadValue(const TVGColumn& column, const std::string& cellText);
    // Tells the user that text is no valid value and shows the cell's value again.
    void refuse(const std::string& text);
    bool navigate(TMessage& message);

    TVexoGrid* grid_;
    TVGScrollBox* surface_;
    std::unique_ptr<TVexoRow> row_;
    VGDataType dataType_ = vgString;
    TRect editRect_{};
    bool committing_ = false;
    // The value the editor showed for a date or time cell, against which Commit judges a change.
    sDB_date shownDate_;
    sDB_time shownTime_;
};

} // namespace vexo
