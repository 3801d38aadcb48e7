#include "framework/windows/TWinControl.h"
#include "framework/windows/TGraphicControl.h"
#include "framework/windows/WinApi.h"
#include "support/WindowTestSupport.h"
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <memory>

using namespace vexo;

namespace {

struct Host {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    RecordingControl* control = new RecordingControl(form.get());
    Host() {
        form->SetBounds(0, 0, 200, 150);
        control->SetParent(form.get());
        control->SetBounds(10, 10, 100, 80);
        control->Handle();
    }
    QWidget* widget() { return control->Widget(); }
};

TEST(TWinControlTest, QtInputArrivesAsPlatformMessages) {
    struct Expected {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    };
    struct Case {
        const char* name;
        std::function<void(QWidget*)> input;
        std::vector<Expected> messages;
    };
    const Case cases[] = {
        {"left click",
         [](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 7)); },
         {{WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 7)}, {WM_LBUTTONUP, 0, MAKELPARAM(5, 7)}}},
        {"shift click carries MK_SHIFT",
         [](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, Qt::ShiftModifier, QPoint(1, 2)); },
         {{WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(1, 2)},
          {WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(1, 2)}}},
        {"ctrl right click",
         [](QWidget* w) { QTest::mouseClick(w, Qt::RightButton, Qt::ControlModifier, QPoint(3, 4)); },
         {{WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, MAKELPARAM(3, 4)},
          {WM_RBUTTONUP, MK_CONTROL, MAKELPARAM(3, 4)},
          {WM_CONTEXTMENU, 0, -1}}}, // the platform's default answer to the release
        {"middle click",
         [](QWidget* w) { QTest::mouseClick(w, Qt::MiddleButton, {}, QPoint(1, 0)); },
         {{WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(1, 0)}, {WM_MBUTTONUP, 0, MAKELPARAM(1, 0)}}},
        {"double click",
         [](QWidget* w) {
             QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(9, 9));
             QTest::mouseDClick(w, Qt::LeftButton, {}, QPoint(9, 9));
             QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(9, 9));
         },
         {{WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(9, 9)},
          {WM_LBUTTONUP, 0, MAKELPARAM(9, 9)},
          {WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(9, 9)},
          {WM_LBUTTONUP, 0, MAKELPARAM(9, 9)}}},
        {"Return",
         [](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); },
         {{WM_KEYDOWN, VK_RETURN, -1}, {WM_CHAR, 13, -1}, {WM_KEYUP, VK_RETURN, -1}}},
        {"a letter",
         [](QWidget* w) { QTest::keyClick(w, Qt::Key_A); },
         {{WM_KEYDOWN, 'A', -1}, {WM_CHAR, 'a', -1}, {WM_KEYUP, 'A', -1}}},
        {"F2 types nothing",
         [](QWidget* w) { QTest::keyClick(w, Qt::Key_F2); },
         {{WM_KEYDOWN, VK_F2, -1}, {WM_KEYUP, VK_F2, -1}}},
        {"Escape",
         [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); },
         {{WM_KEYDOWN, VK_ESCAPE, -1}, {WM_CHAR, 27, -1}, {WM_KEYUP, VK_ESCAPE, -1}}},
        {"page down", [](QWidget* w) { QTest::keyPress(w, Qt::Key_PageDown); }, {{WM_KEYDOWN, VK_NEXT, -1}}},
        {"tab",
         [](QWidget* w) { QTest::keyPress(w, Qt::Key_Tab); },
         {{WM_KEYDOWN, VK_TAB, -1}, {WM_CHAR, 9, -1}}},
        // Alt combinations and F10 are system keys; with Ctrl, Alt makes ordinary keys.
        {"Alt with a letter",
         [](QWidget* w) { QTest::keyClick(w, Qt::Key_A, Qt::AltModifier); },
         {{WM_SYSKEYDOWN, VK_MENU, -1},
          {WM_SYSKEYDOWN, 'A', -1},
          {WM_SYSCHAR, 'a', -1},
          {WM_SYSKEYUP, 'A', -1},
          {WM_SYSKEYUP, VK_MENU, -1}}},
        {"F10",
         [](QWidget* w) { QTest::keyClick(w, Qt::Key_F10); },
         {{WM_SYSKEYDOWN, VK_F10, -1}, {WM_SYSKEYUP, VK_F10, -1}}},
        {"Ctrl+Alt with a key",
         [](QWidget* w) { QTest::keyPress(w, Qt::Key_Down, Qt::ControlModifier | Qt::AltModifier); },
         {{WM_KEYDOWN, VK_CONTROL, -1}, {WM_KEYDOWN, VK_MENU, -1}, {WM_KEYDOWN, VK_DOWN, -1}}},
    };
    for (const Case& c : cases) {
        Host h;
        h.control->Log().clear();
        c.input(h.widget());
        const auto& log = h.control->Log();
        ASSERT_EQ(log.size(), c.messages.size()) << c.name;
        for (std::size_t i = 0; i < log.size(); ++i) {
            EXPECT_EQ(log[i].Msg, c.messages[i].msg) << c.name << " #" << i;
            EXPECT_EQ(log[i].WParam, c.messages[i].wParam) << c.name << " #" << i;
            if (c.messages[i].lParam != -1) {
                EXPECT_EQ(log[i].LParam, c.messages[i].lParam) << c.name << " #" << i;
            }
        }
    }
}

