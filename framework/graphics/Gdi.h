#pragma once
// The platform's drawing calls, taking a device context (HDC) as the controls' drawing code is
// written: text layout (DrawTextEx), frame controls, edges, focus rectangles, rectangles, lines,
// polygons and turned fonts. Constants carry the platform's numeric values.
#include "framework/core/Types.h"
#include "framework/graphics/GdiTypes.h"
#include <string>

namespace vexo {

struct LOGFONT;

// DrawText / DrawTextEx formats.
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_TABSTOP = 0x80;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_EXTERNALLEADING = 0x200;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_INTERNAL = 0x1000;
constexpr unsigned DT_EDITCONTROL = 0x2000;
constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_MODIFYSTRING = 0x10000;
constexpr unsigned DT_RTLREADING = 0x20000;
constexpr unsigned DT_WORD_ELLIPSIS = 0x40000;
constexpr unsigned DT_NOFULLWIDTHCHARBREAK = 0x80000;
constexpr unsigned DT_HIDEPREFIX = 0x100000;
constexpr unsigned DT_PREFIXONLY = 0x200000;

// DrawFrameControl types and states.
constexpr unsigned DFC_CAPTION = 1;
constexpr unsigned DFC_MENU = 2;
constexpr unsigned DFC_SCROLL = 3;
constexpr unsigned DFC_BUTTON = 4;
constexpr unsigned DFCS_BUTTONCHECK = 0x0;
constexpr unsigned DFCS_BUTTONRADIOIMAGE = 0x1;
constexpr unsigned DFCS_BUTTONRADIOMASK = 0x2;
constexpr unsigned DFCS_BUTTONRADIO = 0x4;
constexpr unsigned DFCS_BUTTON3STATE = 0x8;
constexpr unsigned DFCS_BUTTONPUSH = 0x10;
constexpr unsigned DFCS_SCROLLUP = 0x0;
constexpr unsigned DFCS_SCROLLDOWN = 0x1;
constexpr unsigned DFCS_SCROLLLEFT = 0x2;
constexpr unsigned DFCS_SCROLLRIGHT = 0x3;
constexpr unsigned DFCS_SCROLLCOMBOBOX = 0x5;
constexpr unsigned DFCS_INACTIVE = 0x100;
constexpr unsigned DFCS_PUSHED = 0x200;
constexpr unsigned DFCS_CHECKED = 0x400;
constexpr unsigned DFCS_TRANSPARENT = 0x800;
constexpr unsigned DFCS_HOT = 0x1000;
constexpr unsigned DFCS_ADJUSTRECT = 0x2000;
constexpr unsigned DFCS_FLAT = 0x4000;
constexpr unsigned DFCS_MONO = 0x8000;

// DrawEdge edges and flags.
constexpr unsigned BDR_RAISEDOUTER = 0x1;
constexpr unsigned BDR_SUNKENOUTER = 0x2;
constexpr unsigned BDR_RAISEDINNER = 0x4;
constexpr unsigned BDR_SUNKENINNER = 0x8;
constexpr unsigned BDR_OUTER = 0x3;
constexpr unsigned BDR_INNER = 0xC;
constexpr unsigned BDR_RAISED = 0x5;
constexpr unsigned BDR_SUNKEN = 0xA;
constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr unsigned BF_LEFT = 0x1;
constexpr unsigned BF_TOP = 0x2;
constexpr unsigned BF_RIGHT = 0x4;
constexpr unsigned BF_BOTTOM = 0x8;
constexpr unsigned BF_TOPLEFT = BF_TOP | BF_LEFT;
constexpr unsigned BF_TOPRIGHT = BF_TOP | BF_RIGHT;
constexpr unsigned BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT;
constexpr unsigned BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr unsigned BF_DIAGONAL = 0x10;
constexpr unsigned BF_MIDDLE = 0x800;
constexpr unsigned BF_SOFT = 0x1000;
constexpr unsigned BF_ADJUST = 0x2000;
constexpr unsigned BF_FLAT = 0x4000;
constexpr unsigned BF_MONO = 0x8000;

// System colour indexes of GetSysColor.
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;

struct DRAWTEXTPARAMS {
    int iTabLength = 0; // tab stops in average character widths (with DT_TABSTOP); 0 means 8
    int iLeftMargin = 0;
    int iRightMargin = 0;
    unsigned uiLengthDrawn = 0; // out: bytes of text processed
};

// Text layout. length is in bytes of UTF-8 (-1: up to the terminating zero). Returns the height of
// the text, or with DT_VCENTER/DT_BOTTOM the offset from the rectangle's top to the text's bottom.
// DT_CALCRECT only measures: the rectangle's right and bottom are set to fit the text.
// Vertical alignment applies to single lines only; DT_WORDBREAK breaks at spaces and never inside a
// word; DT_END_ELLIPSIS (and the word and path variants, treated alike) cuts a line that does not fit
// and ends it in "..."; without DT_NOPREFIX "&x" underlines x and "&&" shows one "&".
int DrawTextEx(HDC dc, const char* text, int length, TRect* rect, unsigned format,
               DRAWTEXTPARAMS* params = nullptr);
int DrawText(HDC dc, const char* text, int length, TRect* rect, unsigned format);
int DrawTextEx(HDC dc, const std::string& text, TRect* rect, unsigned format);
// The characters DrawText shows of a text without DT_NOPREFIX: "&x" as x, "&&" as one "&", a
// final lone "&" dropped.
std::string StripPrefixes(const std::string& text);

// Classic frame controls: check boxes and radio buttons (13 x 13, flat or sunken), push buttons and
// scroll arrows, in the system colours.
bool DrawFrameControl(HDC dc, TRect* rect, unsigned type, unsigned state);
// Two-pixel 3D edges; outer then inner line, the bottom-right colour owning the top-right and
// bottom-left corners. BF_DIAGONAL edges are not drawn (nothing in the library uses them).
bool DrawEdge(HDC dc, TRect* rect, unsigned edge, unsigned flags);
// A dotted rectangle that inverts every other pixel of the border, starting at the top-left pixel;
// drawing it twice restores the picture.
void DrawFocusRect(HDC dc, const TRect* rect);

// Fills exactly Left..Right-1, Top..Bottom-1; system colours resolve through the palette and clNone
// fills nothing.
int FillRect(HDC dc, const TRect* rect, TColor color);
int FrameRect(HDC dc, const TRect* rect, TColor color);
bool InvertRect(HDC dc, const TRect* rect);
// The brush of a system colour, for FillRect.
constexpr TColor GetSysColorBrush(int index) {
    return clSystemColor | index;
}

TColor SetTextColor(HDC dc, TColor color); // each returns the previous value
TColor SetBkColor(HDC dc, TColor color);
int SetBkMode(HDC dc, int mode); // TRANSPARENT or OPAQUE; other values are refused (returns 0)
TColor GetTextColor(HDC dc);
TColor GetBkColor(HDC dc);
int GetBkMode(HDC dc);

bool MoveToEx(HDC dc, int x, int y, TPoint* previous);
bool LineTo(HDC dc, int x, int y); // the end pixel is not set
bool Rectangle(HDC dc, int left, int top, int right, int bottom);
bool RoundRect(HDC dc, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
bool Ellipse(HDC dc, int left, int top, int right, int bottom);
bool Polygon(HDC dc, const TPoint* points, int count);
bool Polyline(HDC dc, const TPoint* points, int count);
bool TextOut(HDC dc, int x, int y, const char* text, int length);
bool GetTextExtentPoint32(HDC dc, const char* text, int length, TSize* size);
TColor GetPixel(HDC dc, int x, int y);
TColor SetPixel(HDC dc, int x, int y, TColor color);

// GetDeviceCaps indexes: the device's size in pixels and its pixels per inch.
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
// 0 for a null context or an index not listed above.
int GetDeviceCaps(HDC dc, int index);
// Only MM_TEXT is drawn: other modes are refused (0). Returns the previous mode.
int SetMapMode(HDC dc, int mode);
int GetMapMode(HDC dc);
// Moves every side outwards by dx and dy (inwards when negative).
bool InflateRect(TRect* rect, int dx, int dy);

// Font resources: the caller selects one, restores the previous font and deletes its own.
HFONT CreateFontIndirect(const LOGFONT* font);
HFONT SelectObject(HDC dc, HFONT font);
bool DeleteObject(HFONT font);

} // namespace vexo
