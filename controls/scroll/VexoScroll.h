#pragma once
// The owner-drawn scroll bar: a windowless control with two arrow buttons, a track and a thumb in
// flat colours. Holding a button or the track repeats its step every 50 ms; dragging the thumb
// sets the position under the pointer. TVexoScroll is the class that forms place.
#include "controls/scroll/VexoScrollLayout.h"
#include "framework/core/TNotifyEvent.h"
#include "framework/windows/TGraphicControl.h"

#include <functional>
#include <memory>

namespace vexo {

class TTimer;

enum TScrollCode {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,
    scTrack,
    scTop,
    scBottom,
    scEndScroll
};
// position is the bar's own field: a handler that changes it changes the position.
using TScrollEvent = std::function<void(TObject* sender, TScrollCode code, int& position)>;

class TVexoScroll_base : public TGraphicControl {
public:
    static constexpr TColor DefaultColor = 0xEBEBEB;
    static constexpr TColor DefaultColorArrow = 0x555555;
    static constexpr TColor DefaultColorBorder = 0x808080;
    static constexpr TColor DefaultColorButton = 0xC0C0C0;
    static constexpr unsigned RepeatInterval = 50;

    explicit TVexoScroll_base(TComponent* owner);
    ~TVexoScroll_base() override;

    // Index 0 Color (the control's own colour), 1 ColorArrow, 2 ColorBorder, 3 ColorButton;
    // other indexes do nothing (and read clNone).
    TColor getColor(int index) const;
    void setColor(int index, TColor color);

    bool MouseInControl() const { return mouseInControl_; }
    bool MouseIsDown() const { return mouseIsDown_; }
    TVxScrollbarArea MouseDownAt() const { return mouseDownAt_; }

    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind kind);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int w);
    int CheckButtonWidth(int w) const;
    int ScrollerWidth() const { return scrollerWidth_; }
    void SetScrollerWidth(int w);
    static int CheckScrollerWidth(int w) { return w < 3 ? 3 : w; }
    int Max() const { return max_; }
    void SetMax(int v);
    int Min() const { return min_; }
    void SetMin(int v);
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int v);
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int v);
    int Position() const { return position_; }
    // Only while enabled; clamped to Min..Max.
    void SetPosition(int p);
    // Disabling first moves the position to Min.
    void SetEnabled(bool enabled) override;

    void RecalculateAreas();
    const TVxScrollbarLayout& Layout() const { return layout_; }
    TRect Area(TVxScrollbarArea area) const { return layout_.areas[area]; }
    // Sets the position that keeps the grabbed point of the thumb under the pointer at p.
    void ScrollToPos(int p);

    bool Dragging() const { return dragging_; }
    TVxScrollbarArea RepeatArea() const { return repeatArea_; }
    bool Repeating() const;

    void Dispatch(TMessage& message) override;

    TNotifyEvent OnPaint; // published for forms; the bar never raises it
    TNotifyEvent OnMouseIn;
    TNotifyEvent OnMouseOut;
    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

protected:
    void Paint() override;
    void Resize() override;
    void Loaded() override;
    void TriggerScrollEvent(TScrollCode code, int& position);
    void ScrollerChanged();
    void DoScrollTimer(TObject* sender);

private:
    bool loading() const { return ComponentState().Contains(csLoading); }
    bool designing() const { return ComponentState().Contains(csDesigning); }
    void buttonDown(int x, int y);
    void buttonUp(int x, int y);

    TColor colorArrow_ = DefaultColorArrow;
    TColor colorBorder_ = DefaultColorBorder;
    TColor colorButton_ = DefaultColorButton;
    bool mouseInControl_ = false;
    bool mouseIsDown_ = false;
    TPoint lastMouse_;
    TVxScrollbarArea mouseDownAt_ = saNone;
    TVxScrollbarLayout layout_;
    int buttonWidth_ = 18;
    int scrollerWidth_ = 15;
    int max_ = 100;
    int min_ = 0;
    int largeChange_ = 5;
    int smallChange_ = 1;
    int position_ = 0;
    TScrollBarKind kind_ = sbVertical;
    bool dragging_ = false;
    TPoint dragStart_;
    TPoint grabOffset_;
    std::unique_ptr<TTimer> repeatTimer_;
    TVxScrollbarArea repeatArea_ = saNone;
};

// The bar as forms place it: the base with its properties published.
class TVexoScroll : public TVexoScroll_base {
public:
    explicit TVexoScroll(TComponent* owner);
};

} // namespace vexo