TEST(TWinControlTest, MouseCoordinatesAreSigned16BitWords) {
    Host h;
    h.control->filter = [](UINT msg) { return msg == WM_MOUSEMOVE; };
    QTest::mousePress(h.widget(), Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseMove(h.widget(), QPoint(-3, -40));
    ASSERT_FALSE(h.control->Log().empty());
    const TMessage& m = h.control->Log().back();
    EXPECT_EQ(GET_X_LPARAM(m.LParam), -3);
    EXPECT_EQ(GET_Y_LPARAM(m.LParam), -40);
    EXPECT_EQ(m.WParam & MK_LBUTTON, MK_LBUTTON) << "the button is still down while dragging";
    QTest::mouseRelease(h.widget(), Qt::LeftButton, {}, QPoint(2, 2));
}

TEST(TWinControlTest, KeyDataCarriesAltAndReleaseBits) {
    Host h;
    h.control->filter = [](UINT msg) {
        return msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP;
    };
    // QTest presses Alt itself first, as a keyboard would.
    QTest::keyClick(h.widget(), Qt::Key_Down, Qt::AltModifier);
    const auto& log = h.control->Log();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].WParam, WPARAM(VK_MENU));
    EXPECT_EQ(log[1].Msg, WM_SYSKEYDOWN);
    EXPECT_EQ(log[1].WParam, WPARAM(VK_DOWN));
    EXPECT_TRUE(log[1].LParam & KF_ALTDOWN_LPARAM);
    EXPECT_EQ(log[1].LParam & 0xFFFF, 1) << "repeat count";
    EXPECT_EQ(log[2].Msg, WM_SYSKEYUP);
    EXPECT_TRUE(static_cast<std::uint32_t>(log[2].LParam) & 0x80000000u) << "transition bit of a release";
    QTest::keyClick(h.widget(), Qt::Key_Down);
    EXPECT_FALSE(h.control->Log().back().LParam & KF_ALTDOWN_LPARAM);
}

TEST(TWinControlTest, WheelCarriesDeltaAndScreenPoint) {
    Host h;
    QWidget* w = h.widget();
    const QPoint local(20, 30);
    const QPoint global = w->mapToGlobal(local);
    QWheelEvent wheel(local, global, QPoint(), QPoint(0, -120), Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &wheel);
    const auto& log = h.control->Log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].Msg, WM_MOUSEWHEEL);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(log[0].WParam), -120);
    EXPECT_EQ(GET_KEYSTATE_WPARAM(log[0].WParam), MK_CONTROL);
    EXPECT_EQ(GET_X_LPARAM(log[0].LParam), global.x());
    EXPECT_EQ(GET_Y_LPARAM(log[0].LParam), global.y());
}

