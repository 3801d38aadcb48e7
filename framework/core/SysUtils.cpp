// How it works: numbers are parsed by hand against a strict grammar (so that only the configured
// decimal separator is accepted), then converted by strtod_l in the "C" locale, because the
// QApplication sets the process locale and plain strtod would then expect the locale's separator.
// FormatFloat renders a value as a decimal digit string with 15 significant digits (the precision
// a double reliably carries), rounds that string half away from zero, and then walks the pattern
// placing digits, separators and literals. Dates are day numbers since 30/12/1899 in the
// proleptic Gregorian calendar; the calendar arithmetic is the days-from-civil algorithm, valid
// for the whole 1..9999 range. Case handling goes through QString, which replaces invalid UTF-8 by
// U+FFFD; comparison uses the Spanish collators of Collation.h.
#include "framework/core/SysUtils.h"

#include "framework/core/Collation.h"
#include "framework/core/Exception.h"
#include "framework/core/FormatSettings.h"

#include <QCollator>
#include <QString>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <locale.h>
#include <utility>
#include <vector>

namespace vexo {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string trimBlanks(const std::string& text) {
    std::size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    return text.substr(b, e - b);
}

locale_t cLocale() {
    static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

// Returns false on malformed text or overflow; underflow yields 0 or a denormal, as strtod does.
bool parseFloat(const std::string& text, double& value) {
    const std::string t = trimBlanks(text);
    const char sep = FormatSettings().DecimalSeparator;
    std::string normal;
    normal.reserve(t.size());
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) normal += t[i++];
    int digits = 0;
    while (i < t.size() && isDigit(t[i]))
        normal += t[i++], ++digits;
    if (i < t.size() && t[i] == sep) {
        normal += '.';
        ++i;
        while (i < t.size() && isDigit(t[i]))
            normal += t[i++], ++digits;
    }
    if (digits == 0) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        normal += 'e';
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) normal += t[i++];
        int expDigits = 0;
        while (i < t.size() && isDigit(t[i]))
            normal += t[i++], ++expDigits;
        if (expDigits == 0) return false;
    }
    if (i != t.size()) return false;
    const double v = strtod_l(normal.c_str(), nullptr, cLocale());
    if (std::isinf(v)) return false;
    value = v;
    return true;
}

