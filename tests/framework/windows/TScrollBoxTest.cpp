#include "framework/windows/TScrollBox.h"
#include "support/WindowTestSupport.h"
#include <QScrollBar>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace vexo;

namespace {

// Records the scroll messages that reach the box's window procedure.
class LoggingBox : public TScrollBox {
public:
    using TScrollBox::TScrollBox;
    std::vector<std::pair<UINT, int>> log; // message, scroll code
    std::vector<int> thumbs;
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_HSCROLL || m.Msg == WM_VSCROLL) {
            log.emplace_back(m.Msg, LOWORD(m.WParam));
            thumbs.push_back(HIWORD(m.WParam));
        }
        TScrollBox::WndProc(m);
    }
};

struct Scene {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    LoggingBox* box = new LoggingBox(form.get());
    Scene() {
        form->SetBounds(0, 0, 300, 300);
        box->SetParent(form.get());
        box->SetBorderStyle(bsNone);
        box->SetAutoScroll(false);
        box->SetBounds(0, 0, 200, 100);
        box->VertScrollBar()->SetRange(1000);
        box->VertScrollBar()->SetIncrement(20);
        form->Show();
    }
    QScrollBar* vbar() {
        for (QScrollBar* b : box->Widget()->findChildren<QScrollBar*>())
            if (b->orientation() == Qt::Vertical) return b;
        return nullptr;
    }
};

