#include "framework/windows/TForm.h"
#include "framework/streaming/ClassRegistry.h"
#include "framework/streaming/FilerErrors.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"
#include "framework/streaming/TClassDecl.h"
#include "framework/windows/Render.h"
#include "framework/windows/TControlCanvas.h"
#include "framework/windows/TTimer.h"
#include "framework/windows/WinApi.h"
#include "support/WindowTestSupport.h"
#include <QDir>
#include <QElapsedTimer>
#include <QScreen>
#include <QWindow>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

using namespace vexo;

namespace {

TColor pixel(const QImage& image, int x, int y) {
    return RGB(qRed(image.pixel(x, y)), qGreen(image.pixel(x, y)), qBlue(image.pixel(x, y)));
}

// A form whose handlers are assigned in its constructor, as the library's pop-ups do.
class EventForm : public TForm {
public:
    explicit EventForm(TComponent* owner, std::vector<std::string>* log) : TForm(owner), log_(log) {
        OnCreate = [this](TObject*) { log_->push_back("create " + std::to_string(Width())); };
        OnActivate = [this](TObject*) { log_->push_back("activate"); };
        OnDeactivate = [this](TObject*) { log_->push_back("deactivate"); };
        OnDestroy = [this](TObject*) { log_->push_back("destroy"); };
        OnClose = [this](TObject*, TCloseAction& action) {
            log_->push_back("close");
            action = closeAction;
        };
        SetBounds(0, 0, 123, 45);
    }
    ~EventForm() override { BeforeDestruction(); }
    TCloseAction closeAction = caHide;

private:
    std::vector<std::string>* log_;
};

TEST(TFormTest, OnCreateRunsOnceAfterTheConstructorsBeforeTheFirstShow) {
    std::vector<std::string> log;
    EventForm form(nullptr, &log);
    EXPECT_TRUE(log.empty());
    form.Show();
    form.Hide();
    form.Show();
    EXPECT_EQ(log.front(), "create 123") << "the derived constructor had finished";
    EXPECT_EQ(std::count(log.begin(), log.end(), "create 123"), 1);
}

TEST(TFormTest, ClosePostsWmCloseAndTheCloseActionDecides) {
    struct Case {
        TCloseAction action;
        bool visibleAfter;
        bool freed;
    };
    for (const Case c : {Case{caNone, true, false}, Case{caHide, false, false}, Case{caFree, false, true}}) {
        MessageEventGuard guard;
        std::vector<std::string> log;
        auto* form = new EventForm(nullptr, &log);
        form->closeAction = c.action;
        form->Show();
        const HWND handle = form->Handle();
        bool hookSawClose = false;
        Application->OnMessage = [&](MSG& msg, bool&) {
            hookSawClose |= msg.message == WM_CLOSE && msg.hwnd == handle;
        };
        form->Close();
        EXPECT_EQ(std::count(log.begin(), log.end(), "close"), 0) << "posted, not sent";
        Application->ProcessMessages();
        EXPECT_TRUE(hookSawClose);
        EXPECT_EQ(std::count(log.begin(), log.end(), "close"), 1);
        EXPECT_EQ(std::count(log.begin(), log.end(), "destroy"), c.freed ? 1 : 0) << c.action;
        EXPECT_EQ(IsWindow(handle), !c.freed);
        if (!c.freed) {
            EXPECT_EQ(form->Visible(), c.visibleAfter);
            delete form;
        }
    }
}

TEST(TFormTest, ClosingTheMainFormEndsTheApplication) {
    TForm* form = nullptr;
    Application->CreateForm(form);
    ASSERT_EQ(Application->MainForm(), form);
    form->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    form->Close();
    Application->ProcessMessages();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(Application->MainForm(), nullptr) << "freed with the close action";
}

TEST(TFormTest, ShowModalReturnsTheModalResult) {
    struct Case {
        const char* name;
        std::function<void(TForm*)> end;
        TModalResult expected;
    };
    const Case cases[] = {
        {"result set", [](TForm* f) { f->SetModalResult(mrOk); }, mrOk},
        {"closed", [](TForm* f) { f->Close(); }, mrCancel},
    };
    for (const Case& c : cases) {
        TForm form(nullptr);
        TTimer timer(nullptr);
        timer.SetInterval(5);
        timer.SetOnTimer([&](TObject*) {
            timer.SetEnabled(false);
            c.end(&form);
        });
        EXPECT_EQ(form.ShowModal(), c.expected) << c.name;
        EXPECT_FALSE(form.Visible()) << c.name;
    }
}

TEST(TFormTest, ActivationEventsFollowTheActiveWindow) {
    std::vector<std::string> a, b;
    EventForm first(nullptr, &a), second(nullptr, &b);
    ASSERT_TRUE(ShowActive(&first));
    ASSERT_TRUE(ShowActive(&second));
    EXPECT_EQ(a, (std::vector<std::string>{"create 123", "activate", "deactivate"}));
    EXPECT_EQ(b, (std::vector<std::string>{"create 123", "activate"}));
    EXPECT_TRUE(second.Active());
    EXPECT_FALSE(first.Active());
}

TEST(TFormTest, BorderStylePositionAndClientSize) {
    TForm form(nullptr);
    form.SetClientWidth(200);
    form.SetClientHeight(100);
    form.SetPosition(poScreenCenter);
    form.SetBorderStyle(bsNone);
    form.Show();
    QWidget* w = form.Widget();
    EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint) << "a borderless pop-up";
    EXPECT_EQ(form.ClientWidth(), 200);
    EXPECT_EQ(w->size(), QSize(200, 100));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(form.Left(), screen.x() + (screen.width() - 200) / 2);
    EXPECT_EQ(form.Top(), screen.y() + (screen.height() - 100) / 2);
    const HWND before = form.Handle();
    form.SetBorderStyle(bsSingle);
    EXPECT_NE(form.Handle(), before) << "the window is recreated with the new style";
    EXPECT_FALSE(form.Widget()->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(form.Widget()->isVisible());
}

// A form with aligned children painted in plain colours, a timer and a message box.
struct DemoForm : TForm {
    RecordingControl* top = new RecordingControl(this);
    RecordingControl* client = new RecordingControl(this);
    TTimer* timer = new TTimer(this);
    int ticks = 0;
    explicit DemoForm(TComponent* owner) : TForm(owner) {
        SetCaption("Demo");
        SetBounds(0, 0, 160, 90);
        top->SetParent(this);
        top->SetHeight(20);
        top->SetAlign(alTop);
        top->onPaint = [this](TControlCanvas* c) {
            c->Brush()->SetColor(clNavy);
            c->FillRect(top->ClientRect());
        };
        client->SetParent(this);
        client->SetAlign(alClient);
        client->onPaint = [this](TControlCanvas* c) {
            c->Brush()->SetColor(clWhite);
            c->FillRect(client->ClientRect());
            c->Brush()->SetColor(clRed);
            c->FillRect(Rect(10, 10, 30, 30));
        };
        timer->SetInterval(10);
        timer->SetOnTimer([this](TObject*) {
            if (++ticks < 2) return;
            timer->SetEnabled(false);
            if (Application->MessageBox("¿Cerrar?", "Demo", MB_YESNO) == IDYES) Close();
        });
    }
};

TEST(TFormTest, FormWithAlignedChildrenTimerAndMessageBoxWorksHeadless) {
    RecordingPresenter presenter(IDYES);
    auto* form = new DemoForm(nullptr);
    form->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    bool destroyed = false;
    form->OnDestroy = [&](TObject*) { destroyed = true; };
    form->Show();
    const QImage image = RenderToImage(form);
    EXPECT_EQ(pixel(image, 80, 5), clNavy);
    EXPECT_EQ(pixel(image, 80, 50), clWhite);
    EXPECT_EQ(pixel(image, 15, 35), clRed) << "client area starts below the top panel";
    const std::string png = QDir::temp().filePath("vexo_demo_form.png").toStdString();
    EXPECT_TRUE(SaveToPng(form, png));
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(), QSize(160, 90));
    QElapsedTimer clock;
    clock.start();
    while (!destroyed && clock.elapsed() < 5000) {
        QTest::qWait(5);
        Application->ProcessMessages();
    }
    EXPECT_TRUE(destroyed);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].text, "¿Cerrar?");
}

