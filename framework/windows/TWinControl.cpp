// How it works: the control keeps its bounds, children and state whether or not its window exists;
// the window mirrors them once created. A window is created for a child as soon as its parent has
// one, so a whole tree of windows appears when the top-level window does. Destroying a window
// destroys the children's windows first, so that Qt never deletes a widget a control still holds.
// A parent never deletes its children: when it goes, the children that remain are unparented, and
// the owner deletes them (often the same object, whose owned components go after its own body).
#include "framework/windows/TWinControl.h"

#include "framework/core/Exception.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/TDeviceContext_p.h"
#include "framework/windows/TApplication.h"
#include "framework/windows/TWindowWidget_p.h"
#include "framework/windows/WinApi.h"

#include <QCursor>
#include <QPainter>
#include <QScopedValueRollback>
#include <algorithm>

namespace vexo {

namespace {

Qt::CursorShape cursorShape(TCursor cursor) {
    switch (cursor) {
    case crNone:
        return Qt::BlankCursor;
    case crCross:
        return Qt::CrossCursor;
    case crIBeam:
        return Qt::IBeamCursor;
    case crSizeNESW:
        return Qt::SizeBDiagCursor;
    case crSizeNS:
        return Qt::SizeVerCursor;
    case crSizeNWSE:
        return Qt::SizeFDiagCursor;
    case crSizeWE:
        return Qt::SizeHorCursor;
    case crUpArrow:
        return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait:
        return Qt::WaitCursor;
    case crAppStart:
        return Qt::BusyCursor;
    case crDrag:
    case crMultiDrag:
        return Qt::DragMoveCursor;
    case crNoDrop:
    case crNo:
        return Qt::ForbiddenCursor;
    case crHSplit:
        return Qt::SplitHCursor;
    case crVSplit:
        return Qt::SplitVCursor;
    case crHelp:
        return Qt::WhatsThisCursor;
    case crHandPoint:
        return Qt::PointingHandCursor;
    case crSizeAll:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}

bool isMouseButtonMessage(UINT msg) {
    return msg >= WM_LBUTTONDOWN && msg <= WM_MBUTTONDBLCLK;
}

} // namespace

Qt::CursorShape CursorToQt(TCursor cursor) {
    return cursorShape(cursor);
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    while (!controls_.empty())
        controls_.back()->SetParent(nullptr);
    TWinControl::DestroyWnd();
    if (Parent()) Parent()->removeControl(this);
}

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount())
        throw EListError("Índice de lista fuera de rango (" + std::to_string(index) + ")");
    return controls_[static_cast<std::size_t>(index)];
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        const bool windowed = dynamic_cast<TWinControl*>(c) != nullptr;
        if (windowed && !allowWinControls) continue;
        if (!c->Visible() || (!c->Enabled() && !allowDisabled)) continue;
        if (c->BoundsRect().Contains(p)) return c;
    }
    return nullptr;
}

void TWinControl::insertControl(TControl* control) {
    controls_.push_back(control);
    control->parent_ = this;
    auto* win = dynamic_cast<TWinControl*>(control);
    if (win) tabList_.push_back(win);
    if (control->ParentFont()) control->parentFontChanged();
    if (control->ParentColor()) control->parentColorChanged();
    // A windowed child gets its window as soon as the parent has one (it lost any former one when
    // it left its former parent).
    if (win && widget_ && !ComponentState().Contains(csDestroying)) {
        win->Handle();
        updateTabChain();
    }
    if (!win) InvalidateRect(control->BoundsRect());
    Realign();
}

void TWinControl::removeControl(TControl* control) {
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end()) return;
    controls_.erase(it);
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), win), tabList_.end());
        control->parent_ = nullptr;
        // A window cannot outlive its place in the parent's window.
        win->DestroyWnd();
    } else {
        control->parent_ = nullptr;
        if (TWindowWidget::CaptureControl() == control) TWindowWidget::SetCaptureControl(nullptr);
        InvalidateRect(control->BoundsRect());
    }
    if (!ComponentState().Contains(csDestroying)) Realign();
}

HWND TWinControl::Handle() {
    if (!widget_ && !creatingWindow_ && !ComponentState().Contains(csDestroying)) {
        if (Parent()) Parent()->Handle();
        if (!widget_) CreateWnd();
    }
    return handle_;
}

QWidget* TWinControl::Widget() {
    Handle();
    return widget_;
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.Caption = Caption();
    params.Style = WS_CLIPCHILDREN;
    if (Parent()) params.Style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (Visible()) params.Style |= WS_VISIBLE;
    if (!Enabled()) params.Style |= WS_DISABLED;
    if (tabStop_) params.Style |= WS_TABSTOP;
    params.X = Left();
    params.Y = Top();
    params.Width = Width();
    params.Height = Height();
    params.WndParent = Parent() ? Parent()->handle_ : nullptr;
    params.WinClassName = ClassName();
}

