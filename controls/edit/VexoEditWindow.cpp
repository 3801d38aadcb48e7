// The window side of the edit control: its window's styles and life, the text rectangle, the
// memo's scroll bar, the painting over the editor and the window procedure.
#include "controls/edit/VexoEdit.h"

#include "controls/common/ControlMessages.h"
#include "framework/graphics/Gdi.h"
#include "framework/graphics/TBitmap.h"
#include "framework/windows/TApplication.h"
#include "framework/windows/TControlCanvas.h"
#include "framework/windows/WinApi.h"

#include <algorithm>
#include <array>
#include <exception>

namespace vexo {

namespace {

// A 3 x 5 arrow glyph, black on white; rows gives the black pixels' x range per row.
TBitmap* makeGlyph(const std::array<std::pair<int, int>, 5>& rows) {
    auto* glyph = new TBitmap;
    glyph->SetSize(3, 5);
    TCanvas* c = glyph->Canvas();
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x) {
            const auto [from, to] = rows[static_cast<std::size_t>(y)];
            c->SetPixels(x, y, x >= from && x <= to ? clBlack : clWhite);
        }
    glyph->SetTransparentMode(tmFixed);
    glyph->SetTransparentColor(clWhite);
    glyph->SetTransparent(true);
    return glyph;
}

} // namespace

// Shared by every edit for the life of the program.
TBitmap* VexoEditPrevGlyph() {
    static TBitmap* glyph = makeGlyph({{{2, 2}, {1, 2}, {0, 2}, {1, 2}, {2, 2}}});
    return glyph;
}
TBitmap* VexoEditNextGlyph() {
    static TBitmap* glyph = makeGlyph({{{0, 0}, {0, 1}, {0, 2}, {0, 1}, {0, 0}}});
    return glyph;
}

void TVexoEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.WinClassName = "EDIT";
    params.Style |= WS_BORDER;
    params.Style |= mode_ == sEditMemo ? (ES_MULTILINE | ES_AUTOVSCROLL) : (ES_AUTOHSCROLL | ES_AUTOVSCROLL);
    if (readOnly_) params.Style |= ES_READONLY;
    if (charCase_ == ecUpperCase) params.Style |= ES_UPPERCASE;
    if (charCase_ == ecLowerCase) params.Style |= ES_LOWERCASE;
    if (!hideSelection_) params.Style |= ES_NOHIDESEL;
    if (oemConvert_) params.Style |= ES_OEMCONVERT;
}

void TVexoEdit::CreateWnd() {
    creating_ = true;
    TWinControl::CreateWnd();
    creating_ = false;
    DoSetMaxLength(maxLength_);
    SetModified(savedModified_);
    if (passwordChar_ != 0) Perform(EM_SETPASSWORDCHAR, passwordChar_);
    SetCursor(IsCombo() ? crHandPoint : crIBeam);
    SetEditRect();
}

void TVexoEdit::DestroyWnd() {
    if (HandleAllocated()) {
        savedModified_ = GetModified();
        // The next window starts with the text this one shows.
        SetCaption(windowText());
    }
    TWinControl::DestroyWnd();
}

void TVexoEdit::Loaded() {
    TWinControl::Loaded();
    if (textLoaded_) {
        textLoaded_ = false;
        setText(loadedText_);
    }
    if (mode_ == sEditMemo) {
        resetScrollBar();
        scrollBar_->Show();
        if (HandleAllocated()) Perform(EM_SETSEL, 0, 0);
        Situa_ScrollBar();
    } else {
        scrollBar_->Hide();
    }
    SetEditRect();
}

void TVexoEdit::Resize() {
    TWinControl::Resize();
    SetEditRect();
}

void TVexoEdit::resetScrollBar() {
    scrollBar_->Hide();
    scrollBar_->SetAlign(alNone);
    scrollBar_->SetWidth(ScrollBarWidth);
    scrollBar_->SetButtonWidth(ScrollBarWidth);
    scrollBar_->SetScrollerWidth(ScrollBarWidth);
    scrollBar_->SetKind(sbVertical);
    scrollBar_->SetAlign(alRight);
}

void TVexoEdit::placeScrollBar() {
    resetScrollBar();
    if (mode_ != sEditMemo) return;
    scrollBar_->Show();
    Situa_ScrollBar();
}

void TVexoEdit::SetEditRect() {
    if (!HandleAllocated()) return;
    TRect rect{};
    Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
    int reserve = 0;
    switch (mode_) {
    case sEditList:
    case sEditBoolean:
        reserve = 20;
        break;
    case sEditDate:
        // The navigator boxes reach 32 from the edge: the text may run 6 pixels under the left one.
        reserve = dateNavigator_ ? 26 : 20;
        break;
    case sEditMemo:
        resetScrollBar();
        scrollBar_->Show();
        reserve = scrollBar_->Width() + 6;
        break;
    default:
        scrollBar_->Hide();
        break;
    }
    rect = Rect(0, 0, ClientWidth() - reserve, ClientHeight());
    Perform(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&rect));
}

