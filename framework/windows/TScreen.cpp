#include "framework/windows/TScreen.h"

#include "framework/windows/TWindowWidget_p.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>

namespace vexo {

namespace {
TScreen theScreen;
}

TScreen* Screen = &theScreen;

void TScreen::SetCursor(TCursor cursor) {
    if (cursor == cursor_) return;
    const TCursor old = cursor_;
    cursor_ = cursor;
    if (!qApp) return;
    // The application-wide cursor is Qt's override cursor: one level, replaced rather than stacked.
    if (cursor == crDefault)
        QApplication::restoreOverrideCursor();
    else if (old == crDefault)
        QApplication::setOverrideCursor(QCursor(CursorToQt(cursor)));
    else
        QApplication::changeOverrideCursor(QCursor(CursorToQt(cursor)));
}

int TScreen::Width() const {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().width() : 0;
}

int TScreen::Height() const {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().height() : 0;
}

TRect TScreen::WorkAreaRect() const {
    QScreen* s = QGuiApplication::primaryScreen();
    if (!s) return TRect{};
    const QRect r = s->availableGeometry();
    return Bounds(r.x(), r.y(), r.width(), r.height());
}

} // namespace vexo
