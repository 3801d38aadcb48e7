#pragma once
// The base of every visual control: position and size inside its parent, alignment, visibility,
// colour, font, cursor, caption, and the message pipeline through which everything reaches it.
//
// A message travels Perform -> WndProc -> Dispatch -> DefaultHandler. WndProc is the window
// procedure that subclasses override to see messages first; Dispatch runs the framework's own
// handling of the messages it knows (mouse events, clicks, enter and leave) and hands the rest to
// DefaultHandler, which for a windowed control is the default behaviour of the Qt widget underneath.
// Lifetime follows Owner (TComponent); containment follows Parent and never deletes anything.
#include "framework/core/TComponent.h"
#include "framework/core/TNotifyEvent.h"
#include "framework/core/Types.h"
#include "framework/graphics/TFont.h"
#include "framework/windows/Messages.h"
#include "framework/windows/TCursor.h"
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

namespace vexo {

class TWinControl;
class TPopupMenu;

// A small bit set over an enumeration whose values are bit positions.
template <class E> class TFlagSet {
public:
    constexpr TFlagSet() = default;
    constexpr TFlagSet(std::initializer_list<E> items) {
        for (E e : items)
            bits_ |= bit(e);
    }
    constexpr bool Contains(E e) const { return (bits_ & bit(e)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TFlagSet& operator<<(E e) {
        bits_ |= bit(e);
        return *this;
    }
    constexpr TFlagSet& operator>>(E e) {
        bits_ &= ~bit(e);
        return *this;
    }
    constexpr TFlagSet operator+(TFlagSet o) const { return FromBits(bits_ | o.bits_); }
    constexpr TFlagSet operator-(TFlagSet o) const { return FromBits(bits_ & ~o.bits_); }
    constexpr TFlagSet operator*(TFlagSet o) const { return FromBits(bits_ & o.bits_); }
    constexpr bool operator==(const TFlagSet&) const = default;
    constexpr unsigned Bits() const { return bits_; }
    static constexpr TFlagSet FromBits(unsigned bits) {
        TFlagSet s;
        s.bits_ = bits;
        return s;
    }

private:
    static constexpr unsigned bit(E e) { return 1u << static_cast<unsigned>(e); }
    unsigned bits_ = 0;
};

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TFlagSet<TShiftStateItem>;

enum TControlStyleItem {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents,
};
using TControlStyle = TFlagSet<TControlStyleItem>;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TMouseWheelEvent =
    std::function<void(TObject* sender, TShiftState shift, int wheelDelta, TPoint mousePos, bool& handled)>;

// The shift state of a mouse message's key flags, as the framework builds it.
TShiftState KeysToShiftState(WPARAM keys);
// The shift state of a keyboard message: Shift and Ctrl from the keyboard, Alt from the key data.
TShiftState KeyDataToShiftState(LPARAM keyData);

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    // The client area in client coordinates; (0, 0, Width, Height) unless a control has a frame.
    virtual TRect ClientRect() const { return Rect(0, 0, width_, height_); }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientSize(int width, int height);
    void SetClientWidth(int v) { SetClientSize(v, ClientHeight()); }
    void SetClientHeight(int v) { SetClientSize(ClientWidth(), v); }
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;
    // The client point p of this control in its parent's client coordinates.
    TPoint ClientToParent(TPoint p) const { return Point(p.x + left_, p.y + top_); }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible here and in every parent up to a top-level window that is shown.
    virtual bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TFont* Font() const { return font_.get(); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    const std::string& Text() const { return caption_; }
    void SetText(const std::string& text) { SetCaption(text); }

    // The menu that a right click or the context-menu key opens over the control; without one the
    // parent's opens. Cleared when the menu is destroyed.
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);

    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle style) { controlStyle_ = style; }

    // Sends the message to this control's window procedure at once; returns its result.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual void WndProc(TMessage& message);
    virtual void Dispatch(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    // Schedules a repaint of the whole control; Repaint paints at once.
    virtual void Invalidate();
    virtual void Update();
    void Repaint() {
        Invalidate();
        Update();
    }
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TMouseWheelEvent OnMouseWheel;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;

protected:
    void Notification(TComponent* component, TOperation operation) override;
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
    virtual void Resize();
    // Called after the bounds changed; windowed controls move their window and realign.
    virtual void BoundsChanged() {}
    virtual void VisibleChanged() {}
    virtual void EnabledChanged() {}
    virtual void ColorChanged() { Invalidate(); }
    virtual void FontChanged() { Invalidate(); }
    virtual void TextChanged() {}
    virtual void CursorChanged() {}
    // The parent asks its children to align again after a change of this control.
    void RequestAlign();
    // Keeps the bounds in step with a window that Qt moved or resized (a Qt layout did it).
    void UpdateBoundsFromWindow(int left, int top, int width, int height);

private:
    friend class TWinControl;
    friend class TWindowWidget;
    void handleMouse(TMessage& message);
    void contextMenu(TMessage& message);
    void parentFontChanged();
    void parentColorChanged();

    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TAlign align_ = alNone;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clWindow;
    bool parentColor_ = false;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    bool copyingFont_ = false;
    TCursor cursor_ = crDefault;
    std::string caption_;
    TControlStyle controlStyle_{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    bool clicked_ = false;
    TPopupMenu* popupMenu_ = nullptr;
};

} // namespace vexo
