// How it works: the free functions forward to the device context's primitives. DrawTextEx lays the
// text out here in three steps: prefix processing per paragraph ("&x" -> x plus the index to
// underline), breaking into lines (paragraph breaks, then word breaks at spaces that fit the
// rectangle), then per line the ellipsis cut and the alignment. Frame controls and edges are
// drawn as small pixel pictures in the palette's system colours, the way the classic desktop draws
// them, so that controls look the same wherever they are painted.
#include "framework/graphics/Gdi.h"

#include "framework/graphics/LogFont.h"
#include "framework/graphics/SysColors.h"
#include "framework/graphics/TDeviceContext_p.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace vexo {

namespace {

struct Line {
    QString text;
    int underline = -1; // index in text of the character to underline, -1 none
    int width = 0;
};

struct Paragraph {
    QString text;
    int underline = -1;
};

// "&x" -> x to be underlined, "&&" -> "&"; a final lone "&" is dropped.
Paragraph stripPrefixes(const QString& text) {
    Paragraph result;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) {
            result.text += text[i];
            continue;
        }
        if (i + 1 >= text.size()) break;
        ++i;
        if (text[i] != QLatin1Char('&')) result.underline = static_cast<int>(result.text.size());
        result.text += text[i];
    }
    return result;
}

class Layout {
public:
    Layout(HDC dc, unsigned format, int tabWidth) : dc_(dc), format_(format), tabWidth_(tabWidth) {}

    int width(const QString& text) const {
        if (!(format_ & DT_EXPANDTABS) || !text.contains(QLatin1Char('\t'))) return dc_->TextExtent(text).cx;
        int x = 0;
        int start = 0;
        for (int i = 0; i <= text.size(); ++i) {
            if (i < text.size() && text[i] != QLatin1Char('\t')) continue;
            x += dc_->TextExtent(text.mid(start, i - start)).cx;
            if (i < text.size()) x = (x / tabWidth_ + 1) * tabWidth_;
            start = i + 1;
        }
        return x;
    }

    void draw(int x, int y, const Line& line) const {
        const bool prefixOnly = (format_ & DT_PREFIXONLY) != 0;
        const int underline = (format_ & DT_HIDEPREFIX) ? -1 : line.underline;
        if (prefixOnly) {
            if (underline < 0) return;
            const int ux = x + width(line.text.left(underline));
            const QFontMetrics m(dc_->QtFont());
            const int uw = m.horizontalAdvance(line.text.mid(underline, 1));
            dc_->FillRect(Bounds(ux, y + dc_->Ascent() + 1, uw, 1), dc_->TextColor);
            return;
        }
        if (!(format_ & DT_EXPANDTABS) || !line.text.contains(QLatin1Char('\t'))) {
            dc_->TextOut(x, y, line.text, underline);
            return;
        }
        // Tabbed text: the background of the whole line first, then the pieces over it.
        if (dc_->BkMode == OPAQUE) dc_->FillRect(Bounds(x, y, line.width, dc_->LineHeight()), dc_->BkColor);
        const int mode = dc_->BkMode;
        dc_->BkMode = TRANSPARENT;
        int cx = 0;
        int start = 0;
        for (int i = 0; i <= line.text.size(); ++i) {
            if (i < line.text.size() && line.text[i] != QLatin1Char('\t')) continue;
            const QString piece = line.text.mid(start, i - start);
            const int u = underline >= start && underline < i ? underline - start : -1;
            dc_->TextOut(x + cx, y, piece, u);
            cx += dc_->TextExtent(piece).cx;
            if (i < line.text.size()) cx = (cx / tabWidth_ + 1) * tabWidth_;
            start = i + 1;
        }
        dc_->BkMode = mode;
    }

