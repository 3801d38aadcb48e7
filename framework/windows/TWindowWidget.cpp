// How it works: every window is a TWindowWidget registered under a handle drawn from a counter that
// only grows, so a handle names one window for the life of the process. Qt events reach a window
// in two ways, as on the platform the controls were written for:
//  - queued input (mouse buttons, moves, wheel, keys, posted messages, window timers) first passes
//    an application-wide event filter, which builds the MSG and offers it to the application's
//    message event; a handled message is dropped there and never reaches the widget;
//  - everything else (paint, focus, size, enter and leave, close, activation) is sent straight to
//    the window procedure.
// The widget then translates the event again into a TMessage and calls the control's window
// procedure. A message the control leaves to DefaultHandler goes back to QWidget::event, once.
// Key presses produce WM_KEYDOWN and, as the platform's translation step would, a WM_CHAR that
// passes the message event on its own before it is dispatched; Alt combinations and F10 produce
// WM_SYSKEYDOWN and WM_SYSCHAR instead, as the platform's system keys.
//
// Painting goes to a backing image that keeps the window's picture between paints. Invalidated
// areas are painted by WM_PAINT into the image (clipped to those areas) and then copied to the
// screen; drawing outside WM_PAINT (GetDC) goes to the same image and is copied on release. The
// image has the screen's device pixel ratio: controls draw in logical pixels and the painter scales,
// so at a ratio of 2 lines and text are drawn at full resolution instead of being scaled up.
#include "framework/windows/TWindowWidget_p.h"

#include "framework/graphics/FontMapping_p.h"
#include "framework/graphics/SysColors.h"
#include "framework/graphics/TDeviceContext_p.h"
#include "framework/windows/Accessibility_p.h"
#include "framework/windows/TApplication.h"
#include "framework/windows/TEditWindow_p.h"
#include "framework/windows/TWinControl.h"
#include "framework/windows/WinApi.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QTimerEvent>
#include <QWheelEvent>
#include <QtMath>
#include <bitset>
#include <cassert>
#include <unordered_map>

namespace vexo {

namespace {

std::unordered_map<std::uintptr_t, TWindowWidget*>& registry() {
    static std::unordered_map<std::uintptr_t, TWindowWidget*> windows;
    return windows;
}
std::uintptr_t nextHandle = 0x1000;

// Widgets inside windows (an edit window's editor) and the window each belongs to.
std::unordered_map<const QObject*, TWindowWidget*>& innerWidgets() {
    static std::unordered_map<const QObject*, TWindowWidget*> widgets;
    return widgets;
}

QPointer<QWidget> lastFocusOut;
TControl* hoverControl = nullptr;
TControl* captureControl = nullptr;

HWND handleOf(QObject* object) {
    auto* w = TWindowWidget::HostOf(object);
    return w ? w->Handle() : nullptr;
}

WPARAM mouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    WPARAM keys = 0;
    if (buttons & Qt::LeftButton) keys |= MK_LBUTTON;
    if (buttons & Qt::RightButton) keys |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) keys |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier) keys |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier) keys |= MK_CONTROL;
    return keys;
}

UINT mouseMessage(QEvent::Type type, Qt::MouseButton button) {
    const int base = button == Qt::RightButton    ? WM_RBUTTONDOWN
                     : button == Qt::MiddleButton ? WM_MBUTTONDOWN
                                                  : WM_LBUTTONDOWN;
    switch (type) {
    case QEvent::MouseButtonPress:
        return static_cast<UINT>(base);
    case QEvent::MouseButtonRelease:
        return static_cast<UINT>(base + 1);
    case QEvent::MouseButtonDblClick:
        return static_cast<UINT>(base + 2);
    default:
        return WM_MOUSEMOVE;
    }
}

