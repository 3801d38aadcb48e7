#include "framework/graphics/FontMapping_p.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <algorithm>
#include <cctype>
#include <cmath>

namespace vexo {

namespace {

struct FaceMapping {
    const char* face;
    const char* family;
};

constexpr FaceMapping kFaces[] = {
    {"ms sans serif", "Liberation Sans"},
    {"default", "Liberation Sans"},
    {"arial", "Liberation Sans"},
    {"microsoft sans serif", "Liberation Sans"},
    {"helvetica", "Liberation Sans"},
    {"tahoma", "DejaVu Sans"},
    {"verdana", "DejaVu Sans"},
    {"courier new", "Liberation Mono"},
    {"courier", "Liberation Mono"},
    {"fixedsys", "Liberation Mono"},
    {"lucida console", "Liberation Mono"},
    {"terminal", "Liberation Mono"},
    {"times new roman", "Liberation Serif"},
    {"times", "Liberation Serif"},
    {"ms serif", "Liberation Serif"},
};

constexpr int kDefaultHeight = -11;

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

std::string MappedFontFamily(const std::string& faceName, std::uint8_t pitchAndFamily) {
    const std::string key = lower(faceName);
    for (const FaceMapping& m : kFaces)
        if (key == m.face) return m.family;
    if (!faceName.empty() && QFontDatabase::hasFamily(QString::fromStdString(faceName))) return faceName;
    return (pitchAndFamily & 3) == FIXED_PITCH ? "Liberation Mono" : "Liberation Sans";
}

QFont LogFontToQFont(const LOGFONT& font) {
    QFont result(QString::fromStdString(MappedFontFamily(font.lfFaceName, font.lfPitchAndFamily)));
    int height = font.lfHeight == 0 ? kDefaultHeight : font.lfHeight;
    if (height > 0) {
        // A positive height is the cell (ascent + descent): scale the em to fit it.
        QFont probe = result;
        probe.setPixelSize(1000);
        const QFontMetricsF m(probe);
        const double cell = m.ascent() + m.descent();
        height = cell > 0 ? -std::max(1, static_cast<int>(std::lround(height * 1000.0 / cell))) : -height;
    }
    // QFont refuses pixel sizes beyond a few thousand; huge requests are clamped, not rejected.
    result.setPixelSize(std::clamp(-height, 1, 4000));
    const int weight = font.lfWeight <= 0 ? FW_NORMAL : std::clamp(font.lfWeight, 100, 900);
    result.setWeight(static_cast<QFont::Weight>(weight));
    result.setItalic(font.lfItalic != 0);
    result.setUnderline(font.lfUnderline != 0);
    result.setStrikeOut(font.lfStrikeOut != 0);
    if ((font.lfPitchAndFamily & 3) == FIXED_PITCH) result.setFixedPitch(true);
    result.setKerning(false);
    result.setStyleStrategy(TextAntialiasing ? QFont::PreferAntialias : QFont::NoAntialias);
    // Aliased text at dialog sizes needs the glyphs fitted to whole pixels: with the default
    // (slight) hinting an 11-pixel "row normal" draws its w over the space and reads "rownormal".
    result.setHintingPreference(QFont::PreferFullHinting);
    return result;
}

} // namespace vexo
