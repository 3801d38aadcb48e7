#include "framework/graphics/TFont.h"

#include "framework/core/MulDiv.h"

#include <cmath>

namespace vexo {

int FontSizeToHeight(int size) {
    return -MulDiv(size, ScreenPixelsPerInch, 72);
}
int FontHeightToSize(int height) {
    return -MulDiv(height, 72, ScreenPixelsPerInch);
}

void TFont::SetName(const std::string& value) {
    if (value == name_ || value.empty()) return;
    name_ = value;
    Changed();
}

void TFont::SetSize(int value) {
    SetHeight(FontSizeToHeight(value));
}

void TFont::SetHeight(int value) {
    if (value == height_) return;
    height_ = value;
    Changed();
}

void TFont::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    Changed();
}

void TFont::SetStyle(TFontStyles value) {
    if (value == style_) return;
    style_ = value;
    Changed();
}

void TFont::SetCharset(std::uint8_t value) {
    if (value == charset_) return;
    charset_ = value;
    Changed();
}

void TFont::SetPitch(TFontPitch value) {
    if (value == pitch_) return;
    pitch_ = value;
    Changed();
}

void TFont::SetOrientation(int value) {
    if (value == orientation_) return;
    orientation_ = value;
    Changed();
}

void TFont::Assign(const TFont& source) {
    if (source == *this) return;
    name_ = source.name_;
    height_ = source.height_;
    color_ = source.color_;
    style_ = source.style_;
    charset_ = source.charset_;
    pitch_ = source.pitch_;
    orientation_ = source.orientation_;
    Changed();
}

LOGFONT TFont::LogFont() const {
    LOGFONT lf;
    lf.lfHeight = height_;
    lf.lfEscapement = orientation_;
    lf.lfOrientation = orientation_;
    lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style_.Contains(fsItalic) ? 1 : 0;
    lf.lfUnderline = style_.Contains(fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = style_.Contains(fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = charset_;
    lf.lfPitchAndFamily = pitch_ == fpFixed      ? FIXED_PITCH
                          : pitch_ == fpVariable ? VARIABLE_PITCH
                                                 : DEFAULT_PITCH;
    lf.lfFaceName = name_;
    return lf;
}

void TFont::SetLogFont(const LOGFONT& font) {
    TFontStyles style;
    if (font.lfWeight >= 600) style << fsBold;
    if (font.lfItalic) style << fsItalic;
    if (font.lfUnderline) style << fsUnderline;
    if (font.lfStrikeOut) style << fsStrikeOut;
    const int pitchBits = font.lfPitchAndFamily & 3;
    const TFontPitch pitch = pitchBits == FIXED_PITCH      ? fpFixed
                             : pitchBits == VARIABLE_PITCH ? fpVariable
                                                           : fpDefault;
    const std::string name = font.lfFaceName.empty() ? name_ : font.lfFaceName;
    if (name == name_ && font.lfHeight == height_ && style == style_ && font.lfCharSet == charset_ &&
        pitch == pitch_ && font.lfEscapement == orientation_)
        return;
    name_ = name;
    height_ = font.lfHeight;
    style_ = style;
    charset_ = font.lfCharSet;
    pitch_ = pitch;
    orientation_ = font.lfEscapement;
    Changed();
}

} // namespace vexo
