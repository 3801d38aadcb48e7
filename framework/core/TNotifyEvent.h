#pragma once
// The event that only tells its handler who sent it (OnClick, OnTimer, OnChange, ...).
#include <functional>

namespace vexo {

class TObject;

using TNotifyEvent = std::function<void(TObject* sender)>;

} // namespace vexo
