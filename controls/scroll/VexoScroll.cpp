// How it works: LayoutScrollbar owns the geometry; the bar keeps its result (the six areas, the
// two arrows) and lays out again in the setters, on resize and after a position change. A press
// on a button or on the track starts the repeat timer, whose ticks step the position until the
// thumb comes under the pointer or the range ends; a press on the thumb starts a drag that every
// move turns back into a position. The picture depends only on the colours, the areas and
// whether the bar is enabled, never on the pointer.
#include "controls/scroll/VexoScroll.h"

#include "controls/scroll/ScrollProperties.h"
#include "framework/graphics/TCanvas.h"
#include "framework/windows/TControlCanvas.h"
#include "framework/windows/TScreen.h"
#include "framework/windows/TTimer.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vexo {

TVexoScroll_base::TVexoScroll_base(TComponent* owner)
    : TGraphicControl(owner), repeatTimer_(std::make_unique<TTimer>(nullptr)) {
    SetColor(DefaultColor);
    repeatTimer_->SetEnabled(false);
    repeatTimer_->SetInterval(RepeatInterval);
    repeatTimer_->SetOnTimer([this](TObject* sender) { DoScrollTimer(sender); });
    SetBounds(Left(), Top(), 18, 100);
    RecalculateAreas();
}

TVexoScroll_base::~TVexoScroll_base() = default;

TColor TVexoScroll_base::getColor(int index) const {
    switch (index) {
    case 0:
        return Color();
    case 1:
        return colorArrow_;
    case 2:
        return colorBorder_;
    case 3:
        return colorButton_;
    default:
        return clNone;
    }
}

void TVexoScroll_base::setColor(int index, TColor color) {
    switch (index) {
    case 0:
        SetColor(color);
        break;
    case 1:
        colorArrow_ = color;
        break;
    case 2:
        colorBorder_ = color;
        break;
    case 3:
        colorButton_ = color;
        break;
    default:
        return;
    }
    Invalidate();
}

void TVexoScroll_base::SetKind(TScrollBarKind kind) {
    if (kind == kind_) return;
    kind_ = kind;
    if (designing() && !loading()) SetBounds(Left(), Top(), Height(), Width());
    RecalculateAreas();
    Invalidate();
}

int TVexoScroll_base::CheckButtonWidth(int w) const {
    return vexo::CheckButtonWidth(kind_, Width(), Height(), w);
}

void TVexoScroll_base::SetButtonWidth(int w) {
    w = CheckButtonWidth(w);
    if (w == buttonWidth_) return;
    buttonWidth_ = w;
    RecalculateAreas();
    Invalidate();
}

void TVexoScroll_base::SetScrollerWidth(int w) {
    w = CheckScrollerWidth(w);
    if (w == scrollerWidth_) return;
    scrollerWidth_ = w;
    RecalculateAreas();
    Invalidate();
}

void TVexoScroll_base::SetMax(int v) {
    if (v == max_ || v < 0 || v < min_) return;
    max_ = v;
    if (position_ > v) SetPosition(v);
    RecalculateAreas();
    Invalidate();
}

void TVexoScroll_base::SetMin(int v) {
    if (v == min_ || v < 0 || v > max_) return;
    min_ = v;
    RecalculateAreas();
    Invalidate();
}

void TVexoScroll_base::SetLargeChange(int v) {
    if (v == largeChange_ || v < smallChange_ || v < 1) return;
    largeChange_ = v;
}

void TVexoScroll_base::SetSmallChange(int v) {
    // SetLargeChange may make the two equal; a form file that says so reads back as it was
    // (LargeChange is read first).
    const bool tooLarge = loading() ? v > largeChange_ : v >= largeChange_;
    if (v == smallChange_ || v < 1 || tooLarge) return;
    smallChange_ = v;
}

void TVexoScroll_base::SetPosition(int p) {
    if (!Enabled()) return;
    p = std::clamp(p, min_, max_);
    if (p == position_) return;
    position_ = p;
    TriggerScrollEvent(scPosition, position_);
    RecalculateAreas();
    Invalidate();
    ScrollerChanged();
}

void TVexoScroll_base::SetEnabled(bool enabled) {
    if (enabled == Enabled()) return;
    // A form file holds the position the bar had when it was disabled.
    if (!loading()) SetPosition(0);
    TGraphicControl::SetEnabled(enabled);
    Invalidate();
}

void TVexoScroll_base::TriggerScrollEvent(TScrollCode code, int& position) {
    if (OnScroll) OnScroll(this, code, position);
}

void TVexoScroll_base::ScrollerChanged() {
    if (OnChange) OnChange(this);
}

void TVexoScroll_base::RecalculateAreas() {
    layout_ = LayoutScrollbar({kind_, Width(), Height(), buttonWidth_, scrollerWidth_, position_, max_});
}

void TVexoScroll_base::ScrollToPos(int p) {
    const auto position = PositionForThumbAt(
        {kind_, Width(), Height(), buttonWidth_, scrollerWidth_, position_, max_}, p, grabOffset_);
    if (position) SetPosition(*position);
}

bool TVexoScroll_base::Repeating() const {
    return repeatTimer_->Enabled();
}