TEST(TWinControlTest, UnhandledWheelGoesOnToTheParent) {
    std::vector<TMessage> parentLog;
    TForm form(nullptr);
    auto* outer = new RecordingControl(&form, &parentLog);
    outer->SetParent(&form);
    outer->SetBounds(0, 0, 100, 100);
    auto* inner = new RecordingControl(&form);
    inner->SetParent(outer);
    inner->SetBounds(0, 0, 50, 50);
    inner->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    ASSERT_EQ(parentLog.size(), 1u);
    EXPECT_EQ(parentLog[0].Msg, WM_MOUSEWHEEL);
    parentLog.clear();
    inner->OnMouseWheel = [](TObject*, TShiftState, int, TPoint, bool& handled) { handled = true; };
    inner->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_TRUE(parentLog.empty()) << "a handled wheel stays where it was handled";
}

TEST(TWinControlTest, FocusMessagesNameTheOtherWindow) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    std::vector<TMessage> log;
    auto* a = new RecordingControl(&form, &log);
    auto* b = new RecordingControl(&form, &log);
    a->SetParent(&form);
    b->SetParent(&form);
    a->SetBounds(0, 0, 50, 50);
    b->SetBounds(60, 0, 50, 50);
    a->filter = b->filter = [](UINT msg) { return msg == WM_SETFOCUS || msg == WM_KILLFOCUS; };
    ASSERT_TRUE(ShowActive(&form));
    a->SetFocus();
    ASSERT_TRUE(a->Focused());
    log.clear();
    b->SetFocus();
    EXPECT_TRUE(b->Focused());
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].Msg, WM_KILLFOCUS);
    EXPECT_EQ(reinterpret_cast<HWND>(log[0].WParam), b->Handle()) << "the window receiving the focus";
    EXPECT_EQ(log[1].Msg, WM_SETFOCUS);
    EXPECT_EQ(reinterpret_cast<HWND>(log[1].WParam), a->Handle()) << "the window that lost the focus";
    EXPECT_EQ(GetFocus(), b->Handle());
}

TEST(TWinControlTest, UnhandledKeysGetQtsDefaultAndHandledOnesDoNot) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    auto* a = new RecordingControl(&form);
    auto* b = new RecordingControl(&form);
    for (auto* c : {a, b}) {
        c->SetParent(&form);
        c->SetTabStop(true);
    }
    a->SetBounds(0, 0, 50, 50);
    b->SetBounds(60, 0, 50, 50);
    ASSERT_TRUE(ShowActive(&form));
    a->SetFocus();
    a->OnKeyDown = [](TObject*, WORD& key, TShiftState) {
        if (key == VK_TAB) key = 0;
    };
    QTest::keyClick(a->Widget(), Qt::Key_Tab);
    EXPECT_TRUE(a->Focused()) << "a key the control handled is not passed on";
    a->OnKeyDown = nullptr;
    QTest::keyClick(a->Widget(), Qt::Key_Tab);
    EXPECT_TRUE(b->Focused()) << "an unhandled Tab moves the focus as Qt does by default";
}

TEST(TWinControlTest, HandlesAreNullBeforeCreationAndNeverReused) {
    TForm form(nullptr);
    auto* c = new RecordingControl(&form);
    EXPECT_FALSE(c->HandleAllocated());
    c->SetParent(&form);
    EXPECT_FALSE(c->HandleAllocated()) << "no window until one is needed";
    const HWND first = c->Handle();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(form.HandleAllocated()) << "a child's window needs its parent's";
    EXPECT_TRUE(IsWindow(first));
    EXPECT_EQ(FindControl(first), c);
    c->RecreateWnd();
    const HWND second = c->Handle();
    EXPECT_NE(second, first);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(FindControl(first), nullptr);
    delete c;
    EXPECT_FALSE(IsWindow(second));
    auto* d = new RecordingControl(&form);
    d->SetParent(&form);
    EXPECT_NE(d->Handle(), first);
    EXPECT_NE(d->Handle(), second);
    EXPECT_FALSE(IsWindow(nullptr));
    EXPECT_FALSE(PostMessage(second, WM_USER, 0, 0));
    EXPECT_EQ(SendMessage(second, WM_USER, 0, 0), 0);
}

