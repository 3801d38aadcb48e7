#include "controls/misc/VexoTabButtons.h"

#include "controls/misc/MiscProperties.h"
#include "controls/misc/VexoButton.h"
#include "controls/misc/VexoFrame.h"
#include "framework/core/TStringList.h"
#include "framework/windows/Messages.h"
#include "framework/windows/TControlCanvas.h"

namespace vexo {

namespace {

TVexoButton* scrollButton(TVexoFrame* panel, TVexoButtonStdImages glyph, TVexoTabButtons* strip) {
    auto* button = new TVexoButton(strip);
    button->SetParent(panel);
    button->SetAlign(alRight);
    button->ApplyStdImage(glyph);
    button->setColors(3, button->getColors(1));
    button->OnClick = [strip](TObject* sender) { strip->onClickButtons(sender); };
    return button;
}

} // namespace

TVexoTabButtons::TVexoTabButtons(TComponent* owner)
    : TCustomControl(owner), items_(std::make_unique<TStringList>()) {
    RegisterMiscClasses();
    items_->OnChange = [this] { itemsChanged(); };
    panel_ = new TVexoFrame(this);
    panel_->SetParent(this);
    panel_->SetBounds(0, 0, 42, 20);
    panel_->SetAlign(alRight);
    panel_->SetBorderWidth(1);
    setBtPosition(vtBtDown);
    // Right-aligned controls line up leftwards in the order they come: next first, so that the
    // prior button stands on its left.
    right_ = scrollButton(panel_, vbiNext, this);
    left_ = scrollButton(panel_, vbiPrior, this);
}

TVexoTabButtons::~TVexoTabButtons() = default;

void TVexoTabButtons::setCanvasFont() {
    TControlCanvas* canvas = Canvas();
    canvas->SetFont(*Font());
    canvas->Font()->SetColor(colorFont_);
    canvas->Font()->SetStyle(textStyles_);
}

void TVexoTabButtons::setItems(const TStringList& items) {
    items_->SetText(items.GetText());
}

// The list changed, through setItems or in place (a form file fills it so).
void TVexoTabButtons::itemsChanged() {
    if (items_->Count() == 0) {
        activeIndex_ = -1;
        firstVisible_ = -1;
    } else {
        firstVisible_ = 0;
    }
    setCanvasFont();
    totalWidth_ = 0;
    for (int i = 0; i < items_->Count(); ++i)
        totalWidth_ += TabWidth(*Canvas(), items_->Get(i));
    Invalidate();
}

void TVexoTabButtons::setActiveIndex(int index) {
    if (index == activeIndex_) return;
    activeIndex_ = index;
    if (firstVisible_ == -1) firstVisible_ = 0;
    Invalidate();
}

void TVexoTabButtons::setBtPosition(TVTButtonsPosition position) {
    position_ = position;
    for (int side = 0; side < 4; ++side)
        panel_->setDrawFrame(side, false);
    panel_->setDrawFrame(position == vtBtDown ? 2 : 3, true);
    Invalidate();
}

void TVexoTabButtons::setColorFrame(TColor color) {
    colorFrame_ = color;
    panel_->setFrameColor(color);
    Invalidate();
}

void TVexoTabButtons::setColorFont(TColor color) {
    colorFont_ = color;
    Invalidate();
}

void TVexoTabButtons::setTextStyles(TFontStyles styles) {
    textStyles_ = styles;
    Invalidate();
}

void TVexoTabButtons::onClickButtons(TObject* sender) {
    if (sender == left_ && firstVisible_ >= 1)
        --firstVisible_;
    else if (sender == right_ && items_->Count() >= firstVisible_ + visibleCount_)
        ++firstVisible_;
    Invalidate();
}

TRect TVexoTabButtons::TabRect(int index) const {
    return index >= 0 && index < static_cast<int>(tabs_.size()) ? tabs_[static_cast<std::size_t>(index)]
                                                                : TRect{};
}

void TVexoTabButtons::Paint() {
    TControlCanvas* canvas = Canvas();
    setCanvasFont();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetColor(colorFrame_);
    canvas->FillRect(ClientRect());
    tabs_.clear();

    const int base = position_ == vtBtUp ? Height() - 1 : 0;
    canvas->MoveTo(0, base);
    canvas->LineTo(Width() - 1, base);

    visibleCount_ = 0;
    TRect tab = Rect(0, 0, 0, Height());
    for (int i = 0; i < items_->Count(); ++i) {
        tabs_.push_back(TRect{});
        if (i < firstVisible_) continue;
        const std::string& text = items_->Get(i);
        tab.Right += TabWidth(*canvas, text);
        tabs_.back() = tab;
        canvas->Pen()->SetColor(colorFrame_);
        DrawTab(*canvas, tab, text, position_);
        if (ClientWidth() - panel_->Width() > tab.Right) ++visibleCount_;
        tab.Left = tab.Right - 1;
    }
    if (activeIndex_ >= 0) DrawActiveMark(*canvas, TabRect(activeIndex_), position_, Color(), colorFont_);

    const bool scrolls = items_->Count() != visibleCount_;
    panel_->SetVisible(scrolls);
    if (scrolls) {
        left_->SetEnabled(firstVisible_ > 0);
        right_->SetEnabled(items_->Count() > firstVisible_ + visibleCount_);
    }
}

void TVexoTabButtons::WndProc(TMessage& message) {
    if (message.Msg == WM_LBUTTONDOWN) {
        const TPoint p = Point(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
        for (std::size_t i = 0; i < tabs_.size(); ++i) {
            if (tabs_[i].Contains(p)) {
                setActiveIndex(static_cast<int>(i));
                if (OnChange) OnChange(this);
                break;
            }
        }
    }
    TCustomControl::WndProc(message);
}

} // namespace vexo
