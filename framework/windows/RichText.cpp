// How it works: one pass over the bytes with a stack of group states (character format and
// destination); "{" pushes a copy of the top, "}" pops it, and a "}" with nothing to pop is
// passed over. Characters of the text destination gather into a run while the format stays the
// same; a format change, a paragraph end or the end of input writes the run through a
// QTextCursor. The font and colour tables are destinations of their own that fill lookup tables
// instead of the text. Nothing recurses, so nesting depth costs only the stack's memory.
#include "framework/windows/RichText.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace vexo {

namespace {

enum class Dest { Text, Skip, FontTable, ColorTable };

struct GroupState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int halfPoints = 24; // the format's default, 12 points
    int color = 0;       // index in the colour table; 0 is the automatic colour
    int font = -1;       // -1: the default font (\deff)
    int unicodeSkip = 1; // \uc: fallback characters after each \u
    Dest dest = Dest::Text;
    bool sameFormat(const GroupState& o) const {
        return bold == o.bold && italic == o.italic && underline == o.underline && strike == o.strike &&
               halfPoints == o.halfPoints && color == o.color && font == o.font;
    }
};

// Windows-1252's 0x80..0x9F; the five unassigned bytes map to the same C1 code, as the platform does.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t fromCp1252(std::uint8_t byte) {
    return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : char16_t(byte);
}

// Length of a valid UTF-8 sequence at p (2..4), or 0.
int utf8Length(const std::uint8_t* p, std::size_t left) {
    const std::uint8_t b = p[0];
    const int n = b >= 0xF0 && b <= 0xF4 ? 4 : b >= 0xE0 ? (b < 0xF0 ? 3 : 0) : b >= 0xC2 && b < 0xE0 ? 2 : 0;
    if (n == 0 || left < static_cast<std::size_t>(n)) return 0;
    for (int i = 1; i < n; ++i)
        if ((p[i] & 0xC0) != 0x80) return 0;
    return QString::fromUtf8(reinterpret_cast<const char*>(p), n).contains(QChar::ReplacementCharacter) ? 0
                                                                                                        : n;
}

bool isLetter(std::uint8_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(std::uint8_t c) {
    return c >= '0' && c <= '9';
}
int hexValue(std::uint8_t c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Lone surrogates (a \u pair cut by the input or the markup) become U+FFFD.
QString pairSurrogates(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
        } else if (c.isSurrogate()) {
            out += QChar::ReplacementCharacter;
        } else {
            out += c;
        }
    }
    return out;
}

// Destinations whose text does not belong to the document.
bool isSkippedDestination(std::string_view word) {
    static const std::array<std::string_view, 36> names = {
        "stylesheet",   "info",       "pict",      "header",
        "footer",       "headerl",    "headerr",   "headerf",
        "footerl",      "footerr",    "footerf",   "footnote",
        "fldinst",      "object",     "themedata", "colorschememapping",
        "latentstyles", "datastore",  "listtable", "listoverridetable",
        "rsidtbl",      "generator",  "xmlnstbl",  "pgdsctbl",
        "filetbl",      "revtbl",     "bkmkstart", "bkmkend",
        "nonshppict",   "xe",         "tc",        "txe",
        "private",      "annotation", "atnid",     "atnauthor"};
    return std::find(names.begin(), names.end(), word) != names.end();
}

