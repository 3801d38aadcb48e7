// How it works: the text calls of the drawing layer. DrawTextEx lays a text out in named steps,
// each a function below:
//   1. textRect: the caller's rectangle inside the margins of DRAWTEXTPARAMS;
//   2. paragraphs: the text split at line breaks (or joined into one line with DT_SINGLELINE),
//      "&x" prefixes turned into a character to underline;
//   3. wrap: with DT_WORDBREAK each paragraph broken into lines at spaces that fit textRect;
//   4. measure and ellipsis: every line's width, lines too wide cut and ended in "...";
//   5. DT_CALCRECT stops here and gives the rectangle the lines need;
//   6. alignment: the first line's top (vertical alignment of a single line), then each line's
//      lineRect inside textRect (left, centred or right);
//   7. draw: every lineRect's text, clipped to textRect unless DT_NOCLIP.
// Widths are measured with tabs expanded when DT_EXPANDTABS asks for it, so that the measuring and
// the drawing of a tabbed line always agree.
#include "framework/graphics/Gdi.h"

#include "framework/graphics/TDeviceContext_p.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <algorithm>
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

int textLength(const char* text, int length) {
    if (text == nullptr) return 0;
    return length < 0 ? static_cast<int>(std::strlen(text)) : length;
}

QString textOf(const char* text, int length) {
    return QString::fromUtf8(text == nullptr ? "" : text, textLength(text, length));
}

// Step 1: the rectangle the lines are laid out in.
TRect textRectOf(const TRect& rect, const DRAWTEXTPARAMS* params) {
    TRect textRect = rect;
    if (params != nullptr) {
        textRect.Left += params->iLeftMargin;
        textRect.Right -= params->iRightMargin;
    }
    return textRect;
}

int tabWidthOf(HDC dc, unsigned format, const DRAWTEXTPARAMS* params) {
    int tabChars = 8;
    if (params != nullptr && params->iTabLength > 0)
        tabChars = params->iTabLength;
    else if ((format & DT_TABSTOP) != 0 && ((format >> 8) & 0xFF) != 0)
        tabChars = static_cast<int>((format >> 8) & 0xFF);
    return std::max(1, tabChars * dc->AverageCharWidth());
}

// Step 2: paragraphs, prefixes resolved.
std::vector<Paragraph> paragraphsOf(QString text, unsigned format) {
    std::vector<Paragraph> paragraphs;
    if (format & DT_SINGLELINE) {
        text.remove(QLatin1Char('\r'));
        text.remove(QLatin1Char('\n'));
        paragraphs.push_back(Paragraph{text, -1});
    } else {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        for (const QString& p : text.split(QLatin1Char('\n')))
            paragraphs.push_back(Paragraph{p, -1});
    }
    if (!(format & DT_NOPREFIX))
        for (Paragraph& p : paragraphs)
            p = stripPrefixes(p.text);
    return paragraphs;
}

// Step 3: lines, wrapped to the width of textRect when asked.
std::vector<Line> linesOf(const Layout& layout, const std::vector<Paragraph>& paragraphs, unsigned format,
                          int maxWidth) {
    std::vector<Line> lines;
    const bool wrap = (format & DT_WORDBREAK) && !(format & DT_SINGLELINE);
    for (const Paragraph& p : paragraphs) {
        if (wrap)
            layout.breakParagraph(p, maxWidth, lines);
        else
            lines.push_back(Line{p.text, p.underline, 0});
    }
    return lines;
}

// Step 4: every line's width, lines cut with an ellipsis when asked; returns the widest.
int measureLines(const Layout& layout, std::vector<Line>& lines, unsigned format, int maxWidth) {
    const bool cut = (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS)) != 0;
    int widest = 0;
    for (Line& line : lines) {
        if (cut)
            layout.ellipsis(line, maxWidth);
        else
            line.width = layout.width(line.text);
        widest = std::max(widest, line.width);
    }
    return widest;
}

int lineHeightOf(HDC dc, unsigned format) {
    int lineHeight = dc->LineHeight();
    if (format & DT_EXTERNALLEADING) lineHeight += QFontMetrics(dc->QtFont()).leading();
    return lineHeight;
}

