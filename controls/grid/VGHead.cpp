// How it works: the header keeps no geometry of its own. Every paint (and every hover lookup)
// asks the painting surface for each column's header rectangle, so captions, separators and the
// resize zones follow the surface's horizontal offset and the check box and image indent of
// column 0. A drag changes the column's Width, which lays the grid out again; the stretched
// column, when there is one, is switched off for that change and back on afterwards so that it
// takes up whatever width is left.
#include "controls/grid/VGHead.h"

#include "controls/grid/VGColumnCollection.h"
#include "controls/grid/VGScrollBox.h"
#include "controls/grid/VexoGrid.h"
#include "framework/graphics/Gdi.h"
#include "framework/graphics/SysColors.h"
#include "framework/windows/TControlCanvas.h"
#include "framework/windows/TScreen.h"

#include <cassert>
#include <string>

namespace vexo {

TVGHead::TVGHead(TVexoGrid* grid) : TCustomControl(grid), grid_(grid) {
    assert(grid != nullptr && "the header belongs to a grid");
    SetHeight(DefaultHeight);
    SetParent(grid);
    SetAlign(alTop);
    OnMouseDown = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
        headMouseDown(sender, button, shift, x, y);
    };
    OnMouseMove = [this](TObject* sender, TShiftState shift, int x, int y) {
        headMouseMove(sender, shift, x, y);
    };
    OnMouseUp = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
        headMouseUp(sender, button, shift, x, y);
    };
}

TVGHead::~TVGHead() = default;

// Both repaint even when the value stays: the grid's layout calls them after any change of the
// columns, the indent of column 0 or the captions, which moves or redraws captions without
// changing the total width or the offset.
void TVGHead::SetTotalWidth(int width) {
    totalWidth_ = width;
    Invalidate();
}

void TVGHead::SetScrollOffset(int offset) {
    offset_ = offset;
    Invalidate();
}

void TVGHead::BuildColumnRects() {
    rects_.clear();
    const int count = grid_->Columns()->Count();
    for (int col = 0; col < count; ++col) {
        TRect r = grid_->Surface()->CellRect(-1, col);
        r.Top = 0;
        r.Bottom = Height();
        *rects_.add() = r;
    }
}

void TVGHead::Paint() {
    BuildColumnRects();
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(grid_->GetHdColor());
    canvas->SetFont(*Font());
    canvas->Pen()->SetColor(clSilver);
    canvas->FillRect(ClientRect());

    const bool ellipsis = grid_->GetLabelWrap();
    for (int col = 0; col < rects_.count(); ++col) {
        const TVGColumn* column = grid_->Columns()->Items(col);
        unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP;
        if (column->Alignment() == taRightJustify)
            flags |= DT_RIGHT;
        else if (column->Alignment() == taCenter)
            flags |= DT_CENTER;
        if (ellipsis) flags |= DT_END_ELLIPSIS;
        TRect r = rects_[col];
        DrawTextEx(canvas->Handle(), " " + column->Caption() + " ", &r, flags);
    }

    // Separators stop two pixels short of both borders; LineTo leaves out the bottom pixel.
    for (int i = 0; i < rects_.count(); ++i) {
        const TRect& r = rects_[i];
        if (i == 0) {
            canvas->MoveTo(r.Left, 2);
            canvas->LineTo(r.Left, r.Bottom - 2);
        }
        canvas->MoveTo(r.Right, 2);
        canvas->LineTo(r.Right, r.Bottom - 2);
    }
}

void TVGHead::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_MOUSEENTER:
        break;
    case CM_MOUSELEAVE:
        Screen->SetCursor(crDefault);
        break;
    default:
        TCustomControl::Dispatch(message);
        break;
    }
}

void TVGHead::headMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
    buttonDown_ = true;
}

void TVGHead::headMouseMove(TObject*, TShiftState, int x, int) {
    if (buttonDown_ && resizeArmed_)
        dragTo(x);
    else
        hoverLookup(x);
}

void TVGHead::headMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
    buttonDown_ = false;
    if (hoverCol_ != 0 && grid_->OnHeadChange) grid_->OnHeadChange(grid_);
}

void TVGHead::hoverLookup(int x) {
    hoverCol_ = -1;
    resizeArmed_ = false;
    // The columns may have changed since the last paint (a drag lays them out again before the
    // repaint runs): look them up as they are now.
    BuildColumnRects();
    for (int i = 0; i < rects_.count(); ++i) {
        if (grid_->Columns()->Items(i)->GetIsCol100x100()) continue; // stretched: never resizable
        const TRect& r = rects_[i];
        if (x < r.Left || x > r.Right) continue;
        hoverCol_ = i;
        if (x >= r.Right - (ResizeZone - 1)) {
            Screen->SetCursor(crHSplit);
            resizeArmed_ = true;
        } else {
            Screen->SetCursor(crDefault);
        }
        return;
    }
}

void TVGHead::dragTo(int x) {
    // Columns may have gone away while the button was held.
    if (hoverCol_ < 0 || hoverCol_ >= rects_.count() || hoverCol_ >= grid_->Columns()->Count()) return;
    const int w = x - rects_[hoverCol_].Left;
    if (w < MinDragWidth) return;
    const std::string stretched = grid_->GetCol100x100();
    grid_->SetCol100x100(std::string());
    grid_->Columns()->Items(hoverCol_)->SetWidth(w);
    grid_->Invalidate();
    grid_->SetCol100x100(stretched);
}

} // namespace vexo
