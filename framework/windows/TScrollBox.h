#pragma once
// A windowed control with two scroll bars over a client area. Each bar is shown while its Range
// exceeds the client extent; scrolling moves the children by the change of Position. With
// AutoScroll the ranges follow the children's extent.
#include "framework/windows/TControlScrollBar.h"
#include "framework/windows/TWinControl.h"
#include <memory>

namespace vexo {

class TScrollBox : public TWinControl {
public:
    explicit TScrollBox(TComponent* owner);
    ~TScrollBox() override;

    TControlScrollBar* HorzScrollBar() const { return horz_.get(); }
    TControlScrollBar* VertScrollBar() const { return vert_.get(); }
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);

    // The area left by the shown scroll bars and the border.
    TRect ClientRect() const override;
    // Moves the children by (dx, dy) and repaints.
    void ScrollBy(int dx, int dy);

    void Dispatch(TMessage& message) override;

protected:
    void CreateWnd() override;
    void PaintWindow(HDC dc) override;
    void BoundsChanged() override;
    void AlignControls(TControl* control, TRect& rect) override;

private:
    friend class TControlScrollBar;
    void layoutBars();
    void scrollAction(TControlScrollBar* bar, int code, int thumb);
    void calcAutoRange();
    int frameWidth() const;

    std::unique_ptr<TControlScrollBar> horz_;
    std::unique_ptr<TControlScrollBar> vert_;
    bool autoScroll_ = true;
    bool updatingRange_ = false;
    TBorderStyle borderStyle_ = bsSingle;
    struct ClientCache {
        bool valid = false;
        int width = 0, height = 0;
        TRect rect{};
    };
    mutable ClientCache clientCache_;
};

} // namespace vexo
