#include "framework/graphics/TCanvas.h"

#include "framework/graphics/Gdi.h"
#include "framework/graphics/GraphicsExceptions.h"
#include "framework/graphics/SysColors.h"
#include "framework/graphics/TDeviceContext_p.h"
#include "framework/graphics/TGraphic.h"

#include <QImage>
#include <QPainter>

namespace vexo {

TCanvas::TCanvas() {
    pen_.OnChange = [this](TGraphicsObject*) { penValid_ = false; };
    brush_.OnChange = [this](TGraphicsObject*) { brushValid_ = false; };
    font_.OnChange = [this](TGraphicsObject*) { fontValid_ = false; };
}

TCanvas::~TCanvas() = default;

void TCanvas::SetHandle(HDC dc) {
    if (dc == handle_) return;
    handle_ = dc;
    Refresh();
}

void TCanvas::Refresh() {
    penValid_ = false;
    brushValid_ = false;
    fontValid_ = false;
}

HDC TCanvas::requireHandle(bool pen, bool brush, bool font) {
    if (handle_ == nullptr) CreateHandle();
    if (handle_ == nullptr) throw EInvalidGraphicOperation("Canvas does not allow drawing");
    if (pen && !penValid_) {
        handle_->SelectPen(TDeviceContext::PenState{pen_.Color(), pen_.Width(), pen_.Style(), pen_.Mode()});
        penValid_ = true;
    }
    if (brush && !brushValid_) {
        handle_->SelectBrush(TDeviceContext::BrushState{brush_.Color(), brush_.Style()});
        handle_->BkColor = brush_.Color();
        handle_->BkMode = brush_.Style() == bsClear ? TRANSPARENT : OPAQUE;
        brushValid_ = true;
    }
    if (font && !fontValid_) {
        handle_->SelectFont(font_.LogFont());
        handle_->TextColor = font_.Color();
        fontValid_ = true;
    }
    return handle_;
}

HDC TCanvas::Handle() {
    return requireHandle(true, true, true);
}

TPoint TCanvas::PenPos() const {
    return handle_ == nullptr ? TPoint{} : handle_->CurrentPos;
}

void TCanvas::MoveTo(int x, int y) {
    requireHandle(false, false, false)->MoveTo(x, y);
}

void TCanvas::LineTo(int x, int y) {
    requireHandle(true, true, false)->LineTo(x, y);
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    requireHandle(true, true, false)->Rectangle(left, top, right, bottom);
}

void TCanvas::FillRect(const TRect& rect) {
    HDC dc = requireHandle(false, true, false);
    if (brush_.Style() != bsClear) dc->FillRect(rect, brush_.Color());
}

void TCanvas::FrameRect(const TRect& rect) {
    HDC dc = requireHandle(false, true, false);
    if (brush_.Style() != bsClear) dc->FrameRect(rect, brush_.Color());
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
    requireHandle(true, true, false)->RoundRect(left, top, right, bottom, ellipseWidth, ellipseHeight);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    requireHandle(true, true, false)->Ellipse(left, top, right, bottom);
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    requireHandle(true, true, false)->Polygon(points.data(), static_cast<int>(points.size()));
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    requireHandle(true, true, false)->Polyline(points.data(), static_cast<int>(points.size()));
}

void TCanvas::DrawFocusRect(const TRect& rect) {
    vexo::DrawFocusRect(requireHandle(false, true, false), &rect);
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    HDC dc = requireHandle(false, true, true);
    dc->TextOut(x, y, text);
    dc->MoveTo(x + dc->TextExtent(text).cx, y);
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text) {
    HDC dc = requireHandle(false, true, true);
    if (brush_.Style() != bsClear) dc->FillRect(rect, brush_.Color());
    QPainter& p = dc->Painter();
    p.save();
    p.setClipRect(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()), Qt::IntersectClip);
    dc->TextOut(x, y, text);
    p.restore();
}

TSize TCanvas::TextExtent(const std::string& text) {
    return requireHandle(false, false, true)->TextExtent(text);
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (graphic == nullptr || graphic->Empty()) return;
    requireHandle(false, false, false);
    graphic->Draw(*this, Bounds(x, y, graphic->Width(), graphic->Height()));
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic) {
    if (graphic == nullptr || graphic->Empty()) return;
    requireHandle(false, false, false);
    graphic->Draw(*this, rect);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect) {
    if (source == nullptr) return;
    HDC from = source->requireHandle(false, false, false);
    HDC to = requireHandle(false, false, false);
    QImage* image = from->Image();
    if (image == nullptr) {
        QPainter& p = from->Painter();
        if (p.device() == nullptr || p.device()->devType() != QInternal::Image)
            throw EInvalidGraphicOperation("The source canvas has no picture to copy from");
        image = static_cast<QImage*>(p.device());
    }
    // A copy first, so that a canvas may copy from itself.
    const QImage snapshot = image->copy();
    to->DrawImage(dest, snapshot, sourceRect);
}

TColor TCanvas::Pixels(int x, int y) {
    return requireHandle(false, false, false)->GetPixel(x, y);
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    requireHandle(false, false, false)->SetPixel(x, y, color);
}

TRect TCanvas::ClipRect() {
    return requireHandle(false, false, false)->ClipBox();
}

} // namespace vexo