TEST(TFormTest, ScreenshotUnderXvfb) {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!platform || std::string(platform) != "xcb" || !std::getenv("DISPLAY"))
        GTEST_SKIP() << "needs QT_QPA_PLATFORM=xcb and a display (run under xvfb-run)";
    RecordingPresenter presenter;
    DemoForm form(nullptr);
    form.timer->SetEnabled(false); // a still picture
    form.SetBorderStyle(bsNone);
    form.SetPosition(poScreenCenter);
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Widget()));
    QTest::qWait(50);
    QWidget* w = form.Widget();
    const QImage shot = w->screen()->grabWindow(w->winId()).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage offscreen = RenderToImage(&form);
    ASSERT_EQ(shot.size(), offscreen.size());
    EXPECT_EQ(shot, offscreen) << "the screen shows exactly the headless picture";
    EXPECT_TRUE(shot.save(QDir::temp().filePath("vexo_demo_form_xvfb.png"), "PNG"));
}

// A form class of an application, as a form file names it. Other tests may have declared a form
// class of that name already; any will do, as the file is read into the class it names.
class TTestForm1 : public TForm {
public:
    using TForm::TForm;
};

void registerForm1() {
    static const bool done = [] {
        if (!FindClass("TTestForm1")) RegisterClass<TTestForm1, TForm>("TTestForm1");
        return true;
    }();
    (void)done;
}

