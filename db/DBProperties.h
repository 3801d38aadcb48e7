#pragma once

namespace vexo {
// The published properties of the data-bound grid and its place on the component palette.

// Declares the class (and the grid's classes it builds on) and registers it on the
// "VexoControls" palette page. Runs once; later calls do nothing. The grid's constructor calls it
// too, which keeps this file linked into every program that uses the grid.
void RegisterDbClasses();

} // namespace vexo
