#pragma once
// The button's twelve standard glyphs, each a strip of two images (the picture and its disabled
// twin) kept as the hexadecimal bitmap data of a form file.

namespace vexo {

enum TVexoButtonStdImages {
    vbiNone,
    vbiCancel,
    vbiOk,
    vbiUp,
    vbiMinus,
    vbiPlus,
    vbiNext,
    vbiPrior,
    vbiFirst,
    vbiLast,
    vbiRefresh,
    vbiGear,
    vbiDropDown
};

// The glyph's form data in hexadecimal (upper case): a 32-bit byte count and a 4-bit BMP file.
// Empty for vbiNone and for a value outside the list.
const char* StdImageData(TVexoButtonStdImages image);

} // namespace vexo
