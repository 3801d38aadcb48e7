#pragma once
// The panel that forms place: TCustomPanel with its properties published (see the declarations).
#include "framework/TCustomPanel.h"

class TPanel : public TCustomPanel {
public:
    using TCustomPanel::TCustomPanel;
};
