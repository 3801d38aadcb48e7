#pragma once
// Messages the library's controls send one another across layers that cannot name each other's
// classes.
#include "framework/windows/Messages.h"

namespace vexo {

// Sent by a panel to each of its child controls after the panel painted itself. A child that draws
// on its parent's surface outside its own bounds (an edit control's label) draws that again, since
// the panel's paint has just covered it. Controls that draw nothing there ignore it.
constexpr UINT VM_PRINTLABEL = CM_BASE + 0x200;

} // namespace vexo
