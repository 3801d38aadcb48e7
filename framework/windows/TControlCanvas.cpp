#include "framework/windows/TControlCanvas.h"

#include "framework/graphics/TDeviceContext_p.h"
#include "framework/windows/TWinControl.h"
#include "framework/windows/TWindowWidget_p.h"

#include <QPainter>
#include <QPointer>
#include <QTimer>

namespace vexo {

TControlCanvas::TControlCanvas(TControl* control) : control_(control), alive_(std::make_shared<bool>(true)) {}

TControlCanvas::~TControlCanvas() {
    *alive_ = false;
    FreeHandle();
}

void TControlCanvas::SetControl(TControl* control) {
    if (control == control_) return;
    FreeHandle();
    control_ = control;
}

void TControlCanvas::FreeHandle() {
    if (!ownDC_) return;
    HDC dc = ownDC_;
    ownDC_ = nullptr;
    SetHandle(nullptr);
    auto* window = qobject_cast<TWindowWidget*>(window_.data());
    window_.clear();
    // A window that has gone since left the context to us.
    if (window)
        window->ReleaseDC(dc);
    else
        delete dc;
}

void TControlCanvas::BeginPaint(HDC dc) {
    FreeHandle();
    Lock();
    SetHandle(dc);
}

void TControlCanvas::EndPaint() {
    SetHandle(nullptr);
    Unlock();
}

void TControlCanvas::CreateHandle() {
    if (!control_ || ownDC_) return;
    TWinControl* owner = dynamic_cast<TWinControl*>(control_);
    TPoint origin;
    if (!owner) {
        owner = control_->Parent();
        origin = Point(control_->Left(), control_->Top());
    }
    if (!owner) return;
    owner->Handle();
    QWidget* widget = owner->Widget();
    auto* window = qobject_cast<TWindowWidget*>(widget);
    if (!window) return;
    HDC dc = window->AcquireDC();
    if (dc == window->PaintDC()) {
        // Drawing during the window's own paint goes to the paint context as it stands.
        SetHandle(dc);
        return;
    }
    if (origin.x != 0 || origin.y != 0 || owner != control_) {
        QPainter& p = dc->Painter();
        p.translate(origin.x, origin.y);
        p.setClipRect(0, 0, control_->Width(), control_->Height());
    }
    ownDC_ = dc;
    window_ = window;
    SetHandle(dc);
    // Give the context back once the current message is handled, as the framework frees its
    // device contexts when the application goes idle.
    std::weak_ptr<bool> alive = alive_;
    QTimer::singleShot(0, [this, alive] {
        if (auto a = alive.lock(); a && *a) {
            if (LockCount() == 0) FreeHandle();
        }
    });
}

} // namespace vexo
