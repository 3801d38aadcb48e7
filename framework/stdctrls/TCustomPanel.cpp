#include "framework/stdctrls/TCustomPanel.h"

#include "framework/stdctrls/StdCtrlsProperties.h"

#include "framework/graphics/Gdi.h"
#include "framework/windows/TControlCanvas.h"

#include "framework/core/ScopeGuard.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace vexo {

namespace {

// Draws width rings inside rect, top and left in one colour, bottom and right in the other, and
// shrinks rect by them.
void frame3D(TCanvas* canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width) {
    for (int i = 0; i < width && !rect.IsEmpty(); ++i) {
        canvas->Brush()->SetColor(topLeft);
        canvas->FillRect(Rect(rect.Left, rect.Top, rect.Right - 1, rect.Top + 1));
        canvas->FillRect(Rect(rect.Left, rect.Top, rect.Left + 1, rect.Bottom - 1));
        canvas->Brush()->SetColor(bottomRight);
        canvas->FillRect(Rect(rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom));
        canvas->FillRect(Rect(rect.Right - 1, rect.Top, rect.Right, rect.Bottom));
        rect = Rect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
    }
}

void bevel(TCanvas* canvas, TRect& rect, TPanelBevel kind, TColor face, int width) {
    switch (kind) {
    case bvRaised:
        frame3D(canvas, rect, clBtnHighlight, clBtnShadow, width);
        break;
    case bvLowered:
        frame3D(canvas, rect, clBtnShadow, clBtnHighlight, width);
        break;
    case bvSpace:
        frame3D(canvas, rect, face, face, width);
        break;
    default:
        break;
    }
}

} // namespace

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    RegisterStdCtrlsClasses();
    SetControlStyle(ControlStyle() << csAcceptsControls << csOpaque << csReplicatable);
    SetColor(clBtnFace);
    SetBounds(Left(), Top(), 185, 41);
}

void TCustomPanel::changed() {
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TPanelBevel bevel) {
    if (bevel == bevelOuter_) return;
    bevelOuter_ = bevel;
    changed();
}

void TCustomPanel::SetBevelInner(TPanelBevel bevel) {
    if (bevel == bevelInner_) return;
    bevelInner_ = bevel;
    changed();
}

void TCustomPanel::SetBevelWidth(int width) {
    width = std::max(1, width);
    if (width == bevelWidth_) return;
    bevelWidth_ = width;
    changed();
}

void TCustomPanel::SetBorderWidth(int width) {
    width = std::max(0, width);
    if (width == borderWidth_) return;
    borderWidth_ = width;
    changed();
}

void TCustomPanel::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    Invalidate();
}

void TCustomPanel::SetAutoSize(bool value) {
    autoSize_ = value;
    fitToChildren();
}

void TCustomPanel::AlignControls(TControl* control, TRect& rect) {
    TCustomControl::AlignControls(control, rect);
    fitToChildren();
}

void TCustomPanel::fitToChildren() {
    if (!autoSize_ || fitting_) return;
    TRect extent{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    std::vector<TControl*> children;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Align() != alNone || !c->Visible()) continue;
        children.push_back(c);
        extent.Left = std::min(extent.Left, c->Left());
        extent.Top = std::min(extent.Top, c->Top());
        extent.Right = std::max(extent.Right, c->Left() + c->Width());
        extent.Bottom = std::max(extent.Bottom, c->Top() + c->Height());
    }
    if (children.empty()) return;
    fitting_ = true;
    ScopeGuard done([this] { fitting_ = false; });
    TRect inner = ClientRect();
    AdjustClientRect(inner);
    const int dx = inner.Left - extent.Left, dy = inner.Top - extent.Top;
    for (TControl* c : children)
        c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
    SetBounds(Left(), Top(), extent.Width() + Width() - inner.Width(),
              extent.Height() + Height() - inner.Height());
}

void TCustomPanel::AdjustClientRect(TRect& rect) {
    int inset = borderWidth_;
    if (bevelOuter_ != bvNone) inset += bevelWidth_;
    if (bevelInner_ != bvNone) inset += bevelWidth_;
    rect = Rect(rect.Left + inset, rect.Top + inset, rect.Right - inset, rect.Bottom - inset);
}

void TCustomPanel::Paint() {
    TControlCanvas* canvas = Canvas();
    TRect rect = ClientRect();
    bevel(canvas, rect, bevelOuter_, Color(), bevelWidth_);
    frame3D(canvas, rect, Color(), Color(), borderWidth_);
    bevel(canvas, rect, bevelInner_, Color(), bevelWidth_);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(rect);
    if (Caption().empty()) return;
    canvas->SetFont(*Font());
    canvas->Brush()->SetStyle(bsClear);
    static constexpr unsigned horizontal[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    DrawTextEx(canvas->Handle(), Caption(), &rect,
               DT_EXPANDTABS | DT_VCENTER | DT_SINGLELINE |
                   horizontal[alignment_ <= taCenter ? alignment_ : taCenter]);
}

} // namespace vexo
