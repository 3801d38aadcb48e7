#include "framework/stdctrls/TCustomLabel.h"

#include "framework/stdctrls/StdCtrlsProperties.h"

#include "framework/graphics/Gdi.h"
#include "framework/graphics/TBitmap.h"
#include "framework/windows/TControlCanvas.h"
#include "framework/windows/TWinControl.h"

namespace vexo {

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
    RegisterStdCtrlsClasses();
    SetControlStyle(ControlStyle() << csOpaque << csReplicatable);
    SetBounds(Left(), Top(), 65, 17);
    SetParentColor(true);
    AdjustBounds();
}

TCustomLabel::~TCustomLabel() {
    SetFocusControl(nullptr);
}

void TCustomLabel::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value) {
    if (value == layout_) return;
    layout_ = value;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool value) {
    if (value == autoSize_) return;
    autoSize_ = value;
    AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool value) {
    if (value == wordWrap_) return;
    wordWrap_ = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    TControlStyle style = ControlStyle();
    if (value)
        style >> csOpaque;
    else
        style << csOpaque;
    SetControlStyle(style);
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
    if (value == showAccelChar_) return;
    showAccelChar_ = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* control) {
    SetReference(focusControl_, control);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    DropReference(focusControl_, component, operation);
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

unsigned TCustomLabel::drawFlags() const {
    static constexpr unsigned horizontal[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    unsigned flags = DT_EXPANDTABS | horizontal[alignment_ <= taCenter ? alignment_ : taLeftJustify];
    if (wordWrap_) flags |= DT_WORDBREAK;
    return flags;
}

void TCustomLabel::DoDrawText(HDC dc, TRect& rect, unsigned flags) const {
    std::string text = Caption();
    // An empty caption (or a lone prefix) still measures one line high, so that an auto-sized
    // label does not collapse to nothing.
    if ((flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == "&"))) text += ' ';
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    if (Enabled()) {
        SetTextColor(dc, Font()->Color());
        DrawTextEx(dc, text, &rect, flags);
        return;
    }
    TRect shifted = Rect(rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1);
    SetTextColor(dc, clBtnHighlight);
    DrawTextEx(dc, text, &shifted, flags);
    SetTextColor(dc, clBtnShadow);
    DrawTextEx(dc, text, &rect, flags);
}

void TCustomLabel::Paint() {
    TControlCanvas* canvas = Canvas();
    TRect rect = ClientRect();
    if (!transparent_) {
        canvas->Brush()->SetColor(Color());
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(rect);
    }
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetFont(*Font());
    HDC dc = canvas->Handle();
    SetBkMode(dc, TRANSPARENT);
    const unsigned flags = drawFlags();
    if (layout_ != tlTop) {
        TRect measured = rect;
        DoDrawText(dc, measured, flags | DT_CALCRECT);
        const int offset =
            layout_ == tlBottom ? Height() - measured.Bottom : (Height() - measured.Bottom) / 2;
        rect.Top += offset;
        rect.Bottom += offset;
    }
    DoDrawText(dc, rect, flags);
}

void TCustomLabel::AdjustBounds() {
    Invalidate();
    if (!autoSize_ || ComponentState().Contains(csLoading)) return;
    // Measured on a scratch bitmap: the label may have no parent window to measure on yet.
    TBitmap scratch;
    scratch.SetSize(1, 1);
    TCanvas* canvas = scratch.Canvas();
    canvas->SetFont(*Font());
    TRect rect = ClientRect();
    DoDrawText(canvas->Handle(), rect, (drawFlags() & ~(DT_CENTER | DT_RIGHT)) | DT_CALCRECT);
    int left = Left();
    // A right-aligned or centred label grows away from the edge or the centre it keeps.
    if (alignment_ == taRightJustify)
        left += Width() - rect.Right;
    else if (alignment_ == taCenter)
        left += (Width() - rect.Right) / 2;
    SetBounds(left, Top(), rect.Right, rect.Bottom);
}

} // namespace vexo