void TWinControl::CreateWnd() {
    if (widget_) return;
    creatingWindow_ = true;
    TCreateParams params;
    CreateParams(params);
    params_ = params;
    QWidget* parentWidget = Parent() ? Parent()->Widget() : nullptr;
    // A top-level window with an owner window (WndParent) stays a window of its own, kept above the
    // owner and let through when the owner is modal.
    TWindowWidget* owner = parentWidget ? nullptr : TWindowWidget::FromHandle(params.WndParent);
    Qt::WindowFlags flags = Qt::Widget;
    if (!parentWidget) {
        flags = (params.ExStyle & WS_EX_TOOLWINDOW) ? Qt::Tool : Qt::Window;
        if ((params.Style & WS_CAPTION) != WS_CAPTION) flags |= Qt::FramelessWindowHint;
        if (params.ExStyle & WS_EX_TOPMOST) flags |= Qt::WindowStaysOnTopHint;
    }
    widget_ = new TWindowWidget(this, parentWidget ? parentWidget : owner ? owner->window() : nullptr, flags);
    handle_ = widget_->Handle();
    widget_->setGeometry(params.X, params.Y, params.Width, params.Height);
    widget_->setWindowTitle(QString::fromStdString(params.Caption));
    widget_->setEnabled(!(params.Style & WS_DISABLED));
    widget_->SetWindowFocusPolicy(tabStop_ ? Qt::TabFocus : Qt::NoFocus);
    if (AnsiSameText(params.WinClassName, "EDIT")) widget_->CreateEditWindow(params.Style, params.Caption);
    if (AnsiSameText(params.WinClassName, "RichEdit20A"))
        widget_->CreateEditWindow(params.Style, params.Caption, true);
    if (Cursor() != crDefault) widget_->setCursor(cursorShape(Cursor()));
    if (parentWidget) widget_->setVisible(Visible());
    creatingWindow_ = false;
    createChildWindows();
    updateTabChain();
}

void TWinControl::createChildWindows() {
    for (TControl* c : controls_)
        if (auto* win = dynamic_cast<TWinControl*>(c); win && !win->widget_) win->Handle();
}

void TWinControl::DestroyWnd() {
    if (!widget_) return;
    for (TControl* c : controls_)
        if (auto* win = dynamic_cast<TWinControl*>(c)) win->DestroyWnd();
    TWindowWidget* w = widget_;
    widget_ = nullptr;
    handle_ = nullptr;
    const bool dispatching = w->Dispatching();
    w->Detach();
    if (dispatching) {
        // Qt is inside this widget's event handler: take it out of the widget tree now and let Qt
        // delete it when the handler has returned.
        w->hide();
        w->setParent(nullptr);
        w->deleteLater();
    } else {
        delete w;
    }
}

void TWinControl::DestroyHandle() {
    DestroyWnd();
}

void TWinControl::windowLost() {
    widget_ = nullptr;
    handle_ = nullptr;
}

void TWinControl::RecreateWnd() {
    if (!widget_) return;
    const bool hadFocus = Focused();
    DestroyWnd();
    Handle();
    VisibleChanged();
    if (hadFocus) SetFocus();
}

void TWinControl::applyWindowState() {
    if (!widget_) return;
    if (Parent())
        widget_->setVisible(Visible());
    else if (widget_->parentWidget())
        widget_->setVisible(Visible());
}

void TWinControl::SetFocus() {
    Handle();
    if (!widget_) return;
    QWidget* top = widget_->window();
    if (top->isVisible() && !top->isActiveWindow()) top->activateWindow();
    widget_->setFocus(Qt::OtherFocusReason);
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

bool TWinControl::Focused() const {
    return widget_ && widget_->hasFocus();
}

void TWinControl::SetTabStop(bool value) {
    if (value == tabStop_) return;
    tabStop_ = value;
    if (widget_) widget_->SetWindowFocusPolicy(tabStop_ ? Qt::TabFocus : Qt::NoFocus);
}

int TWinControl::TabOrder() const {
    if (!Parent()) return -1;
    const auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (!Parent()) return;
    auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    order = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + order, this);
    Parent()->updateTabChain();
}

void TWinControl::updateTabChain() {
    TWinControl* previous = nullptr;
    for (TWinControl* c : tabList_) {
        if (!c->widget_ || !widget_) continue;
        if (previous) QWidget::setTabOrder(previous->widget_, c->widget_);
        previous = c;
    }
}

