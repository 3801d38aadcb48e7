// How it works: the Qt scroll bars are children of the box's window, laid over its right and bottom
// edges; the client area is what they leave. A bar action becomes WM_HSCROLL / WM_VSCROLL (low word
// the SB_ code, high word the thumb position's low 16 bits; the bar's ThumbPosition has all of it)
// sent to the box's window procedure; the default handling moves Position, and afterwards the Qt
// bar shows whatever Position the window procedure left, so that a control that handles the
// message itself decides where the bar stands. While the thumb is dragged the Qt bar follows the
// pointer, as the platform's does. Releasing the mouse after any bar action sends SB_ENDSCROLL.
#include "framework/windows/TScrollBox.h"

#include "framework/core/ScopeGuard.h"
#include "framework/graphics/Gdi.h"
#include "framework/windows/TWindowWidget_p.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace vexo {

namespace {

constexpr int kBorder = 2;

class QtBar : public QScrollBar {
public:
    QtBar(Qt::Orientation orientation, QWidget* parent, std::function<void(int, int)> send)
        : QScrollBar(orientation, parent), send_(std::move(send)) {
        setFocusPolicy(Qt::NoFocus);
        connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) { act(action); });
        connect(this, &QAbstractSlider::sliderReleased, this,
                [this] { send_(SB_THUMBPOSITION, sliderPosition()); });
    }

protected:
    void mouseReleaseEvent(QMouseEvent* e) override {
        QPointer<QtBar> self(this);
        QScrollBar::mouseReleaseEvent(e);
        if (self && e->button() == Qt::LeftButton) send_(SB_ENDSCROLL, 0);
    }

private:
    void act(int action) {
        const bool vertical = orientation() == Qt::Vertical;
        switch (action) {
        case SliderSingleStepAdd:
            send_(vertical ? SB_LINEDOWN : SB_LINERIGHT, 0);
            break;
        case SliderSingleStepSub:
            send_(vertical ? SB_LINEUP : SB_LINELEFT, 0);
            break;
        case SliderPageStepAdd:
            send_(vertical ? SB_PAGEDOWN : SB_PAGERIGHT, 0);
            break;
        case SliderPageStepSub:
            send_(vertical ? SB_PAGEUP : SB_PAGELEFT, 0);
            break;
        case SliderToMinimum:
            send_(vertical ? SB_TOP : SB_LEFT, 0);
            break;
        case SliderToMaximum:
            send_(vertical ? SB_BOTTOM : SB_RIGHT, 0);
            break;
        case SliderMove:
            send_(SB_THUMBTRACK, sliderPosition());
            break;
        default:
            break;
        }
    }
    std::function<void(int, int)> send_;
};

} // namespace

TScrollBox::TScrollBox(TComponent* owner)
    : TWinControl(owner), horz_(std::make_unique<TControlScrollBar>(this, sbHorizontal)),
      vert_(std::make_unique<TControlScrollBar>(this, sbVertical)) {
    SetControlStyle(ControlStyle() << csAcceptsControls);
    SetBounds(Left(), Top(), 185, 41);
}

TScrollBox::~TScrollBox() = default;

int TScrollBox::frameWidth() const {
    return borderStyle_ == bsSingle ? kBorder : 0;
}

void TScrollBox::SetAutoScroll(bool value) {
    autoScroll_ = value;
    if (value) calcAutoRange();
}

void TScrollBox::SetBorderStyle(TBorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    layoutBars();
    Realign();
    Invalidate();
}

TRect TScrollBox::ClientRect() const {
    // Asked for on every appended row of a grid; it changes only with the size, the border and
    // the showing of a bar, and the last two go through layoutBars, which forgets it.
    if (clientCache_.valid && clientCache_.width == Width() && clientCache_.height == Height())
        return clientCache_.rect;
    int w = Width() - 2 * frameWidth(), h = Height() - 2 * frameWidth();
    if (vert_ && vert_->IsScrollBarVisible()) w -= vert_->Size();
    if (horz_ && horz_->IsScrollBarVisible()) h -= horz_->Size();
    clientCache_ = {true, Width(), Height(), Rect(0, 0, std::max(0, w), std::max(0, h))};
    return clientCache_.rect;
}

void TScrollBox::ScrollBy(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    DisableAlign();
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
    }
    EnableAlign();
    Invalidate();
}

