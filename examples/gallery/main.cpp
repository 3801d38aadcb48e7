// The gallery: buttons of every standard glyph and frame style, a tab container with framed
// panels, a strip of tab buttons, and the database repair form.
//
//     vexo_gallery                     shows the gallery until it is closed
//     vexo_gallery --screenshot FILE   writes a PNG of the gallery with the repair form beside it
#include "app/ExampleMain.h"
#include "app/dbReparerFORM.h"
#include "examples/gallery/GalleryForm.h"
#include "framework/windows/Render.h"
#include "framework/windows/TApplication.h"

#include <QPainter>

#include <algorithm>

using namespace vexo;

namespace {

QImage galleryAndRepairForm(TForm* gallery) {
    const QImage left = RenderToImage(gallery);
    TdbReparerFORM repair(nullptr);
    const QImage right = RenderToImage(&repair);
    // In logical pixels, so that the pictures keep their device pixel ratio.
    constexpr int gap = 12;
    const QSizeF l = left.deviceIndependentSize(), r = right.deviceIndependentSize();
    const qreal ratio = left.devicePixelRatio();
    QImage both((QSizeF(l.width() + gap + r.width(), std::max(l.height(), r.height())) * ratio).toSize(),
                QImage::Format_RGB32);
    both.setDevicePixelRatio(ratio);
    both.fill(Qt::white);
    QPainter painter(&both);
    painter.drawImage(QPointF(0, 0), left);
    painter.drawImage(QPointF(l.width() + gap, 0), right);
    return both;
}

} // namespace

int main(int argc, char** argv) {
    return RunExample(argc, argv,
                      {"vexo_gallery", "Buttons, tabs, framed panels and the database repair form.",
                       [] {
                           TGalleryForm* form = nullptr;
                           Application->CreateForm(form);
                           return static_cast<TForm*>(form);
                       },
                       galleryAndRepairForm});
}
