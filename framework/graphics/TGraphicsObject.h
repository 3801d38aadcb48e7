#pragma once
// Common base of the canvas's drawing tools (TPen, TBrush, TFont): each notifies its owner when one
// of its properties changes, so that a canvas reselects it and a control repaints.
#include <functional>

namespace vexo {

class TGraphicsObject;
using TGraphicsChangeEvent = std::function<void(TGraphicsObject* sender)>;

class TGraphicsObject {
public:
    virtual ~TGraphicsObject() = default;
    TGraphicsObject() = default;
    // A copy takes the values, never the owner's notification.
    TGraphicsObject(const TGraphicsObject&) {}
    TGraphicsObject& operator=(const TGraphicsObject&) { return *this; }

    TGraphicsChangeEvent OnChange;

protected:
    void Changed() {
        if (OnChange) OnChange(this);
    }
};

} // namespace vexo
