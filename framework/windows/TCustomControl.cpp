#include "framework/windows/TCustomControl.h"

#include "framework/core/ScopeGuard.h"
#include "framework/windows/TControlCanvas.h"

namespace vexo {

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() {
    canvas_->FreeHandle();
}

void TCustomControl::PaintWindow(HDC dc) {
    canvas_->BeginPaint(dc);
    const ScopeGuard endPaint([this] { canvas_->EndPaint(); });
    Paint();
}

} // namespace vexo
