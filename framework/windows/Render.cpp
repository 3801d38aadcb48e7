#include "framework/windows/Render.h"

#include "framework/windows/TWinControl.h"

#include <QPixmap>
#include <QWidget>

namespace vexo {

QImage RenderToImage(TWinControl* control) {
    if (!control) return QImage();
    QWidget* widget = control->Widget();
    if (!widget || widget->width() <= 0 || widget->height() <= 0) return QImage();
    // grab() paints hidden widgets too, children included, with the same pixels as the screen.
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool SaveToPng(TWinControl* control, const std::string& path) {
    const QImage image = RenderToImage(control);
    return !image.isNull() && image.save(QString::fromStdString(path), "PNG");
}

} // namespace vexo