// The platform's virtual-key code of a Qt key; 0 for keys it has no code for.
int virtualKey(const QKeyEvent* e) {
    const int key = e->key();
    const bool keypad = e->modifiers() & Qt::KeypadModifier;
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return keypad ? VK_NUMPAD0 + (key - Qt::Key_0) : '0' + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_Pause:
        return VK_PAUSE;
    case Qt::Key_CapsLock:
        return VK_CAPITAL;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Print:
        return VK_SNAPSHOT;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Meta:
        return VK_LWIN;
    case Qt::Key_Menu:
        return VK_APPS;
    case Qt::Key_NumLock:
        return VK_NUMLOCK;
    case Qt::Key_ScrollLock:
        return VK_SCROLL;
    case Qt::Key_Asterisk:
        return keypad ? VK_MULTIPLY : '8';
    case Qt::Key_Plus:
        return keypad ? VK_ADD : VK_OEM_PLUS;
    case Qt::Key_Minus:
        return keypad ? VK_SUBTRACT : VK_OEM_MINUS;
    case Qt::Key_Slash:
        return keypad ? VK_DIVIDE : VK_OEM_2;
    case Qt::Key_Period:
        return keypad ? VK_DECIMAL : VK_OEM_PERIOD;
    case Qt::Key_Comma:
        return VK_OEM_COMMA;
    case Qt::Key_Semicolon:
        return VK_OEM_1;
    default:
        return 0;
    }
}

// The Qt key of a virtual-key code, for a key event rebuilt after the message hook rewrote its
// key; Qt::Key_unknown for codes the framework does not rewrite to.
Qt::Key qtKeyOf(int vk) {
    if (vk >= 'A' && vk <= 'Z') return static_cast<Qt::Key>(Qt::Key_A + (vk - 'A'));
    if (vk >= '0' && vk <= '9') return static_cast<Qt::Key>(Qt::Key_0 + (vk - '0'));
    if (vk >= VK_F1 && vk <= VK_F1 + 23) return static_cast<Qt::Key>(Qt::Key_F1 + (vk - VK_F1));
    switch (vk) {
    case VK_BACK:
        return Qt::Key_Backspace;
    case VK_TAB:
        return Qt::Key_Tab;
    case VK_RETURN:
        return Qt::Key_Return;
    case VK_ESCAPE:
        return Qt::Key_Escape;
    case VK_SPACE:
        return Qt::Key_Space;
    case VK_PRIOR:
        return Qt::Key_PageUp;
    case VK_NEXT:
        return Qt::Key_PageDown;
    case VK_END:
        return Qt::Key_End;
    case VK_HOME:
        return Qt::Key_Home;
    case VK_LEFT:
        return Qt::Key_Left;
    case VK_UP:
        return Qt::Key_Up;
    case VK_RIGHT:
        return Qt::Key_Right;
    case VK_DOWN:
        return Qt::Key_Down;
    case VK_INSERT:
        return Qt::Key_Insert;
    case VK_DELETE:
        return Qt::Key_Delete;
    default:
        return Qt::Key_unknown;
    }
}

bool extendedKey(int vk) {
    switch (vk) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_INSERT:
    case VK_DELETE:
    case VK_DIVIDE:
        return true;
    default:
        return false;
    }
}

// Alt with a key (Alt itself included) and F10 are system keys on the platform: they arrive as
// WM_SYSKEYDOWN / WM_SYSKEYUP with WM_SYSCHAR for their character, meant for the form's menus and
// mnemonics, and controls that act on WM_KEYDOWN let them pass. With Ctrl, Alt makes ordinary
// keys (Ctrl+Alt is how AltGr arrives).
bool systemKey(const QKeyEvent* e) {
    const Qt::KeyboardModifiers mods = e->modifiers();
    if (mods & Qt::ControlModifier) return false;
    return (mods & Qt::AltModifier) || e->key() == Qt::Key_Alt || e->key() == Qt::Key_F10;
}

LPARAM keyData(const QKeyEvent* e, int vk, bool release) {
    std::uint32_t data = 1; // repeat count
    data |= (e->nativeScanCode() & 0xFFu) << 16;
    if (extendedKey(vk)) data |= 1u << 24;
    if (e->modifiers() & Qt::AltModifier) data |= 1u << 29;
    if (release || e->isAutoRepeat()) data |= 1u << 30;
    if (release) data |= 1u << 31;
    return static_cast<LPARAM>(static_cast<std::int32_t>(data));
}

// The character the platform's translation step makes of a key press, 0 for none.
char32_t keyChar(const QKeyEvent* e) {
    const QString text = e->text();
    if (!text.isEmpty()) {
        const auto units = text.toUcs4();
        if (!units.isEmpty() && units[0] != 0) return units[0];
    }
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return U'\r';
    case Qt::Key_Backspace:
        return U'\b';
    case Qt::Key_Escape:
        return U'\x1b';
    case Qt::Key_Tab:
        return U'\t';
    default:
        break;
    }
    // Ctrl with a letter gives the control character, as on the platform.
    if ((e->modifiers() & Qt::ControlModifier) && e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z)
        return static_cast<char32_t>(1 + (e->key() - Qt::Key_A));
    return 0;
}