    // Greedy word breaking: as many words as fit; a word wider than the line stands alone (split
    // by characters only with DT_EDITCONTROL); the spaces at a break are dropped.
    void breakParagraph(const Paragraph& p, int maxWidth, std::vector<Line>& out) const {
        const QString& s = p.text;
        int pos = 0;
        do {
            int end = pos;
            int best = -1;
            while (end < s.size()) {
                int next = end;
                while (next < s.size() && s[next] == QLatin1Char(' '))
                    ++next;
                while (next < s.size() && s[next] != QLatin1Char(' '))
                    ++next;
                const QString candidate = s.mid(pos, next - pos);
                if (width(trimRight(candidate)) > maxWidth && best >= 0) break;
                best = next;
                end = next;
                if (width(trimRight(candidate)) > maxWidth) break;
            }
            if (best < 0) best = static_cast<int>(s.size());
            if ((format_ & DT_EDITCONTROL) && width(trimRight(s.mid(pos, best - pos))) > maxWidth) {
                int fit = pos + 1;
                while (fit < best && width(s.mid(pos, fit + 1 - pos)) <= maxWidth)
                    ++fit;
                best = fit;
            }
            Line line;
            line.text = trimRight(s.mid(pos, best - pos));
            if (p.underline >= pos && p.underline < pos + line.text.size())
                line.underline = p.underline - pos;
            out.push_back(line);
            pos = best;
            while (pos < s.size() && s[pos] == QLatin1Char(' '))
                ++pos;
        } while (pos < s.size());
    }

    // Also sets line.width, which the caller would otherwise measure again.
    void ellipsis(Line& line, int maxWidth) const {
        line.width = width(line.text);
        if (line.width <= maxWidth) return;
        const QString dots = QStringLiteral("...");
        // The longest start that fits with the dots (none: n = 0). The width grows with the length,
        // so halving finds what cutting one character at a time finds. Most texts are of even
        // width, so a first guess in proportion to the widths usually settles it in two measurements.
        const int length = static_cast<int>(line.text.size());
        auto cutWidth = [&](int k) { return width(line.text.left(k) + dots); };
        int n = 0;           // the longest start known to fit
        int hi = length - 1; // the longest start that may fit
        int nWidth = -1;     // the width of that start with the dots, when measured
        const int room = maxWidth - width(dots);
        if (room > 0 && line.width > 0) {
            const int guess =
                std::clamp(static_cast<int>(static_cast<long long>(length) * room / line.width), 0, hi);
            // The guess and its neighbour on the side the answer lies: when they straddle the
            // edge, that is the answer.
            const int guessWidth = cutWidth(guess);
            if (guessWidth <= maxWidth) {
                n = guess;
                nWidth = guessWidth;
                if (n < hi) {
                    const int nextWidth = cutWidth(n + 1);
                    if (nextWidth <= maxWidth) {
                        n += 1;
                        nWidth = nextWidth;
                    } else {
                        hi = n;
                    }
                }
            } else {
                hi = guess - 1;
                if (n < hi) {
                    const int prevWidth = cutWidth(hi);
                    if (prevWidth <= maxWidth) {
                        n = hi;
                        nWidth = prevWidth;
                    } else {
                        hi -= 1;
                    }
                }
            }
        }
        while (n < hi) {
            const int mid = n + (hi - n + 1) / 2;
            const int midWidth = cutWidth(mid);
            if (midWidth <= maxWidth) {
                n = mid;
                nWidth = midWidth;
            } else {
                hi = mid - 1;
            }
        }
        line.text = line.text.left(n) + dots;
        line.width = nWidth >= 0 ? nWidth : width(line.text);
        if (line.underline >= n) line.underline = -1;
    }

    static QString trimRight(const QString& s) {
        int n = static_cast<int>(s.size());
        while (n > 0 && s[n - 1] == QLatin1Char(' '))
            --n;
        return s.left(n);
    }

private:
    HDC dc_;
    unsigned format_;
    int tabWidth_;
};

// The 7 x 7 check mark of the classic check box.
constexpr const char* kCheckMark[7] = {
    "......X", ".....XX", "X...XXX", "XX.XXX.", "XXXXX..", ".XXX...", "..X....",
};

void plot(HDC dc, int x, int y, TColor color) {
    dc->FillRect(Bounds(x, y, 1, 1), color);
}

void drawCheckBox(HDC dc, const TRect& r, unsigned state) {
    const int s = std::min(r.Width(), r.Height());
    const TRect box = Bounds(r.Left + (r.Width() - s) / 2, r.Top + (r.Height() - s) / 2, s, s);
    const bool grey = (state & (DFCS_PUSHED | DFCS_INACTIVE)) != 0;
    TRect inside = box;
    if (state & (DFCS_FLAT | DFCS_MONO)) {
        dc->FrameRect(box, (state & DFCS_MONO) ? clWindowFrame : clBtnShadow);
        inside = TRect{box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1};
    } else {
        TRect edge = box;
        DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        inside = edge;
    }
    const bool threeState = (state & 0x1F) == DFCS_BUTTON3STATE;
    dc->FillRect(inside, grey || (threeState && (state & DFCS_CHECKED)) ? clBtnFace : clWindow);
    if (!(state & DFCS_CHECKED)) return;
    const TColor mark = (state & DFCS_INACTIVE) || threeState ? clGrayText : clWindowText;
    const int ox = box.Left + (s - 7) / 2;
    const int oy = box.Top + (s - 7) / 2;
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x)
            if (kCheckMark[y][x] == 'X') plot(dc, ox + x, oy + y, mark);
}

