// How it works: the free functions forward to the device context's primitives (the text calls
// live in GdiText.cpp). Frame controls and edges are drawn as small pixel pictures in the
// palette's system colours, the way the classic desktop draws them, so that controls look the
// same wherever they are painted.
#include "framework/graphics/Gdi.h"

#include "framework/graphics/LogFont.h"
#include "framework/graphics/SysColors.h"
#include "framework/graphics/TDeviceContext_p.h"

#include <QPaintDevice>
#include <algorithm>
#include <cmath>
#include <vector>

namespace vexo {

namespace {

// The 7 x 7 check mark of the classic check box.
constexpr const char* kCheckMark[7] = {
    "......X", ".....XX", "X...XXX", "XX.XXX.", "XXXXX..", ".XXX...", "..X....",
};

void plot(HDC dc, int x, int y, TColor color) {
    dc->FillRect(Bounds(x, y, 1, 1), color);
}

void drawCheckBox(HDC dc, const TRect& r, unsigned state) {
    const int s = std::min(r.Width(), r.Height());
    const TRect box = Bounds(r.Left + (r.Width() - s) / 2, r.Top + (r.Height() - s) / 2, s, s);
    const bool grey = (state & (DFCS_PUSHED | DFCS_INACTIVE)) != 0;
    TRect inside = box;
    if (state & (DFCS_FLAT | DFCS_MONO)) {
        dc->FrameRect(box, (state & DFCS_MONO) ? clWindowFrame : clBtnShadow);
        inside = TRect{box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1};
    } else {
        TRect edge = box;
        DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        inside = edge;
    }
    const bool threeState = (state & 0x1F) == DFCS_BUTTON3STATE;
    dc->FillRect(inside, grey || (threeState && (state & DFCS_CHECKED)) ? clBtnFace : clWindow);
    if (!(state & DFCS_CHECKED)) return;
    const TColor mark = (state & DFCS_INACTIVE) || threeState ? clGrayText : clWindowText;
    const int ox = box.Left + (s - 7) / 2;
    const int oy = box.Top + (s - 7) / 2;
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x)
            if (kCheckMark[y][x] == 'X') plot(dc, ox + x, oy + y, mark);
}

void drawRadio(HDC dc, const TRect& r, unsigned state) {
    const int s = std::min(r.Width(), r.Height()) >= 13 ? 12 : std::max(4, std::min(r.Width(), r.Height()));
    const int ox = r.Left;
    const int oy = r.Top;
    const double c = s / 2.0;
    const double outer = c;
    const bool flat = (state & (DFCS_FLAT | DFCS_MONO)) != 0;
    const bool grey = (state & (DFCS_PUSHED | DFCS_INACTIVE)) != 0;
    for (int y = 0; y < s; ++y) {
        for (int x = 0; x < s; ++x) {
            const double dx = x + 0.5 - c;
            const double dy = y + 0.5 - c;
            const double d = std::sqrt(dx * dx + dy * dy);
            if (d >= outer) continue;
            const bool upperLeft = x + y < s - 1;
            TColor color;
            if (d > outer - 1) {
                color = flat ? ((state & DFCS_MONO) ? clWindowFrame : clBtnShadow)
                             : (upperLeft ? clBtnShadow : clBtnHighlight);
            } else if (d > outer - 2 && !flat) {
                color = upperLeft ? cl3DDkShadow : cl3DLight;
            } else {
                color = grey ? clBtnFace : clWindow;
                if ((state & DFCS_CHECKED) && d < s / 6.0)
                    color = (state & DFCS_INACTIVE) ? clGrayText : clWindowText;
            }
            plot(dc, ox + x, oy + y, color);
        }
    }
}

void drawArrow(HDC dc, const TRect& r, unsigned kind, TColor color, int shift) {
    const int s = std::min(r.Width(), r.Height());
    const int k = std::max(1, s * 3 / 16);
    const int cx = r.Left + r.Width() / 2 + shift;
    const int cy = r.Top + r.Height() / 2 + shift;
    for (int i = 0; i <= k; ++i) {
        // Row i of the triangle, counted from its tip, is 2i+1 pixels long.
        switch (kind) {
        case DFCS_SCROLLUP:
            dc->FillRect(Bounds(cx - i, cy - (k + 1) / 2 + i, 2 * i + 1, 1), color);
            break;
        case DFCS_SCROLLLEFT:
            dc->FillRect(Bounds(cx - (k + 1) / 2 + i, cy - i, 1, 2 * i + 1), color);
            break;
        case DFCS_SCROLLRIGHT:
            dc->FillRect(Bounds(cx + k / 2 - i, cy - i, 1, 2 * i + 1), color);
            break;
        default: // down and the combo box's arrow
            dc->FillRect(Bounds(cx - i, cy + k / 2 - i, 2 * i + 1, 1), color);
            break;
        }
    }
}

void drawScrollButton(HDC dc, const TRect& r, unsigned state) {
    TRect inside = r;
    if (state & (DFCS_FLAT | DFCS_PUSHED)) {
        dc->FrameRect(r, (state & DFCS_MONO) ? clWindowFrame : clBtnShadow);
        inside = TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    } else {
        DrawEdge(dc, &inside, EDGE_RAISED, BF_RECT | BF_ADJUST);
    }
    dc->FillRect(inside, clBtnFace);
    const unsigned kind = state & 0xFF;
    const int shift = (state & DFCS_PUSHED) ? 1 : 0;
    if (state & DFCS_INACTIVE) {
        drawArrow(dc, r, kind, clBtnHighlight, 1);
        drawArrow(dc, r, kind, clGrayText, 0);
    } else {
        drawArrow(dc, r, kind, clBtnText, shift);
    }
}

} // namespace