DWORD tickNow() {
    return GetTickCount();
}

TPoint cursorPoint() {
    const QPoint p = QCursor::pos();
    return Point(p.x(), p.y());
}

// Sees every event of the application once, before its receiver. Queued input for our windows is
// offered to the application's message event here; the key and pointer state is kept for
// GetKeyState.
class QueueFilter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::FocusOut:
            TWindowWidget::NoteFocusOut(watched);
            return false;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
            noteModifiers(event);
            break;
        default:
            break;
        }
        auto* window = TWindowWidget::HostOf(watched);
        if (!window || !window->Control()) return false;
        MSG msg;
        if (!window->QueuedMessage(event, msg, static_cast<QWidget*>(watched))) return false;
        // A handler may destroy the control (and so the window) while Qt still has the event in hand.
        window->EnterDispatch();
        const MSG carried = msg;
        const bool handled = Application->OfferMessage(msg);
        window->LeaveDispatch();
        if (!handled && window->Control()) {
            window->NoteOfferedMessage(event, carried, msg);
            return false;
        }
        event->accept();
        return true;
    }

    static void noteModifiers(QEvent* event) {
        auto* input = static_cast<QInputEvent*>(event);
        Qt::KeyboardModifiers mods = input->modifiers();
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
            // A modifier key's own event may or may not carry its flag, depending on the platform.
            const bool down = event->type() == QEvent::KeyPress;
            const int key = static_cast<QKeyEvent*>(event)->key();
            auto set = [&](Qt::KeyboardModifier m) { mods = down ? (mods | m) : (mods & ~m); };
            if (key == Qt::Key_Shift) set(Qt::ShiftModifier);
            if (key == Qt::Key_Control) set(Qt::ControlModifier);
            if (key == Qt::Key_Alt) set(Qt::AltModifier);
        }
        currentModifiers = mods;
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
            const int vk = virtualKey(static_cast<QKeyEvent*>(event));
            if (vk > 0 && vk < 256)
                keysDown.set(static_cast<std::size_t>(vk), event->type() == QEvent::KeyPress);
        }
    }

    static inline Qt::KeyboardModifiers currentModifiers = Qt::NoModifier;
    static inline std::bitset<256> keysDown;
};

QueueFilter* queueFilter = nullptr;

} // namespace

Qt::KeyboardModifiers TWindowWidget::InputModifiers() {
    return QueueFilter::currentModifiers;
}

bool TWindowWidget::KeyDown(int virtualKey) {
    return virtualKey > 0 && virtualKey < 256 &&
           QueueFilter::keysDown.test(static_cast<std::size_t>(virtualKey));
}

QEvent::Type TPostedMessageEvent::EventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void TWindowWidget::EnsureQueueFilter() {
    if (queueFilter || !qApp) return;
    EnsureAccessibilityFactory();
    queueFilter = new QueueFilter;
    queueFilter->setParent(qApp);
    qApp->installEventFilter(queueFilter);
    // Forms owned by the application go while Qt still exists.
    qAddPostRoutine([] {
        Application->DestroyComponents();
        queueFilter = nullptr;
    });
}

