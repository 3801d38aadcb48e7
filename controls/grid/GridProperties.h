#pragma once

namespace vexo {
// The published properties of the grid and of the objects it streams (columns, font attribute
// sets), and the grid's place on the component palette.
//
// They live in one file, as the framework's own declarations do, so that the grid's classes stay
// free of streaming code and the form-file order of every class can be read in one place.

// Declares the classes and registers the grid on the "VexoControls" palette page. Runs once, at
// start-up; later calls do nothing. The grid's constructor calls it too, which keeps this file
// linked into every program that uses the grid.
void RegisterGridClasses();

} // namespace vexo
