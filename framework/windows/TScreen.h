#pragma once
// The screen object: the application-wide cursor and the size of the screen.
#include "framework/core/TObject.h"
#include "framework/core/Types.h"
#include "framework/windows/TCursor.h"

namespace vexo {

class TScreen : public TObject {
public:
    // The cursor shown over every window of the application; crDefault lets each control's own
    // cursor show again.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);
    int Width() const;
    int Height() const;
    TRect WorkAreaRect() const;

private:
    TCursor cursor_ = crDefault;
};

// The framework's screen object.
extern TScreen* Screen;

} // namespace vexo
