#include "framework/graphics/TBrush.h"

namespace vexo {

void TBrush::SetColor(TColor value) {
    // Code written for the framework sets a colour after a clear style and expects a fill again.
    const TBrushStyle style = value == clNone ? bsClear : (style_ == bsClear ? bsSolid : style_);
    if (value == color_ && style == style_) return;
    color_ = value;
    style_ = style;
    Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
    if (value == style_) return;
    style_ = value;
    Changed();
}

void TBrush::Assign(const TBrush& source) {
    if (source == *this) return;
    color_ = source.color_;
    style_ = source.style_;
    Changed();
}

} // namespace vexo
