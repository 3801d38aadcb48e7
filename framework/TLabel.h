#pragma once
// The label that forms place: TCustomLabel with its properties published (see the declarations).
#include "framework/TCustomLabel.h"

class TLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;
};
