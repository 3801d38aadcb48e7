#pragma once
// Helpers for tests that drive real Qt input into the framework's windows: a control that records
// the messages its window procedure receives, a form host, and a recording message-box presenter.
#include "framework/windows/TApplication.h"
#include "framework/windows/TCustomControl.h"
#include "framework/windows/TForm.h"
#include <QApplication>
#include <QTest>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

namespace vexo {

// Records every message that reaches its window procedure, before the framework's own handling.
class RecordingControl : public TCustomControl {
public:
    explicit RecordingControl(TComponent* owner, std::vector<TMessage>* log = nullptr)
        : TCustomControl(owner), log_(log ? log : &own_) {}
    void WndProc(TMessage& message) override {
        if (filter == nullptr || filter(message.Msg)) log_->push_back(message);
        if (onMessage) onMessage(message);
        TCustomControl::WndProc(message);
    }
    std::vector<TMessage>& Log() { return *log_; }
    std::vector<UINT> Codes() const {
        std::vector<UINT> codes;
        for (const TMessage& m : *log_)
            codes.push_back(m.Msg);
        return codes;
    }
    bool (*filter)(UINT) = [](UINT msg) {
        return msg != WM_PAINT && msg != WM_ERASEBKGND && msg != WM_SIZE && msg != CM_MOUSEENTER &&
               msg != CM_MOUSELEAVE && msg != WM_ACTIVATE && msg != CM_INVALIDATE && msg != WM_MOUSEMOVE &&
               msg != CM_MOUSEWHEEL;
    };
    std::function<void(TMessage&)> onMessage;
    std::function<void(TControlCanvas*)> onPaint;

protected:
    void Paint() override {
        if (onPaint) onPaint(Canvas());
    }

private:
    std::vector<TMessage> own_;
    std::vector<TMessage>* log_;
};

// Shows the form and waits until it is the active window, as focus tests need.
inline bool ShowActive(TForm* form) {
    form->Show();
    QWidget* w = form->Widget();
    QApplication::setActiveWindow(w);
    return QTest::qWaitForWindowActive(w);
}

// Installs a presenter that records what would be shown and answers with a fixed button.
class RecordingPresenter {
public:
    explicit RecordingPresenter(int answer = IDOK) : answer_(answer) {
        previous_ = Application->SetMessageBoxPresenter(
            [this](const std::string& text, const std::string& caption, UINT flags) {
                shown.push_back({text, caption, flags});
                return answer_;
            });
    }
    ~RecordingPresenter() { Application->SetMessageBoxPresenter(previous_); }
    RecordingPresenter(const RecordingPresenter&) = delete;
    RecordingPresenter& operator=(const RecordingPresenter&) = delete;
    struct Box {
        std::string text, caption;
        UINT flags;
    };
    std::vector<Box> shown;

private:
    int answer_;
    TMessageBoxPresenter previous_;
};

// Restores the application's message event when a test ends.
class MessageEventGuard {
public:
    MessageEventGuard() : saved_(Application->OnMessage) {}
    ~MessageEventGuard() { Application->OnMessage = saved_; }
    MessageEventGuard(const MessageEventGuard&) = delete;
    MessageEventGuard& operator=(const MessageEventGuard&) = delete;

private:
    TMessageEvent saved_;
};

} // namespace vexo
