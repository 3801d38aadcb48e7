#include "framework/windows/TMouse.h"

#include <QCursor>

namespace vexo {

namespace {
TMouse theMouse;
}

TMouse* Mouse = &theMouse;

TPoint TMouse::CursorPos() const {
    const QPoint p = QCursor::pos();
    return Point(p.x(), p.y());
}

void TMouse::SetCursorPos(TPoint p) {
    QCursor::setPos(p.x, p.y);
}

} // namespace vexo
