#pragma once

namespace vexo {
// The published properties of the framed panel and the label and their place on the component
// palette.

// Declares the classes and registers TVexoFrame and TVexoLabel on the "VexoControls" palette page.
// Runs once, at start-up; later calls do nothing. The constructors call it too, which keeps this
// file linked into every program that uses them.
void RegisterMiscClasses();

} // namespace vexo
