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

TEST(VexoScrollLayoutTest, AreasOfBothKinds) {
    const struct {
        const char* name;
        TVxScrollbarMetrics metrics;
        TRect up, down, thumb, trackUp, trackDown;
        int travel;
    } cases[] = {
        {"default bar at 0",
         vertical(0),
         {0, 0, 18, 18},
         {0, 82, 18, 100},
         {0, 18, 18, 33},
         {0, 18, 18, 18},
         {0, 33, 18, 82},
         49},
        {"default bar at 50: 49 x 50 / 100 = 24",
         vertical(50),
         {0, 0, 18, 18},
         {0, 82, 18, 100},
         {0, 42, 18, 57},
         {0, 18, 18, 42},
         {0, 57, 18, 82},
         49},
        {"at Max the thumb meets the lower button",
         vertical(100),
         {0, 0, 18, 18},
         {0, 82, 18, 100},
         {0, 67, 18, 82},
         {0, 18, 18, 67},
         {0, 82, 18, 82},
         49},
        {"a position beyond Max stays on the track",
         vertical(500),
         {0, 0, 18, 18},
         {0, 82, 18, 100},
         {0, 67, 18, 82},
         {0, 18, 18, 67},
         {0, 82, 18, 82},
         49},
        {"Max 0 rests at the start",
         vertical(0, 0),
         {0, 0, 18, 18},
         {0, 82, 18, 100},
         {0, 18, 18, 33},
         {0, 18, 18, 18},
         {0, 33, 18, 82},
         49},
        {"a track shorter than the thumb rests at the start",
         vertical(50, 100, 40),
         {0, 0, 18, 18},
         {0, 22, 18, 40},
         {0, 18, 18, 33},
         {0, 18, 18, 18},
         {0, 33, 18, 33},
         -11},
        {"buttons at most half the bar",
         {sbVertical, 18, 30, 18, 15, 0, 100},
         {0, 0, 18, 15},
         {0, 15, 18, 30},
         {0, 15, 18, 30},
         {0, 15, 18, 15},
         {0, 30, 18, 30},
         -15},
        {"horizontal at 0: the thumb by the decreasing button on the right",
         horizontal(0),
         {82, 0, 100, 18},
         {0, 0, 18, 18},
         {67, 0, 82, 18},
         {82, 0, 82, 18},
         {18, 0, 67, 18},
         49},
        {"horizontal at 50",
         horizontal(50),
         {82, 0, 100, 18},
         {0, 0, 18, 18},
         {43, 0, 58, 18},
         {58, 0, 82, 18},
         {18, 0, 43, 18},
         49},
        {"horizontal at Max",
         horizontal(100),
         {82, 0, 100, 18},
         {0, 0, 18, 18},
         {18, 0, 33, 18},
         {33, 0, 82, 18},
         {18, 0, 18, 18},
         49},
        {"horizontal with Max 0",
         horizontal(7, 0),
         {82, 0, 100, 18},
         {0, 0, 18, 18},
         {67, 0, 82, 18},
         {82, 0, 82, 18},
         {18, 0, 67, 18},
         49},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TVxScrollbarLayout l = LayoutScrollbar(c.metrics);
        EXPECT_EQ(str(l.areas[saBtnArrowUp]), str(c.up));
        EXPECT_EQ(str(l.areas[saBtnArrowDown]), str(c.down));
        EXPECT_EQ(str(l.areas[saScroller]), str(c.thumb));
        EXPECT_EQ(str(l.areas[saTrackUp]), str(c.trackUp));
        EXPECT_EQ(str(l.areas[saTrackDown]), str(c.trackDown));
        EXPECT_EQ(str(l.areas[saNone]), str(TRect{}));
        EXPECT_EQ(l.travel, c.travel);
    }
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

TEST(VexoScrollLayoutTest, ButtonWidthIsLimitedToHalfTheBar) {
    EXPECT_EQ(CheckButtonWidth(sbVertical, 18, 100, 80), 50);
    EXPECT_EQ(CheckButtonWidth(sbVertical, 18, 101, 80), 50);
    EXPECT_EQ(CheckButtonWidth(sbVertical, 18, 100, 30), 30);
    EXPECT_EQ(CheckButtonWidth(sbVertical, 18, 100, -4), 0);
    EXPECT_EQ(CheckButtonWidth(sbHorizontal, 100, 18, 80), 50);
}

TEST(VexoScrollLayoutTest, DraggedThumbGivesThePositionUnderThePointer) {
    const struct {
        const char* name;
        TVxScrollbarMetrics metrics;
        int pointer;
        TPoint grab;
        std::optional<int> position;
    } cases[] = {
        {"(60 - 23) x 100 / 49", vertical(0), 60, {0, 5}, 75},
        {"above the track goes below 0 (SetPosition clamps)", vertical(0), 5, {0, 5}, -36},
        {"horizontal: (100 - 18 - 15 - 25) x 100 / 49", horizontal(0), 30, {5, 0}, 85},
        {"horizontal at the right end", horizontal(0), 72, {5, 0}, 0},
        {"a track shorter than the thumb", vertical(0, 100, 40), 30, {0, 5}, std::nullopt},
        {"a huge Max does not overflow", vertical(0, 2000000000), 82, {0, 15}, 2000000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PositionForThumbAt(c.metrics, c.pointer, c.grab), c.position);
    }
}