bool DrawFrameControl(HDC dc, TRect* rect, unsigned type, unsigned state) {
    if (dc == nullptr || rect == nullptr || rect->IsEmpty()) return false;
    switch (type) {
    case DFC_BUTTON:
        if (state & DFCS_BUTTONPUSH) {
            TRect inside = *rect;
            if (state & (DFCS_PUSHED | DFCS_CHECKED))
                DrawEdge(dc, &inside, (state & DFCS_FLAT) ? BDR_SUNKENOUTER : EDGE_SUNKEN,
                         BF_RECT | BF_ADJUST);
            else
                DrawEdge(dc, &inside, (state & DFCS_FLAT) ? BDR_RAISEDINNER : EDGE_RAISED,
                         BF_RECT | BF_ADJUST);
            dc->FillRect(inside, clBtnFace);
        } else if (state & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) {
            drawRadio(dc, *rect, state);
        } else {
            drawCheckBox(dc, *rect, state);
        }
        return true;
    case DFC_SCROLL:
        drawScrollButton(dc, *rect, state);
        return true;
    default:
        // Captions and menu glyphs have no picture here: nothing in the library draws them.
        return false;
    }
}

bool DrawEdge(HDC dc, TRect* rect, unsigned edge, unsigned flags) {
    if (dc == nullptr || rect == nullptr) return false;
    TRect r = *rect;
    struct Layer {
        unsigned bits;
        TColor topLeft;
        TColor bottomRight;
    };
    Layer layers[2] = {
        {edge & BDR_OUTER, clNone, clNone},
        {edge & BDR_INNER, clNone, clNone},
    };
    if (layers[0].bits & BDR_RAISEDOUTER) {
        layers[0].topLeft = (flags & BF_SOFT) ? clBtnHighlight : cl3DLight;
        layers[0].bottomRight = cl3DDkShadow;
    } else if (layers[0].bits & BDR_SUNKENOUTER) {
        layers[0].topLeft = (flags & BF_SOFT) ? cl3DDkShadow : clBtnShadow;
        layers[0].bottomRight = clBtnHighlight;
    }
    if (layers[1].bits & BDR_RAISEDINNER) {
        layers[1].topLeft = (flags & BF_SOFT) ? cl3DLight : clBtnHighlight;
        layers[1].bottomRight = clBtnShadow;
    } else if (layers[1].bits & BDR_SUNKENINNER) {
        layers[1].topLeft = (flags & BF_SOFT) ? clBtnShadow : cl3DDkShadow;
        layers[1].bottomRight = cl3DLight;
    }
    if (flags & (BF_FLAT | BF_MONO)) {
        const TColor outer = (flags & BF_MONO) ? clWindowFrame : clBtnShadow;
        const TColor inner = (flags & BF_MONO) ? clWindow : clBtnFace;
        if (layers[0].bits) layers[0].topLeft = layers[0].bottomRight = outer;
        if (layers[1].bits) layers[1].topLeft = layers[1].bottomRight = inner;
    }
    if (!(flags & BF_DIAGONAL)) {
        for (const Layer& layer : layers) {
            if (layer.bits == 0 || r.IsEmpty()) continue;
            if (flags & BF_LEFT) dc->FillRect(TRect{r.Left, r.Top, r.Left + 1, r.Bottom}, layer.topLeft);
            if (flags & BF_TOP) dc->FillRect(TRect{r.Left, r.Top, r.Right, r.Top + 1}, layer.topLeft);
            if (flags & BF_RIGHT)
                dc->FillRect(TRect{r.Right - 1, r.Top, r.Right, r.Bottom}, layer.bottomRight);
            if (flags & BF_BOTTOM)
                dc->FillRect(TRect{r.Left, r.Bottom - 1, r.Right, r.Bottom}, layer.bottomRight);
            if (flags & BF_LEFT) ++r.Left;
            if (flags & BF_TOP) ++r.Top;
            if (flags & BF_RIGHT) --r.Right;
            if (flags & BF_BOTTOM) --r.Bottom;
        }
        if (flags & BF_MIDDLE) dc->FillRect(r, (flags & BF_MONO) ? clWindow : clBtnFace);
    }
    if (flags & BF_ADJUST) *rect = r;
    return true;
}