void TScrollBox::CreateWnd() {
    TWinControl::CreateWnd();
    QWidget* window = WindowWidget();
    if (!window) return;
    auto makeBar = [this, window](TControlScrollBar* bar, Qt::Orientation o) {
        bar->bar_ =
            new QtBar(o, window, [this, bar](int code, int thumb) { scrollAction(bar, code, thumb); });
        clientCache_.valid = false; // a real bar has its own thickness
        bar->pushed_ = {};
        bar->syncQueued_ = false;
        bar->trackPos_ = -1; // a thumb action of the old window ended with it
        bar->size_ = -1;
    };
    makeBar(horz_.get(), Qt::Horizontal);
    makeBar(vert_.get(), Qt::Vertical);
    layoutBars();
}

void TScrollBox::scrollAction(TControlScrollBar* bar, int code, int thumb) {
    const UINT msg = bar->Kind() == sbHorizontal ? WM_HSCROLL : WM_VSCROLL;
    QPointer<QScrollBar> qtBar = bar->bar_;
    // The message has 16 bits for the thumb; the bar keeps all of it while the message is handled.
    if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) bar->trackPos_ = thumb;
    {
        // The bar goes with its window: only a bar still there is reset.
        const ScopeGuard endTrack([&] {
            if (qtBar) bar->trackPos_ = -1;
        });
        Perform(msg, MAKEWPARAM(code, thumb), 0);
    }
    // During a drag the thumb follows the pointer; otherwise the bar shows the resulting Position.
    if (qtBar && !(code == SB_THUMBTRACK && qtBar->isSliderDown())) {
        const QSignalBlocker block(qtBar.data());
        qtBar->setSliderPosition(bar->Position());
    }
}

void TScrollBox::layoutBars() {
    clientCache_.valid = false;
    QWidget* window = WindowWidget();
    const int b = borderStyle_ == bsSingle ? kBorder : 0;
    const bool showH = horz_->IsScrollBarVisible();
    const bool showV = vert_->IsScrollBarVisible();
    if (window) {
        const int hs = horz_->Size(), vs = vert_->Size();
        if (QScrollBar* h = horz_->bar_) {
            h->setGeometry(b, Height() - b - hs, Width() - 2 * b - (showV ? vs : 0), hs);
            h->setVisible(showH);
            h->raise();
        }
        if (QScrollBar* v = vert_->bar_) {
            v->setGeometry(Width() - b - vs, b, vs, Height() - 2 * b - (showH ? hs : 0));
            v->setVisible(showV);
            v->raise();
        }
    }
    horz_->sync();
    vert_->sync();
}

void TScrollBox::BoundsChanged() {
    TWinControl::BoundsChanged();
    layoutBars();
    horz_->SetPosition(horz_->Position());
    vert_->SetPosition(vert_->Position());
}

void TScrollBox::AlignControls(TControl* control, TRect& rect) {
    if (borderStyle_ == bsSingle) {
        // The border takes the edge of the client area.
        rect.Left += kBorder;
        rect.Top += kBorder;
        rect.Right += kBorder;
        rect.Bottom += kBorder;
    }
    TWinControl::AlignControls(control, rect);
    if (autoScroll_ && !updatingRange_) calcAutoRange();
}

void TScrollBox::calcAutoRange() {
    int right = 0, bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible() || c->Align() != alNone) continue;
        right = std::max(right, c->Left() + c->Width() + horz_->Position());
        bottom = std::max(bottom, c->Top() + c->Height() + vert_->Position());
    }
    updatingRange_ = true;
    horz_->SetRange(right);
    vert_->SetRange(bottom);
    updatingRange_ = false;
}

void TScrollBox::PaintWindow(HDC dc) {
    if (borderStyle_ != bsSingle || !dc) return;
    TRect r = Rect(0, 0, Width(), Height());
    DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
}

void TScrollBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_HSCROLL:
        horz_->ScrollMessage(LOWORD(message.WParam), HIWORD(message.WParam));
        message.Result = 0;
        return;
    case WM_VSCROLL:
        vert_->ScrollMessage(LOWORD(message.WParam), HIWORD(message.WParam));
        message.Result = 0;
        return;
    case WM_SIZE:
        layoutBars();
        TWinControl::Dispatch(message);
        return;
    default:
        TWinControl::Dispatch(message);
        return;
    }
}

} // namespace vexo
