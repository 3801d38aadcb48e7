#pragma once
// The tab strip shared by the tab container and the tab buttons: a tab's width, its outline and
// caption, and the mark of the active tab. A tab's rectangle spans the strip's height; the strip
// lies under the pages (vtBtDown) or above them (vtBtUp).
#include "framework/core/Types.h"
#include <string>

namespace vexo {

class TCanvas;

enum TVTButtonsPosition { vtBtDown, vtBtUp };

// Two spaces, the caption and two spaces, measured with the canvas's font.
int TabWidth(TCanvas& canvas, const std::string& caption);
// The outline in the pen colour, filled with the brush, and the caption centred in the tab. The
// outline leaves the strip's outer pixel row free for the active mark.
void DrawTab(TCanvas& canvas, const TRect& tab, const std::string& caption, TVTButtonsPosition position);
// Opens the tab into the page area (a line in the background colour over the shared edge) and
// draws a bar three pixels thick along the tab's outer edge in the mark colour.
void DrawActiveMark(TCanvas& canvas, const TRect& tab, TVTButtonsPosition position, TColor background,
                    TColor mark);

} // namespace vexo
