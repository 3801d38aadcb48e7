#pragma once
// How the platform's face names become installed fonts, and logical fonts become QFonts. The table
// is explicit so that rendering never depends on fontconfig's guesses:
//   "MS Sans Serif", "Default", "Arial", "Microsoft Sans Serif", "Helvetica" -> Liberation Sans
//   "Tahoma", "Verdana"                                                       -> DejaVu Sans
//   "Courier New", "Courier", "Fixedsys", "Lucida Console", "Terminal"        -> Liberation Mono
//   "Times New Roman", "Times", "MS Serif"                                    -> Liberation Serif
// MS Sans Serif goes to Liberation Sans because at 11 pixels it keeps the 13-pixel text height and the
// narrow advance of the platform's 8-point dialog font (DejaVu Sans is a pixel taller and wider), so
// texts measured for the old font still fit the rectangles the controls compute.
#include "framework/graphics/LogFont.h"
#include <string>

class QFont;

namespace vexo {

// Text is drawn without antialiasing: the controls were designed for the platform's aliased dialog
// fonts, and exact text colours keep owner-drawn pictures (embossed captions, coloured cells)
// reproducible and testable pixel by pixel. Every font and painter of the framework follows this.
constexpr bool TextAntialiasing = false;

// Face names compare without regard to case. An unknown face that is installed is used as it is;
// otherwise the pitch chooses Liberation Mono (fixed) or Liberation Sans.
std::string MappedFontFamily(const std::string& faceName, std::uint8_t pitchAndFamily = DEFAULT_PITCH);

// Pixel sizes are set directly, so text does not depend on the screen's resolution. Glyphs are
// fully hinted, which keeps the gaps between aliased letters and words at small sizes.
QFont LogFontToQFont(const LOGFONT& font);

} // namespace vexo
