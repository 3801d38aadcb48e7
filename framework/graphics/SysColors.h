#pragma once
// Resolution of the framework's colour values to real colours: plain 0x00BBGGRR colours pass through,
// system colours are looked up in a replaceable palette of the classic desktop scheme.
#include "framework/core/Types.h"
#include <array>

class QColor;

namespace vexo {

constexpr int SysColorCount = 31;
using TSysPalette = std::array<TColor, SysColorCount>;

// The classic desktop scheme (button face 212,208,200, navy highlight, white window).
const TSysPalette& DefaultSysPalette();
// The palette in force; SetSysPalette replaces it (tests and skins), ResetSysPalette restores the default.
const TSysPalette& SysPalette();
void SetSysPalette(const TSysPalette& palette);
void ResetSysPalette();

// The colour of system colour index (0..30); an unknown index gives black, as the platform does.
TColor GetSysColor(int index);

// A system colour (any negative value, index in the low byte) becomes its palette colour; plain
// colours, clNone and clDefault come back unchanged.
TColor ColorToRGB(TColor color);

// The colour as Qt paints it. Only the low 24 bits of a resolved value count, so clDefault paints
// black; callers test clNone themselves because it means "paint nothing".
QColor ColorToQColor(TColor color);
TColor QColorToColor(const QColor& color);

} // namespace vexo
