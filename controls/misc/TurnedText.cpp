#include "controls/misc/TurnedText.h"

#include "framework/graphics/Gdi.h"
#include "framework/graphics/LogFont.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TCanvas.h"
#include "framework/graphics/TFont.h"

#include <QString>

namespace vexo {

HFONT CreateTurnedFont(const TFont& font, int angle) {
    LOGFONT lf = font.LogFont();
    lf.lfWidth = 0;
    lf.lfEscapement = angle;
    lf.lfOrientation = 0;
    // "Default" names the form's default face, which a font resource does not know by that name.
    if (QString::fromStdString(lf.lfFaceName).compare(QLatin1String("Default"), Qt::CaseInsensitive) == 0)
        lf.lfFaceName = "MS Sans Serif";
    return CreateFontIndirect(&lf);
}

TSize MeasureTextLine(const TFont& font, const std::string& text) {
    TBitmap scratch;
    scratch.SetSize(1, 1);
    TCanvas* canvas = scratch.Canvas();
    canvas->SetFont(font);
    return canvas->TextExtent(text);
}

} // namespace vexo
