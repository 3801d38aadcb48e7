#include "framework/windows/TTimer.h"

#include "framework/windows/TApplication.h"

#include <QTimer>

namespace vexo {

TTimer::TTimer(TComponent* owner) : TComponent(owner), timer_(std::make_unique<QTimer>()) {
    QObject::connect(timer_.get(), &QTimer::timeout, [this] {
        try {
            Timer();
        } catch (const std::exception& error) {
            Application->HandleException(error);
        }
    });
}

TTimer::~TTimer() {
    timer_->stop();
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    update();
}

void TTimer::SetInterval(unsigned interval) {
    if (interval == interval_) return;
    interval_ = interval;
    update();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    onTimer_ = std::move(handler);
    update();
}

bool TTimer::Running() const {
    return timer_->isActive();
}

void TTimer::update() {
    timer_->stop();
    // Changing any property restarts the interval, as the framework's timer does.
    if (enabled_ && interval_ != 0 && onTimer_ && !ComponentState().Contains(csDesigning))
        timer_->start(static_cast<int>(interval_));
}

void TTimer::Timer() {
    if (onTimer_) onTimer_(this);
}

} // namespace vexo
