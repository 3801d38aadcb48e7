#include "framework/windows/RichText.h"

#include <QFont>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextFragment>
#include <gtest/gtest.h>

#include <string>

using namespace vexo;

namespace {

// The document as text with its formats: paragraphs joined by "|", each run followed by the
// attributes that differ from the format's default in brackets: b i u s, "NNpt", "#rrggbb", the
// font family.
std::string describe(const QTextDocument& doc) {
    std::string out;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block != doc.begin()) out += "|";
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat f = fragment.charFormat();
            std::string attrs;
            if (f.fontWeight() == QFont::Bold) attrs += "b";
            if (f.fontItalic()) attrs += "i";
            if (f.fontUnderline()) attrs += "u";
            if (f.fontStrikeOut()) attrs += "s";
            if (f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() != 12)
                attrs += " " + std::to_string(static_cast<int>(f.fontPointSize())) + "pt";
            if (f.hasProperty(QTextFormat::ForegroundBrush))
                attrs += " " + f.foreground().color().name().toStdString();
            if (!f.fontFamilies().toStringList().isEmpty())
                attrs += " " + f.fontFamilies().toStringList().join(",").toStdString();
            out += fragment.text().toStdString();
            if (!attrs.empty()) out += "[" + attrs + "]";
        }
    }
    return out;
}

std::string read(const std::string& text) {
    QTextDocument doc;
    SetRichEditText(doc, text);
    return describe(doc);
}

constexpr const char* Header =
    R"({\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Arial;}{\f1\froman{\*\panose 02020603} Times New Roman;}})"
    R"({\colortbl ;\red255\green0\blue0;\red0\green0\blue128;})";

} // namespace

TEST(RichTextTest, ReadsEachConstructIntoTextAndFormats) {
    struct Case {
        std::string input, expected;
    };
    const std::string h = Header;
    const Case cases[] = {
        {"plain {\\b words}", "plain {\\b words}"},
        {"two\r\nlines\nthree\rfour", "two|lines|three|four"},
        {"{\\rtf1 a{\\b b}c}", "ab[b]c"},
        {h + "a{\\b b}c}", "a[ Arial]b[b Arial]c[ Arial]"},
        {h + "\\i x\\i0 y\\ul z\\ulnone w\\strike v\\strike0}",
         "x[i Arial]y[ Arial]z[u Arial]w[ Arial]v[s Arial]"},
        {h + "\\b\\i\\ul x\\plain y}", "x[biu Arial]y[ Arial]"},
        {h + "\\fs40 big\\fs0 normal}", "big[ 20pt Arial]normal[ Arial]"},
        {h + "\\cf1 red\\cf2 navy\\cf0 auto\\cf9 none}",
         "red[ #ff0000 Arial]navy[ #000080 Arial]autonone[ Arial]"},
        {h + "\\f1 serif{\\f0 sans}}", "serif[ Times New Roman]sans[ Arial]"},
        {h + "one\\par two\\line three\\tab four}", "one[ Arial]|two\u2028three\tfour[ Arial]"},
        {h + "caf\\'e9 \\'80}", "café €[ Arial]"},
        {h + "\\u8364? \\uc2\\u8212 ab\\uc0\\u955 x}", "€ —λx[ Arial]"},
        {h + "\\u-10179?\\u-8704?}", "😀[ Arial]"},
        {h + "\\~a\\_b\\{\\}\\\\\\-c\\emdash\\ldblquote\\rdblquote}", "\u00A0a\u2011b{}\\c—“”[ Arial]"},
        {h + "{\\*\\unknown hidden}{\\stylesheet{\\s0 Normal;}}{\\info{\\title t}}a\\foo12 b}", "ab[ Arial]"},
        {h + "{\\pict\\bin4 {}}}}x}", "x[ Arial]"},
        {h + "{\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt link}}}", "link[ Arial]"},
        {"{\\rtf1 caf\xc3\xa9 \xe9}", "café é"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(read(c.input), c.expected) << c.input;
}

TEST(RichTextTest, MalformedInputKeepsTheReadableCharacters) {
    struct Case {
        std::string input, expected;
    };
    const Case cases[] = {
        {"{\\rtf1 a}}}b{", "ab"},
        {"{\\rtf1 {{{a", "a"},
        {"{\\rtf1 a\\'4", "a"},
        {"{\\rtf1 a\\'", "a"},
        {"{\\rtf1 a\\'zzb", "azzb"},
        {"{\\rtf1 a\\u", "a"},
        {"{\\rtf1 a\\u-", "a-"},
        {"{\\rtf1 a\\u99999999999999999999 b", "a\uFFFD"},
        {"{\\rtf1 a\\", "a"},
        {"{\\rtf1 a\\bin99999999 lost}", "a"},
        {"{\\rtf1 \\fs99999999999 x}", "x[ 1638pt]"},
        {"{\\rtf1 \\cf-5 \\f-3 x}", "x"},
        {"{\\rtf1 {\\*}\\unknown kept}", "kept"},
        {"{\\rtf1{\\colortbl;\\red999;}\\cf1 x}", "x[ #ff0000]"},
        {"{\\rtf1 " + std::string(100000, '{') + "deep" + std::string(5, '}'), "deep"},
        {"{\\rtf1 \\" + std::string(5000, 'x') + " y}", "y"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(read(c.input), c.expected) << c.input.substr(0, 60);
}