bool TWinControl::Showing() const {
    return widget_ && widget_->isVisible();
}

void TWinControl::Invalidate() {
    Perform(CM_INVALIDATE);
}

void TWinControl::InvalidateRect(const TRect& rect) {
    if (widget_ && !rect.IsEmpty())
        widget_->InvalidateArea(QRegion(rect.Left, rect.Top, rect.Width(), rect.Height()));
}

void TWinControl::Update() {
    if (widget_) widget_->PaintNow();
}

void TWinControl::BoundsChanged() {
    if (widget_) {
        if (widget_->isWindow()) {
            widget_->move(Left(), Top());
            widget_->resize(Width(), Height());
        } else {
            widget_->setGeometry(Left(), Top(), Width(), Height());
        }
    }
    Realign();
}

void TWinControl::VisibleChanged() {
    if (!widget_) return;
    applyWindowState();
}

void TWinControl::EnabledChanged() {
    if (widget_) widget_->setEnabled(Enabled());
}

void TWinControl::TextChanged() {
    if (widget_) widget_->setWindowTitle(QString::fromStdString(Caption()));
}

void TWinControl::CursorChanged() {
    if (!widget_) return;
    if (Cursor() == crDefault)
        widget_->unsetCursor();
    else
        widget_->setCursor(cursorShape(Cursor()));
}

void TWinControl::ColorChanged() {
    if (widget_) widget_->SyncEditLook();
    Invalidate();
    for (TControl* c : std::vector<TControl*>(controls_))
        c->Perform(CM_PARENTCOLORCHANGED);
}

void TWinControl::EnableAlign() {
    if (alignDisabled_ > 0 && --alignDisabled_ == 0) Realign();
}

void TWinControl::Realign() {
    if (alignDisabled_ > 0 || aligning_ || ComponentState().Contains(csDestroying)) return;
    TRect rect = ClientRect();
    AdjustClientRect(rect);
    const QScopedValueRollback aligningNow(aligning_, true);
    AlignControls(nullptr, rect);
}

void TWinControl::AlignControls(TControl* control, TRect& rect) {
    (void)control;
    // Within one alignment the controls keep their visual order: the topmost alTop control stays
    // first, and so on; equal positions keep the order of the children list.
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        for (TControl* c : controls_)
            if (c->Align() == align && (c->Visible() || ComponentState().Contains(csDesigning)))
                list.push_back(c);
        std::stable_sort(list.begin(), list.end(), [align](TControl* a, TControl* b) {
            switch (align) {
            case alTop:
                return a->Top() < b->Top();
            case alBottom:
                return a->Top() + a->Height() > b->Top() + b->Height();
            case alLeft:
                return a->Left() < b->Left();
            case alRight:
                return a->Left() + a->Width() > b->Left() + b->Width();
            default:
                return false;
            }
        });
        for (TControl* c : list) {
            const int w = std::max(0, rect.Width());
            const int h = std::max(0, rect.Height());
            switch (align) {
            case alTop:
                c->SetBounds(rect.Left, rect.Top, w, c->Height());
                rect.Top += c->Height();
                break;
            case alBottom:
                c->SetBounds(rect.Left, rect.Bottom - c->Height(), w, c->Height());
                rect.Bottom -= c->Height();
                break;
            case alLeft:
                c->SetBounds(rect.Left, rect.Top, c->Width(), h);
                rect.Left += c->Width();
                break;
            case alRight:
                c->SetBounds(rect.Right - c->Width(), rect.Top, c->Width(), h);
                rect.Right -= c->Width();
                break;
            default:
                c->SetBounds(rect.Left, rect.Top, w, h);
                break;
            }
        }
    }
}

void TWinControl::WndProc(TMessage& message) {
    if (isMouseButtonMessage(message.Msg) || message.Msg == WM_MOUSEMOVE) {
        if (routeToGraphicChild(message)) return;
    }
    TControl::WndProc(message);
}