bool parseInt(const std::string& text, int& value) {
    const std::string t = trimBlanks(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    int base = 10;
    if (i < t.size() && t[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == t.size()) return false;
    unsigned long long magnitude = 0;
    for (; i < t.size(); ++i) {
        int d;
        const char c = t[i];
        if (isDigit(c))
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(d);
        if (magnitude > 0xFFFFFFFFull) return false;
    }
    long long v;
    if (base == 16) {
        // Hexadecimal spells the 32-bit pattern, so $FFFFFFFF is -1 as the framework reads it.
        v = static_cast<long long>(static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude)));
    } else {
        if (magnitude > (negative ? 2147483648ull : 2147483647ull)) return false;
        v = static_cast<long long>(magnitude);
    }
    value = static_cast<int>(negative ? -v : v);
    return true;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Numbers

bool TryStrToFloat(const std::string& text, double& value) {
    return parseFloat(text, value);
}

double StrToFloat(const std::string& text) {
    double v = 0;
    if (!parseFloat(text, v)) throw EConvertError("'" + text + "' no es un valor de coma flotante válido");
    return v;
}

bool TryStrToInt(const std::string& text, int& value) {
    return parseInt(text, value);
}

int StrToInt(const std::string& text) {
    int v = 0;
    if (!parseInt(text, v)) throw EConvertError("'" + text + "' no es un valor entero válido");
    return v;
}

int StrToIntDef(const std::string& text, int defaultValue) {
    int v = 0;
    return parseInt(text, v) ? v : defaultValue;
}

std::string IntToStr(int value) {
    return std::to_string(value);
}

namespace {

std::string nonFinite(double value) {
    if (std::isnan(value)) return "NAN";
    return value < 0 ? "-INF" : "INF";
}

// A non-negative decimal 0.digits x 10^exp10; no leading or trailing zeros in digits, which is
// empty for zero.
struct Decimal {
    std::string digits;
    int exp10 = 0;
};

Decimal toDecimal(double magnitude) {
    Decimal d;
    if (magnitude == 0) return d;
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14);
    std::string s(buf, res.ptr);
    const std::size_t e = s.find('e');
    d.digits = s.substr(0, 1) + s.substr(2, e - 2);
    d.exp10 = std::atoi(s.c_str() + e + 1) + 1;
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

// Keeps `significant` digits, rounding the rest half away from zero.
void roundSignificant(Decimal& d, int significant) {
    if (static_cast<int>(d.digits.size()) <= significant) return;
    if (significant < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(significant)] >= '5';
    d.digits.resize(static_cast<std::size_t>(significant));
    if (up) {
        int i = significant - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9')
            d.digits[static_cast<std::size_t>(i--)] = '0';
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            d.digits.pop_back();
            ++d.exp10;
            if (d.digits.empty()) d.digits = "1";
        } else {
            ++d.digits[static_cast<std::size_t>(i)];
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
}

void roundDecimals(Decimal& d, int decimals) {
    if (d.digits.empty()) return;
    const int keep = d.exp10 + decimals;
    if (keep < 0) {
        d.digits.clear();
    } else if (keep == 0) {
        // Below one unit of the last place: only a leading 5..9 rounds up to that unit.
        if (d.digits[0] >= '5') {
            d.digits = "1";
            d.exp10 = 1 - decimals;
        } else {
            d.digits.clear();
        }
    } else {
        roundSignificant(d, keep);
    }
}

std::string integerDigits(const Decimal& d) {
    if (d.digits.empty() || d.exp10 <= 0) return {};
    std::string s = d.digits.substr(0, static_cast<std::size_t>(d.exp10));
    s.resize(static_cast<std::size_t>(d.exp10), '0');
    return s;
}

std::string fractionDigits(const Decimal& d) {
    if (d.digits.empty()) return {};
    if (d.exp10 >= static_cast<int>(d.digits.size())) return {};
    if (d.exp10 >= 0) return d.digits.substr(static_cast<std::size_t>(d.exp10));
    return std::string(static_cast<std::size_t>(-d.exp10), '0') + d.digits;
}

} // namespace

std::string FloatToStr(double value) {
    if (!std::isfinite(value)) return nonFinite(value);
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    std::string s(buf, res.ptr), out;
    const char sep = FormatSettings().DecimalSeparator;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '.') {
            out += sep;
        } else if (c == 'e') {
            // "1e+20" becomes "1E20", "1e-05" becomes "1E-5", as the framework writes exponents.
            out += 'E';
            ++i;
            if (s[i] == '-') out += '-';
            ++i;
            while (i + 1 < s.size() && s[i] == '0')
                ++i;
            out.append(s, i, std::string::npos);
            break;
        } else {
            out += c;
        }
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// FormatFloat

namespace {

std::vector<std::string> splitSections(const std::string& format) {
    std::vector<std::string> sections(1);
    char quote = 0;
    for (char c : format) {
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            if (sections.size() == 3) break; // a fourth section has no meaning
            sections.emplace_back();
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

// What a section asks for, found in a first pass over it.
struct SectionLayout {
    int intPlaceholders = 0; // 0 and # before the decimal point
    int minIntDigits = 0;    // from the first 0 before the decimal point on
    int minDecimals = 0;     // up to the last 0 after the decimal point
    int maxDecimals = 0;     // every 0 and # after the decimal point
    bool thousands = false;  // a , before the decimal point
    bool scientific = false; // E+ or E- followed by 0s
    bool hasPlaceholder = false;
};

bool isExponentAt(const std::string& s, std::size_t i) {
    return (s[i] == 'E' || s[i] == 'e') && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-');
}

SectionLayout layoutOf(const std::string& s) {
    SectionLayout l;
    bool afterPoint = false;
    int firstZero = -1, decimals = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"' || c == '\'') {
            const std::size_t close = s.find(c, i + 1);
            if (close == std::string::npos) break;
            i = close;
        } else if (c == '0' || c == '#') {
            l.hasPlaceholder = true;
            if (afterPoint) {
                ++decimals;
                if (c == '0') l.minDecimals = decimals;
            } else {
                if (c == '0' && firstZero < 0) firstZero = l.intPlaceholders;
                ++l.intPlaceholders;
            }
        } else if (c == '.') {
            afterPoint = true;
        } else if (c == ',') {
            if (!afterPoint) l.thousands = true;
        } else if (isExponentAt(s, i)) {
            l.scientific = true;
            break;
        }
    }
    l.maxDecimals = decimals;
    if (firstZero >= 0) l.minIntDigits = l.intPlaceholders - firstZero;
    return l;
}

// The digits a section shows: rounded as its layout asks, the whole-number digits padded to their minimum,
// the fraction cut to its maximum and trimmed or padded to its minimum.
struct SectionDigits {
    std::string intPart;
    std::string frac;
    int exponent = 0; // of a scientific pattern
    bool zero = true; // nothing left after rounding
};

SectionDigits digitsFor(const SectionLayout& l, double magnitude) {
    Decimal d = toDecimal(magnitude);
    SectionDigits out;
    if (l.scientific) {
        const int intDigits = std::max(1, l.intPlaceholders);
        if (!d.digits.empty()) {
            roundSignificant(d, intDigits + l.maxDecimals);
            out.exponent = d.exp10 - intDigits;
            d.exp10 = intDigits;
        }
    } else {
        roundDecimals(d, l.maxDecimals);
    }
    out.zero = d.digits.empty();
    out.intPart = integerDigits(d);
    out.frac = fractionDigits(d);
    std::string& intPart = out.intPart;
    std::string& frac = out.frac;
    if (static_cast<int>(intPart.size()) < l.minIntDigits)
        intPart.insert(0, static_cast<std::size_t>(l.minIntDigits) - intPart.size(), '0');
    if (static_cast<int>(frac.size()) > l.maxDecimals) frac.resize(static_cast<std::size_t>(l.maxDecimals));
    while (static_cast<int>(frac.size()) > l.minDecimals && frac.back() == '0')
        frac.pop_back();
    if (static_cast<int>(frac.size()) < l.minDecimals)
        frac.resize(static_cast<std::size_t>(l.minDecimals), '0');
    return out;
}

// What follows E+ or E-: a sign when the exponent is negative or the pattern wrote E+, and at least
// minDigits digits (at most four of them padding).
std::string exponentText(int exponent, bool alwaysSign, int minDigits) {
    std::string out;
    if (exponent < 0)
        out += '-';
    else if (alwaysSign)
        out += '+';
    std::string e = std::to_string(std::abs(exponent));
    if (static_cast<int>(e.size()) < std::min(minDigits, 4))
        e.insert(0, static_cast<std::size_t>(std::min(minDigits, 4)) - e.size(), '0');
    return out + e;
}

// Walks a section's pattern once, placing the digits, separators and literals where the pattern
// has them.
class SectionWriter {
public:
    SectionWriter(const SectionLayout& layout, const SectionDigits& digits)
        : l_(layout), d_(digits), nInt_(static_cast<int>(digits.intPart.size())) {}

    std::string write(const std::string& s, bool negative) {
        // No "-0,00": a negative value that rounds to zero loses its sign.
        if (negative && !d_.zero) out_ += '-';
        for (std::size_t i = 0; i < s.size(); ++i) {
            const char c = s[i];
            if (c == '"' || c == '\'') {
                i = literal(s, i);
            } else if (c == '0' || c == '#') {
                if (afterPoint_)
                    fracPlaceholder();
                else
                    intPlaceholder();
            } else if (c == '.') {
                if (!afterPoint_) {
                    afterPoint_ = true;
                    point();
                }
            } else if (c == ',') {
                // grouping is decided by the layout, the comma itself is not shown
            } else if (l_.scientific && isExponentAt(s, i)) {
                i = exponent(s, i);
            } else {
                out_ += c;
            }
        }
        if (!pointDone_ && l_.hasPlaceholder && l_.intPlaceholders == 0) point();
        return std::move(out_);
    }

private:
    // Copies the quoted text starting at i; returns the index of the closing quote (or the end).
    std::size_t literal(const std::string& s, std::size_t i) {
        std::size_t close = s.find(s[i], i + 1);
        if (close == std::string::npos) close = s.size();
        out_.append(s, i + 1, close - i - 1);
        return close;
    }

    // k counts from the left of the integer digits.
    void intDigit(int k) {
        out_ += d_.intPart[static_cast<std::size_t>(k)];
        const int fromRight = nInt_ - 1 - k;
        if (l_.thousands && fromRight > 0 && fromRight % 3 == 0) out_ += fs_.ThousandSeparator;
    }

    void intPlaceholder() {
        const int position = l_.intPlaceholders - 1 - intSeen_; // from the right
        if (intSeen_ == 0) {
            for (int k = 0; k < nInt_ - position; ++k)
                intDigit(k); // digits the pattern lacks room for
        } else if (position < nInt_) {
            intDigit(nInt_ - 1 - position);
        }
        ++intSeen_;
    }

    void fracPlaceholder() {
        if (fracSeen_ < static_cast<int>(d_.frac.size()))
            out_ += d_.frac[static_cast<std::size_t>(fracSeen_)];
        ++fracSeen_;
    }

    void point() {
        if (pointDone_) return;
        pointDone_ = true;
        // A pattern without integer placeholders still shows the integer digits, never drops them.
        if (l_.intPlaceholders == 0)
            for (int k = 0; k < nInt_; ++k)
                intDigit(k);
        if (!d_.frac.empty()) out_ += fs_.DecimalSeparator;
    }

    // The E+ or E- at i and the 0s after it; returns the index of the last of them.
    std::size_t exponent(const std::string& s, std::size_t i) {
        if (!afterPoint_) point();
        out_ += s[i];
        const bool alwaysSign = s[i + 1] == '+';
        i += 2;
        int minDigits = 0;
        while (i < s.size() && s[i] == '0')
            ++minDigits, ++i;
        out_ += exponentText(d_.exponent, alwaysSign, minDigits);
        // Placeholders after the exponent have already been accounted for.
        afterPoint_ = true;
        fracSeen_ = l_.maxDecimals;
        return i - 1;
    }

    const SectionLayout& l_;
    const SectionDigits& d_;
    const TFormatSettings& fs_ = FormatSettings();
    const int nInt_;
    std::string out_;
    int intSeen_ = 0, fracSeen_ = 0;
    bool afterPoint_ = false, pointDone_ = false;
};

std::string formatSection(const std::string& s, double magnitude, bool negative) {
    const SectionLayout layout = layoutOf(s);
    return SectionWriter(layout, digitsFor(layout, magnitude)).write(s, negative);
}

} // namespace

std::string FormatFloat(const std::string& format, double value) {
    if (!std::isfinite(value)) return nonFinite(value);
    const std::vector<std::string> sections = splitSections(format);
    std::string section = sections[0];
    bool negative = value < 0;
    if (value < 0 && sections.size() >= 2 && !sections[1].empty()) {
        section = sections[1];
        negative = false; // the negative section writes its own sign, if any
    } else if (value == 0 && sections.size() >= 3 && !sections[2].empty()) {
        section = sections[2];
    }
    if (section.empty()) return FloatToStr(value);
    return formatSection(section, std::fabs(value), negative);
}

// ---------------------------------------------------------------------------------------------
// Dates and times

namespace {

constexpr long long msPerDay = 86400000;
constexpr double minDateTime = -693593.0; // 01/01/0001
constexpr double maxDateTime = 2958466.0; // 01/01/10000, excluded

// Days since 01/03/0000 shifted to the civil epoch; exact for any proleptic Gregorian date.
long long daysFromCivil(long long y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

const long long epochDays = daysFromCivil(1899, 12, 30);

bool isLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeapYear(y) ? 29 : days[m - 1];
}

bool validDate(int y, int m, int d) {
    return y >= 1 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= daysInMonth(y, m);
}

// Splits a date-time into its day number and the milliseconds into that day. Before the epoch the
// fraction still counts forward from midnight (-1,25 is 29/12/1899 06:00), as the framework has it.
void splitDateTime(TDateTime value, long long& day, long long& ms) {
    if (!std::isfinite(value) || value < minDateTime || value >= maxDateTime)
        throw EConvertError("Valor de fecha y hora fuera de rango (" + FloatToStr(value) + ")");
    day = static_cast<long long>(std::trunc(value));
    ms = std::llround(std::fabs(value - static_cast<double>(day)) * static_cast<double>(msPerDay));
    if (ms >= msPerDay) {
        // Rounding reached the next midnight, which lies further from the epoch on either side.
        ms -= msPerDay;
        day += value < 0 ? -1 : 1;
    }
}

} // namespace

TDateTime EncodeDate(int year, int month, int day) {
    if (!validDate(year, month, day))
        throw EConvertError("Fecha no válida (" + std::to_string(day) + "/" + std::to_string(month) + "/" +
                            std::to_string(year) + ")");
    return static_cast<double>(daysFromCivil(year, month, day) - epochDays);
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || msec < 0 ||
        msec > 999)
        throw EConvertError("Hora no válida (" + std::to_string(hour) + ":" + std::to_string(minute) + ":" +
                            std::to_string(second) + "." + std::to_string(msec) + ")");
    return static_cast<double>(((hour * 60LL + minute) * 60 + second) * 1000 + msec) /
           static_cast<double>(msPerDay);
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
    long long dayNumber, ms;
    splitDateTime(value, dayNumber, ms);
    civilFromDays(dayNumber + epochDays, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec) {
    long long dayNumber, ms;
    splitDateTime(value, dayNumber, ms);
    msec = static_cast<int>(ms % 1000);
    second = static_cast<int>(ms / 1000 % 60);
    minute = static_cast<int>(ms / 60000 % 60);
    hour = static_cast<int>(ms / 3600000);
}

int DayOfWeek(TDateTime value) {
    long long dayNumber, ms;
    splitDateTime(value, dayNumber, ms);
    // 30/12/1899, day 0, was a Saturday.
    return static_cast<int>(((dayNumber + 6) % 7 + 7) % 7) + 1;
}

TDateTime Now() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    const int ms = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), ms < 0 ? 0 : ms);
}

