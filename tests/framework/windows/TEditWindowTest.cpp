// The window of the platform's edit class: its messages, its input through the window procedure
// and the application's message event, and its picture under what the control draws.
#include "framework/graphics/TCanvas.h"
#include "framework/windows/Render.h"
#include "framework/windows/TApplication.h"
#include "framework/windows/TForm.h"
#include "framework/windows/WinApi.h"
#include "support/WindowTestSupport.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace vexo;

namespace {

// A control whose window is an edit window with the given styles; `filter` may keep a message
// from the window's default handling (it then changes nothing).
class EditControl : public TWinControl {
public:
    EditControl(TComponent* owner, DWORD style) : TWinControl(owner), style_(style) { SetTabStop(true); }
    std::vector<TMessage> log;
    std::function<bool(TMessage&)> swallow;
    TColor frame = clNone; // a frame drawn over the editor, as a control draws its own

    void WndProc(TMessage& m) override {
        if (m.Msg != WM_PAINT && m.Msg != WM_ERASEBKGND && m.Msg != WM_MOUSEMOVE) log.push_back(m);
        if (swallow && swallow(m)) return;
        TWinControl::WndProc(m);
    }
    std::string text() {
        char buffer[256] = {};
        Perform(WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
        return buffer;
    }
    void setText(const std::string& t) { Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(t.c_str())); }
    std::pair<int, int> sel() {
        DWORD s = 0, e = 0;
        Perform(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        return {static_cast<int>(s), static_cast<int>(e)};
    }
    bool saw(UINT msg) const {
        for (const TMessage& m : log)
            if (m.Msg == msg) return true;
        return false;
    }

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        params.WinClassName = "EDIT";
        params.Style |= style_;
    }
    void PaintWindow(HDC dc) override {
        if (frame == clNone) return;
        TCanvas canvas;
        canvas.SetHandle(dc);
        canvas.Brush()->SetStyle(bsClear);
        canvas.Pen()->SetColor(frame);
        canvas.Rectangle(ClientRect());
        canvas.SetHandle(nullptr);
    }

private:
    DWORD style_;
};

struct EditOnForm {
    TForm form{nullptr};
    EditControl* edit;
    EditControl* other;
    explicit EditOnForm(DWORD style = ES_AUTOHSCROLL) {
        form.SetBounds(0, 0, 300, 200);
        edit = new EditControl(&form, style);
        edit->SetParent(&form);
        edit->SetBounds(10, 10, 150, style & ES_MULTILINE ? 40 : 20);
        other = new EditControl(&form, ES_AUTOHSCROLL);
        other->SetParent(&form);
        other->SetBounds(10, 100, 150, 20);
        edit->HandleNeeded();
    }
    bool show() {
        if (!ShowActive(&form)) return false;
        edit->SetFocus();
        return QTest::qWaitFor([&] { return edit->Focused(); });
    }
    QWidget* editor() const { return edit->Widget()->focusProxy(); }
    void type(const char* keys) { QTest::keyClicks(editor(), keys); }
};

} // namespace

TEST(TEditWindowTest, TextAndSelectionRoundTrip) {
    EditOnForm h;
    h.edit->setText("a\xC3\xB1o 2006");
    EXPECT_EQ(h.edit->text(), "a\xC3\xB1o 2006");
    EXPECT_EQ(h.edit->Perform(WM_GETTEXTLENGTH), 9) << "bytes of the UTF-8 text";
    char small[3] = {};
    EXPECT_EQ(h.edit->Perform(WM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(small)), 1)
        << "a short buffer never cuts a character in two";
    EXPECT_STREQ(small, "a");

    struct Case {
        int start, end;
        std::pair<int, int> expected;
    };
    const Case cases[] = {{0, -1, {0, 8}}, {1, 3, {1, 3}}, {5, 99, {5, 8}}, {0, 0, {0, 0}}};
    for (const Case& c : cases) {
        h.edit->Perform(EM_SETSEL, static_cast<WPARAM>(c.start), c.end);
        EXPECT_EQ(h.edit->sel(), c.expected) << c.start << ".." << c.end << " (positions count characters)";
    }
    EXPECT_EQ(h.edit->Perform(EM_GETMODIFY), 0);
    h.edit->Perform(EM_SETMODIFY, 1);
    EXPECT_EQ(h.edit->Perform(EM_GETMODIFY), 1);
    h.edit->setText("x");
    EXPECT_EQ(h.edit->Perform(EM_GETMODIFY), 0) << "new text clears the flag";

    TRect r = Rect(2, 0, 100, 20), back{};
    h.edit->Perform(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
    h.edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&back));
    EXPECT_EQ(back, r);
}

