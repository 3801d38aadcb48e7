#pragma once
// One page of a tab container: a plain panel in the container's colour whose caption is its tab's
// text. A page belongs to the container that is its parent; Order sorts it among the others.
#include "framework/windows/TCustomControl.h"

namespace vexo {

class TVexoTabbed;

class TVexoPage : public TCustomControl {
public:
    explicit TVexoPage(TComponent* owner);
    ~TVexoPage() override;

    TVexoTabbed* TabControl() const { return tabControl_; }
    // Moves the page into this container (its parent from now on); null takes it out of any.
    void setTabControl(TVexoTabbed* tabbed);
    void SetParent(TWinControl* parent) override;

    bool TabVisible() const { return tabVisible_; }
    void setVisibleTab(bool visible);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width); // not negative
    int Order() const { return order_; }
    void SetOrder(int order);

    // Where the container last drew this page's tab (all 0 when it drew none).
    const TRect& TabRect() const { return tabRect_; }
    void SetTabRect(const TRect& rect) { tabRect_ = rect; }

protected:
    void AdjustClientRect(TRect& rect) override;
    void Paint() override;

private:
    TVexoTabbed* tabControl_ = nullptr;
    bool tabVisible_ = true;
    int order_ = 0;
    int borderWidth_ = 0;
    TRect tabRect_{};
};

} // namespace vexo
