#include "framework/windows/TGraphicControl.h"

#include "framework/core/ScopeGuard.h"
#include "framework/graphics/GdiTypes.h"
#include "framework/windows/TControlCanvas.h"

namespace vexo {

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<TControlCanvas>(this)) {
    SetControlStyle(ControlStyle() << csCaptureMouse);
}

TGraphicControl::~TGraphicControl() {
    canvas_->FreeHandle();
}

void TGraphicControl::Dispatch(TMessage& message) {
    if (message.Msg != WM_PAINT) {
        TControl::Dispatch(message);
        return;
    }
    // The parent paints windowless children with wParam = its paint context, already shifted to
    // this control's origin and clipped to its bounds.
    auto dc = reinterpret_cast<HDC>(message.WParam);
    if (!dc) return;
    canvas_->BeginPaint(dc);
    const ScopeGuard endPaint([this] { canvas_->EndPaint(); });
    Paint();
    message.Result = 0;
}

} // namespace vexo
