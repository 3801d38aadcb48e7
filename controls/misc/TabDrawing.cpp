#include "controls/misc/TabDrawing.h"

#include "framework/graphics/Gdi.h"
#include "framework/graphics/TCanvas.h"

namespace vexo {

int TabWidth(TCanvas& canvas, const std::string& caption) {
    TRect r = Rect(0, 0, 0, 0);
    DrawTextEx(canvas.Handle(), "  " + caption + "  ", &r, DT_CALCRECT);
    return r.Right - r.Left;
}

void DrawTab(TCanvas& canvas, const TRect& tab, const std::string& caption, TVTButtonsPosition position) {
    if (position == vtBtDown)
        canvas.Rectangle(tab.Left, tab.Top, tab.Right, tab.Bottom - 1);
    else
        canvas.Rectangle(tab.Left, tab.Top + 1, tab.Right, tab.Bottom);
    TRect text = tab;
    DrawTextEx(canvas.Handle(), caption, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void DrawActiveMark(TCanvas& canvas, const TRect& tab, TVTButtonsPosition position, TColor background,
                    TColor mark) {
    const bool down = position == vtBtDown;
    canvas.Pen()->SetColor(background);
    const int open = down ? tab.Top : tab.Bottom - 1;
    canvas.MoveTo(tab.Left + 1, open);
    canvas.LineTo(tab.Right - 1, open);
    canvas.Pen()->SetColor(mark);
    for (int i = 0; i < 3; ++i) {
        const int y = down ? tab.Bottom - i : tab.Top + i;
        canvas.MoveTo(tab.Left, y);
        canvas.LineTo(tab.Right, y);
    }
}

} // namespace vexo
