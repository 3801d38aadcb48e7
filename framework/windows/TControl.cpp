#include "framework/windows/TControl.h"

#include "framework/core/Exception.h"
#include "framework/windows/TPopupMenu.h"
#include "framework/windows/TWinControl.h"
#include "framework/windows/TWindowWidget_p.h"
#include "framework/windows/WinApi.h"

#include <algorithm>

namespace vexo {

TShiftState KeysToShiftState(WPARAM keys) {
    TShiftState s;
    if (keys & MK_SHIFT) s << ssShift;
    if (keys & MK_CONTROL) s << ssCtrl;
    if (keys & MK_LBUTTON) s << ssLeft;
    if (keys & MK_RBUTTON) s << ssRight;
    if (keys & MK_MBUTTON) s << ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s << ssAlt;
    return s;
}

TShiftState KeyDataToShiftState(LPARAM keyData) {
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s << ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s << ssCtrl;
    if (keyData & KF_ALTDOWN_LPARAM) s << ssAlt;
    return s;
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
    font_->OnChange = [this](TGraphicsObject*) {
        if (!copyingFont_) parentFont_ = false;
        Perform(CM_FONTCHANGED);
    };
}

TControl::~TControl() {
    SetPopupMenu(nullptr);
    TWindowWidget::ControlDestroyed(this);
    if (parent_) parent_->removeControl(this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    for (TWinControl* p = parent; p; p = p->Parent())
        if (p == this) throw Exception("Un control no puede ser padre de sí mismo");
    if (parent_) parent_->removeControl(this);
    if (parent) parent->insertControl(this);
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
    SetReference(popupMenu_, menu);
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    DropReference(popupMenu_, component, operation);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    const TRect old = BoundsRect();
    const bool resized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (parent_ && !dynamic_cast<TWinControl*>(this)) {
        parent_->InvalidateRect(old);
        parent_->InvalidateRect(BoundsRect());
    }
    BoundsChanged();
    RequestAlign();
    if (resized && !ComponentState().Contains(csLoading)) Resize();
}

void TControl::UpdateBoundsFromWindow(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    const bool resized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (resized) {
        if (auto* self = dynamic_cast<TWinControl*>(this)) self->Realign();
        Resize();
    }
}

void TControl::SetClientSize(int width, int height) {
    const TRect client = ClientRect();
    SetBounds(left_, top_, width_ + (width - client.Width()), height_ + (height - client.Height()));
}

TPoint TControl::ClientToScreen(TPoint p) const {
    if (auto* self = dynamic_cast<const TWinControl*>(this); self && self->WindowWidget()) {
        const QPoint g = self->WindowWidget()->mapToGlobal(QPoint(p.x, p.y));
        return Point(g.x(), g.y());
    }
    if (parent_) return parent_->ClientToScreen(ClientToParent(p));
    return Point(p.x + left_, p.y + top_);
}

TPoint TControl::ScreenToClient(TPoint p) const {
    const TPoint origin = ClientToScreen(Point(0, 0));
    return Point(p.x - origin.x, p.y - origin.y);
}

void TControl::SetAlign(TAlign align) {
    if (align == align_) return;
    align_ = align;
    RequestAlign();
}

void TControl::RequestAlign() {
    if (parent_ && (align_ != alNone || parent_->ControlCount() > 0)) parent_->Realign();
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    VisibleChanged();
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
    if (parent_) {
        if (!dynamic_cast<TWinControl*>(this)) parent_->InvalidateRect(BoundsRect());
        if (align_ != alNone) parent_->Realign();
    }
}

bool TControl::Showing() const {
    return visible_ && parent_ && parent_->Showing();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    EnabledChanged();
    Perform(CM_ENABLEDCHANGED);
    Invalidate();
}

void TControl::SetColor(TColor color) {
    parentColor_ = false;
    if (color == color_) return;
    color_ = color;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
    parentColor_ = value;
    if (value && parent_) parentColorChanged();
}

void TControl::parentColorChanged() {
    if (!parentColor_ || !parent_) return;
    if (color_ != parent_->Color()) {
        color_ = parent_->Color();
        Perform(CM_COLORCHANGED);
    }
    parentColor_ = true;
}

void TControl::SetParentFont(bool value) {
    parentFont_ = value;
    if (value && parent_) parentFontChanged();
}

void TControl::parentFontChanged() {
    if (!parentFont_ || !parent_) return;
    copyingFont_ = true;
    font_->Assign(*parent_->Font());
    copyingFont_ = false;
}

void TControl::SetCursor(TCursor cursor) {
    if (cursor == cursor_) return;
    cursor_ = cursor;
    CursorChanged();
}

void TControl::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    TextChanged();
    Perform(CM_TEXTCHANGED);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    WndProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& message) {
    Dispatch(message);
}

void TControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEMOVE:
        handleMouse(message);
        break;
    case CM_MOUSEENTER:
        if (OnMouseEnter) OnMouseEnter(this);
        break;
    case CM_MOUSELEAVE:
        if (OnMouseLeave) OnMouseLeave(this);
        break;
    case CM_MOUSEWHEEL: {
        const TPoint pos = Point(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
        message.Result = DoMouseWheel(KeysToShiftState(LOWORD(message.WParam)),
                                      GET_WHEEL_DELTA_WPARAM(message.WParam), pos)
                             ? 1
                             : 0;
        break;
    }
    case WM_CONTEXTMENU:
        contextMenu(message);
        break;
    case CM_INVALIDATE:
        if (parent_) parent_->InvalidateRect(BoundsRect());
        break;
    case CM_COLORCHANGED:
        ColorChanged();
        break;
    case CM_FONTCHANGED:
        FontChanged();
        break;
    case CM_PARENTCOLORCHANGED:
        parentColorChanged();
        break;
    case CM_PARENTFONTCHANGED:
        parentFontChanged();
        break;
    default:
        DefaultHandler(message);
        break;
    }
}

