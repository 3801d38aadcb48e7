#include "controls/misc/VexoTabbed.h"

#include "controls/misc/MiscProperties.h"
#include "controls/misc/VexoPage.h"
#include "framework/core/Exception.h"
#include "framework/windows/Messages.h"
#include "framework/windows/TControlCanvas.h"

#include <algorithm>

namespace vexo {

TVexoTabbed::TVexoTabbed(TComponent* owner) : TCustomControl(owner) {
    RegisterMiscClasses();
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    SetParentColor(true);
}

TVexoTabbed::~TVexoTabbed() {
    // Pages still parented here go with the control; they must not call back into it.
    for (TVexoPage* page : pages_)
        page->setTabControl(nullptr);
}

TVexoPage* TVexoTabbed::Pages(int index) const {
    if (index < 0 || index >= PageCount())
        throw EListError("page index " + std::to_string(index) + " outside 0.." +
                         std::to_string(PageCount() - 1));
    return pages_[static_cast<std::size_t>(index)];
}

void TVexoTabbed::addPage(TVexoPage* page) {
    if (std::find(pages_.begin(), pages_.end(), page) != pages_.end()) return;
    pages_.push_back(page);
    sortPages();
}

// The active page stays active when another sorts in before it.
void TVexoTabbed::sortPages() {
    TVexoPage* active = activeIndex_ >= 0 && activeIndex_ < PageCount() ? Pages(activeIndex_) : nullptr;
    std::stable_sort(pages_.begin(), pages_.end(),
                     [](const TVexoPage* a, const TVexoPage* b) { return a->Order() < b->Order(); });
    for (const TVexoPage* page : pages_)
        highestOrder_ = std::max(highestOrder_, page->Order());
    if (active)
        activeIndex_ = static_cast<int>(std::find(pages_.begin(), pages_.end(), active) - pages_.begin());
    Invalidate();
}

// The active page stays the active one when a page before it goes; when the active page itself
// goes, the page that takes its place in the list (or the new last page) becomes active, and with
// no page left nothing is.
void TVexoTabbed::delPage(TVexoPage* page) {
    const auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end()) return;
    const int index = static_cast<int>(it - pages_.begin());
    pages_.erase(it);
    if (index > activeIndex_) return;
    if (index < activeIndex_) {
        --activeIndex_;
        return;
    }
    activeIndex_ = std::min(activeIndex_, PageCount() - 1);
    AdjustPages();
}

bool TVexoTabbed::designing() const {
    return ComponentState().Contains(csDesigning);
}

void TVexoTabbed::setActiveIndex(int index) {
    if (pages_.empty()) {
        pendingIndex_ = index;
        return;
    }
    if (index == -1 || index == activeIndex_) return;
    if (activeIndex_ != -1 && !designing() && OnCanChange) {
        bool canChange = true;
        OnCanChange(activeIndex_, canChange);
        if (!canChange) return;
    }
    activeIndex_ = index;
    AdjustPages();
    if (activeIndex_ != -1 && !designing() && OnChange) OnChange(this);
}

void TVexoTabbed::AdjustPages() {
    if (activeIndex_ == -1 || activeIndex_ >= PageCount()) return;
    for (int i = 0; i < PageCount(); ++i) {
        TVexoPage* page = pages_[static_cast<std::size_t>(i)];
        page->SetAlign(alClient);
        page->SetVisible(i == activeIndex_);
        if (i == activeIndex_) page->BringToFront();
    }
    Realign();
    Invalidate();
}

void TVexoTabbed::setTabHeight(int height) {
    tabHeight_ = height;
    AdjustPages();
}

void TVexoTabbed::setHideButtons(bool hide) {
    hideButtons_ = hide;
    AdjustPages();
}

void TVexoTabbed::setBtPosition(TVTButtonsPosition position) {
    position_ = position;
    AdjustPages();
}

void TVexoTabbed::setBorderInternal(int border) {
    borderInternal_ = border;
    AdjustPages();
    Invalidate();
}

void TVexoTabbed::setColorFrame(TColor color) {
    colorFrame_ = color;
    Invalidate();
}

void TVexoTabbed::setColorFont(TColor color) {
    colorFont_ = color;
    Invalidate();
}

void TVexoTabbed::setTextStyles(TFontStyles styles) {
    textStyles_ = styles;
    Invalidate();
}

void TVexoTabbed::setHideFrame(bool hide) {
    hideFrame_ = hide;
    Invalidate();
}

bool TVexoTabbed::getDrawFrame(int index) const {
    return index >= 0 && index < 4 && drawSide_[index];
}

