#include "framework/windows/TScreen.h"
#include <QApplication>
#include <QCursor>
#include <gtest/gtest.h>

using namespace vexo;

namespace {

TEST(TScreenTest, CursorIsApplicationWideAndDefaultRestoresTheControlsOwn) {
    ASSERT_EQ(Screen->Cursor(), crDefault);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    Screen->SetCursor(crHSplit);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::SplitHCursor);
    Screen->SetCursor(crArrow);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ArrowCursor);
    Screen->SetCursor(crArrow);
    Screen->SetCursor(crDefault);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "one level only, however often it was set";
    EXPECT_GT(Screen->Width(), 0);
    EXPECT_GT(Screen->Height(), 0);
}

} // namespace