void TControl::handleMouse(TMessage& message) {
    const int x = GET_X_LPARAM(message.LParam);
    const int y = GET_Y_LPARAM(message.LParam);
    const TShiftState shift = KeysToShiftState(message.WParam);
    const TMouseButton button = (message.Msg >= WM_RBUTTONDOWN && message.Msg <= WM_RBUTTONDBLCLK) ? mbRight
                                : (message.Msg >= WM_MBUTTONDOWN && message.Msg <= WM_MBUTTONDBLCLK)
                                    ? mbMiddle
                                    : mbLeft;
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (message.Msg == WM_LBUTTONDOWN && controlStyle_.Contains(csClickEvents)) clicked_ = true;
        MouseDown(button, shift, x, y);
        break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        if (message.Msg == WM_LBUTTONDBLCLK && controlStyle_.Contains(csDoubleClicks)) DblClick();
        MouseDown(button, shift + TShiftState{ssDouble}, x, y);
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (message.Msg == WM_LBUTTONUP && clicked_) {
            clicked_ = false;
            if (ClientRect().Contains(Point(x, y))) Click();
        }
        MouseUp(button, shift, x, y);
        break;
    default:
        MouseMove(shift, x, y);
        break;
    }
    DefaultHandler(message);
    // The platform's default turns a right button release into the context-menu message.
    if (message.Msg == WM_RBUTTONUP) {
        const TPoint screen = ClientToScreen(Point(x, y));
        Perform(WM_CONTEXTMENU, 0, MAKELPARAM(screen.x, screen.y));
    }
}

void TControl::contextMenu(TMessage& message) {
    if (popupMenu_ && popupMenu_->AutoPopup()) {
        TPoint at = Point(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
        // From the keyboard the menu opens at the middle of the control.
        if (at.x == -1 && at.y == -1) at = ClientToScreen(Point(ClientWidth() / 2, ClientHeight() / 2));
        popupMenu_->SetPopupComponent(this);
        popupMenu_->Popup(at.x, at.y);
        message.Result = 1;
        return;
    }
    if (parent_) message.Result = parent_->Perform(WM_CONTEXTMENU, message.WParam, message.LParam);
}

void TControl::DefaultHandler(TMessage& message) {
    (void)message;
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}
void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}
void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}
bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
    return handled;
}
void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::Invalidate() {
    Perform(CM_INVALIDATE);
}
void TControl::Update() {
    if (parent_) parent_->Update();
}

void TControl::BringToFront() {
    if (!parent_) return;
    auto& list = parent_->controls_;
    list.erase(std::find(list.begin(), list.end(), this));
    list.push_back(this);
    if (auto* self = dynamic_cast<TWinControl*>(this); self && self->WindowWidget())
        self->WindowWidget()->raise();
    Invalidate();
}

void TControl::SendToBack() {
    if (!parent_) return;
    auto& list = parent_->controls_;
    list.erase(std::find(list.begin(), list.end(), this));
    list.insert(list.begin(), this);
    if (auto* self = dynamic_cast<TWinControl*>(this); self && self->WindowWidget())
        self->WindowWidget()->lower();
    parent_->Invalidate();
}

} // namespace vexo
