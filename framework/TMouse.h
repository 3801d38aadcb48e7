#pragma once
// The mouse object: where the pointer is, in screen coordinates.
#include "framework/TObject.h"
#include "framework/Types.h"

class TMouse : public TObject {
public:
    TPoint CursorPos() const;
    void SetCursorPos(TPoint p);
};

// The framework's mouse object.
extern TMouse* Mouse;
