#pragma once
// The published properties of the standard controls (panel, label, list box).

namespace vexo {

// Declares the classes. Runs once, at start-up; later calls do nothing. The controls'
// constructors call it too, which keeps the declarations linked into every program that uses them.
void RegisterStdCtrlsClasses();

} // namespace vexo
