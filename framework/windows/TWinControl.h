#pragma once
// A control that owns a window: children, keyboard focus, and the window's life cycle.
//
// The window (a small QWidget, see TWindowWidget) does not exist until something needs it:
// Handle() creates it through CreateParams and CreateWnd, DestroyWnd destroys it and RecreateWnd
// replaces it with a new one under a new handle. Creating a window creates the windows of all
// windowed children; destroying it destroys theirs first. The window turns each Qt event into a
// message for the control's window procedure; what the control does not handle goes back to Qt
// (DefaultHandler). Widget() hands the window to plain Qt code, e.g. to put it into a layout.
#include "framework/graphics/GdiTypes.h"
#include "framework/windows/TControl.h"
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace vexo {
class TWindowWidget;

// Window styles honoured by the framework's windows (the rest are kept for the control to read).
constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_DLGFRAME = 0x00400000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_MAXIMIZE = 0x01000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_MINIMIZE = 0x20000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_EX_DLGMODALFRAME = 0x00000001;
constexpr DWORD WS_EX_TOPMOST = 0x00000008;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;
constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;

struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    std::string WinClassName;
};

using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
// key is the character typed (a Unicode code point); setting it to 0 swallows it.
using TKeyPressEvent = std::function<void(TObject* sender, char32_t& key)>;

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const; // EListError outside 0..ControlCount-1
    // The child control under the client point p (graphic or windowed, topmost first), or nullptr.
    TControl* ControlAtPos(TPoint p, bool allowDisabled = false, bool allowWinControls = false) const;

    // The window handle, creating the window when there is none yet.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    // The handle without creating anything; null before the window exists.
    HWND WindowHandle() const { return handle_; }
    void HandleNeeded() { Handle(); }
    void RecreateWnd();
    // The window as a Qt widget (created on demand), for embedding into plain Qt code.
    QWidget* Widget();

    virtual void SetFocus();
    virtual bool CanFocus() const;
    bool Focused() const;
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);
    int TabOrder() const;
    void SetTabOrder(int order);

    void Invalidate() override;
    void Update() override;
    bool Showing() const override;
    // Repaints the area of a windowless child (or any client rectangle) of this window.
    void InvalidateRect(const TRect& rect);

    // Lays out the children by Align: alTop, alBottom, alLeft, alRight, then alClient.
    void Realign();
    void DisableAlign() { ++alignDisabled_; }
    void EnableAlign();

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    void WndProc(TMessage& message) override;
    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    virtual void DestroyWnd();
    // Called by DestroyWnd: the window is going away and the control should forget it.
    void DestroyHandle();
    // The area of the client rectangle the aligned children share; subclasses with a frame shrink it.
    virtual void AdjustClientRect(TRect& rect) { (void)rect; }
    virtual void AlignControls(TControl* control, TRect& rect);
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(char32_t& key);
    // Paints the windowless children over dc (the window's paint context) within the paint area.
    void PaintControls(HDC dc);
    // Paints the window: by default the windowless children only. TCustomControl paints itself here.
    virtual void PaintWindow(HDC dc);
    void BoundsChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void TextChanged() override;
    void CursorChanged() override;
    void ColorChanged() override;
    TWindowWidget* WindowWidget() const { return widget_; }
    const TCreateParams& WindowParams() const { return params_; }

private:
    friend class TControl;
    friend class TWindowWidget;
    void insertControl(TControl* control);
    void removeControl(TControl* control);
    void createChildWindows();
    void windowLost(); // the widget was destroyed behind our back (Qt deleted a parent widget)
    void paintHandler(TMessage& message);
    bool routeToGraphicChild(TMessage& message);
    void updateTabChain();
    void applyWindowState();

    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    TWindowWidget* widget_ = nullptr;
    HWND handle_ = nullptr;
    TCreateParams params_;
    bool tabStop_ = false;
    int alignDisabled_ = 0;
    bool aligning_ = false;
    bool creatingWindow_ = false;
};

} // namespace vexo
