#pragma once
// A device context: what the platform's drawing calls draw on. It wraps a QPainter (on a QImage, or a
// widget's painter during its paint event) and holds the selected pen, brush and font, the text and
// background colours, the background mode and the current position, and draws with the platform's
// pixel rules (end pixels of lines left out, right and bottom edges of rectangles left out).
// Code outside the framework holds it only as an HDC (GdiTypes.h) and draws through Gdi.h or a
// TCanvas.
#include "framework/core/Types.h"
#include "framework/graphics/GdiTypes.h"
#include "framework/graphics/LogFont.h"
#include "framework/graphics/TBrush.h"
#include "framework/graphics/TPen.h"
#include <QFont>
#include <QFontMetrics>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QImage;
class QPainter;
class QPaintDevice;
class QString;

namespace vexo {

// What an HFONT points to.
struct TFontResource {
    LOGFONT font;
    bool ownedByContext = false; // the context's own record of a font selected without a handle
};

class TDeviceContext {
public:
    // Draws on the image; the painter opens at the first drawing call and closes on Release.
    explicit TDeviceContext(QImage* image);
    // Draws with a painter someone else opened (a widget's paint event); the painter is not owned.
    explicit TDeviceContext(QPainter* painter);
    ~TDeviceContext();
    TDeviceContext(const TDeviceContext&) = delete;
    TDeviceContext& operator=(const TDeviceContext&) = delete;

    QPainter& Painter();
    // Closes an own painter so that the image may be read, copied or replaced; the next drawing call
    // opens it again. Selected objects and colours are kept.
    void Release();
    QImage* Image() const { return image_; }
    // What the context draws on: the image, or the device of the painter it was given.
    QPaintDevice* Device() const;

    struct PenState {
        TColor color = clBlack;
        int width = 1;
        TPenStyle style = psSolid;
        TPenMode mode = pmCopy;
        friend bool operator==(const PenState&, const PenState&) = default;
    };
    struct BrushState {
        TColor color = clWhite;
        TBrushStyle style = bsSolid;
        friend bool operator==(const BrushState&, const BrushState&) = default;
    };
    void SelectPen(const PenState& pen) { pen_ = pen; }
    const PenState& Pen() const { return pen_; }
    void SelectBrush(const BrushState& brush) { brush_ = brush; }
    const BrushState& Brush() const { return brush_; }
    // Selects a font by value (the canvas does this), or a font resource (SelectObject). The latter
    // returns a handle to the previous font that stays valid for the next 16 selections.
    void SelectFont(const LOGFONT& font);
    HFONT SelectFont(HFONT font);
    const LOGFONT& Font() const { return font_; }
    // Built at the first text call, so contexts used only for pixels never load fonts.
    const QFont& QtFont() const;

    TColor TextColor = clBlack;
    TColor BkColor = clWhite;
    int BkMode = OPAQUE;
    int MapMode = MM_TEXT;
    TPoint CurrentPos;

    // Shapes with the selected pen and brush.
    void FillRect(const TRect& rect,
                  TColor color); // exactly Left..Right-1, Top..Bottom-1; clNone paints nothing
    void FrameRect(const TRect& rect, TColor color);
    void InvertRect(const TRect& rect);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(const TPoint* points, int count);
    void Rectangle(int left, int top, int right, int bottom);
    void RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    void Ellipse(int left, int top, int right, int bottom);
    void Polygon(const TPoint* points, int count);

    // Text in the selected font and text colour, its cell's top-left at (x, y) and turned by the
    // font's escapement; in OPAQUE mode the cell is first filled with the background colour.
    void TextOut(int x, int y, const std::string& text);
    void TextOut(int x, int y, const QString& text, int underlineIndex = -1);
    TSize TextExtent(const std::string& text) const;
    TSize TextExtent(const QString& text) const;
    int LineHeight() const; // ascent + descent of the selected font
    int Ascent() const;
    int AverageCharWidth() const;

    // Pixels; an unreadable pixel (outside the image, or a context without an image) reads as clNone.
    TColor GetPixel(int x, int y);
    void SetPixel(int x, int y, TColor color);
    // The clipping rectangle in logical coordinates; the whole device when nothing clips.
    TRect ClipBox();
    // The size of what the context draws on, in logical pixels (an image at a device pixel ratio of
    // 2 is half its pixel size); 0 x 0 without a device.
    TSize DeviceSize() const;

    // Drawing of prepared images, used by bitmaps and image lists.
    void DrawImage(const TRect& target, const QImage& image, const TRect& source);

    // Plots the given pixels with the selected pen's colour and raster mode.
    void PlotPixels(const std::vector<TPoint>& pixels, TColor color, TPenMode mode);

private:
    void begin();
    void measureFont() const;
    void linePixels(int x0, int y0, int x1, int y1, std::vector<TPoint>& out) const;
    void strokeLine(int x0, int y0, int x1, int y1);
    bool penVisible() const { return pen_.style != psClear && pen_.mode != pmNop && pen_.color != clNone; }
    bool brushVisible() const { return brush_.style != bsClear && brush_.color != clNone; }

    QImage* image_ = nullptr;
    QPainter* painter_ = nullptr;
    std::unique_ptr<QPainter> ownPainter_;
    PenState pen_;
    BrushState brush_;
    LOGFONT font_;
    mutable bool fontReady_ = false;
    mutable QFont qfont_;
    // Measuring through a fresh QFontMetrics costs a font lookup each time; a grid's paint measures
    // every cell, so the metrics are made once per selected font.
    mutable std::optional<QFontMetrics> metrics_;
    mutable int averageCharWidth_ = 1;
    mutable int ascent_ = 0;
    mutable int descent_ = 0;
    std::array<TFontResource, 16> snapshots_;
    int nextSnapshot_ = 0;
};

} // namespace vexo
