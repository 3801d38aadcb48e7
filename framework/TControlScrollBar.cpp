#include "framework/TControlScrollBar.h"

#include "framework/TScrollBox.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

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
    range_ = range;
    box_->layoutBars();
    SetPosition(position_);
    sync();
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
    increment_ = std::clamp(increment, 1, 32767);
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
    if (bar_) return kind_ == sbHorizontal ? bar_->sizeHint().height() : bar_->sizeHint().width();
    return 16;
}

void TControlScrollBar::sync() {
    if (!bar_) return;
    const QSignalBlocker block(bar_.data());
    bar_->setRange(0, maxPosition());
    bar_->setPageStep(std::max(1, clientExtent()));
    bar_->setSingleStep(increment_);
    if (!bar_->isSliderDown()) bar_->setSliderPosition(position_);
    bar_->setValue(position_);
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
        SetPosition(thumb);
        break;
    case SB_THUMBTRACK:
        if (tracking_) SetPosition(thumb);
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