TEST(TWinControlTest, WindowsOfChildrenFollowTheParentsWindow) {
    TForm form(nullptr);
    auto* panel = new RecordingControl(&form);
    auto* inner = new RecordingControl(&form);
    panel->SetParent(&form);
    inner->SetParent(panel);
    form.Handle();
    EXPECT_TRUE(inner->HandleAllocated()) << "created with the parent's window";
    const HWND old = inner->Handle();
    panel->RecreateWnd();
    EXPECT_FALSE(IsWindow(old));
    EXPECT_TRUE(inner->HandleAllocated());
    EXPECT_EQ(inner->Widget()->parentWidget(), panel->Widget());
    inner->SetParent(nullptr);
    EXPECT_FALSE(inner->HandleAllocated()) << "a window leaves with its place in the parent";
    delete inner;
}

TEST(TWinControlTest, DestructionInAnyOrderDeletesEachControlOnce) {
    // Run under ASan: a double delete or a use after free fails the build's sanitizer run.
    { // parent first, children owned by someone else
        auto owner = std::make_unique<TComponent>(nullptr);
        auto* parent = new RecordingControl(nullptr);
        auto* child = new RecordingControl(owner.get());
        auto* grandchild = new RecordingControl(owner.get());
        child->SetParent(parent);
        grandchild->SetParent(child);
        parent->Handle();
        delete parent;
        EXPECT_EQ(child->Parent(), nullptr);
        EXPECT_FALSE(child->HandleAllocated());
        EXPECT_EQ(grandchild->Parent(), child);
    }
    { // parent owns its children: ownership deletes them after the parent's own body
        auto* parent = new RecordingControl(nullptr);
        auto* child = new RecordingControl(parent);
        child->SetParent(parent);
        auto* graphic = new TGraphicControl(parent);
        graphic->SetParent(parent);
        parent->Handle();
        delete parent;
    }
    { // children first
        TForm form(nullptr);
        auto* child = new RecordingControl(&form);
        child->SetParent(&form);
        form.Handle();
        delete child;
        EXPECT_EQ(form.ControlCount(), 0);
    }
}

// Deletes itself when it has handled a given message, the last thing its window procedure does.
class SelfDestroying : public TCustomControl {
public:
    SelfDestroying(TComponent* owner, UINT at, bool* gone) : TCustomControl(owner), at_(at), gone_(gone) {}
    void WndProc(TMessage& m) override {
        TCustomControl::WndProc(m);
        if (m.Msg != at_) return;
        *gone_ = true;
        delete this;
    }

private:
    UINT at_;
    bool* gone_;
};

TEST(TWinControlTest, AControlMayBeDestroyedWhileItsOwnEventIsHandled) {
    MessageEventGuard guard;
    struct Case {
        const char* name;
        bool inMessageEvent; // destroyed by the application's message event, before dispatch
        UINT at;
    };
    const Case cases[] = {
        {"by the message event", true, WM_LBUTTONDOWN},
        {"by its own window procedure", false, WM_LBUTTONDOWN},
        {"on a key", false, WM_KEYDOWN},
        {"on the character", false, WM_CHAR},
    };
    for (const Case& c : cases) {
        TForm form(nullptr);
        bool gone = false;
        auto* victim = new SelfDestroying(&form, c.inMessageEvent ? WM_NULL : c.at, &gone);
        victim->SetParent(&form);
        victim->SetBounds(0, 0, 50, 50);
        const HWND handle = victim->Handle();
        QPointer<QWidget> window = victim->Widget();
        Application->OnMessage = [&](MSG& msg, bool&) {
            if (c.inMessageEvent && !gone && msg.hwnd == handle && msg.message == c.at) {
                gone = true;
                delete victim;
            }
        };
        if (c.at == WM_LBUTTONDOWN)
            QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(2, 2));
        else
            QTest::keyClick(window, Qt::Key_A);
        EXPECT_TRUE(gone) << c.name;
        EXPECT_FALSE(IsWindow(handle)) << c.name;
        Application->ProcessMessages();
        EXPECT_TRUE(window.isNull()) << c.name << ": the window goes once Qt is done with it";
        Application->OnMessage = nullptr;
    }
}