TDateTime Date() {
    return std::trunc(Now());
}

namespace {

int currentYear() {
    int y, m, d;
    DecodeDate(Date(), y, m, d);
    return y;
}

// Reads an unsigned number of at most maxDigits digits, with blanks before it.
bool scanNumber(const std::string& t, std::size_t& i, int maxDigits, int& value, int& digits) {
    while (i < t.size() && isBlank(t[i]))
        ++i;
    value = 0;
    digits = 0;
    while (i < t.size() && isDigit(t[i])) {
        if (++digits > maxDigits) return false;
        value = value * 10 + (t[i++] - '0');
    }
    return digits > 0;
}

bool scanChar(const std::string& t, std::size_t& i, char c) {
    while (i < t.size() && isBlank(t[i]))
        ++i;
    if (i < t.size() && t[i] == c) {
        ++i;
        return true;
    }
    return false;
}

bool atEnd(const std::string& t, std::size_t i) {
    while (i < t.size() && isBlank(t[i]))
        ++i;
    return i == t.size();
}

bool parseDate(const std::string& t, TDateTime& value) {
    const TFormatSettings& fs = FormatSettings();
    // The order of the fields is that of their first letters in the short date format.
    enum Order { DMY, MDY, YMD } order = DMY;
    for (char c : fs.ShortDateFormat) {
        const char l = static_cast<char>(c | 0x20);
        if (l == 'd') break;
        if (l == 'm') {
            order = MDY;
            break;
        }
        if (l == 'y') {
            order = YMD;
            break;
        }
    }
    std::size_t i = 0;
    int n[3] = {0, 0, 0}, len[3] = {0, 0, 0}, count = 0;
    if (!scanNumber(t, i, 4, n[0], len[0])) return false;
    count = 1;
    while (count < 3 && scanChar(t, i, fs.DateSeparator)) {
        if (!scanNumber(t, i, 4, n[count], len[count])) return false;
        ++count;
    }
    if (count < 2 || !atEnd(t, i)) return false;
    int y, m, d, yearDigits;
    if (count == 2) {
        y = currentYear();
        yearDigits = 4;
        if (order == DMY)
            d = n[0], m = n[1];
        else
            m = n[0], d = n[1];
    } else {
        switch (order) {
        case DMY:
            d = n[0], m = n[1], y = n[2], yearDigits = len[2];
            break;
        case MDY:
            m = n[0], d = n[1], y = n[2], yearDigits = len[2];
            break;
        default:
            y = n[0], m = n[1], d = n[2], yearDigits = len[0];
            break;
        }
    }
    if (yearDigits <= 2) {
        // Wide arithmetic: the window is a plain setting and may hold anything.
        const long long centuryBase = currentYear() - static_cast<long long>(fs.TwoDigitYearCenturyWindow);
        long long full = y + centuryBase / 100 * 100;
        if (fs.TwoDigitYearCenturyWindow > 0 && full < centuryBase) full += 100;
        if (full < 1 || full > 9999) return false;
        y = static_cast<int>(full);
    }
    if (!validDate(y, m, d)) return false;
    value = EncodeDate(y, m, d);
    return true;
}

bool matchesNoCase(const std::string& t, std::size_t i, const std::string& word) {
    if (word.empty() || t.size() - i < word.size()) return false;
    for (std::size_t k = 0; k < word.size(); ++k)
        if (std::tolower(static_cast<unsigned char>(t[i + k])) !=
            std::tolower(static_cast<unsigned char>(word[k])))
            return false;
    return true;
}

bool parseTime(const std::string& t, TDateTime& value) {
    const TFormatSettings& fs = FormatSettings();
    std::size_t i = 0;
    int h = 0, n = 0, s = 0, ms = 0, digits = 0;
    if (!scanNumber(t, i, 2, h, digits)) return false;
    if (scanChar(t, i, fs.TimeSeparator)) {
        if (!scanNumber(t, i, 2, n, digits)) return false;
        if (scanChar(t, i, fs.TimeSeparator)) {
            if (!scanNumber(t, i, 2, s, digits)) return false;
            if (scanChar(t, i, fs.DecimalSeparator) && !scanNumber(t, i, 3, ms, digits)) return false;
        }
    }
    while (i < t.size() && isBlank(t[i]))
        ++i;
    // A 12-hour suffix: the configured strings or plain "am"/"pm", in any case.
    int half = -1;
    for (const auto& [word, pm] : {std::pair{fs.TimeAMString, 0}, std::pair{fs.TimePMString, 1},
                                   std::pair{std::string("am"), 0}, std::pair{std::string("pm"), 1}}) {
        if (matchesNoCase(t, i, word)) {
            half = pm;
            i += word.size();
            break;
        }
    }
    if (!atEnd(t, i)) return false;
    if (half >= 0) {
        if (h < 1 || h > 12) return false;
        h = h % 12 + half * 12;
    }
    if (h > 23 || n > 59 || s > 59) return false;
    value = EncodeTime(h, n, s, ms);
    return true;
}

} // namespace