void TVexoTabbed::setDrawFrame(int index, bool draw) {
    if (index < 0 || index >= 4) return;
    drawSide_[index] = draw;
    Invalidate();
}

void TVexoTabbed::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
}

void TVexoTabbed::AdjustClientRect(TRect& rect) {
    if (hideButtons_)
        rect = Rect(0, 0, Width(), Height() - 1);
    else if (position_ == vtBtUp)
        rect = Rect(0, tabHeight_, Width(), Height() - 1);
    else
        rect = Rect(0, 0, Width(), Height() - tabHeight_ - 1);
    const int inset = borderInternal_ + 1;
    rect = Rect(rect.Left + inset, rect.Top + inset, rect.Right - inset, rect.Bottom - inset);
}

void TVexoTabbed::Resize() {
    TCustomControl::Resize();
    AdjustPages();
}

void TVexoTabbed::Paint() {
    // The index a form file gave before the pages existed; the paint goes on with it applied, so
    // that a single paint (a picture of the form) already shows the page's tab.
    if (activeIndex_ == -1 && !pages_.empty() && pendingIndex_ != -1) setActiveIndex(pendingIndex_);
    TControlCanvas* canvas = Canvas();
    const TRect all = Rect(0, 0, Width(), Height());
    canvas->SetFont(*Font());
    canvas->Font()->SetColor(colorFont_);
    canvas->Font()->SetStyle(textStyles_);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetColor(colorFrame_);
    canvas->FillRect(all);
    if (hideButtons_) {
        if (hideFrame_) return;
        if (drawSide_[0] && drawSide_[1] && drawSide_[2] && drawSide_[3])
            canvas->Rectangle(all);
        else
            paintFrame(Rect(0, 0, Width() - 1, Height() - 1));
        return;
    }
    const int right = Width() - 1, bottom = Height() - 1;
    TRect frame, strip;
    if (position_ == vtBtDown) {
        frame = Rect(0, 0, right, bottom - tabHeight_);
        strip = Rect(0, frame.Bottom, right, bottom);
    } else {
        strip = Rect(0, 0, right, tabHeight_ + 1);
        frame = Rect(0, tabHeight_, right, bottom);
    }
    canvas->FillRect(strip);
    canvas->FillRect(frame);
    if (!hideFrame_) paintFrame(frame);
    paintTabs(strip);
}

// The frame's enabled sides as lines on its edges, each including both of its end pixels.
void TVexoTabbed::paintFrame(const TRect& frame) {
    TControlCanvas* canvas = Canvas();
    auto line = [canvas](int x0, int y0, int x1, int y1) {
        canvas->MoveTo(x0, y0);
        canvas->LineTo(x1 + (x0 == x1 ? 0 : 1), y1 + (y0 == y1 ? 0 : 1));
    };
    if (drawSide_[0]) line(frame.Left, frame.Top, frame.Left, frame.Bottom);
    if (drawSide_[2]) line(frame.Left, frame.Top, frame.Right, frame.Top);
    if (drawSide_[1]) line(frame.Right, frame.Top, frame.Right, frame.Bottom);
    if (drawSide_[3]) line(frame.Left, frame.Bottom, frame.Right, frame.Bottom);
}

void TVexoTabbed::paintTabs(const TRect& strip) {
    TControlCanvas* canvas = Canvas();
    TRect tab = Rect(0, strip.Top, 0, strip.Bottom);
    for (TVexoPage* page : pages_) {
        page->SetTabRect(TRect{});
        if (!page->TabVisible() && !designing()) continue;
        tab.Right += TabWidth(*canvas, page->Caption());
        page->SetTabRect(tab);
        canvas->Pen()->SetColor(colorFrame_);
        DrawTab(*canvas, tab, page->Caption(), position_);
        tab.Left = tab.Right - 1;
    }
    if (activeIndex_ >= 0 && activeIndex_ < PageCount())
        DrawActiveMark(*canvas, pages_[static_cast<std::size_t>(activeIndex_)]->TabRect(), position_, Color(),
                       colorFont_);
}

void TVexoTabbed::WndProc(TMessage& message) {
    if (message.Msg == WM_LBUTTONDOWN) {
        clickPoint_ = Point(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
        for (int i = 0; i < PageCount(); ++i) {
            TVexoPage* page = pages_[static_cast<std::size_t>(i)];
            if ((page->TabVisible() || designing()) && page->TabRect().Contains(clickPoint_)) {
                setActiveIndex(i);
                break;
            }
        }
    }
    TCustomControl::WndProc(message);
}

} // namespace vexo