// Step 5: the rectangle DT_CALCRECT gives back: the caller's top-left, the lines' size, the margins.
TRect calcRectOf(const TRect& rect, int widest, int height, const DRAWTEXTPARAMS* params) {
    const int margins = params != nullptr ? params->iLeftMargin + params->iRightMargin : 0;
    TRect calcRect = rect;
    calcRect.Right = rect.Left + widest + margins;
    calcRect.Bottom = rect.Top + height;
    return calcRect;
}

// Step 6: vertical alignment, which applies to a single line only, then each line's rectangle.
int firstLineTop(const TRect& textRect, int lineHeight, unsigned format) {
    if (!(format & DT_SINGLELINE)) return textRect.Top;
    if (format & DT_VCENTER) return (textRect.Top + textRect.Bottom - lineHeight) / 2;
    if (format & DT_BOTTOM) return textRect.Bottom - lineHeight;
    return textRect.Top;
}

TRect lineRectOf(const TRect& textRect, int top, int width, int lineHeight, unsigned format) {
    int left = textRect.Left;
    if (format & DT_CENTER)
        left = (textRect.Left + textRect.Right - width) / 2;
    else if (format & DT_RIGHT)
        left = textRect.Right - width;
    return Bounds(left, top, width, lineHeight);
}

// Step 7: the lines from top down; an edit control's lines stop at the first one that would be cut
// at the bottom.
void drawLines(HDC dc, const Layout& layout, const std::vector<Line>& lines, const TRect& textRect, int top,
               int lineHeight, unsigned format) {
    QPainter& painter = dc->Painter();
    painter.save();
    if (!(format & DT_NOCLIP))
        painter.setClipRect(QRect(textRect.Left, textRect.Top, textRect.Width(), textRect.Height()),
                            Qt::IntersectClip);
    int lineTop = top;
    for (std::size_t i = 0; i < lines.size(); ++i, lineTop += lineHeight) {
        if ((format & DT_EDITCONTROL) && i > 0 && lineTop + lineHeight > textRect.Bottom) break;
        const TRect lineRect = lineRectOf(textRect, lineTop, lines[i].width, lineHeight, format);
        layout.draw(lineRect.Left, lineRect.Top, lines[i]);
    }
    painter.restore();
}

} // namespace

int DrawTextEx(HDC dc, const char* text, int length, TRect* rect, unsigned format, DRAWTEXTPARAMS* params) {
    if (dc == nullptr || rect == nullptr) return 0;
    if (params != nullptr) params->uiLengthDrawn = static_cast<unsigned>(textLength(text, length));
    const TRect textRect = textRectOf(*rect, params);
    const Layout layout(dc, format, tabWidthOf(dc, format, params));
    std::vector<Line> lines =
        linesOf(layout, paragraphsOf(textOf(text, length), format), format, textRect.Width());
    const int widest = measureLines(layout, lines, format, textRect.Width());
    const int lineHeight = lineHeightOf(dc, format);
    const int height = lineHeight * static_cast<int>(lines.size());
    if (format & DT_CALCRECT) {
        *rect = calcRectOf(*rect, widest, height, params);
        return height;
    }
    const int top = firstLineTop(textRect, lineHeight, format);
    drawLines(dc, layout, lines, textRect, top, lineHeight, format);
    // An aligned single line reports where its bottom lies below the caller's top.
    if ((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM))) return top + lineHeight - rect->Top;
    return height;
}

int DrawText(HDC dc, const char* text, int length, TRect* rect, unsigned format) {
    return DrawTextEx(dc, text, length, rect, format, nullptr);
}

int DrawTextEx(HDC dc, const std::string& text, TRect* rect, unsigned format) {
    return DrawTextEx(dc, text.data(), static_cast<int>(text.size()), rect, format, nullptr);
}

std::string StripPrefixes(const std::string& text) {
    return stripPrefixes(QString::fromStdString(text)).text.toStdString();
}

bool TextOut(HDC dc, int x, int y, const char* text, int length) {
    if (dc == nullptr) return false;
    dc->TextOut(x, y, textOf(text, length));
    return true;
}

bool GetTextExtentPoint32(HDC dc, const char* text, int length, TSize* size) {
    if (dc == nullptr || size == nullptr) return false;
    *size = dc->TextExtent(textOf(text, length));
    return true;
}

} // namespace vexo
