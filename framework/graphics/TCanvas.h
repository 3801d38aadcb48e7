#pragma once
// The framework's canvas: a pen, a brush and a font, drawn with on a device context (Handle). The
// handle is either set from outside (a control's paint DC) or created on demand by a subclass (a
// bitmap's canvas). The tools are selected into the context lazily, only after they changed, so a
// font selected on the handle directly (SelectObject of a turned font) stays until the canvas's own
// Font changes. A solid brush also makes text backgrounds opaque in its colour, as on the platform.
#include "framework/core/Types.h"
#include "framework/graphics/GdiTypes.h"
#include "framework/graphics/TBrush.h"
#include "framework/graphics/TFont.h"
#include "framework/graphics/TPen.h"
#include <string>
#include <vector>

namespace vexo {

class TGraphic;

class TCanvas {
public:
    TCanvas();
    virtual ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TPen* Pen() { return &pen_; }
    TBrush* Brush() { return &brush_; }
    TFont* Font() { return &font_; }
    void SetPen(const TPen& value) { pen_.Assign(value); }
    void SetBrush(const TBrush& value) { brush_.Assign(value); }
    void SetFont(const TFont& value) { font_.Assign(value); }

    // The device context with the canvas's tools selected; raises EInvalidGraphicOperation when the
    // canvas has no device and cannot make one.
    HDC Handle();
    void SetHandle(HDC dc); // nullptr detaches
    bool HandleAllocated() const { return handle_ != nullptr; }
    // Forgets what is selected, so that the next drawing call selects every tool again.
    void Refresh();

    TPoint PenPos() const;
    void SetPenPos(TPoint value) { MoveTo(value.x, value.y); }
    void MoveTo(int x, int y);
    void LineTo(int x, int y); // the end pixel is not set
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }
    void FillRect(const TRect& rect); // with the brush; a clear brush fills nothing
    void FrameRect(const TRect& rect);
    void RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    void Ellipse(int left, int top, int right, int bottom);
    void Polygon(const std::vector<TPoint>& points);
    void Polyline(const std::vector<TPoint>& points);
    void DrawFocusRect(const TRect& rect);

    // Text at (x, y) (cell's top-left), over the brush colour unless the brush is clear; the pen
    // position moves to the end of the text, as the framework does.
    void TextOut(int x, int y, const std::string& text);
    // Text clipped to rect; a solid brush first fills the whole rectangle.
    void TextRect(const TRect& rect, int x, int y, const std::string& text);
    TSize TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }
    int TextFlags = 0;

    // Graphics at their own size or stretched into rect; a transparent bitmap leaves its transparent
    // colour unpainted. A null or empty graphic draws nothing.
    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const TRect& rect, TGraphic* graphic);
    // Copies a rectangle of another canvas's picture (which must be an image) into dest, stretched.
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);

    // clNone for a pixel that cannot be read (outside the device, or a device without pixels).
    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);

    TRect ClipRect();

    // Single-thread code keeps the count only so that nested paint code can tell it is inside a paint.
    void Lock() { ++lockCount_; }
    void Unlock() {
        if (lockCount_ > 0) --lockCount_;
    }
    int LockCount() const { return lockCount_; }

protected:
    // Subclasses with a device of their own create it here (and give it with SetHandle).
    virtual void CreateHandle() {}

private:
    HDC requireHandle(bool pen, bool brush, bool font);
    TPen pen_;
    TBrush brush_;
    TFont font_;
    HDC handle_ = nullptr;
    bool penValid_ = false;
    bool brushValid_ = false;
    bool fontValid_ = false;
    int lockCount_ = 0;
};

} // namespace vexo
