#pragma once
// The application-wide message hook: controls register a handler for a window and see every
// message the application takes from its queue before it is dispatched, and may swallow it.
//
// The first registration installs the hook object as the application's message event, replacing
// whatever was there. Each message is offered to the registered handlers in registration order
// until one sets handled; entries whose window no longer exists are skipped. There is no way to
// unregister: the entry of a destroyed control is retired instead, never called again, and
// dropped from the list after the message.
#include "framework/core/TObject.h"
#include "framework/windows/Messages.h"
#include <functional>

namespace vexo {

class TWinControl;

using TAppMsgHandlerEvent = std::function<void(MSG& message, bool& handled)>;

class AppMsgHandler {
public:
    static void RegisterWindow(HWND window, TAppMsgHandlerEvent handler);
    // Not while the control is in the form designer; otherwise registers the control's window
    // (creating it if it has none yet). The entry is retired when the control is destroyed.
    static void RegisterControl(TWinControl* control, TAppMsgHandlerEvent handler);
    // Entries in the list, retired ones that a walk still holds included (for diagnostics and tests).
    static int EntryCount();
};

// The single hook object, the application's message event once installed.
class TAppMsgHandlerReal : public TObject {
public:
    TAppMsgHandlerReal();
    void OnAppMessage(MSG& message, bool& handled);
};

} // namespace vexo