TWindowWidget::TWindowWidget(TWinControl* control, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), control_(control) {
    assert(control && "a window belongs to a control");
    EnsureQueueFilter();
    handle_ = reinterpret_cast<HWND>(nextHandle++);
    registry()[reinterpret_cast<std::uintptr_t>(handle_)] = this;
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

TWindowWidget::~TWindowWidget() {
    // Qt deleted us with a parent widget while the control still counts on the window.
    if (control_) {
        TWinControl* control = control_;
        Detach();
        control->windowLost();
    }
}

void TWindowWidget::Detach() {
    releaseOpenDCs();
    if (handle_) registry().erase(reinterpret_cast<std::uintptr_t>(handle_));
    for (const auto& timer : timers_)
        killTimer(timer.first);
    timers_.clear();
    if (hoverControl == control_) hoverControl = nullptr;
    control_ = nullptr;
}

TWindowWidget* TWindowWidget::HostOf(QObject* object) {
    if (auto* window = qobject_cast<TWindowWidget*>(object)) return window;
    if (!object) return nullptr;
    auto it = innerWidgets().find(object);
    return it == innerWidgets().end() ? nullptr : it->second;
}

void TWindowWidget::AdoptInnerWidget(QWidget* widget) {
    innerWidgets()[widget] = this;
}

void TWindowWidget::ForgetInnerWidget(QWidget* widget) {
    innerWidgets().erase(widget);
}

void TWindowWidget::CreateEditWindow(DWORD style, const std::string& text, bool rich) {
    if (edit_) return;
    edit_ = std::make_unique<TEditWindow>(this, style, QString::fromStdString(text), rich);
    SyncEditLook();
}

void TWindowWidget::SyncEditLook() {
    if (!edit_ || !control_) return;
    const TFont* font = control_->Font();
    edit_->SetLook(LogFontToQFont(font->LogFont()), ColorToQColor(control_->Color()),
                   ColorToQColor(font->Color()));
}

void TWindowWidget::SetWindowFocusPolicy(Qt::FocusPolicy policy) {
    setFocusPolicy(policy);
    if (edit_) edit_->SetFocusPolicy(policy);
}

bool TWindowWidget::InnerEvent(QWidget* source, QEvent* event, const std::function<bool(QEvent*)>& base) {
    // The framework opens the control's menu itself (WM_CONTEXTMENU), never the editor's own.
    if (event->type() == QEvent::ContextMenu) return true;
    if (!control_) return base(event);
    QPointer<TWindowWidget> self(this);
    QWidget* savedSource = innerSource_;
    std::function<bool(QEvent*)> savedBase = std::move(innerBase_);
    innerSource_ = source;
    innerBase_ = base;
    const bool handled = input(event);
    if (!self) return true;
    innerSource_ = savedSource;
    innerBase_ = std::move(savedBase);
    return handled ? true : base(event);
}

void TWindowWidget::DefaultHandling(TMessage& message) {
    if (edit_ && edit_->Default(message)) return;
    DefaultEvent(message.Msg);
}

TWindowWidget* TWindowWidget::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    auto it = registry().find(reinterpret_cast<std::uintptr_t>(hwnd));
    return it == registry().end() ? nullptr : it->second;
}

void TWindowWidget::NoteFocusOut(QObject* widget) {
    if (widget && widget->isWidgetType()) lastFocusOut = static_cast<QWidget*>(widget);
}

void TWindowWidget::ControlDestroyed(TControl* control) {
    if (hoverControl == control) hoverControl = nullptr;
    if (captureControl == control) captureControl = nullptr;
}

TControl* TWindowWidget::CaptureControl() {
    return captureControl;
}
void TWindowWidget::SetCaptureControl(TControl* control) {
    captureControl = control;
}

bool TWindowWidget::QueuedMessage(QEvent* event, MSG& msg, const QWidget* source) const {
    if (source == this) source = nullptr;
    msg = MSG{};
    msg.hwnd = handle_;
    msg.time = tickNow();
    msg.pt = cursorPoint();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        const QPoint p = source ? source->mapTo(this, e->position().toPoint()) : e->position().toPoint();
        msg.message = mouseMessage(event->type(), e->button());
        msg.wParam = mouseKeys(e->buttons(), e->modifiers());
        msg.lParam = MAKELPARAM(p.x(), p.y());
        const QPoint g = e->globalPosition().toPoint();
        msg.pt = Point(g.x(), g.y());
        return true;
    }
    case QEvent::Wheel: {
        auto* e = static_cast<QWheelEvent*>(event);
        const QPoint g = e->globalPosition().toPoint();
        const QPoint delta = e->angleDelta();
        const bool horizontal = delta.y() == 0 && delta.x() != 0;
        msg.message = horizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL;
        msg.wParam = MAKEWPARAM(static_cast<int>(mouseKeys(e->buttons(), e->modifiers())),
                                horizontal ? delta.x() : delta.y());
        // Wheel messages carry screen coordinates.
        msg.lParam = MAKELPARAM(g.x(), g.y());
        msg.pt = Point(g.x(), g.y());
        return true;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* e = static_cast<QKeyEvent*>(event);
        const int vk = virtualKey(e);
        const bool release = event->type() == QEvent::KeyRelease;
        if (systemKey(e))
            msg.message = release ? WM_SYSKEYUP : WM_SYSKEYDOWN;
        else
            msg.message = release ? WM_KEYUP : WM_KEYDOWN;
        msg.wParam = static_cast<WPARAM>(vk);
        msg.lParam = keyData(e, vk, release);
        return true;
    }
    case QEvent::Timer: {
        std::uintptr_t id = 0;
        if (source) return false; // a timer of a widget inside the window is its own business
        if (!IsWindowTimer(static_cast<QTimerEvent*>(event)->timerId(), id)) return false;
        msg.message = WM_TIMER;
        msg.wParam = id;
        return true;
    }
    default:
        if (!source && event->type() == TPostedMessageEvent::EventType()) {
            msg = static_cast<TPostedMessageEvent*>(event)->Message;
            return true;
        }
        return false;
    }
}

