#pragma once

namespace vexo {
// The published properties of the edit control and its place on the component palette.

// Declares the classes and registers TVexoEdit on the "VexoControls" palette page. Runs once, at
// start-up; later calls do nothing. The edit's constructor calls it too, which keeps this file
// linked into every program that uses the edit.
void RegisterEditClasses();

} // namespace vexo
