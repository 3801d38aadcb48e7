#pragma once
// A timer component: OnTimer every Interval milliseconds while Enabled. Like the framework's timer
// it runs only when it is enabled, has a non-zero interval and has a handler.
#include "framework/core/TComponent.h"
#include "framework/core/TNotifyEvent.h"
#include <memory>

class QTimer;

namespace vexo {

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned interval);
    void SetOnTimer(TNotifyEvent handler);
    const TNotifyEvent& OnTimer() const { return onTimer_; }
    // True while ticks are being delivered.
    bool Running() const;

protected:
    virtual void Timer();

private:
    void update();

    bool enabled_ = true;
    unsigned interval_ = 1000;
    TNotifyEvent onTimer_;
    std::unique_ptr<QTimer> timer_;
};

} // namespace vexo
