// How it works: numbers are written with std::to_chars, which rounds exactly like printf but never
// looks at the C locale and needs no fixed buffer, then the point is swapped for the Spanish comma.
// Reading goes through the framework's locale-aware StrToFloat, so the decimal separator it expects
// is FormatSettings()'s. Text helpers step through UTF-8 with sUtf8Next; malformed bytes are copied
// through unchanged so nothing a user typed is lost.
#include "values/VexoConvert.h"

#include "framework/core/Exception.h"
#include "framework/core/FormatSettings.h"
#include "framework/core/SysUtils.h"
#include "framework/core/Utf8.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string_view>

namespace vexo {

namespace {

// Digits of a double in fixed notation with a "." point; no double needs more than 309 integer
// digits, so the buffer always suffices.
std::string fixedText(double value, int decimals) {
    std::string out(static_cast<std::size_t>(decimals) + 330, '\0');
    const auto result =
        std::to_chars(out.data(), out.data() + out.size(), value, std::chars_format::fixed, decimals);
    out.resize(static_cast<std::size_t>(result.ptr - out.data()));
    return out;
}

bool allZeroDigits(const std::string& text) {
    for (char c : text)
        if (c >= '1' && c <= '9') return false;
    return true;
}

bool isBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

} // namespace

std::string intToText(int value) {
    return std::to_string(value);
}

std::string floatToText(int decimals, double value) {
    if (decimals < 0) decimals = 6;
    if (decimals > 1074) decimals = 1074;
    std::string text = fixedText(value, decimals);
    if (!text.empty() && text[0] == '-' && std::isfinite(value) && allZeroDigits(text)) text.erase(0, 1);
    const auto point = text.find('.');
    if (point != std::string::npos) text[point] = ',';
    return text;
}

double textToFloat(const std::string& text) {
    double value = 0;
    return TryStrToFloat(text, value) ? value : 0.0;
}

double decimalTextToFloat(const std::string& text) {
    double value = 0;
    if (TryStrToFloat(text, value)) return value;
    const char separator = FormatSettings().DecimalSeparator;
    if (separator != ',' && text.find(',') != std::string::npos &&
        text.find(separator) == std::string::npos) {
        std::string local = text;
        std::replace(local.begin(), local.end(), ',', separator);
        if (TryStrToFloat(local, value)) return value;
    }
    return StrToFloat(text); // raises the framework's error for this text
}

std::string moneyToText(double value) {
    if (!std::isfinite(value)) return std::string();
    std::string text = fixedText(std::fabs(value), moneyDecimals);
    auto p = text.find('.');
    text[p] = ',';
    // p counts from 1 here, as in the digit-grouping rule: a mark goes before every third digit
    // left of the comma, never in front of the first digit.
    ++p;
    while (p > 4) {
        p -= 3;
        text.insert(p - 1, 1, '.');
    }
    if (value < 0 && !allZeroDigits(text)) text.insert(0, 1, '-');
    return text;
}

double textToMoney(const std::string& text) {
    if (text.empty()) return 0;
    std::string plain;
    plain.reserve(text.size());
    bool decimalSeen = false;
    for (char c : text) {
        if (c == '.') continue;
        if (c == ',' && !decimalSeen) {
            decimalSeen = true;
            c = FormatSettings().DecimalSeparator;
        }
        plain += c;
    }
    return StrToFloat(plain);
}

std::string boolToText(bool value) {
    return value ? "true" : "false";
}

bool textToBool(const std::string& text) {
    const std::string upper = AnsiUpperCase(text);
    return upper == "TRUE" || upper == "SI" || upper == "S" || upper == "SÍ" || upper == "YES";
}

int textToColor(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    if (begin < end && text[begin] == '+') {
        ++begin;
        if (begin < end && (text[begin] == '+' || text[begin] == '-')) return 0;
    }
    long long value = 0;
    const auto result = std::from_chars(text.data() + begin, text.data() + end, value);
    if (result.ec != std::errc() || result.ptr != text.data() + end) return 0;
    if (value < INT32_MIN || value > static_cast<long long>(UINT32_MAX)) return 0;
    return static_cast<int>(static_cast<std::uint32_t>(value));
}

std::string quoteText(const std::string& text) {
    return "\"" + text + "\"";
}

void removeChar(char32_t c, std::string& text) {
    if (!sUtf8IsScalar(c)) return;
    std::string encoded;
    sUtf8Append(encoded, c);
    // A well-formed encoding can only match at a character boundary, so a byte search is exact.
    replaceAll(encoded, std::string(), text);
}

void replaceAll(const std::string& find, const std::string& repl, std::string& text) {
    if (find.empty()) return;
    std::size_t found = text.find(find);
    if (found == std::string::npos) return;
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (; found != std::string::npos; found = text.find(find, pos)) {
        out.append(text, pos, found - pos);
        out += repl;
        pos = found + find.size();
    }
    out.append(text, pos, std::string::npos);
    text.swap(out);
}

char32_t stripAccent(char32_t c) {
    static constexpr std::u32string_view accented = U"ÀÁÂÄÈÉÊËÌÍÎÏÒÓÔÖÙÚÛÜàáâäèéêëìíîïòóôöùúûü";
    static constexpr std::u32string_view plain = U"AAAAEEEEIIIIOOOOUUUUaaaaeeeeiiiioooouuuu";
    if (c < U'À') return c;
    const auto k = accented.find(c);
    return k == std::u32string_view::npos ? c : plain[k];
}

std::string stripAccents(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        bool valid = true;
        const char32_t c = sUtf8Next(text, pos, &valid);
        if (valid)
            sUtf8Append(out, stripAccent(c));
        else
            out.append(text, start, pos - start);
    }
    return out;
}

sCharRef::operator char32_t() const {
    if (offset_ >= text_.size()) throw EListError("Character reference past the end of its text");
    std::size_t pos = offset_;
    return sUtf8Next(text_, pos);
}

sCharRef& sCharRef::operator=(char32_t c) {
    if (!sUtf8IsScalar(c)) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(c));
        throw EConvertError(std::string("U+") + hex + " is not a Unicode character");
    }
    if (offset_ >= text_.size()) throw EListError("Character reference past the end of its text");
    std::size_t end = offset_;
    sUtf8Next(text_, end);
    std::string encoded;
    sUtf8Append(encoded, c);
    text_.replace(offset_, end - offset_, encoded);
    return *this;
}

sCharRef charAt(std::string& text, int i) {
    std::size_t pos = 0;
    int length = 0;
    while (pos < text.size()) {
        if (++length == i) return sCharRef(text, pos);
        sUtf8Next(text, pos);
    }
    throw EListError("Character index " + std::to_string(i) + " out of range 1.." + std::to_string(length));
}

} // namespace vexo