void TVexoScroll_base::Resize() {
    RecalculateAreas();
    TGraphicControl::Resize();
}

void TVexoScroll_base::Loaded() {
    TGraphicControl::Loaded();
    // Resizing while the form reader runs does not lay out.
    RecalculateAreas();
}

void TVexoScroll_base::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(Color());
    canvas->Pen()->SetColor(colorBorder_);
    canvas->Rectangle(ClientRect());
    canvas->Brush()->SetColor(colorButton_);
    canvas->Rectangle(Area(saBtnArrowUp));
    canvas->Rectangle(Area(saBtnArrowDown));
    canvas->Brush()->SetColor(colorArrow_);
    canvas->Pen()->SetColor(colorArrow_);
    canvas->Polygon(std::vector<TPoint>(layout_.arrowUp.begin(), layout_.arrowUp.end()));
    canvas->Polygon(std::vector<TPoint>(layout_.arrowDown.begin(), layout_.arrowDown.end()));
    if (!Enabled()) return;

    const TRect thumb = Area(saScroller);
    canvas->Brush()->SetColor(colorButton_);
    canvas->Pen()->SetColor(colorBorder_);
    canvas->Rectangle(thumb);
    // Four grip lines two pixels apart, centred on the thumb, 4 pixels in from its sides.
    if (kind_ == sbVertical && thumb.Height() > 7) {
        const int y0 = thumb.Top + (thumb.Height() - 7) / 2;
        for (int k = 0; k <= 6; k += 2) {
            canvas->MoveTo(4, y0 + k);
            canvas->LineTo(thumb.Right - 4, y0 + k);
        }
    } else if (kind_ == sbHorizontal && thumb.Width() > 7) {
        const int x0 = thumb.Left + (thumb.Width() - 7) / 2;
        for (int k = 0; k <= 6; k += 2) {
            canvas->MoveTo(x0 + k, 4);
            canvas->LineTo(x0 + k, thumb.Bottom - 4);
        }
    }
}

void TVexoScroll_base::Dispatch(TMessage& message) {
    TGraphicControl::Dispatch(message);
    const int x = GET_X_LPARAM(message.LParam);
    const int y = GET_Y_LPARAM(message.LParam);
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!designing()) buttonDown(x, y);
        break;
    case WM_MOUSEMOVE:
        if (designing()) break;
        lastMouse_ = Point(x, y);
        if (mouseDownAt_ == saScroller) ScrollToPos(kind_ == sbHorizontal ? x : y);
        break;
    case WM_LBUTTONUP:
        if (!designing()) buttonUp(x, y);
        break;
    case CM_MOUSEENTER:
        Screen->SetCursor(crArrow);
        mouseInControl_ = true;
        Invalidate();
        if (OnMouseIn) OnMouseIn(this);
        break;
    case CM_MOUSELEAVE:
        Screen->SetCursor(crDefault);
        mouseInControl_ = false;
        Invalidate();
        MouseMove({}, -1, -1);
        if (OnMouseOut) OnMouseOut(this);
        break;
    default:
        break;
    }
}

void TVexoScroll_base::buttonDown(int x, int y) {
    mouseIsDown_ = true;
    lastMouse_ = Point(x, y);
    for (TVxScrollbarArea area : {saBtnArrowDown, saBtnArrowUp, saTrackDown, saTrackUp, saScroller}) {
        const TRect r = Area(area);
        if (!r.Contains(lastMouse_)) continue;
        mouseDownAt_ = area;
        if (area == saScroller) {
            dragging_ = true;
            dragStart_ = lastMouse_;
            grabOffset_ = Point(x - r.Left, y - r.Top);
        } else {
            repeatArea_ = area;
            repeatTimer_->SetEnabled(true);
        }
        Invalidate();
        return;
    }
}

void TVexoScroll_base::buttonUp(int x, int y) {
    if (!mouseIsDown_) return;
    mouseIsDown_ = false;
    lastMouse_ = Point(x, y);
    mouseDownAt_ = saNone;
    dragging_ = false;
    repeatTimer_->SetEnabled(false);
    Invalidate();
}

void TVexoScroll_base::DoScrollTimer(TObject*) {
    bool stop = Area(saScroller).Contains(lastMouse_);
    if (!stop) {
        // In 64 bits: a step past the end of int still lands on Max.
        const auto step = [this](std::int64_t delta) {
            SetPosition(static_cast<int>(std::clamp<std::int64_t>(position_ + delta, min_, max_)));
        };
        switch (repeatArea_) {
        case saBtnArrowDown:
            step(smallChange_);
            break;
        case saBtnArrowUp:
            step(-std::int64_t(smallChange_));
            break;
        case saTrackDown:
            step(largeChange_);
            break;
        case saTrackUp:
            step(-std::int64_t(largeChange_));
            break;
        default:
            break;
        }
        stop = position_ == min_ || position_ == max_;
    }
    if (stop) {
        repeatTimer_->SetEnabled(false);
        MouseMove({}, lastMouse_.x, lastMouse_.y);
    }
}

TVexoScroll::TVexoScroll(TComponent* owner) : TVexoScroll_base(owner) {
    RegisterScrollClasses();
}

} // namespace vexo