TDateTime StrToDate(const std::string& text) {
    TDateTime v = 0;
    if (!parseDate(text, v)) throw EConvertError("'" + text + "' no es una fecha válida");
    return v;
}

TDateTime StrToTime(const std::string& text) {
    TDateTime v = 0;
    if (!parseTime(text, v)) throw EConvertError("'" + text + "' no es una hora válida");
    return v;
}

std::string DateToStr(TDateTime value) {
    return FormatDateTime("ddddd", value);
}
std::string TimeToStr(TDateTime value) {
    return FormatDateTime("tt", value);
}

// ---------------------------------------------------------------------------------------------
// FormatDateTime

namespace {

struct DateTimeParts {
    int year, month, day, dayOfWeek, hour, minute, second, msec;
    bool hasTime;
};

std::string padded(int value, std::size_t width) {
    std::string s = std::to_string(value);
    if (s.size() < width) s.insert(0, width - s.size(), '0');
    return s;
}

// Where an am/pm marker stands, the hours of the whole pattern count from 1 to 12.
bool usesTwelveHours(const std::string& f) {
    char quote = 0;
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (quote) {
            if (f[i] == quote) quote = 0;
        } else if (f[i] == '"' || f[i] == '\'') {
            quote = f[i];
        } else if (matchesNoCase(f, i, "am/pm") || matchesNoCase(f, i, "a/p") ||
                   matchesNoCase(f, i, "ampm")) {
            return true;
        }
    }
    return false;
}

