#pragma once
// The canvas's brush: the fill of shapes and rectangles and, while solid, the opaque background of text.
#include "framework/core/Types.h"
#include "framework/graphics/TGraphicsObject.h"

namespace vexo {

enum TBrushStyle { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor value); // a colour makes a clear brush solid again, as the framework does
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle value);

    void Assign(const TBrush& source);
    friend bool operator==(const TBrush& a, const TBrush& b) {
        return a.color_ == b.color_ && a.style_ == b.style_;
    }

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
};

} // namespace vexo
