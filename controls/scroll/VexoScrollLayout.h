#pragma once
// The geometry of the owner-drawn scroll bar as plain computations, so that it can be checked
// without a window: the rectangle of each area, the arrow triangles, and the inverse that turns a
// dragged thumb back into a position.
#include "framework/core/Types.h"
#include "framework/windows/TControlScrollBar.h"

#include <array>
#include <optional>

namespace vexo {

// The areas of the bar. saBtnArrowDown increases the position, saBtnArrowUp decreases it;
// saTrackDown lies between the thumb and the increasing end, saTrackUp between the decreasing end
// and the thumb; saScroller is the thumb.
enum TVxScrollbarArea { saBtnArrowDown, saBtnArrowUp, saTrackDown, saTrackUp, saScroller, saNone };
enum TVxArrowDirection { adUp, adDown, adLeft, adRight };

using TVxArrow = std::array<TPoint, 3>;
using TVxScrollbarAreas = std::array<TRect, saNone + 1>;

// A triangle centred in the square middle of rect, of odd width so that its tip sits on a pixel.
TVxArrow BuildArrow(TRect rect, TVxArrowDirection direction);

// w limited to half the bar's length (integer division); a negative w gives 0.
int CheckButtonWidth(TScrollBarKind kind, int width, int height, int w);

// What the layout depends on.
struct TVxScrollbarMetrics {
    TScrollBarKind kind = sbVertical;
    int width = 0;
    int height = 0;
    int buttonWidth = 0; // as stored; limited by CheckButtonWidth here
    int scrollerWidth = 0;
    int position = 0;
    int max = 0;
};

struct TVxScrollbarLayout {
    int button = 0;            // the effective button length
    int travel = 0;            // track length minus the thumb: how far the thumb moves; 0 or less, not at all
    TVxScrollbarAreas areas{}; // saNone stays empty
    TVxArrow arrowUp{};        // drawn in saBtnArrowUp
    TVxArrow arrowDown{};      // drawn in saBtnArrowDown
};

// A vertical bar has its decreasing button on top and the thumb moves down as the position grows.
// A horizontal bar has its increasing button on the left (arrow pointing left) and its decreasing
// one on the right, so its thumb moves left as the position grows: every button and every page
// moves the thumb towards the area pressed. With Max 0, or a track no longer than the thumb, the
// thumb rests at the decreasing end of the track.
TVxScrollbarLayout LayoutScrollbar(const TVxScrollbarMetrics& m);

// The position that puts the thumb, held grab pixels from its top-left corner, under the pointer
// at p (y for a vertical bar, x for a horizontal one): the inverse of the thumb's placement.
// Nothing when the thumb cannot move.
std::optional<int> PositionForThumbAt(const TVxScrollbarMetrics& m, int p, TPoint grab);

} // namespace vexo