int TVexoEdit::GetLineHeight() {
    canvas_->SetFont(*Font());
    return canvas_->TextHeight("Xy");
}

void TVexoEdit::Situa_ScrollBar() {
    if (mode_ != sEditMemo) return;
    if (!HandleAllocated() || windowText().empty()) {
        scrollBar_->SetEnabled(false);
        return;
    }
    const int h = std::max(1, GetLineHeight());
    const int lines = static_cast<int>(Perform(EM_GETLINECOUNT));
    const int visible = ClientHeight() / h;
    if (lines >= visible) {
        scrollBar_->SetEnabled(true);
        scrollBar_->SetMin(0);
        scrollBar_->SetMax(lines - visible + 1);
        scrollBar_->SetPosition(static_cast<int>(Perform(EM_GETFIRSTVISIBLELINE)));
    } else {
        scrollBar_->SetEnabled(false);
    }
}

void TVexoEdit::ScrollBarMove(TObject* sender, TScrollCode code, int& position) {
    (void)sender;
    if (code != scPosition || !HandleAllocated()) return;
    Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position));
}

void TVexoEdit::wheel(TMessage& message) {
    if (mode_ != sEditMemo) {
        message.Result = 1; // swallowed
        return;
    }
    if (!scrollBar_->Enabled()) {
        TWinControl::Dispatch(message);
        return;
    }
    const int delta = GET_WHEEL_DELTA_WPARAM(message.WParam);
    scrollBar_->SetPosition(scrollBar_->Position() + (delta >= 0 ? -3 : 3));
    message.Result = 1;
}

// Painting.

TColor TVexoEdit::frameColor() const {
    if (focused_) return FocusedFrame;
    if (hot_) return HotFrame;
    if (showFrame_) return RestFrame;
    return clWindow;
}

void TVexoEdit::PaintSpecial(HDC dc) {
    canvas_->BeginPaint(dc);
    TCanvas* c = canvas_.get();
    TRect r = ClientRect();
    if (designing()) {
        TRect inner = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
        c->Brush()->SetColor(Color());
        c->FillRect(inner);
        c->SetFont(*Font());
        c->Brush()->SetStyle(bsClear);
        DrawTextEx(c->Handle(), Name(), &inner,
                   DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_EXPANDTABS | DT_EDITCONTROL);
    }
    const TColor frame = frameColor();
    c->Pen()->SetStyle(psSolid);
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(frame);
    c->Rectangle(r);
    // The memo's bar, a windowless child, paints itself after this, over the frame.
    if (IsCombo() && !readOnly_) {
        r.Left = r.Right - ButtonWidth;
        c->Brush()->SetColor(hot_ ? HotFrame : ButtonFace);
        c->Rectangle(r);
        c->Pen()->SetColor(clBlack);
        const int x = r.Left + (r.Right - r.Left) / 2;
        int y = r.Top + (r.Bottom - r.Top) / 2 - 2;
        for (int i = 4; i >= 0; --i, ++y) {
            c->MoveTo(x - i, y);
            c->LineTo(x + i, y);
        }
        if (mode_ == sEditDate && dateNavigator_) {
            c->Pen()->SetColor(frame);
            r.Right = r.Left + 1;
            r.Left -= 8;
            c->Rectangle(r);
            c->Draw(r.Left + 2, r.Top + 6, VexoEditNextGlyph());
            r.Right = r.Left + 1;
            r.Left -= 8;
            c->Rectangle(r);
            c->Draw(r.Left + 3, r.Top + 6, VexoEditPrevGlyph());
        }
    }
    canvas_->EndPaint();
    if (!label_.empty()) printLabel();
}

void TVexoEdit::printLabel() {
    if (!Visible() || !Parent()) return;
    TControlCanvas canvas(Parent());
    canvas.Brush()->SetColor(Parent()->Color());
    canvas.SetFont(*Parent()->Font());
    canvas.Font()->SetColor(labelColor_);
    TRect size = Rect(0, 0, 0, 0);
    DrawTextEx(canvas.Handle(), label_, &size, DT_CALCRECT | DT_SINGLELINE);
    TRect r;
    r.Top = Top();
    r.Bottom = Top() + Height();
    r.Right = Left() - 4;
    r.Left = r.Right - size.Width();
    DrawTextEx(canvas.Handle(), label_, &r, DT_SINGLELINE | DT_RIGHT | DT_VCENTER);
}

std::string TVexoEdit::AccessibleName() const {
    return StripPrefixes(label_);
}

// The window procedure.

void TVexoEdit::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        hot_ = message.Msg == CM_MOUSEENTER;
        Invalidate();
        message.Result = 0;
        return;
    case CM_MOUSEWHEEL:
        wheel(message);
        return;
    default:
        TWinControl::Dispatch(message);
        return;
    }
}

void TVexoEdit::stepDate(bool forward) {
    sDB_date d = getDate();
    switch (dateNavigatorKind_) {
    case sDnkDay:
        forward ? d.nextDay() : d.prevDay();
        break;
    case sDnkWeek:
        forward ? d.nextWeek() : d.prevWeek();
        break;
    case sDnkMonth:
        forward ? d.nextMonth() : d.prevMonth();
        break;
    case sDnkYear:
        forward ? d.nextYear() : d.prevYear();
        break;
    }
    setDate(d);
}

