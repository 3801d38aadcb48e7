#pragma once

namespace vexo {
// The published properties of the owner-drawn scroll bar and its place on the component palette.

// Declares the classes and registers TVexoScroll on the "VexoControls" palette page. Runs once, at
// start-up; later calls do nothing. The bar's constructor calls it too, which keeps this file
// linked into every program that uses the bar.
void RegisterScrollClasses();

} // namespace vexo
