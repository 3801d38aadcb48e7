#pragma once
// A control without a window: its parent's window paints it (Paint, during the parent's paint) and
// routes the mouse messages over it to it. It never takes the keyboard focus.
#include "framework/windows/TControl.h"
#include <memory>

namespace vexo {

class TControlCanvas;

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;

    TControlCanvas* Canvas() const { return canvas_.get(); }
    void Dispatch(TMessage& message) override;

protected:
    virtual void Paint() {}

private:
    std::unique_ptr<TControlCanvas> canvas_;
};

} // namespace vexo
