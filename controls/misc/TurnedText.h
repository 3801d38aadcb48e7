#pragma once
// What the framed panel and the label share: the vertical alignment, the text direction and the
// font turned for it.
#include "framework/core/Types.h"
#include "framework/graphics/GdiTypes.h"
#include <cstdint>
#include <string>

namespace vexo {

class TFont;

enum TVAlignment : std::uint8_t { tvaTopJustify, tvaCenter, tvaBottomJustify, tvaOver };
// ttdUpToBottom reads downward (turned clockwise), ttdBottomToUp upward.
enum TTextDirection : std::uint8_t { ttdLeftToRight, ttdUpToBottom, ttdBottomToUp };

// A font resource like `font` turned by `angle` tenths of a degree counter-clockwise. The
// framework places a turned text cell as the platform does: at -90 degrees to the left of and
// below the origin, at +90 degrees to the right of and above it. The caller selects it and
// deletes it after drawing.
HFONT CreateTurnedFont(const TFont& font, int angle);

// The extent of text as one line in font, unturned: cx along the text, cy across it. Measured on
// a scratch bitmap, so that a control with no window to measure on yet can lay itself out.
TSize MeasureTextLine(const TFont& font, const std::string& text);

} // namespace vexo
