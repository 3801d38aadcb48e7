#include "framework/windows/TMouse.h"
#include <gtest/gtest.h>

using namespace vexo;

namespace {

TEST(TMouseTest, CursorPosIsInScreenCoordinates) {
    const TPoint saved = Mouse->CursorPos();
    Mouse->SetCursorPos(Point(37, 21));
    EXPECT_EQ(Mouse->CursorPos(), Point(37, 21));
    Mouse->SetCursorPos(saved);
}

} // namespace