void TVexoEdit::buttonDown(TMessage& message) {
    if (!Focused()) SetFocus();
    if (mode_ == sEditDate && dateNavigator_) {
        // The click's own point: where the pointer was when the button went down.
        const int x = GET_X_LPARAM(message.LParam), y = GET_Y_LPARAM(message.LParam);
        const int w = ClientWidth(), h = ClientHeight();
        const bool inRows = y >= 0 && y < h;
        const bool next = inRows && x >= w - NextStepLeft && x < w - ButtonWidth;
        const bool prev = inRows && x >= w - PrevStepLeft && x < w - NextStepLeft;
        if (next || prev) {
            stepDate(next);
            message.Result = 0;
            eventPostModified();
            doChange();
            return;
        }
    }
    if (IsCombo() && !readOnly_) {
        DefaultOnCombo(this);
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}

void TVexoEdit::keyDown(TMessage& message) {
    if (readOnly_) {
        TWinControl::WndProc(message);
        return;
    }
    if (message.WParam == static_cast<WPARAM>(VK_ESCAPE)) {
        setText(entryText_);
        setWindowText(getTextVisible());
        SelectAll();
        message.Result = 0;
        return;
    }
    if (message.WParam == static_cast<WPARAM>(VK_DOWN) && GetKeyState(VK_CONTROL) < 0 && IsCombo()) {
        DefaultOnCombo(this);
        message.Result = 0;
        return;
    }
    beginEdit();
    TWinControl::WndProc(message);
    processEndEdit(false);
}

// A control character (below the space) in a drop-down mode reaches the default handling once:
// it skips the drop-down filter and takes the ordinary path (OnKeyPress, beginEdit, the default
// handling, processEndEdit, OnKeyPressPost), like a character of any other mode.
void TVexoEdit::charTyped(TMessage& message) {
    char32_t c = static_cast<char32_t>(message.WParam);
    if (readOnly_) {
        TWinControl::WndProc(message);
        return;
    }
    if (IsCombo() && c >= U' ') {
        if (c == U' ' && (mode_ == sEditList || mode_ == sEditBoolean)) {
            int i = itemIndex_ + 1;
            if (i >= getCount()) i = 0;
            setItemIndex(i);
            current_ = comboValues_.Get(itemIndex_);
            SetModified(true);
            eventPostModified();
            doChange();
            SetModified(false);
        }
        message.Result = 0;
        return;
    }
    if (!accepted_.empty() && c >= U' ' &&
        (c > 0x7F || accepted_.find(static_cast<char>(c)) == std::string::npos)) {
        message.Result = 0;
        return;
    }
    if (OnKeyPress) {
        OnKeyPress(this, c);
        message.WParam = c;
    }
    beginEdit();
    TWinControl::WndProc(message);
    processEndEdit(false);
    if (OnKeyPressPost) OnKeyPressPost(this);
}

void TVexoEdit::WndProc(TMessage& message) {
    if (message.Msg == WM_PAINT) {
        // The editor's picture (the default painting), PaintSpecial over it, then the bar.
        TWinControl::WndProc(message);
        message.Result = 0;
        return;
    }
    if (message.Msg == VM_PRINTLABEL) {
        // The parent painted over the label.
        if (!label_.empty()) printLabel();
        message.Result = 0;
        return;
    }
    if (designing()) {
        // The designer owns the keyboard: the edit takes no key.
        const bool key = message.Msg == WM_KEYDOWN || message.Msg == WM_KEYUP || message.Msg == WM_CHAR;
        if (!key) TWinControl::WndProc(message);
        return;
    }
    switch (message.Msg) {
    case WM_SETFOCUS:
        focused_ = true;
        entryText_ = getText();
        setWindowText(getTextVisible());
        SelectAll();
        Invalidate();
        TWinControl::WndProc(message);
        return;
    case WM_KILLFOCUS: {
        const HWND receiving = reinterpret_cast<HWND>(message.WParam);
        focused_ = popupHandle_ != nullptr && receiving == popupHandle_;
        try {
            processEndEdit(true);
        } catch (const std::exception& error) {
            // A value that does not convert: reported here, so that the focus still leaves cleanly.
            Application->HandleException(error);
        }
        SelectNone();
        Invalidate();
        TWinControl::WndProc(message);
        return;
    }
    case WM_LBUTTONDOWN:
        buttonDown(message);
        return;
    case WM_KEYDOWN:
        keyDown(message);
        break;
    case WM_CHAR:
        charTyped(message);
        break;
    default:
        TWinControl::WndProc(message);
        break;
    }
    if (message.Msg == WM_KEYDOWN || message.Msg == WM_KEYUP || message.Msg == WM_CHAR) Situa_ScrollBar();
}

void TVexoEdit::PaintWindow(HDC dc) {
    PaintSpecial(dc);
}

} // namespace vexo
