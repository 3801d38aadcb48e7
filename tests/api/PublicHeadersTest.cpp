// A control's text drawing needs only the public drawing headers, and they keep Qt's font classes
// out of it: a device context is an opaque handle outside the framework. The check comes before
// any other header could bring the font classes in.
#include "framework/graphics/Gdi.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TCanvas.h"

#if defined(QFONT_H) || defined(QFONTMETRICS_H)
#error "a public drawing header includes QFont or QFontMetrics"
#endif

#include <gtest/gtest.h>

namespace {

using namespace vexo;

TEST(PublicHeadersTest, TextIsMeasuredAndDrawnThroughTheOpaqueHandle) {
    TBitmap bitmap;
    bitmap.SetSize(80, 20);
    const HDC dc = bitmap.Canvas()->Handle();
    TSize size;
    ASSERT_TRUE(GetTextExtentPoint32(dc, "row normal", -1, &size));
    TRect r = Rect(0, 0, 0, 0);
    DrawTextEx(dc, "row normal", &r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r, Rect(0, 0, size.cx, size.cy));
}

} // namespace
