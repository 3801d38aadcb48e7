#pragma once
// A canvas bound to a control. During the control's paint it draws on the paint context; at any
// other time it takes a context on the control's window (a windowless control draws on its
// parent's window, shifted and clipped to its bounds) and gives it back once the message being
// handled is done, when what was drawn reaches the screen.
#include "framework/graphics/TCanvas.h"
#include <QObject>
#include <QPointer>
#include <memory>

namespace vexo {

class TControl;

class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl* control = nullptr);
    ~TControlCanvas() override;

    TControl* Control() const { return control_; }
    void SetControl(TControl* control);
    // Gives back a context taken outside a paint; the next drawing call takes a new one.
    void FreeHandle();
    // Turns the paint context dc into the canvas's handle for the time of a paint.
    void BeginPaint(HDC dc);
    void EndPaint();

protected:
    void CreateHandle() override;

private:
    TControl* control_ = nullptr;
    HDC ownDC_ = nullptr;
    QPointer<QObject> window_; // the window the context came from
    std::shared_ptr<bool> alive_;
};

} // namespace vexo
