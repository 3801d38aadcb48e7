#include "controls/grid/FontAttr.h"

#include "framework/graphics/TCanvas.h"

namespace vexo {

void TFontAttr::Assign(const TPersistent* source) {
    const auto* other = dynamic_cast<const TFontAttr*>(source);
    if (!other) return;
    color_ = other->color_;
    colorSel_ = other->colorSel_;
    styles_ = other->styles_;
    backColor_ = other->backColor_;
    backColorSel_ = other->backColorSel_;
}

void TFontAttr::ApplyTo(TCanvas* canvas, bool selected) const {
    if (!canvas) return;
    canvas->Font()->SetStyle(styles_);
    canvas->Font()->SetColor(selected ? colorSel_ : color_);
    const TColor back = selected ? backColorSel_ : backColor_;
    if (back != clNone) {
        canvas->Brush()->SetColor(back);
        canvas->Pen()->SetColor(back);
    }
}

TFontAttrs::TFontAttrs() {
    for (auto& attr : attrs_)
        attr = std::make_unique<TFontAttr>();
}

TFontAttrs::~TFontAttrs() = default;

TFontAttr* TFontAttrs::Attr(int index) const {
    return index >= 0 && index < Count ? attrs_[static_cast<std::size_t>(index)].get() : nullptr;
}

void TFontAttrs::SetAttr(int index, const TFontAttr* value) {
    if (TFontAttr* attr = Attr(index)) attr->Assign(value);
}

void TFontAttrs::Assign(const TPersistent* source) {
    const auto* other = dynamic_cast<const TFontAttrs*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    for (int i = 0; i < Count; ++i)
        SetAttr(i, other->Attr(i));
}

} // namespace vexo