bool TWinControl::routeToGraphicChild(TMessage& message) {
    const TPoint p = Point(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
    TControl* target = TWindowWidget::CaptureControl();
    if (target && target->Parent() != this) target = nullptr;
    if (!target) target = ControlAtPos(p, false, false);
    if (!target) return false;
    const bool down = message.Msg == WM_LBUTTONDOWN || message.Msg == WM_RBUTTONDOWN ||
                      message.Msg == WM_MBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK ||
                      message.Msg == WM_RBUTTONDBLCLK || message.Msg == WM_MBUTTONDBLCLK;
    if (down && target->ControlStyle().Contains(csCaptureMouse)) TWindowWidget::SetCaptureControl(target);
    const LPARAM local = MAKELPARAM(p.x - target->Left(), p.y - target->Top());
    message.Result = target->Perform(message.Msg, message.WParam, local);
    const bool up = message.Msg == WM_LBUTTONUP || message.Msg == WM_RBUTTONUP || message.Msg == WM_MBUTTONUP;
    if (up && (message.WParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0)
        TWindowWidget::SetCaptureControl(nullptr);
    return true;
}

void TWinControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        WORD key = static_cast<WORD>(message.WParam);
        const TShiftState shift = KeyDataToShiftState(message.LParam);
        if (message.Msg == WM_KEYDOWN || message.Msg == WM_SYSKEYDOWN)
            KeyDown(key, shift);
        else
            KeyUp(key, shift);
        if (key == 0) return;
        message.WParam = key;
        DefaultHandler(message);
        // The platform's default opens the context menu on the menu key and on Shift+F10 (F10 is a
        // system key, so it comes as WM_SYSKEYDOWN).
        if ((message.Msg == WM_KEYUP && key == VK_APPS) ||
            (message.Msg == WM_SYSKEYDOWN && key == VK_F10 && shift == TShiftState{ssShift}))
            Perform(WM_CONTEXTMENU, 0, MAKELPARAM(-1, -1));
        return;
    }
    case WM_CHAR: {
        char32_t ch = static_cast<char32_t>(message.WParam);
        KeyPress(ch);
        if (ch == 0) return;
        message.WParam = ch;
        DefaultHandler(message);
        return;
    }
    case WM_SETFOCUS:
        if (OnEnter) OnEnter(this);
        DefaultHandler(message);
        return;
    case WM_KILLFOCUS:
        if (OnExit) OnExit(this);
        DefaultHandler(message);
        return;
    case WM_PAINT:
        paintHandler(message);
        return;
    case WM_ERASEBKGND: {
        auto dc = reinterpret_cast<HDC>(message.WParam);
        if (dc && !ControlStyle().Contains(csOpaque)) dc->FillRect(ClientRect(), Color());
        message.Result = 1;
        return;
    }
    case WM_MOUSEWHEEL:
        if (Perform(CM_MOUSEWHEEL, message.WParam, message.LParam) == 0)
            DefaultHandler(message);
        else
            message.Result = 0;
        return;
    case CM_INVALIDATE:
        if (widget_) widget_->InvalidateArea(QRegion(widget_->rect()));
        return;
    case CM_FONTCHANGED:
        TControl::Dispatch(message);
        if (widget_) widget_->SyncEditLook();
        for (TControl* c : std::vector<TControl*>(controls_))
            c->Perform(CM_PARENTFONTCHANGED);
        return;
    default:
        TControl::Dispatch(message);
        return;
    }
}

void TWinControl::DefaultHandler(TMessage& message) {
    if (message.Msg == WM_MOUSEWHEEL) {
        // An unhandled wheel goes on to the parent window, as the platform's default does.
        if (Parent()) message.Result = Parent()->Perform(message.Msg, message.WParam, message.LParam);
        return;
    }
    if (widget_) widget_->DefaultHandling(message);
}

void TWinControl::paintHandler(TMessage& message) {
    HDC dc =
        message.WParam ? reinterpret_cast<HDC>(message.WParam) : (widget_ ? widget_->PaintDC() : nullptr);
    if (!dc) return;
    // An edit window's default painting is its editor's picture, under whatever the control draws.
    if (widget_ && widget_->HasEditWindow()) DefaultHandler(message);
    PaintWindow(dc);
    PaintControls(dc);
    message.Result = 0;
}

void TWinControl::PaintWindow(HDC dc) {
    (void)dc;
}

void TWinControl::PaintControls(HDC dc) {
    if (!dc) return;
    QPainter& painter = dc->Painter();
    const QRegion area = widget_ ? widget_->PaintRegion() : QRegion();
    for (TControl* c : std::vector<TControl*>(controls_)) {
        if (dynamic_cast<TWinControl*>(c)) continue;
        // At design time hidden controls show, unless they say they never do.
        const bool designVisible =
            ComponentState().Contains(csDesigning) && !c->ControlStyle().Contains(csNoDesignVisible);
        if (!c->Visible() && !designVisible) continue;
        const QRect bounds(c->Left(), c->Top(), c->Width(), c->Height());
        if (bounds.isEmpty() || (!area.isEmpty() && !area.intersects(bounds))) continue;
        painter.save();
        painter.setClipRect(bounds, Qt::IntersectClip);
        painter.translate(c->Left(), c->Top());
        {
            TDeviceContext child(&painter);
            c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(&child), 0);
        }
        painter.restore();
    }
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}
void TWinControl::KeyUp(WORD& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}
void TWinControl::KeyPress(char32_t& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

} // namespace vexo