// Nested formats (c, ddddd, t ...) come from the settings and might name each other; the depth
// limit keeps a self-referencing setting from recursing for ever.
void formatInto(std::string& out, const std::string& f, const DateTimeParts& p, int depth) {
    if (depth > 3) return;
    const TFormatSettings& fs = FormatSettings();
    const bool twelve = usesTwelveHours(f);
    bool lastWasHour = false;
    for (std::size_t i = 0; i < f.size();) {
        const char c = f[i];
        const char l = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::size_t run = 1;
        while (i + run < f.size() && std::tolower(static_cast<unsigned char>(f[i + run])) == l)
            ++run;
        switch (l) {
        case '"':
        case '\'': {
            std::size_t close = f.find(c, i + 1);
            if (close == std::string::npos) close = f.size();
            out.append(f, i + 1, close - i - 1);
            i = close + 1;
            continue;
        }
        case 'd':
            if (run == 1)
                out += std::to_string(p.day);
            else if (run == 2)
                out += padded(p.day, 2);
            else if (run == 3)
                out += fs.ShortDayNames[p.dayOfWeek - 1];
            else if (run == 4)
                out += fs.LongDayNames[p.dayOfWeek - 1];
            else if (run == 5)
                formatInto(out, fs.ShortDateFormat, p, depth + 1);
            else
                formatInto(out, fs.LongDateFormat, p, depth + 1);
            lastWasHour = false;
            break;
        case 'm':
            if (run <= 2 && lastWasHour)
                out += run == 1 ? std::to_string(p.minute) : padded(p.minute, 2);
            else if (run == 1)
                out += std::to_string(p.month);
            else if (run == 2)
                out += padded(p.month, 2);
            else if (run == 3)
                out += fs.ShortMonthNames[p.month - 1];
            else
                out += fs.LongMonthNames[p.month - 1];
            lastWasHour = false;
            break;
        case 'y':
            out += run <= 2 ? padded(p.year % 100, 2) : padded(p.year, 4);
            lastWasHour = false;
            break;
        case 'h': {
            int h = p.hour;
            if (twelve) h = h % 12 == 0 ? 12 : h % 12;
            out += run == 1 ? std::to_string(h) : padded(h, 2);
            lastWasHour = true;
            break;
        }
        case 'n':
            out += run == 1 ? std::to_string(p.minute) : padded(p.minute, 2);
            lastWasHour = false;
            break;
        case 's':
            out += run == 1 ? std::to_string(p.second) : padded(p.second, 2);
            lastWasHour = false;
            break;
        case 'z':
            out += run < 3 ? std::to_string(p.msec) : padded(p.msec, 3);
            lastWasHour = false;
            break;
        case 't':
            formatInto(out, run == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, p, depth + 1);
            lastWasHour = false;
            break;
        case 'c':
            formatInto(out, fs.ShortDateFormat, p, depth + 1);
            if (p.hasTime) {
                out += ' ';
                formatInto(out, fs.LongTimeFormat, p, depth + 1);
            }
            lastWasHour = false;
            // every c is one token
            run = 1;
            break;
        case 'a': {
            const bool pm = p.hour >= 12;
            if (matchesNoCase(f, i, "am/pm")) {
                // The marker keeps the case the pattern wrote it in.
                out.append(f, i + (pm ? 3 : 0), 2);
                run = 5;
            } else if (matchesNoCase(f, i, "a/p")) {
                out += f[i + (pm ? 2 : 0)];
                run = 3;
            } else if (matchesNoCase(f, i, "ampm")) {
                out += pm ? fs.TimePMString : fs.TimeAMString;
                run = 4;
            } else {
                out += c;
                run = 1;
            }
            break;
        }
        case '/':
            out += fs.DateSeparator;
            run = 1;
            break;
        case ':':
            out += fs.TimeSeparator;
            run = 1;
            break;
        default:
            out += c;
            run = 1;
            break;
        }
        i += run;
    }
}

} // namespace

