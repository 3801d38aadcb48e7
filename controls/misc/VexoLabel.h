#pragma once
// A label whose caption can be turned by 90 degrees either way and aligned across its height. It
// always fills its background and draws its caption on one line: Layout, WordWrap and Transparent
// do not change its painting.
#include "controls/misc/TurnedText.h"
#include "framework/stdctrls/TCustomLabel.h"

namespace vexo {

// Where a label draws its caption: the corner of the text cell that the turned font starts from.
// cx is the caption's extent along the text, cy across it.
TPoint LabelTextOrigin(int width, int height, TTextDirection direction, TAlignment alignment,
                       TVAlignment vAlign, TSize caption);

class TVexoLabel : public TCustomLabel {
public:
    explicit TVexoLabel(TComponent* owner);

    TVAlignment TextVAlignment() const { return textVAlignment_; }
    void setTextVAlignment(TVAlignment value);
    TTextDirection TextDirection() const { return textDirection_; }
    void setTextDirection(TTextDirection value);

protected:
    void Paint() override;
    // With AutoSize and no Align, turned text makes the label as wide as the text is high and as
    // high as it is long.
    void AdjustBounds() override;

private:
    int angle() const;
    TSize measure() const;

    TVAlignment textVAlignment_ = tvaTopJustify;
    TTextDirection textDirection_ = ttdLeftToRight;
};

} // namespace vexo
