#pragma once
// The mouse object: where the pointer is, in screen coordinates.
#include "framework/core/TObject.h"
#include "framework/core/Types.h"

namespace vexo {

class TMouse : public TObject {
public:
    TPoint CursorPos() const;
    void SetCursorPos(TPoint p);
};

// The framework's mouse object.
extern TMouse* Mouse;

} // namespace vexo