std::string FormatDateTime(const std::string& format, TDateTime value) {
    DateTimeParts p{};
    DecodeDate(value, p.year, p.month, p.day);
    DecodeTime(value, p.hour, p.minute, p.second, p.msec);
    p.dayOfWeek = DayOfWeek(value);
    p.hasTime = p.hour != 0 || p.minute != 0 || p.second != 0 || p.msec != 0;
    std::string out;
    formatInto(out, format.empty() ? std::string("c") : format, p, 0);
    return out;
}

// ---------------------------------------------------------------------------------------------
// Text

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toUtf8(const QString& text) {
    return text.toUtf8().toStdString();
}

int sign(int v) {
    return (v > 0) - (v < 0);
}

} // namespace

std::string AnsiUpperCase(const std::string& text) {
    return toUtf8(fromUtf8(text).toUpper());
}

std::string AnsiLowerCase(const std::string& text) {
    return toUtf8(fromUtf8(text).toLower());
}

int AnsiCompareText(const std::string& a, const std::string& b) {
    return CompareTextNoCase(fromUtf8(a), fromUtf8(b));
}

int AnsiCompareStr(const std::string& a, const std::string& b) {
    const QString qa = fromUtf8(a), qb = fromUtf8(b);
    const int r = sign(SpanishCollator(Qt::CaseSensitive).compare(qa, qb));
    return r != 0 ? r : sign(a.compare(b));
}

bool AnsiSameText(const std::string& a, const std::string& b) {
    return QString::compare(fromUtf8(a), fromUtf8(b), Qt::CaseInsensitive) == 0;
}

std::string Trim(const std::string& text) {
    std::size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ')
        --e;
    return text.substr(b, e - b);
}

} // namespace vexo
