#pragma once
// A container with a raised or lowered bevel, an inner border and a caption, centred unless
// aligned otherwise. Its aligned
// children share the area inside the border and the bevels.
#include "framework/windows/TCustomControl.h"

namespace vexo {

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* owner);

    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel bevel);
    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel bevel);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width); // at least 1
    // The space between the outer and the inner bevel, in the panel's colour.
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width); // not negative
    // Where the caption sits across the panel; it is always centred vertically.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    // With AutoSize the panel takes the size of its children without alignment: they keep their
    // places relative to one another, moved so that they start inside the border and bevels, and the
    // panel closes round them with the same margin. It fits when turned on and at every layout of
    // its children.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);

protected:
    void AdjustClientRect(TRect& rect) override;
    void AlignControls(TControl* control, TRect& rect) override;
    void Paint() override;
    void TextChanged() override { Invalidate(); }

private:
    void changed();
    void fitToChildren();

    TPanelBevel bevelOuter_ = bvRaised;
    TPanelBevel bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TAlignment alignment_ = taCenter;
    bool autoSize_ = false;
    bool fitting_ = false;
};

} // namespace vexo
