#pragma once
#include "controls/grid/VexoGrid.h"

#include <string>

namespace vexo {

// The grid's rows as one text: "#text" for a separator row, the row's data (a record's code)
// for any other, separated by "|".
inline std::string GridLayout(const TVexoGrid& grid) {
    std::string out;
    for (int r = 0; r < grid.GetRowCount(); ++r)
        out += (r ? "|" : "") + (grid.GetIsRowUnicolumn(r) ? "#" + grid.GetString(r, 0) : grid.GetRowData(r));
    return out;
}

} // namespace vexo