// The input and focus events, from the window itself or (innerSource_) from a widget inside it.
bool TWindowWidget::input(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
        mouseInput(event);
        return true;
    case QEvent::KeyPress:
        keyPress(event);
        return true;
    case QEvent::KeyRelease: {
        MSG msg;
        messageFor(event, msg);
        TMessage m{msg.message, msg.wParam, msg.lParam, 0};
        dispatch(event, m);
        event->accept();
        return true;
    }
    case QEvent::FocusIn: {
        HWND other = handleOf(lastFocusOut.data());
        lastFocusOut.clear();
        TMessage m{WM_SETFOCUS, reinterpret_cast<WPARAM>(other), 0, 0};
        dispatch(event, m);
        return true;
    }
    case QEvent::FocusOut: {
        // Qt already names the widget that receives the focus.
        TMessage m{WM_KILLFOCUS, reinterpret_cast<WPARAM>(handleOf(QApplication::focusWidget())), 0, 0};
        dispatch(event, m);
        return true;
    }
    default:
        return false;
    }
}

bool TWindowWidget::event(QEvent* event) {
    if (!control_) return QWidget::event(event);
    if (innerSource_) {
        // An event of the window itself inside the handling of one of its editor's.
        QScopedValueRollback<QWidget*> source(innerSource_, nullptr);
        return this->event(event);
    }
    if (input(event)) return true;
    switch (event->type()) {
    case QEvent::Timer: {
        MSG msg;
        if (!QueuedMessage(event, msg)) return QWidget::event(event);
        TMessage m{msg.message, msg.wParam, msg.lParam, 0};
        dispatch(event, m);
        return true;
    }
    case QEvent::Enter:
        setHover(control_);
        return QWidget::event(event);
    case QEvent::Leave:
        setHover(nullptr);
        return QWidget::event(event);
    case QEvent::Resize: {
        QWidget::event(event);
        if (edit_) edit_->Resized();
        const QRect g = geometry();
        control_->UpdateBoundsFromWindow(g.x(), g.y(), g.width(), g.height());
        if (!control_) return true;
        TMessage m{WM_SIZE, 0, MAKELPARAM(width(), height()), 0};
        dispatch(event, m);
        return true;
    }
    case QEvent::Move: {
        const QRect g = geometry();
        control_->UpdateBoundsFromWindow(g.x(), g.y(), g.width(), g.height());
        return QWidget::event(event);
    }
    case QEvent::Close: {
        // The window manager's close button: the form decides through WM_CLOSE.
        event->ignore();
        TMessage m{WM_CLOSE, 0, 0, 0};
        dispatch(nullptr, m);
        return true;
    }
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate: {
        // Activation is news for the top-level window only.
        if (!isWindow()) return QWidget::event(event);
        const bool active = event->type() == QEvent::WindowActivate;
        TMessage m{WM_ACTIVATE, active ? WPARAM(1) : WPARAM(0), 0, 0};
        dispatch(event, m);
        return true;
    }
    default:
        if (event->type() == TPostedMessageEvent::EventType()) {
            const MSG& msg = static_cast<TPostedMessageEvent*>(event)->Message;
            TMessage m{msg.message, msg.wParam, msg.lParam, 0};
            dispatch(nullptr, m);
            return true;
        }
        return QWidget::event(event);
    }
}

void TWindowWidget::dispatch(QEvent* event, TMessage& message) {
    dispatchTo(control_, event, message);
}

