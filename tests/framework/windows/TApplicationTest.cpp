#include "framework/windows/TApplication.h"
#include "framework/core/Exception.h"
#include "framework/windows/WinApi.h"
#include "support/WindowTestSupport.h"
#include <algorithm>
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
        control->Handle();
    }
};

TEST(TApplicationTest, MessageEventSeesQueuedInputBeforeTheWindowProcedure) {
    MessageEventGuard guard;
    Host h;
    std::vector<std::string> order;
    h.control->onMessage = [&](TMessage& m) {
        if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_KEYDOWN || m.Msg == WM_CHAR || m.Msg == WM_USER)
            order.push_back("proc " + std::to_string(m.Msg));
    };
    Application->OnMessage = [&](MSG& msg, bool&) {
        if (msg.hwnd == h.control->Handle() && (msg.message == WM_LBUTTONDOWN || msg.message == WM_KEYDOWN ||
                                                msg.message == WM_CHAR || msg.message == WM_USER))
            order.push_back("hook " + std::to_string(msg.message));
    };
    QTest::mouseClick(h.control->Widget(), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::keyClick(h.control->Widget(), Qt::Key_X);
    PostMessage(h.control->Handle(), WM_USER, 0, 0);
    Application->ProcessMessages();
    auto s = [](UINT m) { return std::to_string(m); };
    EXPECT_EQ(order, (std::vector<std::string>{"hook " + s(WM_LBUTTONDOWN), "proc " + s(WM_LBUTTONDOWN),
                                               "hook " + s(WM_KEYDOWN), "proc " + s(WM_KEYDOWN),
                                               "hook " + s(WM_CHAR), "proc " + s(WM_CHAR),
                                               "hook " + s(WM_USER), "proc " + s(WM_USER)}));
}

TEST(TApplicationTest, HandledMessagesAreDropped) {
    MessageEventGuard guard;
    Host h;
    struct Case {
        const char* name;
        UINT dropped;
        std::function<void(QWidget*)> input;
        std::vector<UINT> reaching; // what the window procedure still gets
    };
    const Case cases[] = {
        {"button down",
         WM_LBUTTONDOWN,
         [](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(2, 2)); },
         {WM_LBUTTONUP}},
        {"key down drops its character too",
         WM_KEYDOWN,
         [](QWidget* w) { QTest::keyClick(w, Qt::Key_Q); },
         {WM_KEYUP}},
        {"character only",
         WM_CHAR,
         [](QWidget* w) { QTest::keyClick(w, Qt::Key_Q); },
         {WM_KEYDOWN, WM_KEYUP}},
        {"posted message",
         WM_USER + 5,
         [&h](QWidget*) {
             PostMessage(h.control->Handle(), WM_USER + 5, 0, 0);
             Application->ProcessMessages();
         },
         {}},
    };
    for (const Case& c : cases) {
        const UINT dropped = c.dropped;
        Application->OnMessage = [dropped](MSG& msg, bool& handled) { handled = msg.message == dropped; };
        h.control->Log().clear();
        c.input(h.control->Widget());
        EXPECT_EQ(h.control->Codes(), c.reaching) << c.name;
    }
}

TEST(TApplicationTest, SendMessageBypassesTheMessageEvent) {
    MessageEventGuard guard;
    Host h;
    int seen = 0;
    Application->OnMessage = [&](MSG&, bool& handled) {
        ++seen;
        handled = true;
    };
    h.control->Log().clear();
    SendMessage(h.control->Handle(), WM_USER + 1, 0, 0);
    EXPECT_EQ(seen, 0);
    EXPECT_EQ(h.control->Codes(), (std::vector<UINT>{WM_USER + 1}));
}

TEST(TApplicationTest, WindowTimersAreQueuedMessages) {
    MessageEventGuard guard;
    Host h;
    h.control->filter = [](UINT msg) { return msg == WM_TIMER; };
    std::vector<WPARAM> hooked;
    Application->OnMessage = [&](MSG& msg, bool& handled) {
        if (msg.message != WM_TIMER) return;
        hooked.push_back(msg.wParam);
        handled = msg.wParam == 8; // the hook may drop a timer too
    };
    ASSERT_EQ(SetTimer(h.control->Handle(), 7, 5), 7u);
    ASSERT_EQ(SetTimer(h.control->Handle(), 8, 5), 8u);
    EXPECT_TRUE(QTest::qWaitFor([&] { return h.control->Log().size() >= 2; }, 2000));
    EXPECT_TRUE(KillTimer(h.control->Handle(), 7));
    EXPECT_TRUE(KillTimer(h.control->Handle(), 8));
    EXPECT_FALSE(KillTimer(h.control->Handle(), 8)) << "already gone";
    for (const TMessage& m : h.control->Log())
        EXPECT_EQ(m.WParam, 7u) << "the dropped timer never arrives";
    EXPECT_NE(std::find(hooked.begin(), hooked.end(), WPARAM(8)), hooked.end());
    const std::size_t seen = h.control->Log().size();
    QTest::qWait(20);
    EXPECT_EQ(h.control->Log().size(), seen);
    EXPECT_EQ(SetTimer(nullptr, 1, 5), 0u);
}

TEST(TApplicationTest, MessageBoxGoesThroughThePresenter) {
    RecordingPresenter presenter(IDNO);
    EXPECT_EQ(Application->MessageBox("¿Seguro?", "Confirmación", MB_YESNO | MB_ICONQUESTION), IDNO);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].text, "¿Seguro?");
    EXPECT_EQ(presenter.shown[0].caption, "Confirmación");
    EXPECT_EQ(presenter.shown[0].flags, MB_YESNO | MB_ICONQUESTION);
}

TEST(TApplicationTest, ExceptionsFromHandlersAreShownNotLost) {
    RecordingPresenter presenter;
    Host h;
    const std::string savedTitle = Application->Title();
    Application->SetTitle("Vexo");
    h.control->OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) {
        throw EConvertError("'x' no es un valor válido");
    };
    QTest::mouseClick(h.control->Widget(), Qt::LeftButton, {}, QPoint(2, 2));
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].text, "'x' no es un valor válido.")
        << "the framework ends it with a full stop";
    EXPECT_EQ(presenter.shown[0].caption, "Vexo");
    EXPECT_EQ(presenter.shown[0].flags, MB_OK | MB_ICONSTOP);
    std::string handled;
    Application->OnException = [&](TObject*, const std::exception& e) { handled = e.what(); };
    QTest::mouseClick(h.control->Widget(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(handled, "'x' no es un valor válido");
    EXPECT_EQ(presenter.shown.size(), 1u);
    Application->OnException = nullptr;
    Application->SetTitle(savedTitle);
}

} // namespace