void drawRadio(HDC dc, const TRect& r, unsigned state) {
    const int s = std::min(r.Width(), r.Height()) >= 13 ? 12 : std::max(4, std::min(r.Width(), r.Height()));
    const int ox = r.Left;
    const int oy = r.Top;
    const double c = s / 2.0;
    const double outer = c;
    const bool flat = (state & (DFCS_FLAT | DFCS_MONO)) != 0;
    const bool grey = (state & (DFCS_PUSHED | DFCS_INACTIVE)) != 0;
    for (int y = 0; y < s; ++y) {
        for (int x = 0; x < s; ++x) {
            const double dx = x + 0.5 - c;
            const double dy = y + 0.5 - c;
            const double d = std::sqrt(dx * dx + dy * dy);
            if (d >= outer) continue;
            const bool upperLeft = x + y < s - 1;
            TColor color;
            if (d > outer - 1) {
                color = flat ? ((state & DFCS_MONO) ? clWindowFrame : clBtnShadow)
                             : (upperLeft ? clBtnShadow : clBtnHighlight);
            } else if (d > outer - 2 && !flat) {
                color = upperLeft ? cl3DDkShadow : cl3DLight;
            } else {
                color = grey ? clBtnFace : clWindow;
                if ((state & DFCS_CHECKED) && d < s / 6.0)
                    color = (state & DFCS_INACTIVE) ? clGrayText : clWindowText;
            }
            plot(dc, ox + x, oy + y, color);
        }
    }
}

void drawArrow(HDC dc, const TRect& r, unsigned kind, TColor color, int shift) {
    const int s = std::min(r.Width(), r.Height());
    const int k = std::max(1, s * 3 / 16);
    const int cx = r.Left + r.Width() / 2 + shift;
    const int cy = r.Top + r.Height() / 2 + shift;
    for (int i = 0; i <= k; ++i) {
        // Row i of the triangle, counted from its tip, is 2i+1 pixels long.
        switch (kind) {
        case DFCS_SCROLLUP:
            dc->FillRect(Bounds(cx - i, cy - (k + 1) / 2 + i, 2 * i + 1, 1), color);
            break;
        case DFCS_SCROLLLEFT:
            dc->FillRect(Bounds(cx - (k + 1) / 2 + i, cy - i, 1, 2 * i + 1), color);
            break;
        case DFCS_SCROLLRIGHT:
            dc->FillRect(Bounds(cx + k / 2 - i, cy - i, 1, 2 * i + 1), color);
            break;
        default: // down and the combo box's arrow
            dc->FillRect(Bounds(cx - i, cy + k / 2 - i, 2 * i + 1, 1), color);
            break;
        }
    }
}

void drawScrollButton(HDC dc, const TRect& r, unsigned state) {
    TRect inside = r;
    if (state & (DFCS_FLAT | DFCS_PUSHED)) {
        dc->FrameRect(r, (state & DFCS_MONO) ? clWindowFrame : clBtnShadow);
        inside = TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    } else {
        DrawEdge(dc, &inside, EDGE_RAISED, BF_RECT | BF_ADJUST);
    }
    dc->FillRect(inside, clBtnFace);
    const unsigned kind = state & 0xFF;
    const int shift = (state & DFCS_PUSHED) ? 1 : 0;
    if (state & DFCS_INACTIVE) {
        drawArrow(dc, r, kind, clBtnHighlight, 1);
        drawArrow(dc, r, kind, clGrayText, 0);
    } else {
        drawArrow(dc, r, kind, clBtnText, shift);
    }
}

int textLength(const char* text, int length) {
    if (text == nullptr) return 0;
    return length < 0 ? static_cast<int>(std::strlen(text)) : length;
}

} // namespace

