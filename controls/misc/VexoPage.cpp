#include "controls/misc/VexoPage.h"

#include "controls/misc/MiscProperties.h"
#include "controls/misc/VexoTabbed.h"
#include "framework/graphics/TBrush.h"
#include "framework/windows/TControlCanvas.h"

namespace vexo {

TVexoPage::TVexoPage(TComponent* owner) : TCustomControl(owner) {
    RegisterMiscClasses();
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque, csAcceptsControls, csNoDesignVisible});
    SetAlign(alNone);
    SetVisible(true);
}

TVexoPage::~TVexoPage() {
    if (tabControl_) tabControl_->delPage(this);
    tabControl_ = nullptr;
}

void TVexoPage::setTabControl(TVexoTabbed* tabbed) {
    if (tabbed != tabControl_) SetParent(tabbed);
}

// A page joins the container it is put into, whether by setTabControl, by SetParent or by a form
// file that nests it in the container.
void TVexoPage::SetParent(TWinControl* parent) {
    auto* tabbed = dynamic_cast<TVexoTabbed*>(parent);
    if (tabControl_ && tabControl_ != tabbed) {
        TVexoTabbed* old = tabControl_;
        tabControl_ = nullptr;
        old->delPage(this);
    }
    TCustomControl::SetParent(parent);
    if (tabbed && tabbed != tabControl_) {
        tabControl_ = tabbed;
        tabbed->addPage(this);
    }
}

void TVexoPage::setVisibleTab(bool visible) {
    tabVisible_ = visible;
    if (tabControl_) {
        tabControl_->AdjustPages();
        tabControl_->Invalidate();
    }
}

void TVexoPage::SetOrder(int order) {
    order_ = order;
    if (tabControl_) tabControl_->sortPages();
}

void TVexoPage::SetBorderWidth(int width) {
    if (width < 0 || width == borderWidth_) return;
    borderWidth_ = width;
    Realign();
    Invalidate();
}

void TVexoPage::AdjustClientRect(TRect& rect) {
    rect = Rect(rect.Left + borderWidth_, rect.Top + borderWidth_, rect.Right - borderWidth_,
                rect.Bottom - borderWidth_);
}

void TVexoPage::Paint() {
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(tabControl_ ? tabControl_->Color() : Color());
    Canvas()->FillRect(ClientRect());
}

} // namespace vexo
