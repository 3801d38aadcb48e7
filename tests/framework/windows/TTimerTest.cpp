#include "framework/windows/TTimer.h"
#include "framework/core/Exception.h"
#include "support/WindowTestSupport.h"
#include <gtest/gtest.h>

using namespace vexo;

namespace {

TEST(TTimerTest, RunsOnlyWhenEnabledWithAnIntervalAndAHandler) {
    TTimer timer(nullptr);
    EXPECT_FALSE(timer.Running()) << "no handler yet";
    int ticks = 0;
    timer.SetInterval(5);
    timer.SetOnTimer([&](TObject* sender) {
        EXPECT_EQ(sender, &timer);
        ++ticks;
    });
    EXPECT_TRUE(timer.Running());
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 2; }, 2000));
    EXPECT_GE(ticks, 2);
    timer.SetEnabled(false);
    EXPECT_FALSE(timer.Running());
    const int stopped = ticks;
    QTest::qWait(30);
    EXPECT_EQ(ticks, stopped);
    timer.SetEnabled(true);
    timer.SetInterval(0);
    EXPECT_FALSE(timer.Running()) << "a zero interval stops it";
}

TEST(TTimerTest, ExceptionsFromOnTimerAreShown) {
    RecordingPresenter presenter;
    TTimer timer(nullptr);
    timer.SetInterval(5);
    timer.SetOnTimer([&](TObject*) {
        timer.SetEnabled(false);
        throw Exception("fallo");
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return !presenter.shown.empty(); }, 2000));
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].text, "fallo.");
}

TEST(TTimerTest, OwnerDestroysItsTimer) {
    auto* owner = new TComponent(nullptr);
    int ticks = 0;
    auto* timer = new TTimer(owner);
    timer->SetInterval(1);
    timer->SetOnTimer([&](TObject*) { ++ticks; });
    delete owner;
    QTest::qWait(20);
    EXPECT_EQ(ticks, 0);
}

} // namespace
