#pragma once
// The label that forms place: TCustomLabel with its properties published (see the declarations).
#include "framework/stdctrls/TCustomLabel.h"

namespace vexo {

class TLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;
};

} // namespace vexo