TEST(TEditWindowTest, TypedCharactersFollowTheStyles) {
    struct Case {
        const char* name;
        DWORD style;
        std::function<void(EditControl*)> setUp;
        const char* typed;
        std::string expected;
    };
    const Case cases[] = {
        {"plain", ES_AUTOHSCROLL, nullptr, "abC", "abC"},
        {"upper case", ES_AUTOHSCROLL | ES_UPPERCASE, nullptr, "abC", "ABC"},
        {"lower case", ES_AUTOHSCROLL | ES_LOWERCASE, nullptr, "abC", "abc"},
        {"read-only style", ES_AUTOHSCROLL | ES_READONLY, nullptr, "abC", ""},
        {"made read-only", ES_AUTOHSCROLL, [](EditControl* e) { e->Perform(EM_SETREADONLY, 1); }, "abC", ""},
        {"limited", ES_AUTOHSCROLL, [](EditControl* e) { e->Perform(EM_LIMITTEXT, 2); }, "abC", "ab"},
        {"no horizontal scrolling", 0, nullptr, "mmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmm",
         "mmmmmmmmmmmmmmmmmmmm"},
        {"backspace", ES_AUTOHSCROLL, nullptr, "ab\bc", "ac"},
    };
    for (const Case& c : cases) {
        EditOnForm h(c.style);
        ASSERT_TRUE(h.show()) << c.name;
        if (c.setUp) c.setUp(h.edit);
        h.type(c.typed);
        const std::string text = h.edit->text();
        if (std::string(c.name) == "no horizontal scrolling")
            EXPECT_LT(text.size(), std::string(c.typed).size()) << "the text stops at the rectangle's edge";
        else
            EXPECT_EQ(text, c.expected) << c.name;
    }
}

TEST(TEditWindowTest, KeysPassTheMessageEventAndActOnlyThroughTheDefaultHandling) {
    MessageEventGuard guard;
    EditOnForm h;
    ASSERT_TRUE(h.show());
    std::vector<MSG> hooked;
    Application->OnMessage = [&](MSG& msg, bool& handled) {
        if (msg.message == WM_KEYDOWN || msg.message == WM_CHAR) hooked.push_back(msg);
        // The hook may drop a character for good.
        if (msg.message == WM_CHAR && msg.wParam == 'x') handled = true;
    };
    // The window procedure turns a into b, and keeps Home from the default handling.
    h.edit->swallow = [](TMessage& m) {
        if (m.Msg == WM_CHAR && m.WParam == 'a') m.WParam = 'b';
        return m.Msg == WM_KEYDOWN && m.WParam == static_cast<WPARAM>(VK_HOME);
    };
    h.type("axc");
    QTest::keyClick(h.editor(), Qt::Key_Home);
    h.type("d");
    EXPECT_EQ(h.edit->text(), "bcd") << "x dropped by the hook, a changed, Home kept from the editor";
    ASSERT_GE(hooked.size(), 2u);
    EXPECT_EQ(hooked[0].hwnd, h.edit->Handle()) << "the hook sees the control's window, not the editor";
    EXPECT_EQ(hooked[0].message, WM_KEYDOWN);
    EXPECT_EQ(hooked[1].message, WM_CHAR);

    h.edit->swallow = nullptr;
    QTest::keyClick(h.editor(), Qt::Key_Left);
    QTest::keyClick(h.editor(), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(h.edit->sel(), (std::pair<int, int>{1, 2})) << "navigation keys move the caret and select";
    QTest::keyClick(h.editor(), Qt::Key_Delete);
    EXPECT_EQ(h.edit->text(), "bd");
    EXPECT_EQ(h.edit->Perform(EM_GETMODIFY), 1);

    // A key the hook rewrites is dispatched, handled by default and translated as the new key:
    // Tab made Enter reaches the window procedure as Enter, and the focus stays.
    Application->OnMessage = [](MSG& msg, bool&) {
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB) msg.wParam = VK_RETURN;
    };
    h.edit->log.clear();
    QTest::keyClick(h.editor(), Qt::Key_Tab);
    std::vector<std::pair<UINT, WPARAM>> keys;
    for (const TMessage& m : h.edit->log)
        if (m.Msg == WM_KEYDOWN || m.Msg == WM_CHAR) keys.emplace_back(m.Msg, m.WParam);
    EXPECT_EQ(keys, (std::vector<std::pair<UINT, WPARAM>>{{WM_KEYDOWN, VK_RETURN}, {WM_CHAR, '\r'}}));
    EXPECT_TRUE(h.edit->Focused());
}