TEST(TScrollBoxTest, BarsShowWhenTheRangeExceedsTheClientArea) {
    Scene s;
    EXPECT_TRUE(s.box->VertScrollBar()->IsScrollBarVisible());
    EXPECT_FALSE(s.box->HorzScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(s.box->ClientWidth(), 200 - s.box->VertScrollBar()->Size());
    EXPECT_EQ(s.box->ClientHeight(), 100);
    ASSERT_NE(s.vbar(), nullptr);
    EXPECT_TRUE(s.vbar()->isVisible());
    s.box->VertScrollBar()->SetRange(50);
    EXPECT_FALSE(s.vbar()->isVisible());
    EXPECT_EQ(s.box->ClientWidth(), 200);
}

// The client rectangle is kept between changes; every change that moves it must be seen at once.
TEST(TScrollBoxTest, ClientRectFollowsEveryChangeThatMovesIt) {
    Scene s;
    const int bar = s.box->VertScrollBar()->Size();
    struct Step {
        const char* what;
        std::function<void(TScrollBox*)> change;
        int width, height;
    };
    const Step steps[] = {
        {"vertical range shows its bar", [](TScrollBox*) {}, 200 - bar, 100},
        {"a longer range keeps it", [](TScrollBox* b) { b->VertScrollBar()->SetRange(2000); }, 200 - bar,
         100},
        {"a short range hides it", [](TScrollBox* b) { b->VertScrollBar()->SetRange(90); }, 200, 100},
        {"a horizontal range shows the other bar", [](TScrollBox* b) { b->HorzScrollBar()->SetRange(500); },
         200, 100 - bar},
        {"the box grows", [](TScrollBox* b) { b->SetBounds(0, 0, 250, 150); }, 250, 150 - bar},
        {"a border", [](TScrollBox* b) { b->SetBorderStyle(bsSingle); }, -1, -1},
        {"the bar hidden by hand", [](TScrollBox* b) { b->HorzScrollBar()->SetVisible(false); }, -2, -2},
    };
    int framedWidth = 0, framedHeight = 0;
    for (const Step& step : steps) {
        step.change(s.box);
        const TRect r = s.box->ClientRect();
        if (step.width == -1) { // the border takes the same from both sides
            EXPECT_LT(r.Width(), 250) << step.what;
            EXPECT_LT(r.Height(), 150 - bar) << step.what;
            framedWidth = r.Width();
            framedHeight = r.Height();
        } else if (step.width == -2) {
            EXPECT_EQ(r.Width(), framedWidth) << step.what;
            EXPECT_EQ(r.Height(), framedHeight + bar) << step.what;
        } else {
            EXPECT_EQ(r.Width(), step.width) << step.what;
            EXPECT_EQ(r.Height(), step.height) << step.what;
        }
    }
}

TEST(TScrollBoxTest, PositionIsClampedToRangeMinusTheClientExtent) {
    Scene s;
    TControlScrollBar* v = s.box->VertScrollBar();
    v->SetPosition(5000);
    EXPECT_EQ(v->Position(), 1000 - 100);
    v->SetPosition(-3);
    EXPECT_EQ(v->Position(), 0);
}

TEST(TScrollBoxTest, QtBarActionsArriveAsScrollMessagesWithTheirCodes) {
    Scene s;
    QScrollBar* bar = s.vbar();
    ASSERT_NE(bar, nullptr);
    struct Case {
        QAbstractSlider::SliderAction action;
        int code;
        int position; // after the default handling, starting from 100
    };
    const Case cases[] = {
        {QAbstractSlider::SliderSingleStepAdd, SB_LINEDOWN, 120},
        {QAbstractSlider::SliderSingleStepSub, SB_LINEUP, 80},
        {QAbstractSlider::SliderPageStepAdd, SB_PAGEDOWN, 200},
        {QAbstractSlider::SliderPageStepSub, SB_PAGEUP, 0},
        {QAbstractSlider::SliderToMinimum, SB_TOP, 0},
        {QAbstractSlider::SliderToMaximum, SB_BOTTOM, 900},
    };
    for (const Case& c : cases) {
        s.box->VertScrollBar()->SetPosition(100);
        s.box->log.clear();
        bar->triggerAction(c.action);
        ASSERT_EQ(s.box->log.size(), 1u) << c.code;
        EXPECT_EQ(s.box->log[0], std::make_pair(WM_VSCROLL, c.code));
        EXPECT_EQ(s.box->VertScrollBar()->Position(), c.position) << c.code;
        EXPECT_EQ(bar->value(), c.position) << "the Qt bar shows the resulting position";
    }
}

TEST(TScrollBoxTest, ClickingAnArrowEndsWithEndScroll) {
    Scene s;
    QScrollBar* bar = s.vbar();
    ASSERT_NE(bar, nullptr);
    // The lower arrow of the vertical bar sits at its bottom end.
    const QPoint arrow(bar->width() / 2, bar->height() - 3);
    QTest::mouseClick(bar, Qt::LeftButton, {}, arrow);
    ASSERT_GE(s.box->log.size(), 2u);
    EXPECT_EQ(s.box->log.front(), std::make_pair(WM_VSCROLL, SB_LINEDOWN));
    EXPECT_EQ(s.box->log.back(), std::make_pair(WM_VSCROLL, SB_ENDSCROLL));
    EXPECT_EQ(s.box->VertScrollBar()->Position(), 20);
}

TEST(TScrollBoxTest, ThumbDragTracksOnlyWithTracking) {
    Scene s;
    QScrollBar* bar = s.vbar();
    TControlScrollBar* v = s.box->VertScrollBar();
    auto drag = [&](int to) {
        bar->setSliderDown(true);
        bar->setSliderPosition(to);
        bar->setSliderDown(false);
    };
    drag(300);
    ASSERT_GE(s.box->log.size(), 2u);
    EXPECT_EQ(s.box->log[0], std::make_pair(WM_VSCROLL, SB_THUMBTRACK));
    EXPECT_EQ(s.box->thumbs[0], 300);
    EXPECT_EQ(s.box->log[1], std::make_pair(WM_VSCROLL, SB_THUMBPOSITION));
    EXPECT_EQ(v->Position(), 300) << "the position follows on release";
    v->SetTracking(true);
    bar->setSliderDown(true);
    bar->setSliderPosition(500);
    EXPECT_EQ(v->Position(), 500) << "tracking follows the thumb at once";
    bar->setSliderDown(false);
}

TEST(TScrollBoxTest, AWindowProcedureThatHandlesScrollingDecidesWhereTheBarStands) {
    Scene s;
    class Snapping : public TScrollBox {
    public:
        using TScrollBox::TScrollBox;
        void WndProc(TMessage& m) override {
            if (m.Msg == WM_VSCROLL) {
                VertScrollBar()->SetPosition(VertScrollBar()->Position() + 50);
                m.Result = 0;
                return;
            }
            TScrollBox::WndProc(m);
        }
    };
    auto* box = new Snapping(s.form.get());
    box->SetParent(s.form.get());
    box->SetBorderStyle(bsNone);
    box->SetAutoScroll(false);
    box->SetBounds(0, 150, 200, 100);
    box->VertScrollBar()->SetRange(1000);
    QScrollBar* bar = nullptr;
    for (QScrollBar* b : box->Widget()->findChildren<QScrollBar*>())
        if (b->orientation() == Qt::Vertical) bar = b;
    ASSERT_NE(bar, nullptr);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(box->VertScrollBar()->Position(), 50);
    EXPECT_EQ(bar->value(), 50);
}

TEST(TScrollBoxTest, AutoScrollRangesFollowTheChildren) {
    Scene s;
    s.box->SetAutoScroll(true);
    auto* child = new RecordingControl(s.form.get());
    child->SetParent(s.box);
    child->SetBounds(10, 20, 300, 400);
    EXPECT_EQ(s.box->HorzScrollBar()->Range(), 310);
    EXPECT_EQ(s.box->VertScrollBar()->Range(), 420);
    EXPECT_TRUE(s.box->HorzScrollBar()->IsScrollBarVisible());
}

TEST(TScrollBoxTest, ScrollingMovesTheChildren) {
    Scene s;
    auto* child = new RecordingControl(s.form.get());
    child->SetParent(s.box);
    child->SetBounds(10, 300, 20, 20);
    s.box->VertScrollBar()->SetPosition(250);
    EXPECT_EQ(child->Top(), 50);
    s.box->VertScrollBar()->SetPosition(0);
    EXPECT_EQ(child->Top(), 300);
}

} // namespace
