#pragma once
// A container of pages with a strip of tabs along its bottom or top edge. The active page fills
// the page area (the client rectangle the aligned children share) and the others are hidden;
// OnCanChange may refuse a change of page. An ActiveIndex given before there are pages (a form
// file sets it before it reads the pages) waits and is applied by the first paint that finds pages.
#include "controls/misc/TabDrawing.h"
#include "framework/core/TNotifyEvent.h"
#include "framework/graphics/TFontStyles.h"
#include "framework/windows/TCustomControl.h"
#include <functional>
#include <vector>

namespace vexo {

class TVexoPage;

using TVexoCanChangeEvent = std::function<void(int page, bool& canChange)>;

class TVexoTabbed : public TCustomControl {
public:
    explicit TVexoTabbed(TComponent* owner);
    ~TVexoTabbed() override;

    // Pages sorted by Order (equal orders keep the order they joined in).
    int PageCount() const { return static_cast<int>(pages_.size()); }
    TVexoPage* Pages(int index) const; // EListError outside 0..PageCount-1
    void addPage(TVexoPage* page);
    // Sorts again after a page's Order changed (a form file gives it once the page has joined).
    void sortPages();
    // Takes the page out; the active page stays on a page that remains (see the source).
    void delPage(TVexoPage* page);

    int ActiveIndex() const { return activeIndex_; }
    void setActiveIndex(int index);
    void AdjustPages();

    int TabHeight() const { return tabHeight_; }
    void setTabHeight(int height);
    bool HideButtons() const { return hideButtons_; }
    void setHideButtons(bool hide);
    TVTButtonsPosition ButtonsPosition() const { return position_; }
    void setBtPosition(TVTButtonsPosition position);
    int getBorderInternal() const { return borderInternal_; }
    void setBorderInternal(int border);
    TColor ColorFrame() const { return colorFrame_; }
    void setColorFrame(TColor color);
    TColor ColorFont() const { return colorFont_; }
    void setColorFont(TColor color);
    TFontStyles TextStyles() const { return textStyles_; }
    void setTextStyles(TFontStyles styles);
    bool HideFrame() const { return hideFrame_; }
    void setHideFrame(bool hide);
    // Sides by index: 0 left, 1 right, 2 top, 3 bottom.
    bool getDrawFrame(int index) const;
    void setDrawFrame(int index, bool draw);

    TPoint ClickPoint() const { return clickPoint_; }

    TNotifyEvent OnChange;
    TVexoCanChangeEvent OnCanChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void AdjustClientRect(TRect& rect) override;
    void Paint() override;
    void WndProc(TMessage& message) override;
    void Resize() override;

private:
    bool designing() const;
    void paintFrame(const TRect& frame);
    void paintTabs(const TRect& strip);

    int tabHeight_ = 18;
    TPoint clickPoint_{};
    int activeIndex_ = -1;
    int pendingIndex_ = -1;
    std::vector<TVexoPage*> pages_;
    int highestOrder_ = 0;
    int borderInternal_ = 0;
    TColor colorFrame_ = 0x808080;
    TColor colorFont_ = 0;
    TFontStyles textStyles_;
    bool hideButtons_ = false;
    bool drawSide_[4] = {true, true, true, true};
    bool hideFrame_ = false;
    TVTButtonsPosition position_ = vtBtDown;
};

} // namespace vexo
