#pragma once
// Installs, once, the factory that gives Qt's accessibility the framework's windows: a window whose
// control implements TAccessibleTable is a table with cells, and an edit window whose control
// implements TAccessibleText is editable text (AccessibleText.cpp).
class QAccessibleInterface;
class QObject;

namespace vexo {
void EnsureAccessibilityFactory();
// The editable text that object stands for: an edit window whose control implements
// TAccessibleText, or the editor inside it; nullptr for anything else.
QAccessibleInterface* AccessibleTextFor(QObject* object);
} // namespace vexo
