#include "db/DBProperties.h"

#include "controls/grid/GridProperties.h"
#include "db/DBVexoGrid.h"
#include "framework/streaming/TClassDecl.h"

namespace vexo {

void RegisterDbClasses() {
    static const bool registered = [] {
        RegisterGridClasses();
        // The connection and the linked table are set in code: a form file cannot name them.
        RegisterClass<TDBVexoGrid, TVexoGrid>("TDBVexoGrid")
            .Str("SeparatorField", &TDBVexoGrid::getSeparatorField, &TDBVexoGrid::setSeparatorField)
            .Event("OnSeparator", &TDBVexoGrid::OnSeparator)
            .Event("OnFillFieldSP", &TDBVexoGrid::OnFillFieldSP)
            .Event("OnFillRow", &TDBVexoGrid::OnFillRow)
            .Str("SQLTableName", &TDBVexoGrid::GetSQLTableName, &TDBVexoGrid::SetSQLTableName)
            .Str("SQLWhere", &TDBVexoGrid::GetSQLWhere, &TDBVexoGrid::SetSQLWhere)
            .Str("SQLOrderBy", &TDBVexoGrid::GetSQLOrderBy, &TDBVexoGrid::SetSQLOrderBy);
        RegisterComponents("VexoControls", {ClassOf<TDBVexoGrid>()});
        return true;
    }();
    (void)registered;
}

namespace {
// Programs that read forms name the grid's class before any grid exists.
[[maybe_unused]] const bool registeredAtStartUp = (RegisterDbClasses(), true);
} // namespace

} // namespace vexo
