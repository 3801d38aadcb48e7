#pragma once
// The window functions the controls call by their platform names: sending and posting messages,
// handle checks, key state, focus, timers and coordinate conversion. Handles come from
// TWinControl::Handle(); a null or destroyed handle is refused (false, 0 or nullptr), never a crash.
#include "framework/core/Types.h"
#include "framework/graphics/GdiTypes.h"
#include "framework/windows/Messages.h"
#include <cstdint>

namespace vexo {

class TWinControl;

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    bool fErase = false;
    TRect rcPaint;
};

// Queues the message for hwnd: it passes the application's message event (which may drop it) and
// then reaches the window procedure. False when hwnd is not a live window.
bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Calls the window procedure at once, bypassing the queue; 0 when hwnd is not a live window.
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// True while hwnd names a live window. Handles are never reused, so a destroyed window's handle
// stays invalid for the life of the process.
bool IsWindow(HWND hwnd);
// The control whose window hwnd is; nullptr for a dead or foreign handle.
TWinControl* FindControl(HWND hwnd);

// Negative (high bit set) while the key is down, as the application's input events tell: Shift,
// Ctrl and Alt (VK_SHIFT, VK_CONTROL, VK_MENU) by the modifiers of the latest input event, other
// keys by their presses and releases, the mouse buttons by the pointer.
short GetKeyState(int virtualKey);

// The window holding the keyboard focus, if it is one of ours.
HWND GetFocus();
// Gives hwnd the focus; returns the window that had it.
HWND SetFocus(HWND hwnd);
// Makes the top-level window of hwnd the active window now, whatever the window manager does
// later; the focus moves into it at once. Returns the active window before, if it is one of ours.
HWND SetActiveWindow(HWND hwnd);

// Repeating WM_TIMER messages for hwnd every elapse milliseconds, with wParam = id; a second call
// with the same id restarts that timer. Returns id, or 0 when hwnd is not a live window.
std::uintptr_t SetTimer(HWND hwnd, std::uintptr_t id, unsigned elapse);
bool KillTimer(HWND hwnd, std::uintptr_t id);

// Marks rect (the whole client area when rect is null) for repainting.
bool InvalidateRect(HWND hwnd, const TRect* rect, bool erase);
// Paints the invalid area of hwnd now.
bool UpdateWindow(HWND hwnd);

// Drawing on a window. Inside WM_PAINT, BeginPaint gives the paint context (clipped to the area
// being repainted); elsewhere it and GetDC give a context on the window's picture, which reaches
// the screen on EndPaint / ReleaseDC. Null for a dead window.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
bool EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);

bool ClientToScreen(HWND hwnd, TPoint* point);
bool ScreenToClient(HWND hwnd, TPoint* point);
bool GetClientRect(HWND hwnd, TRect* rect);
bool GetCursorPos(TPoint* point);

// Flat scroll bars: Qt's bars already look flat enough; accepted for any live window.
bool InitializeFlatSB(HWND hwnd);

// Milliseconds since an arbitrary start, wrapping as the platform's counter does.
DWORD GetTickCount();

} // namespace vexo
