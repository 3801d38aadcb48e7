#pragma once
// The panel that forms place: TCustomPanel with its properties published (see the declarations).
#include "framework/stdctrls/TCustomPanel.h"

namespace vexo {

class TPanel : public TCustomPanel {
public:
    using TCustomPanel::TCustomPanel;
};

} // namespace vexo
