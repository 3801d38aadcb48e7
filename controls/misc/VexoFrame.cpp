// How it works: FrameGeometry turns the frame's size, margin, alignment and the text's one-line
// extent into three places: the rectangle the lines run on, the text rectangle (where horizontal
// text is laid out and clicks on the text land) and the origin of turned text. Paint fills the
// surface, draws the chosen sides on the line rectangle and the text over them; a tvaOver caption
// is drawn on an opaque background and so interrupts the top line it sits on. Last, each child is
// sent VM_PRINTLABEL: an edit control draws its label on the frame, which the fill just covered.
// The click handlers lay the frame out again, so that a click after a change that has not been
// painted yet meets the text where it will be.
#include "controls/misc/VexoFrame.h"

#include "controls/common/ControlMessages.h"
#include "controls/misc/MiscProperties.h"
#include "framework/core/TStringList.h"
#include "framework/graphics/Gdi.h"
#include "framework/graphics/TFont.h"
#include "framework/windows/Messages.h"
#include "framework/windows/TControlCanvas.h"

#include <cassert>

namespace vexo {

TFrameGeometry FrameGeometry(const TFrameMetrics& m) {
    const int b = m.border;
    TFrameGeometry g;
    g.lines = Rect(0, 0, m.width, m.height);
    const bool over = m.hasText && m.vAlign == tvaOver;
    if (over) {
        g.text = Rect(2 * b + 1, 0, m.width - 2 * b - 1, m.text.cy);
        // The top line runs through the middle of the caption.
        g.lines.Top += m.text.cy / 2;
    } else if (m.hasText) {
        g.text = Rect(b + 1, b + 1, m.width - b - 1, m.height - b - 1);
    }
    // Turned text ignores the alignments: it is centred on the height, starting inside the margin
    // of the client rectangle that aligned children see.
    const int left = b;
    const int top = m.vAlign == tvaOver ? TVexoFrame::OverCaptionInset : 0;
    const int along = m.text.cx, across = m.text.cy;
    if (m.direction == ttdUpToBottom)
        g.turnedOrigin = Point(left + across, top + (m.height - along) / 2);
    else if (m.direction == ttdBottomToUp)
        g.turnedOrigin = Point(left, top + (m.height - along) / 2 + along);
    return g;
}

TVexoFrame::TVexoFrame(TComponent* owner) : TCustomPanel(owner), lines_(std::make_unique<TStringList>()) {
    RegisterMiscClasses();
    // The panel's raised outer bevel stays: the frame never draws it, but its width still insets
    // the aligned children, as stored layouts expect (a border of 2 puts them 3 pixels in).
    // The text starts empty, not as the component's name.
    SetControlStyle(ControlStyle() >> csSetCaption);
    SetParentColor(true);
}

TVexoFrame::~TVexoFrame() = default;

void TVexoFrame::changed() {
    Invalidate();
}

void TVexoFrame::setFrameColor(TColor color) {
    frameColor_ = color;
    changed();
}

bool TVexoFrame::getDrawFrame(int index) const {
    return index >= 0 && index < 4 && drawSide_[index];
}

void TVexoFrame::setDrawFrame(int index, bool value) {
    if (index < 0 || index >= 4) return;
    drawSide_[index] = value;
    changed();
}

void TVexoFrame::setHideFrame(bool value) {
    hideFrame_ = value;
    changed();
}

void TVexoFrame::setTextWrap(bool value) {
    textWrap_ = value;
    changed();
}

void TVexoFrame::setTextAlignment(TAlignment value) {
    textAlignment_ = value;
    changed();
}

void TVexoFrame::setTextVAlignment(TVAlignment value) {
    const bool realign = (value == tvaOver) != (textVAlignment_ == tvaOver);
    textVAlignment_ = value;
    if (realign) Realign();
    changed();
}

void TVexoFrame::setTextColor(TColor color) {
    textColor_ = color;
    changed();
}

void TVexoFrame::setTextDirection(TTextDirection value) {
    textDirection_ = value;
    changed();
}

void TVexoFrame::setTextStyles(TFontStyles value) {
    textStyles_ = value;
    changed();
}

TStringList* TVexoFrame::Lines() {
    lines_->SetText(Text());
    return lines_.get();
}

void TVexoFrame::SetLines(const TStringList& lines) {
    std::string text = lines.GetText();
    // The list ends every line in a break; the text has breaks only between lines.
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    setText(text);
}

void TVexoFrame::AdjustClientRect(TRect& rect) {
    TCustomPanel::AdjustClientRect(rect);
    if (textVAlignment_ == tvaOver) rect.Top += OverCaptionInset;
}

TFrameGeometry TVexoFrame::layout() {
    TFrameMetrics m{Width(), Height(), BorderWidth(), textVAlignment_, textDirection_, !Text().empty(), {}};
    if (m.hasText) {
        TFont font;
        font.Assign(*Font());
        font.SetStyle(textStyles_);
        m.text = MeasureTextLine(font, Text());
    }
    return FrameGeometry(m);
}

void TVexoFrame::Paint() {
    TControlCanvas* canvas = Canvas();
    const TFrameGeometry g = layout();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(ClientRect());
    canvas->Pen()->SetColor(frameColor_);
    canvas->Pen()->SetWidth(1);
    const TRect& r = g.lines;
    const bool* side = drawSide_;
    if (!hideFrame_ && side[0] && side[1] && side[2] && side[3]) {
        canvas->Rectangle(r);
    } else if (!hideFrame_) {
        // LineTo leaves out the end pixel, so each line stays within r.
        const auto line = [canvas](int x0, int y0, int x1, int y1) {
            canvas->MoveTo(x0, y0);
            canvas->LineTo(x1, y1);
        };
        if (side[0]) line(r.Left, r.Top, r.Left, r.Bottom);
        if (side[1]) line(r.Right - 1, r.Top, r.Right - 1, r.Bottom);
        if (side[2]) line(r.Left, r.Top, r.Right, r.Top);
        if (side[3]) line(r.Left, r.Bottom - 1, r.Right, r.Bottom - 1);
    }
    if (!Text().empty()) drawText();
    // The edit controls on the frame draw their labels on it, beside themselves: over the paint.
    for (int i = 0; i < ControlCount(); ++i)
        Controls(i)->Perform(VM_PRINTLABEL, 0, 0);
}

void TVexoFrame::drawText() {
    if (Text().empty()) return;
    TControlCanvas* canvas = Canvas();
    const TFrameGeometry g = layout();
    TFont remembered;
    remembered.Assign(*canvas->Font());
    canvas->SetFont(*Font());
    canvas->Font()->SetColor(textColor_);
    canvas->Font()->SetStyle(textStyles_);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    HDC dc = canvas->Handle();
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, Color());
    if (textDirection_ == ttdLeftToRight) {
        static constexpr unsigned horizontal[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
        static constexpr unsigned vertical[] = {DT_TOP, DT_VCENTER, DT_BOTTOM, DT_TOP};
        unsigned flags = horizontal[textAlignment_ <= taCenter ? textAlignment_ : taCenter] |
                         vertical[textVAlignment_ <= tvaOver ? textVAlignment_ : tvaTopJustify] | DT_NOPREFIX;
        flags |= textWrap_ ? DT_WORDBREAK : DT_SINGLELINE;
        TRect rect = g.text;
        DrawTextEx(dc, Text(), &rect, flags);
    } else {
        HFONT turned = CreateTurnedFont(*canvas->Font(), textDirection_ == ttdUpToBottom ? 2700 : 900);
        HFONT previous = SelectObject(dc, turned);
        TextOut(dc, g.turnedOrigin.x, g.turnedOrigin.y, Text().data(), static_cast<int>(Text().size()));
        SelectObject(dc, previous);
        DeleteObject(turned);
    }
    canvas->SetFont(remembered);
}

bool TVexoFrame::textClick(const TMessage& message, const TNotifyEvent& event) {
    if (!event) return false;
    // The point the message carries, not where the pointer has gone since.
    lastClick_ = Point(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
    if (!layout().text.Contains(lastClick_)) return false;
    event(this);
    return true;
}

void TVexoFrame::WndProc(TMessage& message) {
    if (!ComponentState().Contains(csDesigning)) {
        switch (message.Msg) {
        case WM_SETFOCUS:
            // The frame passes the focus on to its first child that takes it.
            for (int i = 0; i < ControlCount(); ++i) {
                auto* child = dynamic_cast<TWinControl*>(Controls(i));
                if (child && child->TabStop() && child->CanFocus()) {
                    child->SetFocus();
                    message.Result = 0;
                    return;
                }
            }
            break;
        case WM_LBUTTONUP:
            if (textClick(message, OnTextClick)) Invalidate();
            break;
        case WM_LBUTTONDBLCLK:
            if (textClick(message, OnTextDoubleClick)) Invalidate();
            break;
        default:
            break;
        }
    }
    TCustomPanel::WndProc(message);
}

} // namespace vexo