TEST(TEditWindowTest, FocusAndClicksReachTheWindowProcedure) {
    EditOnForm h;
    ASSERT_TRUE(h.show());
    EXPECT_TRUE(h.edit->saw(WM_SETFOCUS));
    EXPECT_EQ(GetFocus(), h.edit->Handle()) << "the focused editor answers for its window";
    h.edit->log.clear();
    h.other->SetFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.other->Focused(); }));
    ASSERT_TRUE(h.edit->saw(WM_KILLFOCUS));
    for (const TMessage& m : h.edit->log)
        if (m.Msg == WM_KILLFOCUS) {
            EXPECT_EQ(reinterpret_cast<HWND>(m.WParam), h.other->Handle());
        }

    // A click kept from the default handling leaves the editor as it was: no focus.
    h.edit->swallow = [](TMessage& m) { return m.Msg == WM_LBUTTONDOWN; };
    h.edit->log.clear();
    QTest::mouseClick(h.editor(), Qt::LeftButton, {}, QPoint(30, 7));
    ASSERT_TRUE(h.edit->saw(WM_LBUTTONDOWN));
    for (const TMessage& m : h.edit->log)
        if (m.Msg == WM_LBUTTONDOWN) {
            EXPECT_EQ(m.LParam, MAKELPARAM(30, 7)) << "client coordinates of the control";
        }
    EXPECT_TRUE(h.other->Focused());
    h.edit->swallow = nullptr;
    QTest::mouseClick(h.editor(), Qt::LeftButton, {}, QPoint(30, 7));
    EXPECT_TRUE(QTest::qWaitFor([&] { return h.edit->Focused(); }))
        << "the default handling of a click takes the focus";
    QTest::keyClick(h.editor(), Qt::Key_Tab);
    EXPECT_TRUE(h.other->Focused()) << "Tab passes the focus on, as in any window";
}

TEST(TEditWindowTest, SelectionAndPasswordShowAsTheStylesSay) {
    // The selection's highlight (navy) stays after the focus left only with ES_NOHIDESEL.
    for (const DWORD style : {DWORD(0), ES_NOHIDESEL}) {
        EditOnForm h(ES_AUTOHSCROLL | style);
        h.edit->setText("MMMM");
        ASSERT_TRUE(h.show());
        h.edit->Perform(EM_SETSEL, 0, -1);
        h.other->SetFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return h.other->Focused(); }));
        const QImage image = RenderToImage(h.edit);
        int navy = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == qRgb(0, 0, 128)) ++navy;
        EXPECT_EQ(navy > 0, style == ES_NOHIDESEL) << "style " << style;
    }
    // A password character shows in place of every character; the text stays what it is.
    EditOnForm h;
    h.edit->setText("abc");
    h.edit->Perform(EM_SETPASSWORDCHAR, '*');
    h.other->setText("***");
    EXPECT_EQ(h.edit->text(), "abc");
    EXPECT_EQ(h.edit->Perform(EM_GETPASSWORDCHAR), '*');
    h.other->SetBounds(h.edit->Left(), h.edit->Top(), h.edit->Width(), h.edit->Height());
    EXPECT_EQ(RenderToImage(h.edit), RenderToImage(h.other));
    EditOnForm styled(ES_AUTOHSCROLL | ES_PASSWORD);
    styled.edit->setText("abc");
    styled.other->setText("***");
    EXPECT_EQ(RenderToImage(styled.edit), RenderToImage(styled.other)) << "ES_PASSWORD shows '*'";
}

