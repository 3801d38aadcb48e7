#pragma once
// The application object: the message loop, the message event that sees every queued message
// before it is dispatched, the main form, and the message box with its replaceable presenter.
//
// Qt runs the loop; an application-wide event filter (installed with the first window) turns each
// queued input event for one of our windows into a MSG and hands it to OnMessage before Qt
// delivers it. Setting handled drops the event. Posted messages travel the same way.
#include "framework/core/TComponent.h"
#include "framework/windows/Messages.h"
#include <exception>
#include <functional>
#include <string>

namespace vexo {

class TForm;

using TMessageEvent = std::function<void(MSG& message, bool& handled)>;
using TExceptionEvent = std::function<void(TObject* sender, const std::exception& error)>;
// Shows a message box and returns the button chosen (IDOK, IDYES, ...). The default presenter is a
// modal QMessageBox; tests install one that records the text and caption and answers.
using TMessageBoxPresenter =
    std::function<int(const std::string& text, const std::string& caption, UINT flags)>;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    // Makes sure a Qt application exists (creating one when the program has none) and installs the
    // message queue filter.
    void Initialize();
    // Creates a form owned by the application; the first one becomes the main form.
    template <class TFormClass> void CreateForm(TFormClass*& reference) {
        reference = new TFormClass(this);
        formCreated(reference);
    }
    // Shows the main form and runs the message loop until Terminate or the main form closes.
    void Run();
    // Handles the messages waiting in the queue, then returns.
    void ProcessMessages();
    void Terminate();
    bool Terminated() const { return terminated_; }
    TForm* MainForm() const { return mainForm_; }

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }

    int MessageBox(const std::string& text, const std::string& caption, UINT flags = MB_OK);
    // Replaces the presenter; returns the previous one. An empty presenter restores the default.
    TMessageBoxPresenter SetMessageBoxPresenter(TMessageBoxPresenter presenter);
    // The standard display of an exception that escaped an event handler: its message, ending in a
    // full stop, under the application's title, with the stop icon.
    void ShowException(const std::exception& error);
    // OnException when assigned, otherwise ShowException.
    void HandleException(const std::exception& error);

    TMessageEvent OnMessage;
    TExceptionEvent OnException;

    // The queue filter's entry: offers a queued message to OnMessage; true means drop it.
    bool OfferMessage(MSG& message);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void formCreated(TForm* form);
    static int defaultPresenter(const std::string& text, const std::string& caption, UINT flags);

    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool running_ = false;
    std::string title_;
    TMessageBoxPresenter presenter_;
};

// The framework's application object.
extern TApplication* Application;

} // namespace vexo