TEST(TWinControlTest, AlignmentOrderIsTopBottomLeftRightClient) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto make = [&](TAlign align, int w, int h) {
        auto* c = new RecordingControl(&form);
        c->SetBounds(0, 0, w, h);
        c->SetAlign(align);
        c->SetParent(&form);
        return c;
    };
    // Created in reverse order on purpose: the alignment order, not the list order, decides.
    auto* client = make(alClient, 10, 10);
    auto* right = make(alRight, 40, 10);
    auto* left = make(alLeft, 30, 10);
    auto* bottom = make(alBottom, 10, 20);
    auto* top = make(alTop, 10, 25);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 300, 25));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 180, 300, 200));
    EXPECT_EQ(left->BoundsRect(), Rect(0, 25, 30, 180));
    EXPECT_EQ(right->BoundsRect(), Rect(260, 25, 300, 180));
    EXPECT_EQ(client->BoundsRect(), Rect(30, 25, 260, 180));
    form.SetClientSize(400, 300);
    EXPECT_EQ(client->BoundsRect(), Rect(30, 25, 360, 280)) << "realigned on resize";
    top->SetVisible(false);
    EXPECT_EQ(left->BoundsRect(), Rect(0, 0, 30, 280)) << "hidden controls take no space";
    // A second alTop control goes below the first one by position.
    top->SetVisible(true);
    auto* top2 = make(alTop, 10, 5);
    top2->SetTop(100);
    EXPECT_EQ(top2->BoundsRect(), Rect(0, 25, 400, 30));
}

class Spot : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    std::vector<TMessage> log;
    void WndProc(TMessage& m) override {
        if (m.Msg != WM_PAINT && m.Msg != CM_INVALIDATE) log.push_back(m);
        TGraphicControl::WndProc(m);
    }
};

