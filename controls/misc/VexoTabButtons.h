#pragma once
// A strip of tabs made from a list of texts, without pages. Tabs that do not fit scroll with two
// buttons on a panel at the right end, shown only while some tab is out of view. A click on a tab
// makes it active and raises OnChange, also when it was active already.
#include "controls/misc/TabDrawing.h"
#include "framework/core/TNotifyEvent.h"
#include "framework/graphics/TFontStyles.h"
#include "framework/windows/TCustomControl.h"
#include <memory>
#include <vector>

namespace vexo {

class TStringList;
class TVexoButton;
class TVexoFrame;

class TVexoTabButtons : public TCustomControl {
public:
    explicit TVexoTabButtons(TComponent* owner);
    ~TVexoTabButtons() override;

    TStringList* Items() const { return items_.get(); }
    void setItems(const TStringList& items);
    int ActiveIndex() const { return activeIndex_; }
    void setActiveIndex(int index);
    TVTButtonsPosition ButtonsPosition() const { return position_; }
    void setBtPosition(TVTButtonsPosition position);
    TColor ColorFrame() const { return colorFrame_; }
    void setColorFrame(TColor color);
    TColor ColorFont() const { return colorFont_; }
    void setColorFont(TColor color);
    TFontStyles TextStyles() const { return textStyles_; }
    void setTextStyles(TFontStyles styles);

    // The scroll buttons' click: one tab back or forward.
    void onClickButtons(TObject* sender);

    int FirstVisible() const { return firstVisible_; }
    int VisibleCount() const { return visibleCount_; }
    int TotalWidth() const { return totalWidth_; }
    // Where the last paint drew tab i (empty for a tab scrolled out of view).
    TRect TabRect(int index) const;
    TVexoFrame* Panel() const { return panel_; }
    TVexoButton* ScrollLeft() const { return left_; }
    TVexoButton* ScrollRight() const { return right_; }

    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void WndProc(TMessage& message) override;

private:
    void setCanvasFont();
    void itemsChanged();

    TVTButtonsPosition position_ = vtBtDown;
    int activeIndex_ = -1;
    std::unique_ptr<TStringList> items_;
    TColor colorFrame_ = 0x808080;
    TColor colorFont_ = 0;
    TFontStyles textStyles_;
    std::vector<TRect> tabs_;
    TVexoFrame* panel_;
    TVexoButton* left_;
    TVexoButton* right_;
    int totalWidth_ = 0;
    int firstVisible_ = -1;
    int visibleCount_ = 0;
};

} // namespace vexo
