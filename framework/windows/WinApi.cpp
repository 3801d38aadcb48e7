#include "framework/windows/WinApi.h"

#include "framework/windows/TWinControl.h"
#include "framework/windows/TWindowWidget_p.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>

namespace vexo {

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWindowWidget* window = TWindowWidget::FromHandle(hwnd);
    if (!window) return false;
    MSG m;
    m.hwnd = hwnd;
    m.message = msg;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = GetTickCount();
    GetCursorPos(&m.pt);
    QCoreApplication::postEvent(window, new TPostedMessageEvent(m));
    return true;
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = FindControl(hwnd);
    return control ? control->Perform(msg, wParam, lParam) : 0;
}

bool IsWindow(HWND hwnd) {
    return TWindowWidget::FromHandle(hwnd) != nullptr;
}

TWinControl* FindControl(HWND hwnd) {
    TWindowWidget* window = TWindowWidget::FromHandle(hwnd);
    return window ? window->Control() : nullptr;
}

short GetKeyState(int virtualKey) {
    const Qt::KeyboardModifiers mods = TWindowWidget::InputModifiers();
    bool down = false;
    switch (virtualKey) {
    case VK_SHIFT:
        down = mods & Qt::ShiftModifier;
        break;
    case VK_CONTROL:
        down = mods & Qt::ControlModifier;
        break;
    case VK_MENU:
        down = mods & Qt::AltModifier;
        break;
    case VK_LBUTTON:
        down = QGuiApplication::mouseButtons() & Qt::LeftButton;
        break;
    case VK_RBUTTON:
        down = QGuiApplication::mouseButtons() & Qt::RightButton;
        break;
    case VK_MBUTTON:
        down = QGuiApplication::mouseButtons() & Qt::MiddleButton;
        break;
    default:
        down = TWindowWidget::KeyDown(virtualKey);
        break;
    }
    return down ? static_cast<short>(0x8000 - 0x10000) : 0;
}

HWND GetFocus() {
    auto* window = TWindowWidget::HostOf(QApplication::focusWidget());
    return window ? window->Handle() : nullptr;
}

HWND SetFocus(HWND hwnd) {
    HWND previous = GetFocus();
    if (TWinControl* control = FindControl(hwnd)) control->SetFocus();
    return previous;
}

HWND SetActiveWindow(HWND hwnd) {
    auto* previous = TWindowWidget::HostOf(QApplication::activeWindow());
    HWND before = previous ? previous->Handle() : nullptr;
    if (TWindowWidget* window = TWindowWidget::FromHandle(hwnd))
        QApplication::setActiveWindow(window->window());
    return before;
}

std::uintptr_t SetTimer(HWND hwnd, std::uintptr_t id, unsigned elapse) {
    TWindowWidget* window = TWindowWidget::FromHandle(hwnd);
    if (!window) return 0;
    window->StartWindowTimer(id, elapse);
    return id;
}

bool KillTimer(HWND hwnd, std::uintptr_t id) {
    TWindowWidget* window = TWindowWidget::FromHandle(hwnd);
    return window && window->StopWindowTimer(id);
}

bool InvalidateRect(HWND hwnd, const TRect* rect, bool erase) {
    (void)erase; // every repainted area is erased first
    TWindowWidget* window = TWindowWidget::FromHandle(hwnd);
    if (!window) return false;
    if (rect)
        window->InvalidateArea(QRegion(rect->Left, rect->Top, rect->Width(), rect->Height()));
    else
        window->InvalidateArea(QRegion(window->rect()));
    return true;
}

bool UpdateWindow(HWND hwnd) {
    TWindowWidget* window = TWindowWidget::FromHandle(hwnd);
    if (!window) return false;
    window->PaintNow();
    return true;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
    TWindowWidget* window = TWindowWidget::FromHandle(hwnd);
    if (!window || !paint) return nullptr;
    HDC dc = window->AcquireDC();
    paint->hdc = dc;
    paint->fErase = false;
    const QRect area = dc == window->PaintDC() ? window->PaintRegion().boundingRect() : window->rect();
    paint->rcPaint = Rect(area.left(), area.top(), area.left() + area.width(), area.top() + area.height());
    if (dc != window->PaintDC()) window->ValidateArea(QRegion(window->rect()));
    return dc;
}

bool EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
    if (!paint) return false;
    return ReleaseDC(hwnd, paint->hdc) != 0;
}

HDC GetDC(HWND hwnd) {
    TWindowWidget* window = TWindowWidget::FromHandle(hwnd);
    return window ? window->AcquireDC() : nullptr;
}

int ReleaseDC(HWND hwnd, HDC dc) {
    TWindowWidget* window = TWindowWidget::FromHandle(hwnd);
    if (!window || !dc) return 0;
    window->ReleaseDC(dc);
    return 1;
}

bool ClientToScreen(HWND hwnd, TPoint* point) {
    TWindowWidget* window = TWindowWidget::FromHandle(hwnd);
    if (!window || !point) return false;
    const QPoint g = window->mapToGlobal(QPoint(point->x, point->y));
    *point = Point(g.x(), g.y());
    return true;
}

bool ScreenToClient(HWND hwnd, TPoint* point) {
    TWindowWidget* window = TWindowWidget::FromHandle(hwnd);
    if (!window || !point) return false;
    const QPoint c = window->mapFromGlobal(QPoint(point->x, point->y));
    *point = Point(c.x(), c.y());
    return true;
}

bool GetClientRect(HWND hwnd, TRect* rect) {
    TWindowWidget* window = TWindowWidget::FromHandle(hwnd);
    if (!window || !rect) return false;
    *rect = Rect(0, 0, window->width(), window->height());
    return true;
}

bool GetCursorPos(TPoint* point) {
    if (!point) return false;
    const QPoint p = QCursor::pos();
    *point = Point(p.x(), p.y());
    return true;
}

bool InitializeFlatSB(HWND hwnd) {
    return IsWindow(hwnd);
}

DWORD GetTickCount() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return static_cast<DWORD>(clock.elapsed());
}

} // namespace vexo
