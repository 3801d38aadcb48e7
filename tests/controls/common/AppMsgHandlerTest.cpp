#include "controls/common/AppMsgHandler.h"
#include "framework/windows/WinApi.h"
#include "support/WindowTestSupport.h"
#include <gtest/gtest.h>
#include <memory>

using namespace vexo;

namespace {

struct Host {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    RecordingControl* control = new RecordingControl(form.get());
    Host() {
        control->SetParent(form.get());
        control->SetBounds(0, 0, 100, 80);
    }
    void click() { QTest::mouseClick(control->Widget(), Qt::LeftButton, {}, QPoint(4, 4)); }
};

// Each test registers fresh controls; entries of earlier tests' controls are dead by then.
TEST(AppMsgHandlerTest, HandlersSeeQueuedMessagesBeforeDispatchInRegistrationOrder) {
    Host h;
    std::vector<std::string> order;
    auto handler = [&](const std::string& name) {
        return [&, name](MSG& msg, bool&) {
            if (msg.message == WM_LBUTTONDOWN) order.push_back(name);
        };
    };
    AppMsgHandler::RegisterControl(h.control, handler("first"));
    AppMsgHandler::RegisterControl(h.control, handler("second"));
    h.control->onMessage = [&](TMessage& m) {
        if (m.Msg == WM_LBUTTONDOWN) order.push_back("window");
    };
    h.click();
    EXPECT_EQ(order, (std::vector<std::string>{"first", "second", "window"}));
}

TEST(AppMsgHandlerTest, HandledStopsTheWalkAndDropsTheMessage) {
    Host h;
    int later = 0;
    AppMsgHandler::RegisterControl(h.control,
                                   [](MSG& msg, bool& handled) { handled = msg.message == WM_LBUTTONDOWN; });
    AppMsgHandler::RegisterControl(h.control, [&](MSG& msg, bool&) {
        if (msg.message == WM_LBUTTONDOWN) ++later;
    });
    h.click();
    EXPECT_EQ(later, 0);
    EXPECT_EQ(h.control->Codes(), (std::vector<UINT>{WM_LBUTTONUP}));
}

TEST(AppMsgHandlerTest, HandlersSeeMessagesForEveryWindow) {
    Host h;
    auto* other = new RecordingControl(h.form.get());
    other->SetParent(h.form.get());
    other->SetBounds(100, 0, 50, 50);
    std::vector<HWND> targets;
    AppMsgHandler::RegisterControl(h.control, [&](MSG& msg, bool&) {
        if (msg.message == WM_KEYDOWN) targets.push_back(msg.hwnd);
    });
    QTest::keyClick(other->Widget(), Qt::Key_Space);
    EXPECT_EQ(targets, (std::vector<HWND>{other->Handle()}));
}

TEST(AppMsgHandlerTest, DestroyedControlsAreNeverCalledAgain) {
    Host h;
    auto* doomed = new RecordingControl(h.form.get());
    doomed->SetParent(h.form.get());
    int doomedCalls = 0, liveCalls = 0;
    AppMsgHandler::RegisterControl(doomed, [&](MSG&, bool&) { ++doomedCalls; });
    AppMsgHandler::RegisterControl(h.control, [&](MSG&, bool&) { ++liveCalls; });
    h.click();
    EXPECT_EQ(doomedCalls, 2);
    delete doomed;
    h.click();
    EXPECT_EQ(doomedCalls, 2);
    EXPECT_EQ(liveCalls, 4);
}

TEST(AppMsgHandlerTest, ARecreatedWindowIsRegisteredAgainAndOnlyTheLiveEntryIsCalled) {
    Host h;
    std::vector<HWND> calledFor;
    auto reg = [&] {
        const HWND window = h.control->Handle();
        AppMsgHandler::RegisterControl(h.control, [&, window](MSG& msg, bool&) {
            if (msg.message == WM_LBUTTONDOWN) calledFor.push_back(window);
        });
    };
    reg();
    const HWND first = h.control->Handle();
    h.control->RecreateWnd();
    reg();
    const int entries = AppMsgHandler::EntryCount();
    h.click();
    EXPECT_EQ(calledFor, (std::vector<HWND>{h.control->Handle()}));
    EXPECT_NE(first, h.control->Handle());
    EXPECT_LT(AppMsgHandler::EntryCount(), entries) << "the dead window's entry is dropped after the message";
}

TEST(AppMsgHandlerTest, DesignTimeControlsAreNotRegistered) {
    Host h;
    h.control->SetDesigning(true);
    const int before = AppMsgHandler::EntryCount();
    int calls = 0;
    AppMsgHandler::RegisterControl(h.control, [&](MSG&, bool&) { ++calls; });
    EXPECT_EQ(AppMsgHandler::EntryCount(), before);
    EXPECT_FALSE(h.control->HandleAllocated()) << "no window is created for it either";
}

TEST(AppMsgHandlerTest, AHandlerRegisteringDuringTheWalkTakesEffectFromTheNextMessage) {
    Host h;
    int added = 0;
    bool registered = false;
    AppMsgHandler::RegisterControl(h.control, [&](MSG& msg, bool&) {
        if (msg.message != WM_LBUTTONDOWN || registered) return;
        registered = true;
        AppMsgHandler::RegisterControl(h.control, [&](MSG& m, bool&) {
            if (m.message == WM_LBUTTONDOWN) ++added;
        });
    });
    h.click();
    EXPECT_EQ(added, 0);
    h.click();
    EXPECT_EQ(added, 1);
}

} // namespace
