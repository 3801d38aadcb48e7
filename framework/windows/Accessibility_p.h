#pragma once
// Installs, once, the factory that gives Qt's accessibility the framework's windows: a window whose
// control implements TAccessibleTable is a table with cells.
namespace vexo {
void EnsureAccessibilityFactory();
}