std::unique_ptr<TForm> readForm(const std::string& text) {
    std::unique_ptr<TComponent> c(CreateComponentFromText(text, nullptr));
    auto* form = dynamic_cast<TForm*>(c.get());
    if (!form) throw std::runtime_error("TTestForm1 is not a form");
    c.release();
    return std::unique_ptr<TForm>(form);
}

const std::string StoredDialog = R"(object Form1: TTestForm1
  Left = 192
  Top = 114
  BorderStyle = bsDialog
  Caption = 'Form1'
  ClientHeight = 238
  ClientWidth = 606
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
end
)";

TEST(TFormTest, StoredDialogReadsAndWritesBackIdentically) {
    registerForm1();
    auto form = readForm(StoredDialog);
    EXPECT_EQ(form->Left(), 192);
    EXPECT_EQ(form->ClientWidth(), 606);
    EXPECT_EQ(form->PixelsPerInch(), 96);
    EXPECT_EQ(form->TextHeight(), 13);
    EXPECT_TRUE(form->Scaled());
    EXPECT_FALSE(form->OldCreateOrder());
    EXPECT_EQ(form->BorderIcons(), DefaultBorderIcons);
    EXPECT_EQ(WriteComponentText(form.get()), StoredDialog);
}

TEST(TFormTest, StoredPropertiesOtherThanTheirDefaults) {
    registerForm1();
    TTestForm1 fresh(nullptr);
    EXPECT_EQ(fresh.TextHeight(), 13) << "measured from the default font";
    fresh.Font()->SetSize(16);
    EXPECT_GT(fresh.TextHeight(), 13);

    std::string text = StoredDialog;
    text.replace(text.find("  OldCreateOrder = False"), 24,
                 "  BorderIcons = [biSystemMenu, biHelp]\n  OldCreateOrder = True");
    text.replace(text.find("  PixelsPerInch = 96\n  TextHeight = 13"), 38,
                 "  Scaled = False\n  PixelsPerInch = 120\n  TextHeight = 16");
    auto form = readForm(text);
    EXPECT_EQ(form->BorderIcons(), (TBorderIcons{biSystemMenu, biHelp}));
    EXPECT_TRUE(form->OldCreateOrder());
    EXPECT_FALSE(form->Scaled());
    EXPECT_EQ(form->PixelsPerInch(), 120);
    EXPECT_EQ(form->TextHeight(), 16) << "the designed text height stays as the file gave it";
    std::string written = WriteComponentText(form.get());
    // BorderIcons is declared before BorderStyle, as the framework writes it.
    std::string expected = text;
    expected.erase(expected.find("  BorderIcons = [biSystemMenu, biHelp]\n"), 39);
    expected.insert(expected.find("  BorderStyle"), "  BorderIcons = [biSystemMenu, biHelp]\n");
    EXPECT_EQ(written, expected);

    std::string bad = StoredDialog;
    bad.replace(bad.find("PixelsPerInch = 96"), 18, "PixelsPerInch = 0");
    EXPECT_THROW(readForm(bad), EReadError);
}

TEST(TFormTest, CharsetNamesReadAndWriteBack) {
    registerForm1();
    struct Case {
        const char* name;
        int value;
    } cases[] = {{"ANSI_CHARSET", 0},         {"DEFAULT_CHARSET", 1}, {"SYMBOL_CHARSET", 2},
                 {"SHIFTJIS_CHARSET", 128},   {"GREEK_CHARSET", 161}, {"RUSSIAN_CHARSET", 204},
                 {"EASTEUROPE_CHARSET", 238}, {"OEM_CHARSET", 255}};
    for (const Case& c : cases) {
        std::string text = StoredDialog;
        text.replace(text.find("DEFAULT_CHARSET"), 15, c.name);
        auto form = readForm(text);
        EXPECT_EQ(form->Font()->Charset(), c.value) << c.name;
        EXPECT_EQ(WriteComponentText(form.get()), text) << c.name;
    }
    std::string numeric = StoredDialog;
    numeric.replace(numeric.find("DEFAULT_CHARSET"), 15, "3");
    auto form = readForm(numeric);
    EXPECT_EQ(WriteComponentText(form.get()), numeric) << "a charset without a name is written as its number";
}

TEST(TFormTest, BorderIconsChooseTheTitleBarButtons) {
    TForm form(nullptr);
    form.Handle();
    Qt::WindowFlags flags = form.Widget()->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    form.SetBorderIcons({biSystemMenu, biMaximize});
    flags = form.Widget()->windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    form.SetBorderIcons({biMinimize});
    EXPECT_FALSE(form.Widget()->windowFlags().testFlag(Qt::WindowCloseButtonHint))
        << "without the system menu there are no buttons";
    form.SetBorderIcons(DefaultBorderIcons);
    form.SetBorderStyle(bsDialog);
    flags = form.Widget()->windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint)) << "a dialog frame has no minimize button";
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
}

} // namespace