// Control words that stand for one character.
char16_t namedCharacter(std::string_view word) {
    static const std::map<std::string_view, char16_t> names = {
        {"emdash", 0x2014},  {"endash", 0x2013},    {"bullet", 0x2022},    {"lquote", 0x2018},
        {"rquote", 0x2019},  {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", 0x2003},
        {"enspace", 0x2002}, {"qmspace", 0x2005}};
    const auto it = names.find(word);
    return it == names.end() ? 0 : it->second;
}

class Reader {
public:
    Reader(QTextDocument& document, std::string_view rtf)
        : cursor_(&document), data_(reinterpret_cast<const std::uint8_t*>(rtf.data())), size_(rtf.size()) {
        stack_.emplace_back();
    }

    void run() {
        while (pos_ < size_) {
            const std::uint8_t c = data_[pos_++];
            switch (c) {
            case '{':
                stack_.push_back(state());
                skipFallback_ = 0;
                pendingStar_ = false;
                break;
            case '}':
                if (stack_.size() > 1) endGroup();
                skipFallback_ = 0;
                pendingStar_ = false;
                break;
            case '\\':
                control();
                break;
            case '\r':
            case '\n':
                break;
            default:
                textByte(c);
            }
        }
        flush();
    }

private:
    GroupState& state() { return stack_.back(); }

    void endGroup() {
        // A font table entry may end with its group instead of a ";".
        if (state().dest == Dest::FontTable) commitFontName();
        const GroupState closed = state();
        stack_.pop_back();
        if (closed.dest == Dest::ColorTable && state().dest != Dest::ColorTable) commitColorIfPending();
    }

    void control() {
        if (pos_ >= size_) return; // a lone backslash at the end
        const std::uint8_t c = data_[pos_];
        if (!isLetter(c)) {
            ++pos_;
            symbol(c);
            return;
        }
        const std::size_t start = pos_;
        while (pos_ < size_ && isLetter(data_[pos_]))
            ++pos_;
        // Words longer than the format allows are kept whole but never match a known one.
        const std::string_view word(reinterpret_cast<const char*>(data_ + start),
                                    std::min<std::size_t>(pos_ - start, 32));
        bool hasParam = false;
        long long param = 0;
        bool negative = false;
        if (pos_ + 1 < size_ && data_[pos_] == '-' && isDigit(data_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        while (pos_ < size_ && isDigit(data_[pos_])) {
            hasParam = true;
            param = std::min<long long>(param * 10 + (data_[pos_] - '0'), 1LL << 32);
            ++pos_;
        }
        if (pos_ < size_ && data_[pos_] == ' ') ++pos_;
        const bool star = pendingStar_;
        pendingStar_ = false;
        controlWord(
            word, hasParam,
            static_cast<int>(std::clamp<long long>(negative ? -param : param, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max())),
            star);
    }

    void symbol(std::uint8_t c) {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            character(char16_t(c));
            break;
        case '~':
            character(0x00A0);
            break;
        case '_':
            character(0x2011);
            break;
        case '*':
            pendingStar_ = true;
            break;
        case '\'':
            hexEscape();
            break;
        case '\r':
        case '\n':
            paragraph();
            break;
        default:
            break; // \- (optional hyphen), \: and unknown symbols show nothing
        }
    }

    void hexEscape() {
        int value = 0;
        int digits = 0;
        while (digits < 2 && pos_ < size_ && hexValue(data_[pos_]) >= 0) {
            value = value * 16 + hexValue(data_[pos_++]);
            ++digits;
        }
        if (digits < 2) return; // a cut escape stands for no character
        if (skipFallback_ > 0) {
            --skipFallback_;
            return;
        }
        destinationChar(fromCp1252(static_cast<std::uint8_t>(value)));
    }

    void controlWord(std::string_view w, bool hasParam, int param, bool star) {
        GroupState& s = state();
        // A \u's fallback is plain characters: the next control word ends it.
        skipFallback_ = 0;
        if (w == "bin") {
            pos_ += std::min<std::size_t>(static_cast<std::size_t>(std::max(param, 0)), size_ - pos_);
            return;
        }
        if (s.dest == Dest::Skip) return;
        if (w == "fonttbl") {
            s.dest = Dest::FontTable;
        } else if (w == "colortbl") {
            s.dest = Dest::ColorTable;
        } else if (isSkippedDestination(w)) {
            s.dest = Dest::Skip;
        } else if (s.dest == Dest::FontTable) {
            if (w == "f")
                fontNumber_ = param;
            else if (star)
                s.dest = Dest::Skip;
        } else if (s.dest == Dest::ColorTable) {
            if (star)
                s.dest = Dest::Skip;
            else
                colorComponent(w, param);
        } else if (w == "b") {
            s.bold = !hasParam || param != 0;
        } else if (w == "i") {
            s.italic = !hasParam || param != 0;
        } else if (w == "ul" || w == "ulw" || w == "uld" || w == "uldb" || w == "ulth" || w == "uldash") {
            s.underline = !hasParam || param != 0;
        } else if (w == "ulnone") {
            s.underline = false;
        } else if (w == "strike") {
            s.strike = !hasParam || param != 0;
        } else if (w == "fs") {
            // Half points; 0 or none means the default, and sizes beyond what fonts render are capped.
            s.halfPoints = hasParam && param > 0 ? std::min(param, 3276) : 24;
        } else if (w == "cf") {
            s.color = std::max(param, 0);
        } else if (w == "f") {
            s.font = param;
        } else if (w == "deff") {
            defaultFont_ = param;
        } else if (w == "plain") {
            const GroupState fresh;
            s.bold = fresh.bold;
            s.italic = fresh.italic;
            s.underline = fresh.underline;
            s.strike = fresh.strike;
            s.halfPoints = fresh.halfPoints;
            s.color = fresh.color;
            s.font = fresh.font;
        } else if (w == "par") {
            paragraph();
        } else if (w == "line") {
            character(QChar::LineSeparator);
        } else if (w == "tab") {
            character(u'\t');
        } else if (w == "u" && hasParam) {
            // A signed 16-bit unit; the next \uc characters are the fallback for older readers.
            character(param < -32768 || param > 65535
                          ? char16_t(QChar::ReplacementCharacter)
                          : static_cast<char16_t>(param < 0 ? param + 65536 : param));
            skipFallback_ = s.unicodeSkip;
        } else if (w == "uc") {
            s.unicodeSkip = std::clamp(param, 0, 16);
        } else if (const char16_t named = namedCharacter(w)) {
            character(named);
        } else if (star) {
            s.dest = Dest::Skip; // an ignorable destination this reader does not know
        }
    }

    void colorComponent(std::string_view w, int param) {
        const int v = std::clamp(param, 0, 255);
        if (w == "red")
            colorRgb_[0] = v;
        else if (w == "green")
            colorRgb_[1] = v;
        else if (w == "blue")
            colorRgb_[2] = v;
        else
            return;
        colorSet_ = true;
    }

    void commitColorIfPending() {
        if (colorSet_) commitColor();
    }
    void commitColor() {
        colors_.push_back(colorSet_ ? QColor(colorRgb_[0], colorRgb_[1], colorRgb_[2]) : QColor());
        colorRgb_ = {0, 0, 0};
        colorSet_ = false;
    }

    void commitFontName() {
        const QString name = pendingName_.trimmed();
        if (!name.isEmpty() && !fonts_.contains(fontNumber_)) fonts_[fontNumber_] = name;
        pendingName_.clear();
    }

    void textByte(std::uint8_t c) {
        if (c < 0x80) {
            character(char16_t(c));
            return;
        }
        // Raw 8-bit text: UTF-8 when it is valid UTF-8 (the library's own texts), else Windows-1252.
        if (const int n = utf8Length(data_ + pos_ - 1, size_ - pos_ + 1)) {
            const QString s = QString::fromUtf8(reinterpret_cast<const char*>(data_ + pos_ - 1), n);
            pos_ += n - 1;
            for (QChar ch : s)
                character(ch.unicode());
            return;
        }
        character(fromCp1252(c));
    }

    // A character of the input text, which may be a \u fallback to pass over.
    void character(char16_t c) {
        if (skipFallback_ > 0) {
            --skipFallback_;
            return;
        }
        destinationChar(c);
    }

    void destinationChar(char16_t c) {
        switch (state().dest) {
        case Dest::Text:
            if (!runState_.sameFormat(state())) {
                flush();
                runState_ = state();
            }
            run_ += QChar(c);
            break;
        case Dest::FontTable:
            if (c == u';')
                commitFontName();
            else
                pendingName_ += QChar(c);
            break;
        case Dest::ColorTable:
            if (c == u';') commitColor();
            break;
        case Dest::Skip:
            break;
        }
    }

    void paragraph() {
        if (state().dest != Dest::Text) return;
        flush();
        cursor_.insertBlock();
    }

    QTextCharFormat format(const GroupState& s) const {
        QTextCharFormat f;
        f.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(s.italic);
        f.setFontUnderline(s.underline);
        f.setFontStrikeOut(s.strike);
        f.setFontPointSize(s.halfPoints / 2.0);
        const auto font = fonts_.find(s.font >= 0 ? s.font : defaultFont_);
        if (font != fonts_.end()) f.setFontFamilies(QStringList{font->second});
        if (s.color > 0 && s.color < static_cast<int>(colors_.size()) && colors_[s.color].isValid())
            f.setForeground(colors_[s.color]);
        return f;
    }

    void flush() {
        if (run_.isEmpty()) return;
        cursor_.insertText(pairSurrogates(run_), format(runState_));
        run_.clear();
    }

    QTextCursor cursor_;
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    std::vector<GroupState> stack_;
    bool pendingStar_ = false;
    int skipFallback_ = 0;
    QString run_;
    GroupState runState_;
    std::map<int, QString> fonts_;
    int fontNumber_ = 0;
    int defaultFont_ = 0;
    QString pendingName_;
    std::vector<QColor> colors_;
    std::array<int, 3> colorRgb_{0, 0, 0};
    bool colorSet_ = false;
};

} // namespace

bool IsRichText(std::string_view text) {
    return text.substr(0, 5) == "{\\rtf";
}

void ReadRichText(QTextDocument& document, std::string_view rtf) {
    document.clear();
    Reader(document, rtf).run();
}

void SetRichEditText(QTextDocument& document, std::string_view text) {
    if (IsRichText(text)) {
        ReadRichText(document, text);
        return;
    }
    QString plain = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    document.setPlainText(plain);
}

} // namespace vexo
