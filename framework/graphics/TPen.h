#pragma once
// The canvas's pen: colour, width, dash style and raster mode of lines and outlines.
#include "framework/core/Types.h"
#include "framework/graphics/TGraphicsObject.h"

namespace vexo {

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// The raster operations a pen can draw with; pmNot inverts what is below, pmXor and pmNotXor make a
// line that a second identical drawing removes.
enum TPenMode { pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmXor, pmNotXor };

class TPen : public TGraphicsObject {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    int Width() const { return width_; }
    void SetWidth(int value); // below 1 counts as 1, as the platform draws it
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle value);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode value);

    void Assign(const TPen& source);
    friend bool operator==(const TPen& a, const TPen& b) {
        return a.color_ == b.color_ && a.width_ == b.width_ && a.style_ == b.style_ && a.mode_ == b.mode_;
    }

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
};

} // namespace vexo
