#pragma once
// The handles of the drawing calls and the background modes of text. Code outside the framework
// holds a device context and a font only through these handles and draws through Gdi.h or a
// TCanvas; what a device context holds (a Qt painter and font) stays inside the framework.
namespace vexo {

class TDeviceContext;
using HDC = TDeviceContext*;

// A font made by CreateFontIndirect and selected with SelectObject.
struct TFontResource;
using HFONT = TFontResource*;

// SetBkMode: text over its own background colour (OPAQUE) or over what is already drawn.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// SetMapMode: one logical unit is one device pixel, y downwards (the only mode drawn).
constexpr int MM_TEXT = 1;

} // namespace vexo
