#include "controls/scroll/VexoScrollLayout.h"

#include "framework/core/MulDiv.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace vexo {

namespace {

int oddAtLeast(int v) {
    return v % 2 == 0 ? v + 1 : v;
}

int lengthOf(const TVxScrollbarMetrics& m) {
    return m.kind == sbHorizontal ? m.width : m.height;
}

// How far the thumb can move; the effective button length goes to button.
int travelOf(const TVxScrollbarMetrics& m, int& button) {
    button = CheckButtonWidth(m.kind, m.width, m.height, m.buttonWidth);
    return lengthOf(m) - 2 * button - m.scrollerWidth;
}

// The thumb's distance from the decreasing end of the track. 64 bits: a long track times a large
// position overflows 32. A position outside 0..max (a disabled bar keeps one when Max is lowered)
// still keeps the thumb on the track.
int thumbOffset(int travel, int position, int max) {
    if (max <= 0 || travel <= 0) return 0;
    const std::int64_t p = std::clamp(position, 0, max);
    return static_cast<int>(static_cast<std::int64_t>(travel) * p / max);
}

} // namespace

TVxArrow BuildArrow(TRect r, TVxArrowDirection direction) {
    const int d = r.Width() - r.Height();
    if (d > 0) {
        r.Left += d / 2;
        r.Right -= d / 2;
    } else {
        r.Top -= d / 2;
        r.Bottom += d / 2;
    }
    const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
    TVxArrow a{};
    if (direction == adUp || direction == adDown) {
        const int w = oddAtLeast((R - L - 1) / 2);
        const int h = w / 2 + 1;
        if (direction == adUp) {
            a[0] = Point((L + R - 1) / 2, MulDiv(T + B - h, 1, 2) - 1);
            a[1] = Point((L + R - w) / 2, a[0].y + h - 1);
            a[2] = Point(a[1].x + w - 1, a[1].y);
        } else {
            a[0] = Point((L + R - w) / 2, MulDiv(T + B - h, 1, 2));
            a[1] = Point(a[0].x + w - 1, a[0].y);
            a[2] = Point((L + R - 1) / 2, a[0].y + h - 1);
        }
    } else {
        const int h = oddAtLeast((B - T - 1) / 2);
        const int w = h / 2 + 1;
        if (direction == adLeft) {
            a[0] = Point((L + R - w) / 2, (T + B) / 2);
            a[1] = Point(a[0].x + w - 1, MulDiv(T + B - h, 1, 2));
            a[2] = Point(a[1].x, a[1].y + h - 1);
        } else {
            a[0] = Point((L + R - w) / 2, MulDiv(T + B - h, 1, 2));
            a[1] = Point(a[0].x + w - 1, (T + B) / 2);
            a[2] = Point(a[0].x, a[0].y + h - 1);
        }
    }
    return a;
}

int CheckButtonWidth(TScrollBarKind kind, int width, int height, int w) {
    const int half = (kind == sbHorizontal ? width : height) / 2;
    return w < 0 ? 0 : std::min(w, half);
}

TVxScrollbarLayout LayoutScrollbar(const TVxScrollbarMetrics& m) {
    TVxScrollbarLayout l;
    l.travel = travelOf(m, l.button);
    const int b = l.button, W = m.width, H = m.height, S = m.scrollerWidth;
    const int offset = thumbOffset(l.travel, m.position, m.max);
    TVxScrollbarAreas& a = l.areas;
    if (m.kind == sbVertical) {
        const TRect up = Rect(0, 0, W, b);
        const TRect down = Rect(0, H - b, W, H);
        const int thumbTop = b + offset;
        const TRect thumb = Rect(0, thumbTop, W, thumbTop + S);
        a[saBtnArrowUp] = up;
        a[saBtnArrowDown] = down;
        a[saScroller] = thumb;
        a[saTrackUp] = Rect(0, up.Bottom, W, thumb.Top);
        a[saTrackDown] = Rect(0, thumb.Bottom, W, std::max(down.Top, thumb.Bottom));
        l.arrowUp = BuildArrow(up, adUp);
        l.arrowDown = BuildArrow(down, adDown);
    } else {
        const TRect increasing = Rect(0, 0, b, H);
        const TRect decreasing = Rect(W - b, 0, W, H);
        const int thumbLeft = decreasing.Left - S - offset;
        const TRect thumb = Rect(thumbLeft, 0, thumbLeft + S, H);
        a[saBtnArrowDown] = increasing;
        a[saBtnArrowUp] = decreasing;
        a[saScroller] = thumb;
        a[saTrackUp] = Rect(thumb.Right, 0, decreasing.Left, H);
        a[saTrackDown] = Rect(std::min(increasing.Right, thumb.Left), 0, thumb.Left, H);
        l.arrowDown = BuildArrow(increasing, adLeft);
        l.arrowUp = BuildArrow(decreasing, adRight);
    }
    return l;
}

std::optional<int> PositionForThumbAt(const TVxScrollbarMetrics& m, int p, TPoint grab) {
    int b = 0;
    const int travel = travelOf(m, b);
    if (travel <= 0) return std::nullopt;
    const std::int64_t offset =
        m.kind == sbVertical ? std::int64_t(p) - grab.y - b
                             : std::int64_t(m.width) - b - m.scrollerWidth - (std::int64_t(p) - grab.x);
    const std::int64_t position = offset * m.max / travel;
    return static_cast<int>(
        std::clamp<std::int64_t>(position, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace vexo