int DrawTextEx(HDC dc, const char* text, int length, TRect* rect, unsigned format, DRAWTEXTPARAMS* params) {
    if (dc == nullptr || rect == nullptr) return 0;
    const int n = textLength(text, length);
    QString all = QString::fromUtf8(text == nullptr ? "" : text, n);
    if (params != nullptr) params->uiLengthDrawn = static_cast<unsigned>(n);

    TRect box = *rect;
    if (params != nullptr) {
        box.Left += params->iLeftMargin;
        box.Right -= params->iRightMargin;
    }
    int tabChars = 8;
    if (params != nullptr && params->iTabLength > 0)
        tabChars = params->iTabLength;
    else if ((format & DT_TABSTOP) != 0 && ((format >> 8) & 0xFF) != 0)
        tabChars = static_cast<int>((format >> 8) & 0xFF);
    const int tabWidth = std::max(1, tabChars * dc->AverageCharWidth());
    Layout layout(dc, format, tabWidth);

    std::vector<Paragraph> paragraphs;
    if (format & DT_SINGLELINE) {
        all.remove(QLatin1Char('\r'));
        all.remove(QLatin1Char('\n'));
        paragraphs.push_back(Paragraph{all, -1});
    } else {
        all.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        all.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        for (const QString& p : all.split(QLatin1Char('\n')))
            paragraphs.push_back(Paragraph{p, -1});
    }
    const bool prefixes = !(format & DT_NOPREFIX);
    std::vector<Line> lines;
    for (Paragraph& p : paragraphs) {
        if (prefixes) p = stripPrefixes(p.text);
        if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) {
            layout.breakParagraph(p, box.Width(), lines);
        } else {
            lines.push_back(Line{p.text, p.underline, 0});
        }
    }
    const bool cut = (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS)) != 0;
    int widest = 0;
    for (Line& line : lines) {
        if (cut)
            layout.ellipsis(line, box.Width());
        else
            line.width = layout.width(line.text);
        widest = std::max(widest, line.width);
    }
    int lineHeight = dc->LineHeight();
    if (format & DT_EXTERNALLEADING) lineHeight += QFontMetrics(dc->QtFont()).leading();
    const int total = lineHeight * static_cast<int>(lines.size());

    if (format & DT_CALCRECT) {
        rect->Right =
            rect->Left + widest + (params != nullptr ? params->iLeftMargin + params->iRightMargin : 0);
        rect->Bottom = rect->Top + total;
        return total;
    }

    int y = box.Top;
    const bool single = (format & DT_SINGLELINE) != 0;
    if (single && (format & DT_VCENTER))
        y = (box.Top + box.Bottom - lineHeight) / 2;
    else if (single && (format & DT_BOTTOM))
        y = box.Bottom - lineHeight;

    QPainter& painter = dc->Painter();
    painter.save();
    if (!(format & DT_NOCLIP))
        painter.setClipRect(QRect(box.Left, box.Top, box.Width(), box.Height()), Qt::IntersectClip);
    int lineTop = y;
    for (std::size_t i = 0; i < lines.size(); ++i, lineTop += lineHeight) {
        if ((format & DT_EDITCONTROL) && i > 0 && lineTop + lineHeight > box.Bottom) break;
        const Line& line = lines[i];
        int x = box.Left;
        if (format & DT_CENTER)
            x = (box.Left + box.Right - line.width) / 2;
        else if (format & DT_RIGHT)
            x = box.Right - line.width;
        layout.draw(x, lineTop, line);
    }
    painter.restore();
    if (single && (format & (DT_VCENTER | DT_BOTTOM))) return y + lineHeight - rect->Top;
    return total;
}

int DrawText(HDC dc, const char* text, int length, TRect* rect, unsigned format) {
    return DrawTextEx(dc, text, length, rect, format, nullptr);
}

int DrawTextEx(HDC dc, const std::string& text, TRect* rect, unsigned format) {
    return DrawTextEx(dc, text.data(), static_cast<int>(text.size()), rect, format, nullptr);
}

