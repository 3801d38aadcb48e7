#include "framework/graphics/SysColors.h"

#include <QColor>

namespace vexo {

namespace {

constexpr TSysPalette kClassicPalette = {
    RGB(212, 208, 200), // scroll bar
    RGB(58, 110, 165),  // desktop background
    RGB(10, 36, 106),   // active caption
    RGB(128, 128, 128), // inactive caption
    RGB(212, 208, 200), // menu
    RGB(255, 255, 255), // window
    RGB(0, 0, 0),       // window frame
    RGB(0, 0, 0),       // menu text
    RGB(0, 0, 0),       // window text
    RGB(255, 255, 255), // caption text
    RGB(212, 208, 200), // active border
    RGB(212, 208, 200), // inactive border
    RGB(128, 128, 128), // application work space
    RGB(10, 36, 106),   // highlight
    RGB(255, 255, 255), // highlight text
    RGB(212, 208, 200), // button face
    RGB(128, 128, 128), // button shadow
    RGB(128, 128, 128), // grey text
    RGB(0, 0, 0),       // button text
    RGB(212, 208, 200), // inactive caption text
    RGB(255, 255, 255), // button highlight
    RGB(64, 64, 64),    // 3D dark shadow
    RGB(212, 208, 200), // 3D light
    RGB(0, 0, 0),       // info text
    RGB(255, 255, 225), // info background
    RGB(181, 181, 181), // index 25 has no name; kept grey like the platform
    RGB(0, 0, 128),     // hot-tracked item
    RGB(166, 202, 240), // gradient of the active caption
    RGB(192, 192, 192), // gradient of the inactive caption
    RGB(10, 36, 106),   // menu highlight
    RGB(212, 208, 200), // menu bar
};

TSysPalette& currentPalette() {
    static TSysPalette palette = kClassicPalette;
    return palette;
}

} // namespace

const TSysPalette& DefaultSysPalette() {
    return kClassicPalette;
}
const TSysPalette& SysPalette() {
    return currentPalette();
}
void SetSysPalette(const TSysPalette& palette) {
    currentPalette() = palette;
}
void ResetSysPalette() {
    currentPalette() = kClassicPalette;
}

TColor GetSysColor(int index) {
    if (index < 0 || index >= SysColorCount) return clBlack;
    return currentPalette()[static_cast<std::size_t>(index)] & 0xFFFFFF;
}

TColor ColorToRGB(TColor color) {
    if (color < 0) return GetSysColor(color & 0xFF);
    return color;
}

QColor ColorToQColor(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor QColorToColor(const QColor& color) {
    return RGB(color.red(), color.green(), color.blue());
}

} // namespace vexo
