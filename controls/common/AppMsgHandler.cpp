// How it works: entries live in a list; each holds the window, the handler and a retired flag. A
// walk covers the entries present when the message arrived (a handler may register more, or run a
// nested message loop that walks the list again), and a retired entry is never called. Retired
// entries are dropped once no walk is under way: a control that registers on every window creation
// (the grid's cell editor recreates its window for each cell) would otherwise grow the list for
// ever. RegisterControl links a watcher to the control, so that the control's destruction
// retires its entries at once, whatever happens to window handles afterwards.
#include "controls/common/AppMsgHandler.h"

#include "framework/core/ScopeGuard.h"
#include "framework/core/TComponent.h"
#include "framework/windows/TApplication.h"
#include "framework/windows/TWinControl.h"
#include "framework/windows/WinApi.h"

#include <memory>
#include <vector>

namespace vexo {

namespace {

struct Entry {
    HWND window = nullptr;
    TAppMsgHandlerEvent handler;
    const TComponent* control = nullptr;
    bool retired = false;
};

std::vector<std::shared_ptr<Entry>>& entries() {
    static std::vector<std::shared_ptr<Entry>> list;
    return list;
}

// Retires the entries of the controls it watches when they are destroyed.
class Watcher : public TComponent {
public:
    Watcher() : TComponent(nullptr) {}
    void Watch(TComponent* control) { FreeNotification(control); }

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation != opRemove) return;
        for (const auto& e : entries())
            if (e->control == component) e->retired = true;
    }
};

Watcher& watcher() {
    static Watcher w;
    return w;
}

std::unique_ptr<TAppMsgHandlerReal>& hook() {
    static std::unique_ptr<TAppMsgHandlerReal> real;
    return real;
}

void append(HWND window, TAppMsgHandlerEvent handler, const TComponent* control) {
    if (!hook()) hook() = std::make_unique<TAppMsgHandlerReal>();
    auto entry = std::make_shared<Entry>();
    entry->window = window;
    entry->handler = std::move(handler);
    entry->control = control;
    entries().push_back(std::move(entry));
}

} // namespace

TAppMsgHandlerReal::TAppMsgHandlerReal() {
    Application->OnMessage = [this](MSG& message, bool& handled) { OnAppMessage(message, handled); };
}

void TAppMsgHandlerReal::OnAppMessage(MSG& message, bool& handled) {
    static int walks = 0;
    ++walks;
    ScopeGuard done([] {
        if (--walks == 0) std::erase_if(entries(), [](const auto& entry) { return entry->retired; });
    });
    handled = false;
    const std::size_t count = entries().size();
    for (std::size_t i = 0; i < count && !handled; ++i) {
        // A copy keeps the entry alive even if the list grows during the call.
        const std::shared_ptr<Entry> entry = entries()[i];
        if (entry->retired) continue;
        if (!IsWindow(entry->window)) {
            entry->retired = true;
            continue;
        }
        if (entry->handler) entry->handler(message, handled);
    }
}

void AppMsgHandler::RegisterWindow(HWND window, TAppMsgHandlerEvent handler) {
    append(window, std::move(handler), nullptr);
}

void AppMsgHandler::RegisterControl(TWinControl* control, TAppMsgHandlerEvent handler) {
    if (!control || control->ComponentState().Contains(csDesigning)) return;
    HWND window = control->Handle();
    if (!window) return;
    watcher().Watch(control);
    append(window, std::move(handler), control);
}

int AppMsgHandler::EntryCount() {
    return static_cast<int>(entries().size());
}

} // namespace vexo