void TWindowWidget::dispatchTo(TControl* target, QEvent* event, TMessage& message) {
    if (!control_ || !target) return;
    QPointer<TWindowWidget> self(this);
    QEvent* savedEvent = current_;
    const UINT savedMsg = currentMsg_;
    const bool savedDone = defaultDone_;
    std::function<bool(QEvent*)> savedBase = std::move(currentBase_);
    currentBase_ = (event && innerSource_) ? innerBase_ : std::function<bool(QEvent*)>();
    current_ = event;
    currentMsg_ = message.Msg;
    defaultDone_ = false;
    ++dispatchDepth_;
    try {
        target->WndProc(message);
    } catch (const std::exception& error) {
        Application->HandleException(error);
    }
    if (!self) return;
    --dispatchDepth_;
    current_ = savedEvent;
    currentMsg_ = savedMsg;
    defaultDone_ = savedDone;
    currentBase_ = std::move(savedBase);
}

bool TWindowWidget::DefaultEvent(UINT msg) {
    if (!current_ || defaultDone_ || msg != currentMsg_) return false;
    defaultDone_ = true;
    if (currentBase_)
        currentBase_(current_);
    else
        QWidget::event(current_);
    return true;
}

void TWindowWidget::NoteOfferedMessage(QEvent* event, const MSG& carried, const MSG& offered) {
    if (offered.message == carried.message && offered.wParam == carried.wParam &&
        offered.lParam == carried.lParam)
        return;
    rewrittenEvent_ = event;
    rewritten_ = offered;
}

void TWindowWidget::messageFor(QEvent* event, MSG& msg) {
    if (event == rewrittenEvent_) {
        rewrittenEvent_ = nullptr;
        msg = rewritten_;
        return;
    }
    QueuedMessage(event, msg, innerSource_);
}

void TWindowWidget::keyPress(QEvent* event) {
    auto* e = static_cast<QKeyEvent*>(event);
    MSG msg;
    messageFor(event, msg);
    // A rewritten key goes to default handling, and to the translation step, as the new key.
    std::unique_ptr<QKeyEvent> rewritten;
    if (msg.message == WM_KEYDOWN && static_cast<int>(msg.wParam) != virtualKey(e)) {
        const Qt::Key key = qtKeyOf(static_cast<int>(msg.wParam));
        if (key != Qt::Key_unknown) {
            rewritten = std::make_unique<QKeyEvent>(QEvent::KeyPress, key, e->modifiers());
            e = rewritten.get();
        }
    }
    TMessage down{msg.message, msg.wParam, msg.lParam, 0};
    QPointer<TWindowWidget> self(this);
    dispatch(e, down);
    event->accept();
    const char32_t ch = keyChar(e);
    if (!self || !control_ || ch == 0) return;
    // The translated character is a queued message of its own.
    MSG charMsg = msg;
    charMsg.message = msg.message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    charMsg.wParam = static_cast<WPARAM>(ch);
    if (Application->OfferMessage(charMsg)) return;
    if (!self || !control_) return;
    TMessage m{charMsg.message, charMsg.wParam, charMsg.lParam, 0};
    dispatch(nullptr, m);
}

