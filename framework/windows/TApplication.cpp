#include "framework/windows/TApplication.h"

#include "framework/windows/TForm.h"
#include "framework/windows/TWindowWidget_p.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <cstdlib>
#include <memory>

namespace vexo {

namespace {

TApplication theApplication;

// The program had no Qt application of its own: Initialize makes one that lives until exit.
std::unique_ptr<QApplication> ownQtApplication;
int ownArgc = 1;
char ownArgv0[] = "vexo";
char* ownArgv[] = {ownArgv0, nullptr};

// Forms are Qt widgets, so they must go before the Qt application they live in, and both before
// Qt's own globals, which are torn down at exit in reverse order of their creation. Run calls this
// when its loop ends; for a program that never runs the loop it is an exit handler, registered
// right after the Qt application is made and so run ahead of the globals made with it.
void releaseOwnQtApplication() {
    if (!ownQtApplication) return;
    theApplication.DestroyComponents();
    ownQtApplication.reset();
}

} // namespace

TApplication* Application = &theApplication;

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() = default;

void TApplication::Initialize() {
    if (!QCoreApplication::instance()) {
        ownQtApplication = std::make_unique<QApplication>(ownArgc, ownArgv);
        std::atexit(releaseOwnQtApplication);
    }
    if (title_.empty())
        title_ = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString();
    TWindowWidget::EnsureQueueFilter();
}

void TApplication::formCreated(TForm* form) {
    if (!mainForm_) mainForm_ = form;
    form->DoCreate();
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == mainForm_) mainForm_ = nullptr;
}

void TApplication::Run() {
    Initialize();
    if (terminated_) return;
    if (mainForm_) mainForm_->Show();
    running_ = true;
    if (!terminated_) QApplication::exec();
    running_ = false;
    // A Qt application of our own ends with the loop: the program's exit handlers come too late
    // for widgets, as Qt's globals that they use may be gone by then.
    if (ownQtApplication) releaseOwnQtApplication();
}

void TApplication::ProcessMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // Messages posted by the handlers just run (a close that releases its form) are in the queue
    // too by the framework's measure: one more round takes them.
    QCoreApplication::sendPostedEvents();
    // Windows and forms released while handling those messages go now, as they would in the loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TApplication::Terminate() {
    terminated_ = true;
    // Only the running loop is told; an exit request with no loop running would stay pending in Qt
    // and end the next loop anyone starts, a modal form's included.
    if (running_ && QCoreApplication::instance()) QCoreApplication::exit(0);
}

bool TApplication::OfferMessage(MSG& message) {
    if (!OnMessage) return false;
    bool handled = false;
    try {
        OnMessage(message, handled);
    } catch (const std::exception& error) {
        HandleException(error);
    }
    return handled;
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
    if (presenter_) return presenter_(text, caption, flags);
    return defaultPresenter(text, caption, flags);
}

TMessageBoxPresenter TApplication::SetMessageBoxPresenter(TMessageBoxPresenter presenter) {
    TMessageBoxPresenter previous = std::move(presenter_);
    presenter_ = std::move(presenter);
    return previous;
}

int TApplication::defaultPresenter(const std::string& text, const std::string& caption, UINT flags) {
    QMessageBox box;
    box.setText(QString::fromStdString(text));
    box.setWindowTitle(QString::fromStdString(caption));
    switch (flags & MB_ICONMASK) {
    case MB_ICONERROR:
        box.setIcon(QMessageBox::Critical);
        break;
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONWARNING:
        box.setIcon(QMessageBox::Warning);
        break;
    case MB_ICONINFORMATION:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    struct Button {
        QMessageBox::StandardButton qt;
        int id;
    };
    std::vector<Button> buttons;
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
        buttons = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_ABORTRETRYIGNORE:
        buttons = {
            {QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
        break;
    case MB_YESNOCANCEL:
        buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNO:
        buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
        break;
    case MB_RETRYCANCEL:
        buttons = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    default:
        buttons = {{QMessageBox::Ok, IDOK}};
        break;
    }
    QMessageBox::StandardButtons all;
    for (const Button& b : buttons)
        all |= b.qt;
    box.setStandardButtons(all);
    const std::size_t defaultIndex = (flags & MB_DEFMASK) >> 8;
    if (defaultIndex < buttons.size()) box.setDefaultButton(buttons[defaultIndex].qt);
    const int answer = box.exec();
    for (const Button& b : buttons)
        if (b.qt == answer) return b.id;
    // Closed without a button: the platform answers Cancel when there is one, otherwise the only button.
    for (const Button& b : buttons)
        if (b.id == IDCANCEL) return IDCANCEL;
    return buttons.size() == 1 ? buttons[0].id : IDCANCEL;
}

void TApplication::ShowException(const std::exception& error) {
    std::string text = error.what();
    if (!text.empty() && text.back() != '.') text += '.';
    MessageBox(text, title_, MB_OK | MB_ICONSTOP);
}

void TApplication::HandleException(const std::exception& error) {
    if (OnException)
        OnException(this, error);
    else
        ShowException(error);
}

} // namespace vexo
