#pragma once
// The Qt widget behind a TWinControl's window. It owns the window's handle (an identity that is
// never reused), a persistent backing image that all painting goes to, and the translation of Qt
// events into the control's window messages. Only the framework uses this class directly.
#include "framework/graphics/GdiTypes.h"
#include "framework/windows/Messages.h"
#include <QEvent>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <set>

namespace vexo {

class TWinControl;
class TControl;
class TEditWindow;

// The Qt shape of one of the framework's cursors (crArrow, crIBeam, ...).
Qt::CursorShape CursorToQt(int cursor);

// The custom event that carries a posted message through Qt's queue.
class TPostedMessageEvent : public QEvent {
public:
    static QEvent::Type EventType();
    explicit TPostedMessageEvent(const MSG& message) : QEvent(EventType()), Message(message) {}
    MSG Message;
};

class TWindowWidget : public QWidget {
    Q_OBJECT
public:
    TWindowWidget(TWinControl* control, QWidget* parent, Qt::WindowFlags flags);
    ~TWindowWidget() override;

    HWND Handle() const { return handle_; }
    TWinControl* Control() const { return control_; }
    // Forgets the control and gives up the handle: from now on the widget is inert and IsWindow of
    // its handle is false. Called when the control destroys its window.
    void Detach();
    // True while a Qt event of this widget is being dispatched (deleting it now would pull the
    // ground from under Qt); the widget is then deleted later instead.
    bool Dispatching() const { return dispatchDepth_ > 0; }
    // Brackets code that runs on behalf of one of this widget's events outside its event handler
    // (the queue filter offering the message), so that the widget outlives it.
    void EnterDispatch() { ++dispatchDepth_; }
    void LeaveDispatch() { --dispatchDepth_; }

    // Runs Qt's default handling of the event being dispatched, once; false when the message being
    // handled did not come from a Qt event.
    bool DefaultEvent(UINT msg);
    // The default handling of a message the control leaves to its window: the edit window's when
    // the window hosts one, otherwise Qt's (DefaultEvent).
    void DefaultHandling(TMessage& message);

    // The window of the platform's edit class: an editor over the client area (see TEditWindow).
    void CreateEditWindow(DWORD style, const std::string& text, bool rich = false);
    bool HasEditWindow() const { return edit_ != nullptr; }
    const TEditWindow* EditWindow() const { return edit_.get(); }
    // The control's font and colour, for the editor.
    void SyncEditLook();
    // The focus policy of the window (and of its editor, which takes the focus for it).
    void SetWindowFocusPolicy(Qt::FocusPolicy policy);
    // An event of a widget inside this window (the editor): input and focus become the control's
    // messages, whose default handling is base; anything else goes to base at once.
    bool InnerEvent(QWidget* source, QEvent* event, const std::function<bool(QEvent*)>& base);
    void AdoptInnerWidget(QWidget* widget);
    void ForgetInnerWidget(QWidget* widget);
    // The window of an object: the window itself or a widget inside it; nullptr for anything else.
    static TWindowWidget* HostOf(QObject* object);
    // Paints region (all of it when repaintAll, else its invalid area) into the backing image and
    // copies it to screen, a widget at the window's origin.
    void ShowPicture(QWidget* screen, const QRegion& region, bool repaintAll);

    // Painting. The backing image always holds the window's picture; WM_PAINT paints the invalid
    // area of it, and the screen shows it.
    QImage& Backing();
    void InvalidateArea(const QRegion& region);
    void PaintNow();
    // A device context over the backing image outside WM_PAINT; Release copies it to the screen.
    HDC AcquireDC();
    void ReleaseDC(HDC dc);
    // The context of the paint in progress (nullptr outside WM_PAINT) and the area it covers.
    HDC PaintDC() const { return paintDC_; }
    QRegion PaintRegion() const { return paintRegion_; }
    void ValidateArea(const QRegion& region) { valid_ += region; }

    // Window timers (SetTimer / KillTimer).
    void StartWindowTimer(std::uintptr_t id, unsigned elapse);
    bool StopWindowTimer(std::uintptr_t id);
    bool IsWindowTimer(int qtTimerId, std::uintptr_t& id) const;

    // The message that a queued Qt event of this widget (or of source, a widget inside it) carries.
    // Returns false for events that are not queued input (painting, focus, resizing and the like are
    // sent, not queued).
    bool QueuedMessage(QEvent* event, MSG& message, const QWidget* source = nullptr) const;
    // The application's message event may rewrite a queued message before it is dispatched (the
    // cell editor's hook turns Tab into Enter): when offered differs from what the event carried,
    // the window dispatches offered for that event, and a rewritten key's default handling and
    // character are those of the new key.
    void NoteOfferedMessage(QEvent* event, const MSG& carried, const MSG& offered);

    // Called by the queue filter for every focus loss in the application, so that WM_SETFOCUS can
    // name the window that lost the focus.
    static void NoteFocusOut(QObject* widget);
    // The window control of a handle (registry lookup); nullptr for a dead handle.
    static TWindowWidget* FromHandle(HWND hwnd);
    // Installs the application-wide filter that turns queued input into messages; idempotent.
    static void EnsureQueueFilter();
    // Shift, Ctrl and Alt as the latest input event the application took left them.
    static Qt::KeyboardModifiers InputModifiers();
    // Whether the key with this virtual-key code was pressed and not yet released.
    static bool KeyDown(int virtualKey);
    // A control is going away: forget it as the pointer's hover or capture target.
    static void ControlDestroyed(TControl* control);
    // The windowless control that takes the mouse until the button comes up (nullptr: none).
    static TControl* CaptureControl();
    static void SetCaptureControl(TControl* control);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool input(QEvent* event);
    void dispatch(QEvent* event, TMessage& message);
    void dispatchTo(TControl* target, QEvent* event, TMessage& message);
    // The message to dispatch for a queued event: the rewritten one when there is one.
    void messageFor(QEvent* event, MSG& msg);
    void keyPress(QEvent* event);
    void mouseInput(QEvent* event);
    void setHover(TControl* control);
    void releaseOpenDCs();

    TWinControl* control_ = nullptr;
    HWND handle_ = nullptr;
    int dispatchDepth_ = 0;
    QEvent* current_ = nullptr;
    UINT currentMsg_ = 0;
    bool defaultDone_ = false;
    // The widget inside this window whose event is being translated, and its own handling.
    QWidget* innerSource_ = nullptr;
    std::function<bool(QEvent*)> innerBase_;
    std::function<bool(QEvent*)> currentBase_;
    QEvent* rewrittenEvent_ = nullptr;
    MSG rewritten_{};
    std::unique_ptr<TEditWindow> edit_;
    QImage backing_;
    QRegion valid_;
    QRegion paintRegion_;
    HDC paintDC_ = nullptr;
    std::set<HDC> openDCs_;
    std::map<int, std::uintptr_t> timers_; // Qt timer id -> window timer id
};

} // namespace vexo
