#pragma once
// A windowed control that paints itself: its Paint draws on Canvas during WM_PAINT, clipped to the
// area being repainted. Outside WM_PAINT the canvas draws on the window directly.
#include "framework/windows/TWinControl.h"
#include <memory>

namespace vexo {

class TControlCanvas;

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;

    TControlCanvas* Canvas() const { return canvas_.get(); }

protected:
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;

private:
    std::unique_ptr<TControlCanvas> canvas_;
};

} // namespace vexo
