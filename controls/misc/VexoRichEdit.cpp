#include "controls/misc/VexoRichEdit.h"

#include "controls/misc/MiscProperties.h"
#include "framework/core/ScopeGuard.h"
#include "framework/graphics/Gdi.h"
#include "framework/windows/FormatRange.h"
#include "framework/windows/Messages.h"
#include "framework/windows/TPrinter.h"
#include "framework/windows/WinApi.h"

#include <vector>

namespace vexo {

TVexoRichEdit::TVexoRichEdit(TComponent* owner) : TWinControl(owner) {
    RegisterMiscClasses();
    SetTabStop(true);
    SetBounds(Left(), Top(), 185, 89);
}

TVexoRichEdit::~TVexoRichEdit() = default;

void TVexoRichEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.WinClassName = "RichEdit20A";
    params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
    if (readOnly_) params.Style |= ES_READONLY;
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) params.Style |= WS_VSCROLL;
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) params.Style |= WS_HSCROLL | ES_AUTOHSCROLL;
    if (borderStyle_ == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TVexoRichEdit::CreateWnd() {
    TWinControl::CreateWnd();
    setTextRect();
    // A new window (another border or scroll bars) starts from the text last given.
    if (!text_.empty()) {
        const SETTEXTEX how{ST_DEFAULT, CP_ACP};
        Perform(EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(text_.c_str()));
    }
}

void TVexoRichEdit::Resize() {
    TWinControl::Resize();
    setTextRect();
}

// The text stays inside the sunken edge.
void TVexoRichEdit::setTextRect() {
    if (!HandleAllocated()) return;
    TRect rect = Rect(border(), border(), ClientWidth() - border(), ClientHeight() - border());
    Perform(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&rect));
}

void TVexoRichEdit::WndProc(TMessage& message) {
    TWinControl::WndProc(message);
    if (message.Msg != WM_PAINT || borderStyle_ != bsSingle) return;
    HDC dc = GetDC(Handle());
    TRect edge = Rect(0, 0, Width(), Height());
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
    ReleaseDC(Handle(), dc);
}

void TVexoRichEdit::SetText(const std::string& text) {
    text_ = text;
    HandleNeeded();
    const SETTEXTEX how{ST_DEFAULT, CP_ACP};
    Perform(EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(text.c_str()));
}

std::string TVexoRichEdit::PlainText() {
    HandleNeeded();
    const auto length = static_cast<std::size_t>(Perform(WM_GETTEXTLENGTH));
    std::vector<char> buffer(length + 1);
    Perform(WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data());
}

// The framework's print loop, with each page formatted through the window's messages.
void TVexoRichEdit::Print(const std::string& title) {
    HandleNeeded();
    const GETTEXTLENGTHEX how{GTL_PRECISE, CP_ACP};
    const auto total = static_cast<int>(Perform(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how)));
    Perform(EM_FORMATRANGE, 0, 0);
    ScopeGuard dropFormatting([this] { Perform(EM_FORMATRANGE, 0, 0); });
    FORMATRANGE range{};
    PrintPages(Printer(), title, total, [this, &range](HDC dc, const TRect& page, int first) {
        range.hdc = dc;
        range.hdcTarget = dc;
        range.rc = page;
        range.rcPage = page;
        range.chrg = {first, -1};
        return static_cast<int>(Perform(EM_FORMATRANGE, 1, reinterpret_cast<LPARAM>(&range)));
    });
}

void TVexoRichEdit::SetBorderStyle(TBorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    if (HandleAllocated()) RecreateWnd();
}

void TVexoRichEdit::SetReadOnly(bool value) {
    if (value == readOnly_) return;
    readOnly_ = value;
    if (HandleAllocated()) Perform(EM_SETREADONLY, value ? 1 : 0);
}

void TVexoRichEdit::SetScrollBars(TScrollStyle value) {
    if (value == scrollBars_) return;
    scrollBars_ = value;
    if (HandleAllocated()) RecreateWnd();
}

} // namespace vexo