bool DrawFrameControl(HDC dc, TRect* rect, unsigned type, unsigned state) {
    if (dc == nullptr || rect == nullptr || rect->IsEmpty()) return false;
    switch (type) {
    case DFC_BUTTON:
        if (state & DFCS_BUTTONPUSH) {
            TRect inside = *rect;
            if (state & (DFCS_PUSHED | DFCS_CHECKED))
                DrawEdge(dc, &inside, (state & DFCS_FLAT) ? BDR_SUNKENOUTER : EDGE_SUNKEN,
                         BF_RECT | BF_ADJUST);
            else
                DrawEdge(dc, &inside, (state & DFCS_FLAT) ? BDR_RAISEDINNER : EDGE_RAISED,
                         BF_RECT | BF_ADJUST);
            dc->FillRect(inside, clBtnFace);
        } else if (state & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) {
            drawRadio(dc, *rect, state);
        } else {
            drawCheckBox(dc, *rect, state);
        }
        return true;
    case DFC_SCROLL:
        drawScrollButton(dc, *rect, state);
        return true;
    default:
        // Captions and menu glyphs have no picture here: nothing in the library draws them.
        return false;
    }
}

bool DrawEdge(HDC dc, TRect* rect, unsigned edge, unsigned flags) {
    if (dc == nullptr || rect == nullptr) return false;
    TRect r = *rect;
    struct Layer {
        unsigned bits;
        TColor topLeft;
        TColor bottomRight;
    };
    Layer layers[2] = {
        {edge & BDR_OUTER, clNone, clNone},
        {edge & BDR_INNER, clNone, clNone},
    };
    if (layers[0].bits & BDR_RAISEDOUTER) {
        layers[0].topLeft = (flags & BF_SOFT) ? clBtnHighlight : cl3DLight;
        layers[0].bottomRight = cl3DDkShadow;
    } else if (layers[0].bits & BDR_SUNKENOUTER) {
        layers[0].topLeft = (flags & BF_SOFT) ? cl3DDkShadow : clBtnShadow;
        layers[0].bottomRight = clBtnHighlight;
    }
    if (layers[1].bits & BDR_RAISEDINNER) {
        layers[1].topLeft = (flags & BF_SOFT) ? cl3DLight : clBtnHighlight;
        layers[1].bottomRight = clBtnShadow;
    } else if (layers[1].bits & BDR_SUNKENINNER) {
        layers[1].topLeft = (flags & BF_SOFT) ? clBtnShadow : cl3DDkShadow;
        layers[1].bottomRight = cl3DLight;
    }
    if (flags & (BF_FLAT | BF_MONO)) {
        const TColor outer = (flags & BF_MONO) ? clWindowFrame : clBtnShadow;
        const TColor inner = (flags & BF_MONO) ? clWindow : clBtnFace;
        if (layers[0].bits) layers[0].topLeft = layers[0].bottomRight = outer;
        if (layers[1].bits) layers[1].topLeft = layers[1].bottomRight = inner;
    }
    if (!(flags & BF_DIAGONAL)) {
        for (const Layer& layer : layers) {
            if (layer.bits == 0 || r.IsEmpty()) continue;
            if (flags & BF_LEFT) dc->FillRect(TRect{r.Left, r.Top, r.Left + 1, r.Bottom}, layer.topLeft);
            if (flags & BF_TOP) dc->FillRect(TRect{r.Left, r.Top, r.Right, r.Top + 1}, layer.topLeft);
            if (flags & BF_RIGHT)
                dc->FillRect(TRect{r.Right - 1, r.Top, r.Right, r.Bottom}, layer.bottomRight);
            if (flags & BF_BOTTOM)
                dc->FillRect(TRect{r.Left, r.Bottom - 1, r.Right, r.Bottom}, layer.bottomRight);
            if (flags & BF_LEFT) ++r.Left;
            if (flags & BF_TOP) ++r.Top;
            if (flags & BF_RIGHT) --r.Right;
            if (flags & BF_BOTTOM) --r.Bottom;
        }
        if (flags & BF_MIDDLE) dc->FillRect(r, (flags & BF_MONO) ? clWindow : clBtnFace);
    }
    if (flags & BF_ADJUST) *rect = r;
    return true;
}

void DrawFocusRect(HDC dc, const TRect* rect) {
    if (dc == nullptr || rect == nullptr || rect->IsEmpty()) return;
    const TRect& r = *rect;
    std::vector<TPoint> pixels;
    auto add = [&](int x, int y) {
        if (((x - r.Left) + (y - r.Top)) % 2 == 0) pixels.push_back(TPoint{x, y});
    };
    for (int x = r.Left; x < r.Right; ++x)
        add(x, r.Top);
    if (r.Height() > 1)
        for (int x = r.Left; x < r.Right; ++x)
            add(x, r.Bottom - 1);
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        add(r.Left, y);
        if (r.Width() > 1) add(r.Right - 1, y);
    }
    dc->PlotPixels(pixels, clBlack, pmNot);
}

