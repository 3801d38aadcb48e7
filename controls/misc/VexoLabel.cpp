#include "controls/misc/VexoLabel.h"

#include "controls/misc/MiscProperties.h"
#include "framework/graphics/Gdi.h"
#include "framework/windows/TControlCanvas.h"

namespace vexo {

TPoint LabelTextOrigin(int width, int height, TTextDirection direction, TAlignment alignment,
                       TVAlignment vAlign, TSize caption) {
    const int cx = caption.cx, cy = caption.cy;
    const int w = width, h = height;
    // tvaOver has no line to sit on in a label: it reads as tvaTopJustify.
    const int v = vAlign == tvaOver ? tvaTopJustify : vAlign;
    const int a = alignment == taRightJustify ? 1 : alignment == taCenter ? 2 : 0;
    switch (direction) {
    case ttdUpToBottom: { // the cell lies left of and below the origin; the letters' tops face right
        const int x[] = {w, (w + cy) / 2, cy};
        const int y[] = {0, h - cx, (h - cx) / 2};
        return Point(x[v], y[a]);
    }
    case ttdBottomToUp: { // the cell lies right of and above the origin; the letters' tops face left
        const int x[] = {0, (w - cy) / 2, w - cy};
        const int y[] = {h, cx, (h + cx) / 2};
        return Point(x[v], y[a]);
    }
    default: {
        const int x[] = {0, w - cx, (w - cx) / 2};
        const int y[] = {0, (h - cy) / 2, h - cy};
        return Point(x[a], y[v]);
    }
    }
}

TVexoLabel::TVexoLabel(TComponent* owner) : TCustomLabel(owner) {
    RegisterMiscClasses();
    // The base class sized the label as its own text; this one measures without prefixes.
    AdjustBounds();
}

int TVexoLabel::angle() const {
    return textDirection_ == ttdUpToBottom ? -900 : textDirection_ == ttdBottomToUp ? 900 : 0;
}

TSize TVexoLabel::measure() const {
    // An empty caption still measures one line high, so that an auto-sized label does not vanish.
    const std::string text = Caption();
    return MeasureTextLine(*Font(), text.empty() ? std::string(" ") : text);
}

void TVexoLabel::setTextVAlignment(TVAlignment value) {
    textVAlignment_ = value;
    Invalidate();
}

void TVexoLabel::setTextDirection(TTextDirection value) {
    textDirection_ = value;
    AdjustBounds();
}

void TVexoLabel::AdjustBounds() {
    Invalidate();
    if (!AutoSize() || Align() != alNone || ComponentState().Contains(csLoading)) return;
    const TSize size = measure();
    if (textDirection_ == ttdLeftToRight)
        SetBounds(Left(), Top(), size.cx, size.cy);
    else
        SetBounds(Left(), Top(), size.cy, size.cx);
}

void TVexoLabel::Paint() {
    TControlCanvas* canvas = Canvas();
    canvas->SetFont(*Font());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(ClientRect());
    const std::string text = Caption();
    if (text.empty()) return;
    HDC dc = canvas->Handle();
    HFONT turned = CreateTurnedFont(*Font(), angle());
    HFONT previous = SelectObject(dc, turned);
    TSize size;
    GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size);
    const TPoint at = LabelTextOrigin(Width(), Height(), textDirection_, Alignment(), textVAlignment_, size);
    SetTextColor(dc, Font()->Color());
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, Color());
    TextOut(dc, at.x, at.y, text.data(), static_cast<int>(text.size()));
    SelectObject(dc, previous);
    DeleteObject(turned);
}

} // namespace vexo