TEST(TEditWindowTest, UndoClipboardAndClear) {
    EditOnForm h;
    ASSERT_TRUE(h.show());
    h.type("abc");
    EXPECT_EQ(h.edit->Perform(EM_CANUNDO), 1);
    h.edit->Perform(WM_UNDO);
    EXPECT_LT(h.edit->text().size(), 3u) << "undo takes typing back";
    h.type("hola");
    h.edit->Perform(EM_EMPTYUNDOBUFFER);
    EXPECT_EQ(h.edit->Perform(EM_CANUNDO), 0);
    EXPECT_EQ(h.edit->text(), "hola");
    h.edit->Perform(EM_SETSEL, 0, 2);
    h.edit->Perform(WM_CUT);
    EXPECT_EQ(h.edit->text(), "la");
    h.edit->Perform(EM_SETSEL, 2, 2);
    h.edit->Perform(WM_PASTE);
    EXPECT_EQ(h.edit->text(), "laho");
    h.edit->Perform(EM_SETSEL, 0, 1);
    h.edit->Perform(WM_CLEAR);
    EXPECT_EQ(h.edit->text(), "aho");
    h.edit->Perform(EM_SETREADONLY, 1);
    h.edit->Perform(EM_SETSEL, 0, -1);
    h.edit->Perform(WM_CUT);
    h.edit->Perform(WM_PASTE);
    EXPECT_EQ(h.edit->text(), "aho") << "a read-only window keeps its text";
}

TEST(TEditWindowTest, MultiLineCountsAndScrollsLines) {
    EditOnForm h(ES_MULTILINE | ES_AUTOVSCROLL);
    ASSERT_TRUE(h.show());
    h.edit->setText("1\n2\n3\n4\n5\n6\n7\n8");
    EXPECT_EQ(h.edit->Perform(EM_GETLINECOUNT), 8);
    EXPECT_EQ(h.edit->Perform(EM_GETFIRSTVISIBLELINE), 0);
    h.edit->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 3));
    EXPECT_EQ(h.edit->Perform(EM_GETFIRSTVISIBLELINE), 3);
    h.edit->Perform(EM_SETSEL, 1, 1);
    QTest::keyClick(h.editor(), Qt::Key_Return);
    EXPECT_EQ(h.edit->Perform(EM_GETLINECOUNT), 9) << "Enter breaks the line of a multi-line window";
}

TEST(TEditWindowTest, PictureIsTheEditorWithTheControlsDrawingOver) {
    EditOnForm h;
    h.edit->setText("MMMM");
    h.edit->frame = clRed;
    const QImage image = RenderToImage(h.edit);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0)) << "the control's frame over the editor";
    EXPECT_EQ(image.pixel(149, 19), qRgb(255, 0, 0));
    int dark = 0;
    for (int y = 1; y < 19; ++y)
        for (int x = 1; x < 60; ++x)
            if (qGray(image.pixel(x, y)) < 100) ++dark;
    EXPECT_GT(dark, 10) << "the editor's text under it";
}

TEST(TEditWindowTest, ScreenFollowsTheEditorWithoutARepaintOfTheControl) {
    EditOnForm h;
    h.edit->frame = clRed;
    ASSERT_TRUE(h.show());
    // What the screen shows of the edit: its dark (text) pixels and whether the red frame is there.
    auto screen = [&] {
        QApplication::processEvents();
        QWidget* top = h.form.Widget();
        const QPoint at = h.edit->Widget()->mapTo(top, QPoint(0, 0));
        return top->screen()->grabWindow(top->winId()).toImage().copy(at.x(), at.y(), 150, 20);
    };
    auto dark = [](const QImage& image) {
        int n = 0;
        for (int y = 1; y < image.height() - 1; ++y)
            for (int x = 1; x < image.width() - 1; ++x)
                if (qGray(image.pixel(x, y)) < 100) ++n;
        return n;
    };
    const QImage before = screen();
    ASSERT_FALSE(before.isNull());
    EXPECT_EQ(before.pixel(0, 0), qRgb(255, 0, 0));
    const int empty = dark(before);
    h.type("MMMM");
    const QImage after = screen();
    EXPECT_GT(dark(after), empty + 20) << "the typed text reaches the screen";
    EXPECT_EQ(after.pixel(0, 0), qRgb(255, 0, 0)) << "under the control's drawing";
    h.edit->frame = clBlue;
    h.edit->Invalidate();
    EXPECT_EQ(screen().pixel(0, 0), qRgb(0, 0, 255)) << "and the control's repaint reaches it too";
}
