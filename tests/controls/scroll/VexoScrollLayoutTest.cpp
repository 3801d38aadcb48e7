#include "controls/scroll/VexoScrollLayout.h"

#include <gtest/gtest.h>

#include <string>

using namespace vexo;

namespace {

TVxScrollbarMetrics vertical(int position, int max = 100, int height = 100) {
    return {sbVertical, 18, height, 18, 15, position, max};
}
TVxScrollbarMetrics horizontal(int position, int max = 100) {
    return {sbHorizontal, 100, 18, 18, 15, position, max};
}

std::string str(const TRect& r) {
    return "(" + std::to_string(r.Left) + ", " + std::to_string(r.Top) + ", " + std::to_string(r.Right) +
           ", " + std::to_string(r.Bottom) + ")";
}

} // namespace

// The buttons: vertical (0, 0, 18, 18) decreasing and (0, 82, 18, 100) increasing; horizontal
// (82, 0, 100, 18) decreasing and (0, 0, 18, 18) increasing (see ArrowPoints for their arrows).
TEST(VexoScrollLayoutTest, ThumbAndTrackOfBothKinds) {
    const struct {
        const char* name;
        TVxScrollbarMetrics metrics;
        TRect thumb, trackUp, trackDown;
        int travel;
    } cases[] = {
        {"default bar at 0", vertical(0), {0, 18, 18, 33}, {0, 18, 18, 18}, {0, 33, 18, 82}, 49},
        {"at 50: 49 x 50 / 100 = 24", vertical(50), {0, 42, 18, 57}, {0, 18, 18, 42}, {0, 57, 18, 82}, 49},
        {"beyond Max stays on the track",
         vertical(500),
         {0, 67, 18, 82},
         {0, 18, 18, 67},
         {0, 82, 18, 82},
         49},
        {"Max 0 rests at the start", vertical(0, 0), {0, 18, 18, 33}, {0, 18, 18, 18}, {0, 33, 18, 82}, 49},
        {"track shorter than the thumb",
         vertical(50, 100, 40),
         {0, 18, 18, 33},
         {0, 18, 18, 18},
         {0, 33, 18, 33},
         -11},
        {"horizontal at 0, by the right button",
         horizontal(0),
         {67, 0, 82, 18},
         {82, 0, 82, 18},
         {18, 0, 67, 18},
         49},
        {"horizontal at 50", horizontal(50), {43, 0, 58, 18}, {58, 0, 82, 18}, {18, 0, 43, 18}, 49},
        {"horizontal at Max", horizontal(100), {18, 0, 33, 18}, {33, 0, 82, 18}, {18, 0, 18, 18}, 49},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TVxScrollbarLayout l = LayoutScrollbar(c.metrics);
        EXPECT_EQ(str(l.areas[saScroller]), str(c.thumb));
        EXPECT_EQ(str(l.areas[saTrackUp]), str(c.trackUp));
        EXPECT_EQ(str(l.areas[saTrackDown]), str(c.trackDown));
        EXPECT_EQ(l.travel, c.travel);
    }
    const TVxScrollbarLayout v = LayoutScrollbar(vertical(0));
    EXPECT_EQ(str(v.areas[saBtnArrowUp]), str({0, 0, 18, 18}));
    EXPECT_EQ(str(v.areas[saBtnArrowDown]), str({0, 82, 18, 100}));
    EXPECT_EQ(str(v.areas[saNone]), str({}));
    const TVxScrollbarLayout h = LayoutScrollbar(horizontal(0));
    EXPECT_EQ(str(h.areas[saBtnArrowUp]), str({82, 0, 100, 18}));
    EXPECT_EQ(str(h.areas[saBtnArrowDown]), str({0, 0, 18, 18}));
    const TVxScrollbarLayout shortBar = LayoutScrollbar({sbVertical, 18, 30, 18, 15, 0, 100});
    EXPECT_EQ(str(shortBar.areas[saBtnArrowDown]), str({0, 15, 18, 30})) << "buttons at most half the bar";
}

TEST(VexoScrollLayoutTest, ArrowPoints) {
    const struct {
        TRect rect;
        TVxArrowDirection direction;
        TVxArrow points;
    } cases[] = {
        {{0, 0, 18, 18}, adUp, {{{8, 6}, {4, 10}, {12, 10}}}},
        {{0, 82, 18, 100}, adDown, {{{4, 89}, {12, 89}, {8, 93}}}},
        {{0, 0, 18, 18}, adLeft, {{{6, 9}, {10, 5}, {10, 13}}}},
        {{82, 0, 100, 18}, adRight, {{{88, 5}, {92, 9}, {88, 13}}}},
        // Wide and tall rectangles are squared around their centre first.
        {{0, 0, 30, 18}, adUp, {{{14, 6}, {10, 10}, {18, 10}}}},
        {{0, 0, 18, 30}, adDown, {{{4, 13}, {12, 13}, {8, 17}}}},
        // 12 pixels: (12 - 1) / 2 = 5 is odd already; h = 3.
        {{0, 0, 12, 12}, adUp, {{{5, 4}, {3, 6}, {7, 6}}}},
    };
    for (const auto& c : cases) {
        const TVxArrow a = BuildArrow(c.rect, c.direction);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(a[i].x, c.points[i].x) << str(c.rect) << " direction " << c.direction << " point " << i;
            EXPECT_EQ(a[i].y, c.points[i].y) << str(c.rect) << " direction " << c.direction << " point " << i;
        }
    }
    const TVxScrollbarLayout l = LayoutScrollbar(vertical(0));
    EXPECT_EQ(l.arrowUp, BuildArrow({0, 0, 18, 18}, adUp));
    EXPECT_EQ(l.arrowDown, BuildArrow({0, 82, 18, 100}, adDown));
    const TVxScrollbarLayout h = LayoutScrollbar(horizontal(0));
    EXPECT_EQ(h.arrowDown, BuildArrow({0, 0, 18, 18}, adLeft)) << "the increasing button points left";
    EXPECT_EQ(h.arrowUp, BuildArrow({82, 0, 100, 18}, adRight));
}

TEST(VexoScrollLayoutTest, LimitsAndTheDragInverse) {
    EXPECT_EQ(CheckButtonWidth(sbVertical, 18, 101, 80), 50);
    EXPECT_EQ(CheckButtonWidth(sbVertical, 18, 100, -4), 0);
    EXPECT_EQ(CheckButtonWidth(sbHorizontal, 100, 18, 80), 50);
    // The drag itself runs through real input in the bar's tests; here what input cannot reach.
    EXPECT_EQ(PositionForThumbAt(vertical(0), 5, {0, 5}), -36) << "above the track: SetPosition clamps";
    EXPECT_EQ(PositionForThumbAt(vertical(0, 2000000000), 82, {0, 15}), 2000000000) << "no overflow";
    EXPECT_EQ(PositionForThumbAt(vertical(0, 100, 40), 30, {0, 5}), std::nullopt);
}
