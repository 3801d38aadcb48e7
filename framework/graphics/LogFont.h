#pragma once
// A logical font as the platform's CreateFontIndirect takes it. Heights are pixels: negative for the
// character height (the em), positive for the cell height (ascent plus descent), 0 for the default.
#include <cstdint>
#include <string>

namespace vexo {

constexpr int FW_DONTCARE = 0;
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;

constexpr std::uint8_t ANSI_CHARSET = 0;
constexpr std::uint8_t DEFAULT_CHARSET = 1;
constexpr std::uint8_t SYMBOL_CHARSET = 2;
constexpr std::uint8_t OEM_CHARSET = 255;

constexpr std::uint8_t OUT_DEFAULT_PRECIS = 0;
constexpr std::uint8_t CLIP_DEFAULT_PRECIS = 0;
constexpr std::uint8_t DEFAULT_QUALITY = 0;
constexpr std::uint8_t NONANTIALIASED_QUALITY = 3;
constexpr std::uint8_t ANTIALIASED_QUALITY = 4;

constexpr std::uint8_t DEFAULT_PITCH = 0;
constexpr std::uint8_t FIXED_PITCH = 1;
constexpr std::uint8_t VARIABLE_PITCH = 2;

struct LOGFONT {
    int lfHeight = 0;
    int lfWidth = 0;
    int lfEscapement = 0; // tenths of a degree, counter-clockwise: 900 runs bottom to top
    int lfOrientation = 0;
    int lfWeight = FW_NORMAL;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = DEFAULT_CHARSET;
    std::uint8_t lfOutPrecision = OUT_DEFAULT_PRECIS;
    std::uint8_t lfClipPrecision = CLIP_DEFAULT_PRECIS;
    std::uint8_t lfQuality = DEFAULT_QUALITY;
    std::uint8_t lfPitchAndFamily = DEFAULT_PITCH;
    std::string lfFaceName;
    friend bool operator==(const LOGFONT&, const LOGFONT&) = default;
};

} // namespace vexo
