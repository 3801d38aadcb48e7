#pragma once
// The canvas's and the controls' font: face name, size, colour and styles. Size is in points at the
// framework's 96 pixels per inch; Height is the same in pixels (negative: character height).
#include "framework/core/Types.h"
#include "framework/graphics/LogFont.h"
#include "framework/graphics/TFontStyles.h"
#include "framework/graphics/TGraphicsObject.h"
#include <string>

namespace vexo {

enum TFontPitch { fpDefault, fpVariable, fpFixed };

constexpr int ScreenPixelsPerInch = 96;
// Points to the pixel height the framework stores: 8 points are -11 pixels.
int FontSizeToHeight(int size);
int FontHeightToSize(int height);

class TFont : public TGraphicsObject {
public:
    const std::string& Name() const { return name_; }
    void SetName(const std::string& value);
    int Size() const { return FontHeightToSize(height_); }
    void SetSize(int value);
    int Height() const { return height_; }
    void SetHeight(int value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles value);
    std::uint8_t Charset() const { return charset_; }
    void SetCharset(std::uint8_t value);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch value);
    // Escapement of the text in tenths of a degree, counter-clockwise.
    int Orientation() const { return orientation_; }
    void SetOrientation(int value);

    void Assign(const TFont& source);
    friend bool operator==(const TFont& a, const TFont& b) {
        return a.name_ == b.name_ && a.height_ == b.height_ && a.color_ == b.color_ && a.style_ == b.style_ &&
               a.charset_ == b.charset_ && a.pitch_ == b.pitch_ && a.orientation_ == b.orientation_;
    }

    // The logical font this font selects; taking one (a font made with CreateFontIndirect) copies its
    // face, height, styles, escapement, charset and pitch and keeps the colour.
    LOGFONT LogFont() const;
    void SetLogFont(const LOGFONT& font);

private:
    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    TColor color_ = clWindowText;
    TFontStyles style_;
    std::uint8_t charset_ = DEFAULT_CHARSET;
    TFontPitch pitch_ = fpDefault;
    int orientation_ = 0;
};

} // namespace vexo
