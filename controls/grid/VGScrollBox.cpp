// How it works: the surface is a scroll box without border whose two real scroll bars mirror the
// grid's geometry. UpdateExtent is the one place that pushes the geometry into them (ranges, step,
// the vertical position RowTop x RowHeight) and rebuilds the column edges, from which every
// rectangle is computed. A bar action arrives as WM_HSCROLL / WM_VSCROLL: the horizontal one moves
// the offset by pixels, the vertical one becomes a new RowTop (rounded up to whole rows) that the
// grid applies, which comes back here as UpdateExtent.
//
// Painting is direct and per row: WM_PAINT lends its context to the canvas and Paint draws only
// the rows from RowTop through the first partly visible one. The application's row handlers run
// inside the paint: a layout update they cause is muted (the paint draws with the new edges), and
// an invalidation they ask for is held until the paint is over. PaintRow also runs outside WM_PAINT
// (selection and check marks), drawing through the canvas straight into the window's picture, so
// a change of one row never repaints the window. The text of a cell comes from CellText, which
// never raises; an exception from an application handler during WM_PAINT ends that paint cleanly
// and goes to the application's exception handling.
#include "controls/grid/VGScrollBox.h"

#include "controls/grid/VGHead.h"
#include "controls/grid/VexoGrid.h"
#include "framework/core/ScopeGuard.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Gdi.h"
#include "framework/graphics/TImageList.h"
#include "framework/windows/TApplication.h"
#include "framework/windows/TControlCanvas.h"
#include "framework/windows/WinApi.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <utility>

