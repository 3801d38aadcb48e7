#include "framework/windows/TControlScrollBar.h"

#include "framework/windows/TScrollBox.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <cstdint>

namespace vexo {

TControlScrollBar::TControlScrollBar(TScrollBox* box, TScrollBarKind kind) : box_(box), kind_(kind) {}

int TControlScrollBar::clientExtent() const {
    const TRect r = box_->ClientRect();
    return kind_ == sbHorizontal ? r.Width() : r.Height();
}

int TControlScrollBar::maxPosition() const {
    return std::max(0, range_ - clientExtent());
}

void TControlScrollBar::SetRange(int range) {
    range = std::max(0, range);
    if (range == range_) return;
    const bool wasShown = IsScrollBarVisible();
    if (wasShown && range > range_) {
        // A shown bar stays shown over a longer range, and the position still fits: the common case
        // of rows appended one at a time needs nothing but the new range.
        range_ = range;
        syncLater();
        return;
    }
    range_ = range;
    // Showing or hiding the bar changes the client area; any other range change only the bar.
    if (IsScrollBarVisible() != wasShown) box_->layoutBars();
    if (std::clamp(position_, 0, maxPosition()) != position_)
        SetPosition(position_); // the shorter range pulls the position back: scrolls, and shows it now
    else
        syncLater();
}

void TControlScrollBar::SetPosition(int position) {
    position = std::clamp(position, 0, maxPosition());
    if (position == position_) {
        sync();
        return;
    }
    const int delta = position - position_;
    position_ = position;
    if (kind_ == sbHorizontal)
        box_->ScrollBy(-delta, 0);
    else
        box_->ScrollBy(0, -delta);
    sync();
}

void TControlScrollBar::SetIncrement(int increment) {
    increment = std::clamp(increment, 1, 32767);
    if (increment == increment_) return;
    increment_ = increment;
    sync();
}

void TControlScrollBar::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    box_->layoutBars();
}

bool TControlScrollBar::IsScrollBarVisible() const {
    if (!visible_) return false;
    // Decided on the extent without this bar, so that the two bars do not chase each other.
    const int extent = kind_ == sbHorizontal ? box_->Width() : box_->Height();
    return range_ > extent - 2 * box_->frameWidth();
}

int TControlScrollBar::Size() const {
    if (!bar_) return 16;
    if (size_ < 0) size_ = kind_ == sbHorizontal ? bar_->sizeHint().height() : bar_->sizeHint().width();
    return size_;
}

void TControlScrollBar::syncLater() {
    if (!bar_ || syncQueued_) return;
    syncQueued_ = true;
    // Bound to the Qt bar: a bar destroyed before the call takes the call with it.
    QMetaObject::invokeMethod(
        bar_.data(),
        [this] {
            syncQueued_ = false;
            sync();
        },
        Qt::QueuedConnection);
}

void TControlScrollBar::sync() {
    if (!bar_) return;
    QScrollBar* bar = bar_.data();
    if (pushed_.bar != bar) pushed_ = Pushed{-1, -1, -1, -1, bar}; // a new window, a new bar
    const int extent = clientExtent();
    const int max = std::max(0, range_ - extent);
    const int page = std::max(1, extent);
    const bool sliderDown = bar->isSliderDown();
    if (max == pushed_.max && page == pushed_.page && increment_ == pushed_.step &&
        position_ == pushed_.position && !sliderDown && bar->value() == position_)
        return;
    const QSignalBlocker block(bar);
    if (max != pushed_.max) bar->setRange(0, max);
    if (page != pushed_.page) bar->setPageStep(page);
    if (increment_ != pushed_.step) bar->setSingleStep(increment_);
    if (!sliderDown) bar->setSliderPosition(position_);
    bar->setValue(position_);
    pushed_ = Pushed{max, page, increment_, position_, bar};
}

void TControlScrollBar::ScrollMessage(int code, int thumb) {
    switch (code) {
    case SB_LINEUP:
        SetPosition(position_ - increment_);
        break;
    case SB_LINEDOWN:
        SetPosition(position_ + increment_);
        break;
    case SB_PAGEUP:
        SetPosition(position_ - clientExtent());
        break;
    case SB_PAGEDOWN:
        SetPosition(position_ + clientExtent());
        break;
    case SB_THUMBPOSITION:
        SetPosition(ThumbPosition(thumb));
        break;
    case SB_THUMBTRACK:
        if (tracking_) SetPosition(ThumbPosition(thumb));
        break;
    case SB_TOP:
        SetPosition(0);
        break;
    case SB_BOTTOM:
        SetPosition(maxPosition());
        break;
    default:
        break;
    }
}

int TControlScrollBar::ThumbPosition(int messageThumb) const {
    return trackPos_ >= 0 ? trackPos_ : static_cast<int>(static_cast<std::uint16_t>(messageThumb));
}

} // namespace vexo
