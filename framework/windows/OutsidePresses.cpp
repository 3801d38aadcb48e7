// How it works: one application-wide event filter, installed on first use and kept, sees every
// mouse event before its receiver (Qt calls the filter installed last first, so it runs ahead of
// the framework's queue filter and the message event). A real press reaches the platform window
// (QWindow) first and then the widget; a synthetic one reaches the widget only: both receivers are
// looked at, and the global position decides. The buttons of swallowed presses are remembered
// until they come up, so their releases are swallowed even after the window was let go.
#include "framework/windows/OutsidePresses.h"

#include "framework/windows/TWinControl.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace vexo {

namespace {

class OutsidePressFilter : public QObject {
public:
    QPointer<QWidget> window;
    TWinControl* control = nullptr;

    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
            type != QEvent::MouseButtonRelease)
            return false;
        if (!watched->isWidgetType() && !watched->isWindowType()) return false;
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (type == QEvent::MouseButtonRelease) {
            if (!(swallowed_ & mouse->button())) return false;
            swallowed_ &= ~mouse->button();
            return true;
        }
        if (!window || !window->isVisible()) return false;
        const QPoint at = mouse->globalPosition().toPoint();
        if (window->frameGeometry().contains(at)) return false;
        swallowed_ |= mouse->button();
        // What a click there would have done to the activation, without the click itself.
        QWidget* top = QApplication::topLevelAt(at);
        if (top != window) QApplication::setActiveWindow(top);
        return true;
    }

private:
    Qt::MouseButtons swallowed_;
};

OutsidePressFilter* filter() {
    static QPointer<OutsidePressFilter> instance;
    if (!instance && qApp) {
        instance = new OutsidePressFilter;
        instance->setParent(qApp);
        qApp->installEventFilter(instance);
    }
    return instance;
}

} // namespace

void SwallowPressesOutside(TWinControl* window) {
    OutsidePressFilter* f = filter();
    if (!f) return;
    f->control = window;
    f->window = window ? window->Widget() : nullptr;
}

void StopSwallowingPressesOutside(TWinControl* window) {
    OutsidePressFilter* f = filter();
    if (!f || f->control != window) return;
    f->control = nullptr;
    f->window = nullptr;
}

TWinControl* SwallowingPressesOutside() {
    OutsidePressFilter* f = filter();
    return f && f->window ? f->control : nullptr;
}

} // namespace vexo
