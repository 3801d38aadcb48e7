#pragma once
// A white bitmap to draw on and read back, for the pixel tests of the drawing layer.
#include "framework/graphics/GdiTypes.h"
#include "framework/graphics/SysColors.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TCanvas.h"
#include <QImage>

namespace vexo {

struct PixelSurface {
    TBitmap bitmap;
    PixelSurface(int width, int height) {
        bitmap.SetSize(width, height);
        bitmap.Canvas()->Brush()->SetColor(clWhite);
        bitmap.Canvas()->FillRect(Rect(0, 0, width, height));
    }
    // A picture taken elsewhere (a rendered control), to read back.
    explicit PixelSurface(const QImage& image) { bitmap.SetImage(image); }
    TCanvas* canvas() { return bitmap.Canvas(); }
    HDC dc() { return bitmap.Canvas()->Handle(); }
    TColor at(int x, int y) { return QColorToColor(bitmap.Image().pixelColor(x, y)); }
    // The smallest rectangle holding every pixel that is not `background`; empty when there is none.
    TRect inkBounds(TColor background = clWhite) { return bounds(background, false); }
    // The smallest rectangle holding every pixel of `color`.
    TRect boundsOf(TColor color) { return bounds(color, true); }
    TRect bounds(TColor color, bool equal) {
        const QImage& img = bitmap.Image();
        TRect r{img.width(), img.height(), 0, 0};
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if ((QColorToColor(img.pixelColor(x, y)) == color) == equal) {
                    r.Left = std::min(r.Left, x);
                    r.Top = std::min(r.Top, y);
                    r.Right = std::max(r.Right, x + 1);
                    r.Bottom = std::max(r.Bottom, y + 1);
                }
        return r.IsEmpty() ? TRect{} : r;
    }
    int count(TColor color) {
        const QImage& img = bitmap.Image();
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (QColorToColor(img.pixelColor(x, y)) == color) ++n;
        return n;
    }
};

} // namespace vexo
