#include "controls/grid/VGSearchText.h"

#include "framework/core/SysUtils.h"
#include "values/VexoConvert.h"

namespace vexo {

namespace {

// Upper case of a Latin-1 letter whose Unicode upper case is also in Latin-1, or 0 when the
// character needs the locale's routines (ß, µ, ÿ, anything beyond Latin-1).
char32_t latin1Upper(char32_t c) {
    if (c < 0x80) return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
    return 0;
}

void appendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else { // below 0x800 here
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

void searchForm(std::string_view text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        char32_t c = 0;
        bool direct = false;
        if (b < 0x80) {
            c = b;
            direct = true;
            ++i;
        } else if (b >= 0xC2 && b < 0xE0 && i + 1 < text.size() &&
                   (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80) {
            c = (static_cast<char32_t>(b & 0x1F) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F);
            direct = c < 0x80 || latin1Upper(c) != 0;
            i += 2;
        }
        if (!direct) {
            out = stripAccents(AnsiUpperCase(std::string(text)));
            return;
        }
        const char32_t upper = latin1Upper(c);
        appendUtf8(upper < 0x80 ? upper : stripAccent(upper), out);
    }
}

} // namespace vexo