namespace vexo {

namespace {

// The check box column and the gap after an image, in pixels.
constexpr int kCheckBoxSpace = 18;
constexpr int kImageGap = 2;
constexpr int kCheckBoxSize = 13;

} // namespace

TVGScrollBox::TVGScrollBox(TVexoGrid* grid)
    : TScrollBox(grid), grid_(grid), canvas_(std::make_unique<TControlCanvas>(this)),
      defaultAttr_(std::make_unique<TFontAttr>()) {
    assert(grid && "the surface paints a grid's rows and needs the grid");
    SetTabStop(false);
    SetAutoScroll(false);
    SetBorderStyle(bsNone);
    HorzScrollBar()->SetStyle(ssHotTrack);
    VertScrollBar()->SetStyle(ssHotTrack);
    VertScrollBar()->SetTracking(true);
    SetParent(grid);
    SetAlign(alClient);
}

TVGScrollBox::~TVGScrollBox() {
    // A context taken outside a paint belongs to the window, which goes after this body.
    canvas_->FreeHandle();
}

void TVGScrollBox::CreateWnd() {
    TScrollBox::CreateWnd();
    InitializeFlatSB(WindowHandle());
}

void TVGScrollBox::Invalidate() {
    if (painting_) {
        invalidateAfterPaint_ = true;
        return;
    }
    TScrollBox::Invalidate();
}

// ---- extent ----

int TVGScrollBox::HorzRange() const {
    return HorzScrollBar()->Range();
}
int TVGScrollBox::VertRange() const {
    return VertScrollBar()->Range();
}
int TVGScrollBox::VertIncrement() const {
    return VertScrollBar()->Increment();
}
int TVGScrollBox::VertPosition() const {
    return VertScrollBar()->Position();
}

void TVGScrollBox::UpdateRowExtent() {
    const int rowHeight = grid_->GetRowHeight();
    TControlScrollBar* vert = VertScrollBar();
    const bool barShown = vert->IsScrollBarVisible();
    const int clientHeight = ClientExtent(false); // before the range: a bar that appears takes from it
    vert->SetRange(grid_->GetRowCount() * rowHeight + grid_->GetDiferenceRowHeight());
    vert->SetIncrement(static_cast<std::uint16_t>(rowHeight));
    // Filling rows moves only the range: the position stays, and the bar already shows it.
    if (vert->Position() != grid_->GetRowTop() * rowHeight) vert->SetPosition(grid_->GetRowTop() * rowHeight);
    if (painting_ || !HandleAllocated()) return;
    // A row appended below the visible ones changes nothing on the surface (the bar repaints
    // itself), unless the bar has just appeared and taken its strip of the client area.
    const int last = grid_->GetRowCount() - 1;
    if (last >= 0 && RowRect(last).Top >= clientHeight && vert->IsScrollBarVisible() == barShown) return;
    Invalidate();
}

void TVGScrollBox::UpdateExtent(bool eraseAll) {
    TControlScrollBar* horz = HorzScrollBar();
    horz->SetRange(grid_->GetTotalWidth() + 1);
    // A narrower layout may have pulled the bar back: the columns follow it.
    offset_ = horz->Position();
    // After the horizontal bar, whose showing changes the client height and so the partial row.
    const int rowHeight = grid_->GetRowHeight();
    TControlScrollBar* vert = VertScrollBar();
    vert->SetRange(grid_->GetRowCount() * rowHeight + grid_->GetDiferenceRowHeight());
    vert->SetIncrement(static_cast<std::uint16_t>(rowHeight));
    vert->SetPosition(grid_->GetRowTop() * rowHeight);
    grid_->Head()->SetScrollOffset(-offset_);

    TVGColumnCollection* columns = grid_->Columns();
    edges_.clear();
    edges_.reserve(static_cast<std::size_t>(columns->Count()) + 1);
    int x = -offset_;
    for (int i = 0; i < columns->Count(); ++i) {
        edges_.push_back(x);
        x += columns->Items(i)->Width();
    }
    edges_.push_back(x);

    if (painting_) return; // the running paint draws with the new edges
    if (eraseAll) erasePending_ = true;
    if (HandleAllocated()) Invalidate(); // without a window there is nothing to repaint yet
}

void TVGScrollBox::SetHorzOffset(int offset) {
    HorzScrollBar()->SetPosition(offset);
    offset_ = HorzScrollBar()->Position();
}

// ---- geometry ----

TRect TVGScrollBox::RowRect(int row) const {
    const int top = (row - grid_->GetRowTop()) * grid_->GetRowHeight();
    return Rect(0, top, HorzRange(), top + grid_->GetRowHeight());
}

TRect TVGScrollBox::CellRect(int row, int col) const {
    TRect r = RowRect(row);
    if (edges_.empty()) return Rect(0, r.Top, 0, r.Bottom);
    const int lastEdge = static_cast<int>(edges_.size()) - 1;
    auto edge = [&](int i) { return edges_[static_cast<std::size_t>(std::clamp(i, 0, lastEdge))]; };
    const TVexoGrid_rowInfo* info = row >= 0 && row < grid_->GetRowCount() ? grid_->Row(row) : nullptr;
    const bool unicolumn = info && info->unicolumn();
    if (unicolumn) {
        r.Left = edge(0);
        r.Right = edge(lastEdge);
    } else {
        r.Left = edge(col);
        r.Right = edge(col + 1);
        // Joined flag k: cell k reaches over cell k + 1.
        for (int k = col; info && k >= 0 && k + 1 < lastEdge && info->joined(k); ++k)
            r.Right = edge(k + 2);
    }
    if (col == 0 || unicolumn) {
        if (grid_->GetCheckBoxes()) r.Left += kCheckBoxSpace;
        if (grid_->GetImages()) r.Left += grid_->GetImages()->Width() + kImageGap;
    }
    return r;
}

TRect TVGScrollBox::CheckBoxRect(int row) const {
    const int left = 1 - offset_;
    const int top = (row - grid_->GetRowTop()) * grid_->GetRowHeight() + 1;
    return Rect(left, top, left + kCheckBoxSize, top + kCheckBoxSize);
}

TRect TVGScrollBox::ImageRect(int row) const {
    const TRect r = RowRect(row);
    const int left = (grid_->GetCheckBoxes() ? kCheckBoxSpace : 0) - offset_;
    const int width = grid_->GetImages() ? grid_->GetImages()->Width() : 0;
    return Rect(left, r.Top, left + width + kImageGap, r.Bottom);
}

// ---- text ----

std::string TVGScrollBox::CellText(int row, int col) const {
    if (row < 0 || row >= grid_->GetRowCount()) return std::string();
    const TVexoGrid_rowInfo* info = grid_->Row(row);
    if (info->unicolumn()) {
        if (col != 0) return std::string();
        std::string text = info->isNull(0) ? std::string() : info->cell(0);
        text.insert(text.begin(), ' ');
        return text;
    }
    if (info->isNull(col)) return std::string();
    std::string text = info->cell(col);
    TVGColumnCollection* columns = grid_->Columns();
    if (col < 0 || col >= columns->Count()) return text;
    const TVGColumn* c = columns->Items(col);

    const VGDataType type = c->DataType();
    if ((type == vgDate || type == vgTime) && !text.empty()) {
        // Texts the grid's typed members write always parse; anything else shows as stored
        // rather than failing the paint.
        try {
            const TDateTime value = type == vgDate ? StrToDate(text) : StrToTime(text);
            text = FormatDateTime(c->Format(), value);
        } catch (const std::exception&) {
        }
    }
    if (type != vgTime && (c->IsCombo() || type == vgBoolean)) {
        const TStringList* values = c->ComboValues();
        const TStringList* texts = c->ComboTexts();
        for (int i = 0; i < values->Count(); ++i) {
            if (values->Get(i) != text) continue;
            if (i < texts->Count()) text = texts->Get(i);
            break;
        }
    }
    switch (c->Alignment()) {
    case taLeftJustify:
        text.insert(text.begin(), ' ');
        return text;
    case taRightJustify:
        text.push_back(' ');
        return text;
    default:
        return text;
    }
}

// ---- painting ----

const TFontAttr* TVGScrollBox::attrFor(const TVexoGrid_rowInfo& info, int col) const {
    // First match wins: a row-wide set beats a cell's set. An index naming no set falls back to
    // the default rather than painting with nothing.
    if (info.unicolumn()) return grid_->AttrUnicolumn();
    const TFontAttrs* sets = grid_->FontAttrs();
    if (info.rowAttr() != -1) {
        if (const TFontAttr* a = sets->Attr(info.rowAttr())) return a;
    } else if (info.cellAttr(col) != -1) {
        if (const TFontAttr* a = sets->Attr(info.cellAttr(col))) return a;
    }
    return defaultAttr_.get();
}

void TVGScrollBox::PaintRow(int row) {
    if (row < 0 || row >= grid_->GetRowCount()) return;
    if (grid_->OnRowNeedData && !grid_->GetIsRowUnicolumn(row)) {
        grid_->OnRowNeedData(row);
        if (row >= grid_->GetRowCount()) return; // the handler took the row away
    }
    // Without a window there is no picture to draw into, and a row out of view shows nothing.
    if (!painting_ && !HandleAllocated()) return;
    const TRect rowRect = RowRect(row);
    if (rowRect.Bottom <= 0 || rowRect.Top >= ClientHeight()) return;

    const TVexoGrid_rowInfo& info = *grid_->Row(row);
    const bool selected = info.selected() && grid_->GetShowSelection();
    TCanvas* canvas = canvas_.get();

    // The default set follows the grid's colours and the focus, reloaded for every row.
    defaultAttr_->SetBackColorSel(grid_->asLogicFocus() ? grid_->GetColorBkSel() : grid_->GetColorBkSelIn());
    defaultAttr_->SetColorSel(grid_->GetColorTextSel());
    defaultAttr_->SetBackColor(grid_->GetBkColor());
    defaultAttr_->SetColor(grid_->GetColorText());
    defaultAttr_->ApplyTo(canvas, selected);
    canvas->Pen()->SetStyle(psSolid);

    for (int col = 0; col < grid_->Columns()->Count(); ++col) {
        if (col >= 1 && info.joined(col - 1)) continue; // the cell on the left covers this one
        paintCell(info, row, col, rowRect, selected);
        if (info.unicolumn()) break; // its one cell spans the row
    }
    if (grid_->GetShowLines()) {
        // In the pen colour the vertical lines left.
        canvas->MoveTo(0, rowRect.Bottom - 1);
        canvas->LineTo(rowRect.Right, rowRect.Bottom - 1);
    }
}

void TVGScrollBox::paintCell(const TVexoGrid_rowInfo& info, int row, int col, const TRect& rowRect,
                             bool selected) {
    TCanvas* canvas = canvas_.get();
    const bool unicolumn = info.unicolumn();
    attrFor(info, col)->ApplyTo(canvas, selected);
    // The text is laid out in the cell's rectangle, which leaves the check box and image room.
    TRect cell = CellRect(row, col);
    canvas->FillRect(cell);
    const std::string text = CellText(row, col);

    if (col == 0 && grid_->GetCheckBoxes() && !unicolumn && !info.noCheckBox()) {
        TRect box = CheckBoxRect(row);
        unsigned state = DFCS_FLAT;
        if (info.checked()) state |= DFCS_CHECKED;
        state |= grid_->GetCheckAreRadio() ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
        DrawFrameControl(canvas->Handle(), &box, DFC_BUTTON, state);
    }
    const TCustomImageList* images = grid_->GetImages();
    if (col == 0 && images && info.image() != -1) {
        const TRect image = ImageRect(row);
        images->Draw(canvas, image.Left, image.Top, info.image(), Enabled());
    }
    DrawTextEx(canvas->Handle(), text.data(), static_cast<int>(text.size()), &cell,
               cellTextFlags(col, unicolumn), nullptr);

    if (grid_->GetShowLines()) {
        // The cell's two edges, from the row's top to just above its bottom line.
        canvas->Pen()->SetColor(clSilver);
        canvas->MoveTo(cell.Left, rowRect.Top);
        canvas->LineTo(cell.Left, rowRect.Bottom - 1);
        canvas->MoveTo(cell.Right, rowRect.Top);
        canvas->LineTo(cell.Right, rowRect.Bottom - 1);
    }
}

unsigned TVGScrollBox::cellTextFlags(int col, bool unicolumn) const {
    unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP;
    if (!unicolumn) {
        const TAlignment alignment = grid_->Columns()->Items(col)->Alignment();
        if (alignment == taRightJustify) flags |= DT_RIGHT;
        if (alignment == taCenter) flags |= DT_CENTER;
    }
    if (grid_->GetLabelWrap()) flags |= DT_END_ELLIPSIS;
    return flags;
}

void TVGScrollBox::RepaintSelection() {
    if (!grid_->GetMultiselect()) {
        if (grid_->GetRowIndex() >= 0) PaintRow(grid_->GetRowIndex());
        return;
    }
    for (int i = 0; i < grid_->GetRowCount(); ++i)
        if (grid_->GetRowSelected(i)) PaintRow(i);
}

void TVGScrollBox::Paint() {
    TCanvas* canvas = canvas_.get();
    if (erasePending_) {
        canvas->Brush()->SetColor(grid_->GetBkColor());
        canvas->FillRect(ClientRect());
        erasePending_ = false;
    }
    const int count = grid_->GetRowCount();
    if (count > 0) {
        const int top = grid_->GetRowTop();
        const int last = std::min(top + grid_->GetNumOfEntireRows() + 1, count);
        for (int row = top; row < last; ++row)
            PaintRow(row);
    }
    // The application's per-row settings end as those of the current row, which the editor
    // relies on.
    const int current = grid_->GetRowIndex();
    if (current >= 0 && current < grid_->GetRowCount() && grid_->OnRowNeedData &&
        !grid_->GetIsRowUnicolumn(current))
        grid_->OnRowNeedData(current);
}

void TVGScrollBox::paintMessage(TMessage& message) {
    painting_ = true;
    if (Color() != grid_->GetBkColor()) {
        // The background was erased in the old colour before this message: paint it over.
        SetColor(grid_->GetBkColor());
        erasePending_ = true;
    }
    // A context given with the message (a parent painting its children) is used as it is.
    PAINTSTRUCT ps;
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    const bool own = dc == nullptr;
    if (own) dc = BeginPaint(Handle(), &ps);
    auto finish = [&] {
        canvas_->EndPaint();
        if (own && dc) EndPaint(WindowHandle(), &ps);
        painting_ = false;
        if (std::exchange(invalidateAfterPaint_, false)) Invalidate();
    };
    if (!dc) {
        painting_ = false;
        return;
    }
    canvas_->BeginPaint(dc);
    try {
        // Inside the try: the paint is finished before the handler below reports the error.
        const ScopeGuard finishing(finish);
        Paint();
    } catch (const std::exception& error) {
        Application->HandleException(error);
    }
    message.Result = 0;
}

// ---- messages ----

namespace {

// The position a scroll code asks of a bar. The codes of the two bars share their numbers (a line
// left is a line up); a page is the client extent along the bar. Codes without a position of
// their own (SB_ENDSCROLL among them) leave it where it is.
int requestedPosition(const TControlScrollBar* bar, int code, int thumb, int page) {
    switch (code) {
    case SB_LINEUP:
        return bar->Position() - bar->Increment();
    case SB_LINEDOWN:
        return bar->Position() + bar->Increment();
    case SB_PAGEUP:
        return bar->Position() - page;
    case SB_PAGEDOWN:
        return bar->Position() + page;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        return bar->ThumbPosition(thumb); // all of it, not the message's 16 bits
    case SB_TOP:
        return 0;
    case SB_BOTTOM:
        return bar->Range();
    default:
        return bar->Position();
    }
}

} // namespace

void TVGScrollBox::horzScroll(int code, int thumb) {
    TControlScrollBar* bar = HorzScrollBar();
    bar->SetPosition(requestedPosition(bar, code, thumb, ClientExtent(true)));
    offset_ = bar->Position();
    UpdateExtent(false);
}

void TVGScrollBox::vertScroll(int code, int thumb) {
    TControlScrollBar* bar = VertScrollBar();
    const int rowHeight = grid_->GetRowHeight();
    // Letting go snaps the bar back to a row boundary.
    const int position = code == SB_ENDSCROLL ? grid_->GetRowTop() * rowHeight
                                              : requestedPosition(bar, code, thumb, ClientExtent(false));
    bar->SetPosition(position);
    // Rounded up: a row scrolled partly out of view at the top counts as passed.
    grid_->SetRowTop(static_cast<int>(std::ceil(static_cast<double>(bar->Position()) / rowHeight)));
}

void TVGScrollBox::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TScrollBox::WndProc(message);
        RepaintSelection();
        return;
    case WM_PAINT:
        paintMessage(message);
        return;
    case WM_HSCROLL:
        horzScroll(LOWORD(message.WParam), HIWORD(message.WParam));
        message.Result = 0;
        return;
    case WM_VSCROLL:
        vertScroll(LOWORD(message.WParam), HIWORD(message.WParam));
        message.Result = 0;
        return;
    case WM_LBUTTONDBLCLK:
        // Never passed on, handled or not.
        if (grid_->OnDblClick) {
            grid_->SetFocus();
            grid_->OnDblClick(grid_);
        }
        message.Result = 0;
        return;
    default:
        TScrollBox::WndProc(message);
        return;
    }
}

} // namespace vexo