TEST(TWinControlTest, ParentRoutesMouseToGraphicChildrenInTheirCoordinates) {
    Host h;
    auto* spot = new Spot(h.form.get());
    spot->SetParent(h.control);
    spot->SetBounds(40, 30, 20, 20);
    int clicks = 0;
    spot->OnClick = [&](TObject*) { ++clicks; };
    h.control->Log().clear();
    QTest::mouseClick(h.widget(), Qt::LeftButton, {}, QPoint(45, 38));
    std::vector<UINT> codes;
    for (const TMessage& m : spot->log)
        if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST && m.Msg != WM_MOUSEMOVE) codes.push_back(m.Msg);
    EXPECT_EQ(codes, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
    ASSERT_FALSE(spot->log.empty());
    const TMessage* down = nullptr;
    for (const TMessage& m : spot->log)
        if (m.Msg == WM_LBUTTONDOWN) down = &m;
    ASSERT_NE(down, nullptr);
    EXPECT_EQ(GET_X_LPARAM(down->LParam), 5);
    EXPECT_EQ(GET_Y_LPARAM(down->LParam), 8);
    EXPECT_EQ(clicks, 1);
    // The parent's window procedure still saw the message first.
    EXPECT_EQ(h.control->Codes(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
    // A press on the spot captures the mouse for it until the button comes up.
    spot->log.clear();
    QTest::mousePress(h.widget(), Qt::LeftButton, {}, QPoint(45, 38));
    QTest::mouseRelease(h.widget(), Qt::LeftButton, {}, QPoint(90, 70));
    ASSERT_EQ(spot->log.size(), 2u);
    EXPECT_EQ(GET_X_LPARAM(spot->log[1].LParam), 50);
    EXPECT_EQ(clicks, 1) << "a release outside is no click";
    delete spot;
    QTest::mouseClick(h.widget(), Qt::LeftButton, {}, QPoint(45, 38));
}

TEST(TWinControlTest, PostAndSendReachTheWindowProcedure) {
    Host h;
    h.control->filter = [](UINT msg) { return msg >= WM_USER && msg < WM_USER + 10; };
    h.control->onMessage = [](TMessage& m) {
        if (m.Msg == WM_USER + 1) m.Result = static_cast<LRESULT>(m.WParam + m.LParam);
    };
    EXPECT_EQ(SendMessage(h.control->Handle(), WM_USER + 1, 40, 2), 42);
    EXPECT_TRUE(PostMessage(h.control->Handle(), WM_USER + 2, 7, -1));
    EXPECT_EQ(h.control->Log().size(), 1u) << "posted messages wait for the loop";
    Application->ProcessMessages();
    ASSERT_EQ(h.control->Log().size(), 2u);
    EXPECT_EQ(h.control->Log()[1].Msg, WM_USER + 2);
    EXPECT_EQ(h.control->Log()[1].LParam, -1);
}

TEST(TWinControlTest, KeyStateFollowsTheLatestInput) {
    Host h;
    std::vector<std::pair<bool, bool>> seen;
    h.control->onMessage = [&](TMessage& m) {
        if (m.Msg == WM_LBUTTONDOWN)
            seen.emplace_back(GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0);
    };
    QTest::mouseClick(h.widget(), Qt::LeftButton, Qt::ShiftModifier, QPoint(1, 1));
    QTest::mouseClick(h.widget(), Qt::LeftButton, Qt::ControlModifier, QPoint(1, 1));
    QTest::mouseClick(h.widget(), Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(seen, (std::vector<std::pair<bool, bool>>{{true, false}, {false, true}, {false, false}}));
    QTest::keyPress(h.widget(), Qt::Key_F5);
    EXPECT_LT(GetKeyState(VK_F5), 0);
    QTest::keyRelease(h.widget(), Qt::Key_F5);
    EXPECT_EQ(GetKeyState(VK_F5), 0);
}

TEST(TWinControlTest, MouseEnterAndLeaveFollowThePointer) {
    Host h;
    auto* spot = new Spot(h.form.get());
    spot->SetParent(h.control);
    spot->SetBounds(40, 30, 20, 20);
    std::vector<std::string> events;
    h.control->OnMouseEnter = [&](TObject*) { events.push_back("enter control"); };
    h.control->OnMouseLeave = [&](TObject*) { events.push_back("leave control"); };
    spot->OnMouseEnter = [&](TObject*) { events.push_back("enter spot"); };
    spot->OnMouseLeave = [&](TObject*) { events.push_back("leave spot"); };
    // Hover moves without a button, sent as the platform would (QTest moves the real cursor instead).
    QWidget* w = h.widget();
    auto move = [w](QPoint p) {
        QMouseEvent e(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    };
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(w->mapToGlobal(QPoint(5, 5))));
    QApplication::sendEvent(w, &enter);
    move(QPoint(5, 5));
    move(QPoint(45, 35));
    move(QPoint(5, 5));
    EXPECT_EQ(events, (std::vector<std::string>{"enter control", "leave control", "enter spot", "leave spot",
                                                "enter control"}));
}

TEST(TWinControlTest, AWindowServesInAPlainQtLayout) {
    QWidget host;
    auto* layout = new QVBoxLayout(&host);
    layout->setContentsMargins(0, 0, 0, 0);
    RecordingControl control(nullptr);
    auto* child = new RecordingControl(&control);
    child->SetParent(&control);
    child->SetAlign(alClient);
    layout->addWidget(control.Widget());
    host.resize(120, 70);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    EXPECT_EQ(control.Width(), 120) << "the layout's size reaches the control";
    EXPECT_EQ(control.Height(), 70);
    EXPECT_EQ(child->BoundsRect(), Rect(0, 0, 120, 70)) << "and its children are aligned again";
    QTest::mouseClick(child->Widget(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(child->Codes(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
    layout->removeWidget(control.Widget());
    control.Widget()->setParent(nullptr);
}

} // namespace
