// How it works: every shape is reduced to operations whose pixels Qt sets exactly, so that the
// platform's rules hold whatever Qt's own conventions are. One-pixel lines are rasterised here
// (Bresenham, end pixel left out, dash patterns counted in pixels) and plotted as horizontal runs
// with fillRect, which covers exactly the pixels asked for and honours the raster operation of the
// pen mode. Rectangles are plotted as fills and four such lines. Curved shapes and polygon interiors
// are left to QPainter with antialiasing off, their geometry shifted so that integer coordinates fall
// on pixel centres as they do on the platform. Text is drawn with its cell's top-left at the given
// point, turned about that point by the font's escapement.
#include "framework/graphics/TDeviceContext_p.h"

#include "framework/graphics/FontMapping_p.h"
#include "framework/graphics/SysColors.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdlib>

namespace vexo {

namespace {

QPainter::CompositionMode compositionFor(TPenMode mode) {
    switch (mode) {
    case pmNot:
        return QPainter::RasterOp_NotDestination;
    case pmNotCopy:
        return QPainter::RasterOp_NotSource;
    case pmXor:
        return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor:
        return QPainter::RasterOp_NotSourceXorDestination;
    default:
        return QPainter::CompositionMode_SourceOver;
    }
}

QColor colorFor(TColor color, TPenMode mode) {
    if (mode == pmBlack) return Qt::black;
    if (mode == pmWhite) return Qt::white;
    return ColorToQColor(color);
}

// On/off run lengths in pixels of the styled one-pixel pens.
const std::vector<int>& dashPattern(TPenStyle style) {
    static const std::vector<int> none;
    static const std::vector<int> dash{18, 6};
    static const std::vector<int> dot{3, 3};
    static const std::vector<int> dashDot{9, 6, 3, 6};
    static const std::vector<int> dashDotDot{9, 3, 3, 3, 3, 3};
    switch (style) {
    case psDash:
        return dash;
    case psDot:
        return dot;
    case psDashDot:
        return dashDot;
    case psDashDotDot:
        return dashDotDot;
    default:
        return none;
    }
}

TRect normalized(int left, int top, int right, int bottom) {
    return TRect{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

QRect toQRect(const TRect& r) {
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

} // namespace

TDeviceContext::TDeviceContext(QImage* image) : image_(image) {
    assert(image != nullptr && "a device context needs an image to draw on");
    font_.lfHeight = -11;
    font_.lfFaceName = "MS Sans Serif";
    fontReady_ = false;
}

TDeviceContext::TDeviceContext(QPainter* painter) : painter_(painter) {
    assert(painter != nullptr && painter->isActive() && "a device context needs an active painter");
    font_.lfHeight = -11;
    font_.lfFaceName = "MS Sans Serif";
    fontReady_ = false;
}

TDeviceContext::~TDeviceContext() {
    Release();
}

void TDeviceContext::begin() {
    if (painter_ != nullptr) return;
    assert(image_ != nullptr && "only an image context opens its own painter");
    ownPainter_ = std::make_unique<QPainter>(image_);
    painter_ = ownPainter_.get();
}

QPaintDevice* TDeviceContext::Device() const {
    if (image_ != nullptr) return image_;
    return painter_ != nullptr ? painter_->device() : nullptr;
}

QPainter& TDeviceContext::Painter() {
    begin();
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::TextAntialiasing, TextAntialiasing);
    painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
    return *painter_;
}

void TDeviceContext::Release() {
    if (!ownPainter_) return;
    ownPainter_->end();
    ownPainter_.reset();
    painter_ = nullptr;
}

void TDeviceContext::SelectFont(const LOGFONT& font) {
    if (font == font_) return;
    font_ = font;
    fontReady_ = false;
}

void TDeviceContext::measureFont() const {
    if (fontReady_) return;
    qfont_ = LogFontToQFont(font_);
    // The platform rounds ascent and descent up separately; Qt rounds them to nearest, which makes
    // an 11-pixel Liberation Sans one pixel shorter than the 13 pixels of the dialog font.
    const QFontMetricsF m(qfont_);
    ascent_ = static_cast<int>(std::ceil(m.ascent() - 1e-3));
    descent_ = static_cast<int>(std::ceil(m.descent() - 1e-3));
    metrics_.emplace(qfont_);
    averageCharWidth_ = std::max(1, metrics_->averageCharWidth());
    fontReady_ = true;
}

const QFont& TDeviceContext::QtFont() const {
    measureFont();
    return qfont_;
}

HFONT TDeviceContext::SelectFont(HFONT font) {
    if (font == nullptr) return nullptr;
    // The previous font comes back as a snapshot the context owns, so that restoring it works even
    // when the caller has already deleted the font it had selected.
    TFontResource& previous = snapshots_[static_cast<std::size_t>(nextSnapshot_)];
    nextSnapshot_ = (nextSnapshot_ + 1) % static_cast<int>(snapshots_.size());
    previous.font = font_;
    previous.ownedByContext = true;
    SelectFont(font->font);
    return &previous;
}

void TDeviceContext::PlotPixels(const std::vector<TPoint>& pixels, TColor color, TPenMode mode) {
    if (pixels.empty() || mode == pmNop || color == clNone) return;
    QPainter& p = Painter();
    const QColor c = colorFor(color, mode);
    p.setCompositionMode(compositionFor(mode));
    // Runs of neighbours on one row or one column become one fill; a pixel is never plotted twice within a
    // call unless the caller lists it twice, which matters for the raster modes.
    std::size_t i = 0;
    while (i < pixels.size()) {
        std::size_t j = i + 1;
        int lo = pixels[i].x;
        int hi = pixels[i].x;
        while (j < pixels.size() && pixels[j].y == pixels[i].y &&
               (pixels[j].x == hi + 1 || pixels[j].x == lo - 1)) {
            lo = std::min(lo, pixels[j].x);
            hi = std::max(hi, pixels[j].x);
            ++j;
        }
        if (j == i + 1) {
            // A lone pixel may start a run along its column instead: a vertical line is one fill too.
            int top = pixels[i].y;
            int bottom = pixels[i].y;
            while (j < pixels.size() && pixels[j].x == lo &&
                   (pixels[j].y == bottom + 1 || pixels[j].y == top - 1)) {
                top = std::min(top, pixels[j].y);
                bottom = std::max(bottom, pixels[j].y);
                ++j;
            }
            p.fillRect(QRect(lo, top, 1, bottom - top + 1), c);
            i = j;
            continue;
        }
        p.fillRect(QRect(lo, pixels[i].y, hi - lo + 1, 1), c);
        i = j;
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TDeviceContext::FillRect(const TRect& rect, TColor color) {
    if (rect.IsEmpty() || color == clNone) return;
    Painter().fillRect(toQRect(rect), ColorToQColor(color));
}

void TDeviceContext::FrameRect(const TRect& rect, TColor color) {
    if (rect.IsEmpty() || color == clNone) return;
    QPainter& p = Painter();
    const QColor c = ColorToQColor(color);
    p.fillRect(QRect(rect.Left, rect.Top, rect.Width(), 1), c);
    if (rect.Height() > 1) p.fillRect(QRect(rect.Left, rect.Bottom - 1, rect.Width(), 1), c);
    if (rect.Height() > 2) {
        p.fillRect(QRect(rect.Left, rect.Top + 1, 1, rect.Height() - 2), c);
        if (rect.Width() > 1) p.fillRect(QRect(rect.Right - 1, rect.Top + 1, 1, rect.Height() - 2), c);
    }
}

void TDeviceContext::InvertRect(const TRect& rect) {
    if (rect.IsEmpty()) return;
    QPainter& p = Painter();
    p.setCompositionMode(QPainter::RasterOp_NotDestination);
    p.fillRect(toQRect(rect), Qt::black);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TDeviceContext::linePixels(int x0, int y0, int x1, int y1, std::vector<TPoint>& out) const {
    const int dx = std::abs(x1 - x0);
    const int sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0);
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    const std::vector<int>& pattern = dashPattern(pen_.style);
    std::size_t run = 0;
    int left = pattern.empty() ? 0 : pattern[0];
    while (x0 != x1 || y0 != y1) {
        if (pattern.empty() || run % 2 == 0) out.push_back(TPoint{x0, y0});
        if (!pattern.empty() && --left == 0) {
            run = (run + 1) % pattern.size();
            left = pattern[run];
        }
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void TDeviceContext::strokeLine(int x0, int y0, int x1, int y1) {
    if (!penVisible()) return;
    if (pen_.width <= 1) {
        std::vector<TPoint> pixels;
        linePixels(x0, y0, x1, y1, pixels);
        PlotPixels(pixels, pen_.color, pen_.mode);
        return;
    }
    QPainter& p = Painter();
    p.setCompositionMode(compositionFor(pen_.mode));
    p.setPen(QPen(colorFor(pen_.color, pen_.mode), pen_.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(x0 + 0.5, y0 + 0.5), QPointF(x1 + 0.5, y1 + 0.5));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TDeviceContext::MoveTo(int x, int y) {
    CurrentPos = TPoint{x, y};
}

void TDeviceContext::LineTo(int x, int y) {
    strokeLine(CurrentPos.x, CurrentPos.y, x, y);
    CurrentPos = TPoint{x, y};
}

void TDeviceContext::Polyline(const TPoint* points, int count) {
    if (points == nullptr || count < 2) return;
    // Like LineTo, every segment leaves out its end, so the last point itself stays unset.
    for (int i = 1; i < count; ++i)
        strokeLine(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
}

void TDeviceContext::Rectangle(int left, int top, int right, int bottom) {
    const TRect r = normalized(left, top, right, bottom);
    if (r.IsEmpty()) return;
    if (!penVisible()) {
        // Without a pen the platform's rectangle is one pixel smaller in both directions.
        if (brushVisible() && r.Width() > 1 && r.Height() > 1) {
            QPainter& p = Painter();
            p.setCompositionMode(compositionFor(pen_.mode));
            p.fillRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1),
                       colorFor(brush_.color, pen_.mode));
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
        return;
    }
    // Wide pens draw inside the rectangle, so the shape keeps its outer size.
    const int w = std::min({pen_.width, (r.Width() + 1) / 2, (r.Height() + 1) / 2});
    const TRect inner{r.Left + w, r.Top + w, r.Right - w, r.Bottom - w};
    if (brushVisible() && !inner.IsEmpty()) {
        QPainter& p = Painter();
        p.setCompositionMode(compositionFor(pen_.mode));
        p.fillRect(toQRect(inner), colorFor(brush_.color, pen_.mode));
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    if (w <= 1 && pen_.style != psInsideFrame) {
        // Four lines that meet without overlapping, so raster modes see every pixel once.
        std::vector<TPoint> pixels;
        const int rr = r.Right - 1;
        const int bb = r.Bottom - 1;
        if (r.Width() == 1 || r.Height() == 1) {
            linePixels(r.Left, r.Top, rr, bb, pixels);
            pixels.push_back(TPoint{rr, bb});
        } else {
            linePixels(r.Left, r.Top, rr, r.Top, pixels);
            linePixels(rr, r.Top, rr, bb, pixels);
            linePixels(rr, bb, r.Left, bb, pixels);
            linePixels(r.Left, bb, r.Left, r.Top, pixels);
        }
        PlotPixels(pixels, pen_.color, pen_.mode);
        return;
    }
    QPainter& p = Painter();
    const QColor c = colorFor(pen_.color, pen_.mode);
    p.setCompositionMode(compositionFor(pen_.mode));
    p.fillRect(QRect(r.Left, r.Top, r.Width(), w), c);
    p.fillRect(QRect(r.Left, r.Bottom - w, r.Width(), w), c);
    if (r.Height() > 2 * w) {
        p.fillRect(QRect(r.Left, r.Top + w, w, r.Height() - 2 * w), c);
        p.fillRect(QRect(r.Right - w, r.Top + w, w, r.Height() - 2 * w), c);
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

namespace {
// Pen and brush of the curved shapes, drawn by QPainter itself.
void setShapeTools(QPainter& p, bool pen, const TDeviceContext::PenState& ps, bool brush,
                   const TDeviceContext::BrushState& bs) {
    p.setCompositionMode(compositionFor(ps.mode));
    if (pen) {
        QPen qp(colorFor(ps.color, ps.mode), ps.width <= 1 ? 0 : ps.width);
        p.setPen(qp);
    } else {
        p.setPen(Qt::NoPen);
    }
    if (brush)
        p.setBrush(colorFor(bs.color, ps.mode));
    else
        p.setBrush(Qt::NoBrush);
}
} // namespace

void TDeviceContext::RoundRect(int left, int top, int right, int bottom, int ellipseWidth,
                               int ellipseHeight) {
    const TRect r = normalized(left, top, right, bottom);
    if (r.Width() < 2 || r.Height() < 2) return;
    QPainter& p = Painter();
    setShapeTools(p, penVisible(), pen_, brushVisible(), brush_);
    const QRectF box(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
    const double rx = std::clamp(std::abs(ellipseWidth) / 2.0, 0.0, box.width() / 2);
    const double ry = std::clamp(std::abs(ellipseHeight) / 2.0, 0.0, box.height() / 2);
    p.drawRoundedRect(box, rx, ry, Qt::AbsoluteSize);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TDeviceContext::Ellipse(int left, int top, int right, int bottom) {
    const TRect r = normalized(left, top, right, bottom);
    if (r.Width() < 2 || r.Height() < 2) return;
    QPainter& p = Painter();
    setShapeTools(p, penVisible(), pen_, brushVisible(), brush_);
    p.drawEllipse(QRectF(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TDeviceContext::Polygon(const TPoint* points, int count) {
    if (points == nullptr || count < 2) return;
    if (brushVisible() && count >= 3) {
        QPainter& p = Painter();
        setShapeTools(p, false, pen_, true, brush_);
        QPolygonF poly;
        for (int i = 0; i < count; ++i)
            poly << QPointF(points[i].x + 0.5, points[i].y + 0.5);
        p.drawPolygon(poly, Qt::OddEvenFill);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    for (int i = 0; i < count; ++i) {
        const TPoint a = points[i];
        const TPoint b = points[(i + 1) % count];
        strokeLine(a.x, a.y, b.x, b.y);
    }
}

void TDeviceContext::TextOut(int x, int y, const std::string& text) {
    TextOut(x, y, QString::fromStdString(text));
}

void TDeviceContext::TextOut(int x, int y, const QString& text, int underlineIndex) {
    QPainter& p = Painter();
    measureFont();
    const QFontMetrics& m = *metrics_;
    const int h = ascent_ + descent_;
    p.save();
    p.translate(x, y);
    if (font_.lfEscapement % 3600 != 0) p.rotate(-font_.lfEscapement / 10.0);
    // Measured only for the background: shaping a text costs about as much as drawing it.
    if (BkMode == OPAQUE && BkColor != clNone) {
        const int w = m.horizontalAdvance(text);
        if (w > 0) p.fillRect(QRect(0, 0, w, h), ColorToQColor(BkColor));
    }
    if (TextColor != clNone) {
        p.setFont(QtFont());
        p.setPen(ColorToQColor(TextColor));
        p.drawText(QPoint(0, ascent_), text);
        if (underlineIndex >= 0 && underlineIndex < text.size()) {
            const int ux = m.horizontalAdvance(text.left(underlineIndex));
            const int uw = m.horizontalAdvance(text.mid(underlineIndex, 1));
            p.fillRect(QRect(ux, ascent_ + 1, uw, std::max(1, m.lineWidth())), ColorToQColor(TextColor));
        }
    }
    p.restore();
}

TSize TDeviceContext::TextExtent(const std::string& text) const {
    return TextExtent(QString::fromStdString(text));
}

TSize TDeviceContext::TextExtent(const QString& text) const {
    measureFont();
    return TSize{metrics_->horizontalAdvance(text), ascent_ + descent_};
}

int TDeviceContext::LineHeight() const {
    measureFont();
    return ascent_ + descent_;
}
int TDeviceContext::Ascent() const {
    measureFont();
    return ascent_;
}
int TDeviceContext::AverageCharWidth() const {
    measureFont();
    return averageCharWidth_;
}

namespace {
QImage* imageOf(QImage* own, QPainter* painter) {
    if (own != nullptr) return own;
    if (painter != nullptr && painter->device() != nullptr &&
        painter->device()->devType() == QInternal::Image)
        return static_cast<QImage*>(painter->device());
    return nullptr;
}
} // namespace

TColor TDeviceContext::GetPixel(int x, int y) {
    QImage* image = imageOf(image_, painter_);
    if (image == nullptr) return clNone;
    QPoint logical(x, y);
    if (painter_ != nullptr) logical = painter_->transform().map(logical);
    // A logical pixel of an image at a higher ratio reads as its top-left device pixel.
    const qreal ratio = image->devicePixelRatio();
    const QPoint device(qFloor(logical.x() * ratio), qFloor(logical.y() * ratio));
    if (!image->rect().contains(device)) return clNone;
    return QColorToColor(image->pixelColor(device));
}

void TDeviceContext::SetPixel(int x, int y, TColor color) {
    if (color == clNone) return;
    Painter().fillRect(QRect(x, y, 1, 1), ColorToQColor(color));
}

TSize TDeviceContext::DeviceSize() const {
    // An image counts its size in device pixels, a widget in logical ones.
    if (QImage* image = imageOf(image_, painter_)) {
        const QSize size = image->deviceIndependentSize().toSize();
        return TSize{size.width(), size.height()};
    }
    const QPaintDevice* device = Device();
    return device != nullptr ? TSize{device->width(), device->height()} : TSize{0, 0};
}

TRect TDeviceContext::ClipBox() {
    QRect box;
    if (painter_ != nullptr && painter_->hasClipping()) {
        box = painter_->clipBoundingRect().toAlignedRect();
    } else {
        const TSize size = DeviceSize();
        const QRect device(0, 0, size.cx, size.cy);
        box = painter_ != nullptr ? painter_->transform().inverted().mapRect(device) : device;
    }
    return Rect(box.left(), box.top(), box.left() + box.width(), box.top() + box.height());
}

void TDeviceContext::DrawImage(const TRect& target, const QImage& image, const TRect& source) {
    if (target.IsEmpty() || source.IsEmpty() || image.isNull()) return;
    // Qt takes the source in the image's device pixels.
    const qreal ratio = image.devicePixelRatio();
    const QRectF from(source.Left * ratio, source.Top * ratio, source.Width() * ratio,
                      source.Height() * ratio);
    Painter().drawImage(QRectF(toQRect(target)), image, from);
}

} // namespace vexo