void TWindowWidget::mouseInput(QEvent* event) {
    MSG msg;
    messageFor(event, msg);
    TMessage m{msg.message, msg.wParam, msg.lParam, 0};
    QPointer<TWindowWidget> self(this);
    if (event->type() == QEvent::MouseMove && control_) {
        // Enter and leave of windowless children follow the pointer inside this window.
        const TPoint p = Point(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
        TControl* over = control_->ControlAtPos(p, false, false);
        setHover(over ? over : control_);
        if (!self || !control_) return;
    }
    dispatch(event, m);
    if (self) event->accept();
}

void TWindowWidget::setHover(TControl* control) {
    if (control == hoverControl) return;
    TControl* old = hoverControl;
    hoverControl = control;
    QPointer<TWindowWidget> self(this);
    ++dispatchDepth_;
    if (old) {
        try {
            old->Perform(CM_MOUSELEAVE, 0, 0);
        } catch (const std::exception& error) {
            Application->HandleException(error);
        }
    }
    if (self && hoverControl == control && control) {
        try {
            control->Perform(CM_MOUSEENTER, 0, 0);
        } catch (const std::exception& error) {
            Application->HandleException(error);
        }
    }
    if (self) --dispatchDepth_;
}

QImage& TWindowWidget::Backing() {
    const QSize want = size().expandedTo(QSize(1, 1));
    const qreal ratio = devicePixelRatio();
    const QSize pixels(qCeil(want.width() * ratio), qCeil(want.height() * ratio));
    if (backing_.size() != pixels || backing_.devicePixelRatio() != ratio) {
        releaseOpenDCs();
        QImage grown(pixels, QImage::Format_RGB32);
        grown.setDevicePixelRatio(ratio);
        grown.fill(Qt::white);
        if (backing_.devicePixelRatio() != ratio) {
            // A picture of another ratio would only show scaled: the whole window paints again.
            valid_ = QRegion();
        } else if (!backing_.isNull()) {
            QPainter p(&grown);
            p.drawImage(0, 0, backing_);
        }
        backing_.swap(grown);
        valid_ &= QRegion(0, 0, want.width(), want.height());
    }
    return backing_;
}

void TWindowWidget::InvalidateArea(const QRegion& region) {
    valid_ -= region;
    update(region);
}

void TWindowWidget::PaintNow() {
    const QRegion invalid = QRegion(rect()) - valid_;
    if (!invalid.isEmpty() && isVisible()) repaint(invalid);
}

void TWindowWidget::releaseOpenDCs() {
    for (HDC dc : openDCs_)
        dc->Release();
}

HDC TWindowWidget::AcquireDC() {
    // Inside WM_PAINT the paint context is the only painter the image may have.
    if (paintDC_) return paintDC_;
    QImage& image = Backing();
    HDC dc = new TDeviceContext(&image);
    openDCs_.insert(dc);
    return dc;
}

void TWindowWidget::ReleaseDC(HDC dc) {
    if (!dc || dc == paintDC_) return;
    auto it = openDCs_.find(dc);
    if (it == openDCs_.end()) return;
    openDCs_.erase(it);
    delete dc;
    // What was drawn is already in the image; only the screen needs the copy, and only where no
    // child window covers it (repainting the children would have them paint again).
    update(edit_ ? QRegion(rect()) : QRegion(rect()) - childrenRegion());
}

void TWindowWidget::paintEvent(QPaintEvent* event) {
    // An edit window's overlay covers the whole window and shows its picture.
    if (edit_) return;
    ShowPicture(this, event->region(), false);
}

void TWindowWidget::ShowPicture(QWidget* screenWidget, const QRegion& region, bool repaintAll) {
    QImage& image = Backing();
    releaseOpenDCs();
    const QRegion invalid = repaintAll ? region : region - valid_;
    if (control_ && !invalid.isEmpty()) {
        QPainter painter(&image);
        painter.setClipRegion(invalid);
        TDeviceContext dc(&painter);
        const QRegion savedRegion = paintRegion_;
        HDC savedDC = paintDC_;
        paintRegion_ = invalid;
        paintDC_ = &dc;
        valid_ += invalid;
        QPointer<TWindowWidget> self(this);
        TMessage erase{WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc), 0, 0};
        dispatch(nullptr, erase);
        if (self && control_) {
            TMessage paint{WM_PAINT, 0, 0, 0};
            dispatch(nullptr, paint);
        }
        if (!self) return;
        paintDC_ = savedDC;
        paintRegion_ = savedRegion;
    }
    // The source rectangle is in the image's device pixels, the target in the screen's logical ones.
    const qreal ratio = image.devicePixelRatio();
    QPainter screen(screenWidget);
    for (const QRect& r : region)
        screen.drawImage(QRectF(r), image,
                         QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
}

void TWindowWidget::StartWindowTimer(std::uintptr_t id, unsigned elapse) {
    StopWindowTimer(id);
    const int qtId = startTimer(static_cast<int>(elapse == 0 ? 1 : elapse));
    if (qtId != 0) timers_[qtId] = id;
}

bool TWindowWidget::StopWindowTimer(std::uintptr_t id) {
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->second == id) {
            killTimer(it->first);
            timers_.erase(it);
            return true;
        }
    }
    return false;
}

bool TWindowWidget::IsWindowTimer(int qtTimerId, std::uintptr_t& id) const {
    auto it = timers_.find(qtTimerId);
    if (it == timers_.end()) return false;
    id = it->second;
    return true;
}

} // namespace vexo