void DrawFocusRect(HDC dc, const TRect* rect) {
    if (dc == nullptr || rect == nullptr || rect->IsEmpty()) return;
    const TRect& r = *rect;
    std::vector<TPoint> pixels;
    auto add = [&](int x, int y) {
        if (((x - r.Left) + (y - r.Top)) % 2 == 0) pixels.push_back(TPoint{x, y});
    };
    for (int x = r.Left; x < r.Right; ++x)
        add(x, r.Top);
    if (r.Height() > 1)
        for (int x = r.Left; x < r.Right; ++x)
            add(x, r.Bottom - 1);
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        add(r.Left, y);
        if (r.Width() > 1) add(r.Right - 1, y);
    }
    dc->PlotPixels(pixels, clBlack, pmNot);
}

int FillRect(HDC dc, const TRect* rect, TColor color) {
    if (dc == nullptr || rect == nullptr) return 0;
    dc->FillRect(*rect, color);
    return 1;
}

int FrameRect(HDC dc, const TRect* rect, TColor color) {
    if (dc == nullptr || rect == nullptr) return 0;
    dc->FrameRect(*rect, color);
    return 1;
}

bool InvertRect(HDC dc, const TRect* rect) {
    if (dc == nullptr || rect == nullptr) return false;
    dc->InvertRect(*rect);
    return true;
}

TColor SetTextColor(HDC dc, TColor color) {
    if (dc == nullptr) return clNone;
    const TColor old = dc->TextColor;
    dc->TextColor = color;
    return old;
}

TColor SetBkColor(HDC dc, TColor color) {
    if (dc == nullptr) return clNone;
    const TColor old = dc->BkColor;
    dc->BkColor = color;
    return old;
}

int SetBkMode(HDC dc, int mode) {
    if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    const int old = dc->BkMode;
    dc->BkMode = mode;
    return old;
}

TColor GetTextColor(HDC dc) {
    return dc == nullptr ? clNone : dc->TextColor;
}
TColor GetBkColor(HDC dc) {
    return dc == nullptr ? clNone : dc->BkColor;
}
int GetBkMode(HDC dc) {
    return dc == nullptr ? 0 : dc->BkMode;
}

bool MoveToEx(HDC dc, int x, int y, TPoint* previous) {
    if (dc == nullptr) return false;
    if (previous != nullptr) *previous = dc->CurrentPos;
    dc->MoveTo(x, y);
    return true;
}

bool LineTo(HDC dc, int x, int y) {
    if (dc == nullptr) return false;
    dc->LineTo(x, y);
    return true;
}

bool Rectangle(HDC dc, int left, int top, int right, int bottom) {
    if (dc == nullptr) return false;
    dc->Rectangle(left, top, right, bottom);
    return true;
}

bool RoundRect(HDC dc, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
    if (dc == nullptr) return false;
    dc->RoundRect(left, top, right, bottom, ellipseWidth, ellipseHeight);
    return true;
}

bool Ellipse(HDC dc, int left, int top, int right, int bottom) {
    if (dc == nullptr) return false;
    dc->Ellipse(left, top, right, bottom);
    return true;
}

bool Polygon(HDC dc, const TPoint* points, int count) {
    if (dc == nullptr || points == nullptr || count < 2) return false;
    dc->Polygon(points, count);
    return true;
}

bool Polyline(HDC dc, const TPoint* points, int count) {
    if (dc == nullptr || points == nullptr || count < 2) return false;
    dc->Polyline(points, count);
    return true;
}

TColor GetPixel(HDC dc, int x, int y) {
    return dc == nullptr ? clNone : dc->GetPixel(x, y);
}

TColor SetPixel(HDC dc, int x, int y, TColor color) {
    if (dc == nullptr) return clNone;
    dc->SetPixel(x, y, color);
    return ColorToRGB(color);
}

int GetDeviceCaps(HDC dc, int index) {
    const QPaintDevice* device = dc == nullptr ? nullptr : dc->Device();
    if (device == nullptr) return 0;
    switch (index) {
    case HORZRES:
        return dc->DeviceSize().cx;
    case VERTRES:
        return dc->DeviceSize().cy;
    case LOGPIXELSX:
        return device->logicalDpiX();
    case LOGPIXELSY:
        return device->logicalDpiY();
    default:
        return 0;
    }
}

int SetMapMode(HDC dc, int mode) {
    if (dc == nullptr || mode != MM_TEXT) return 0;
    const int old = dc->MapMode;
    dc->MapMode = mode;
    return old;
}

int GetMapMode(HDC dc) {
    return dc == nullptr ? 0 : dc->MapMode;
}

bool InflateRect(TRect* rect, int dx, int dy) {
    if (rect == nullptr) return false;
    rect->Left -= dx;
    rect->Top -= dy;
    rect->Right += dx;
    rect->Bottom += dy;
    return true;
}

HFONT CreateFontIndirect(const LOGFONT* font) {
    if (font == nullptr) return nullptr;
    auto* resource = new TFontResource;
    resource->font = *font;
    return resource;
}

HFONT SelectObject(HDC dc, HFONT font) {
    if (dc == nullptr || font == nullptr) return nullptr;
    return dc->SelectFont(font);
}

bool DeleteObject(HFONT font) {
    if (font == nullptr) return false;
    // The context's snapshots of earlier fonts belong to the context.
    if (font->ownedByContext) return true;
    delete font;
    return true;
}

} // namespace vexo