int FillRect(HDC dc, const TRect* rect, TColor color) {
    if (dc == nullptr || rect == nullptr) return 0;
    dc->FillRect(*rect, color);
    return 1;
}

int FrameRect(HDC dc, const TRect* rect, TColor color) {
    if (dc == nullptr || rect == nullptr) return 0;
    dc->FrameRect(*rect, color);
    return 1;
}

bool InvertRect(HDC dc, const TRect* rect) {
    if (dc == nullptr || rect == nullptr) return false;
    dc->InvertRect(*rect);
    return true;
}

TColor SetTextColor(HDC dc, TColor color) {
    if (dc == nullptr) return clNone;
    const TColor old = dc->TextColor;
    dc->TextColor = color;
    return old;
}

TColor SetBkColor(HDC dc, TColor color) {
    if (dc == nullptr) return clNone;
    const TColor old = dc->BkColor;
    dc->BkColor = color;
    return old;
}

int SetBkMode(HDC dc, int mode) {
    if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    const int old = dc->BkMode;
    dc->BkMode = mode;
    return old;
}

TColor GetTextColor(HDC dc) {
    return dc == nullptr ? clNone : dc->TextColor;
}
TColor GetBkColor(HDC dc) {
    return dc == nullptr ? clNone : dc->BkColor;
}
int GetBkMode(HDC dc) {
    return dc == nullptr ? 0 : dc->BkMode;
}

bool MoveToEx(HDC dc, int x, int y, TPoint* previous) {
    if (dc == nullptr) return false;
    if (previous != nullptr) *previous = dc->CurrentPos;
    dc->MoveTo(x, y);
    return true;
}

bool LineTo(HDC dc, int x, int y) {
    if (dc == nullptr) return false;
    dc->LineTo(x, y);
    return true;
}

bool Rectangle(HDC dc, int left, int top, int right, int bottom) {
    if (dc == nullptr) return false;
    dc->Rectangle(left, top, right, bottom);
    return true;
}

bool RoundRect(HDC dc, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
    if (dc == nullptr) return false;
    dc->RoundRect(left, top, right, bottom, ellipseWidth, ellipseHeight);
    return true;
}

bool Ellipse(HDC dc, int left, int top, int right, int bottom) {
    if (dc == nullptr) return false;
    dc->Ellipse(left, top, right, bottom);
    return true;
}

bool Polygon(HDC dc, const TPoint* points, int count) {
    if (dc == nullptr || points == nullptr || count < 2) return false;
    dc->Polygon(points, count);
    return true;
}

bool Polyline(HDC dc, const TPoint* points, int count) {
    if (dc == nullptr || points == nullptr || count < 2) return false;
    dc->Polyline(points, count);
    return true;
}

bool TextOut(HDC dc, int x, int y, const char* text, int length) {
    if (dc == nullptr) return false;
    dc->TextOut(x, y, QString::fromUtf8(text == nullptr ? "" : text, textLength(text, length)));
    return true;
}

bool GetTextExtentPoint32(HDC dc, const char* text, int length, TSize* size) {
    if (dc == nullptr || size == nullptr) return false;
    *size = dc->TextExtent(QString::fromUtf8(text == nullptr ? "" : text, textLength(text, length)));
    return true;
}

TColor GetPixel(HDC dc, int x, int y) {
    return dc == nullptr ? clNone : dc->GetPixel(x, y);
}

TColor SetPixel(HDC dc, int x, int y, TColor color) {
    if (dc == nullptr) return clNone;
    dc->SetPixel(x, y, color);
    return ColorToRGB(color);
}

HFONT CreateFontIndirect(const LOGFONT* font) {
    if (font == nullptr) return nullptr;
    auto* resource = new TFontResource;
    resource->font = *font;
    return resource;
}

HFONT SelectObject(HDC dc, HFONT font) {
    if (dc == nullptr || font == nullptr) return nullptr;
    return dc->SelectFont(font);
}

bool DeleteObject(HFONT font) {
    if (font == nullptr) return false;
    // The context's snapshots of earlier fonts belong to the context.
    if (font->ownedByContext) return true;
    delete font;
    return true;
}

} // namespace vexo
