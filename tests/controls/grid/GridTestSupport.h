#pragma once
// A grid as the tests use it: named "grid", with a window (the column layout needs one), hidden,
// sized so that the painting surface below the header has a chosen client size.
#include "controls/grid/VGHead.h"
#include "controls/grid/VGScrollBox.h"
#include "controls/grid/VexoGrid.h"

#include <memory>
#include <string>
#include <vector>

namespace vexo {

inline std::unique_ptr<TVexoGrid> MakeGrid(int surfaceWidth = 606, int surfaceHeight = 220) {
    auto grid = std::make_unique<TVexoGrid>(nullptr);
    grid->SetName("grid");
    grid->SetBounds(0, 0, surfaceWidth, surfaceHeight + TVGHead::DefaultHeight);
    grid->HandleNeeded();
    return grid;
}

struct ColumnDef {
    std::string field;
    VGDataType type = vgString;
    int width = 50;
};

inline void AddColumns(TVexoGrid& grid, const std::vector<ColumnDef>& defs) {
    for (const ColumnDef& s : defs) {
        TVGColumn* c = grid.Columns()->Add();
        c->SetFieldName(s.field);
        c->SetDataType(s.type);
        c->SetWidth(s.width);
    }
}

// Records the grid's row events as short texts: "exit 2 0", "enter 3".
struct EventLog {
    std::vector<std::string> events;
    void attach(TVexoGrid& grid) {
        grid.OnRowEnter = [this](int row) { events.push_back("enter " + std::to_string(row)); };
        grid.OnRowExit = [this](int row, bool modified) {
            events.push_back("exit " + std::to_string(row) + (modified ? " 1" : " 0"));
        };
    }
};

} // namespace vexo
