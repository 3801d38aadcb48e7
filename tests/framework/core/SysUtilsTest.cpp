#include "framework/core/SysUtils.h"

#include "framework/core/Exception.h"
#include "support/FormatSettingsGuard.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace vexo;

namespace {

enum class Sep { Comma, Point };

void use(Sep sep) {
    if (sep == Sep::Comma)
        FormatSettingsGuard::UseDecimalComma();
    else
        FormatSettingsGuard::UseDecimalPoint();
}

const char* name(Sep sep) {
    return sep == Sep::Comma ? "comma" : "point";
}

// Writes a number text for the separator in force: "1,5" under Sep::Comma is "1.5" under Point.
std::string local(std::string text, Sep sep) {
    if (sep == Sep::Point)
        for (char& c : text)
            c = c == ',' ? '.' : c == '.' ? ',' : c;
    return text;
}

} // namespace

TEST(SysUtilsTest, StrToFloatAcceptsOnlyTheConfiguredSeparator) {
    const struct {
        const char* text; // written for the decimal comma
        double value;
    } good[] = {
        {"0", 0},      {"1,5", 1.5},      {"  -2,25 ", -2.25}, {"+3", 3},    {",5", 0.5},   {"5,", 5},
        {"1E3", 1000}, {"1,5e-2", 0.015}, {"-1,5E+2", -150},   {"\t7\n", 7}, {"1e-400", 0},
    };
    const char* bad[] = {"",    " ",   "abc",  "1.000,5", "1,2,3", "1e", "1e+",   "--1", "1 2",
                         "inf", "nan", "0x10", "1e999",   ",",     "+",  "1,5 x", "e5"};
    for (Sep sep : {Sep::Comma, Sep::Point}) {
        FormatSettingsGuard guard;
        use(sep);
        for (const auto& c : good) {
            const std::string text = local(c.text, sep);
            EXPECT_DOUBLE_EQ(StrToFloat(text), c.value) << text << " " << name(sep);
        }
        for (const char* b : bad) {
            const std::string text = local(b, sep);
            EXPECT_THROW(StrToFloat(text), EConvertError) << text << " " << name(sep);
            double v = 42;
            EXPECT_FALSE(TryStrToFloat(text, v));
            EXPECT_EQ(v, 42) << "a failed conversion leaves the value";
        }
        // The other separator is not a decimal separator.
        EXPECT_THROW(StrToFloat(sep == Sep::Comma ? "1.5" : "1,5"), EConvertError);
    }
    try {
        StrToFloat("abc");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "'abc' no es un valor de coma flotante válido");
    }
}

TEST(SysUtilsTest, StrToIntReadsDecimalAndHex) {
    const struct {
        const char* text;
        int value;
    } good[] = {{"0", 0},
                {" 42 ", 42},
                {"-17", -17},
                {"+5", 5},
                {"2147483647", 2147483647},
                {"-2147483648", -2147483647 - 1},
                {"$ff", 255},
                {"0x1A", 26},
                {"$FFFFFFFF", -1},
                {"-$10", -16},
                {"007", 7}};
    const char* bad[] = {"",  "x",  "2147483648", "-2147483649", "1,5", "1.0",
                         "$", "0x", "$100000000", "12a",         "- 1"};
    for (const auto& c : good) {
        EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
        EXPECT_EQ(StrToIntDef(c.text, -99), c.value) << c.text;
    }
    for (const char* b : bad) {
        EXPECT_THROW(StrToInt(b), EConvertError) << b;
        EXPECT_EQ(StrToIntDef(b, -99), -99) << b;
    }
    EXPECT_EQ(IntToStr(-2147483647 - 1), "-2147483648");
}

TEST(SysUtilsTest, FloatToStrWritesShortestText) {
    const struct {
        double value;
        const char* text; // for the decimal comma
    } cases[] = {{0, "0"},       {1.5, "1,5"},       {-0.1, "-0,1"},           {1.0 / 3, "0,333333333333333"},
                 {1e20, "1E20"}, {1.5e-7, "1,5E-7"}, {123456789, "123456789"}, {0.1 + 0.2, "0,3"}};
    for (Sep sep : {Sep::Comma, Sep::Point}) {
        FormatSettingsGuard guard;
        use(sep);
        for (const auto& c : cases)
            EXPECT_EQ(FloatToStr(c.value), local(c.text, sep)) << c.value;
    }
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity()), "-INF");
}

TEST(SysUtilsTest, FormatFloatPatterns) {
    const struct {
        const char* format;
        double value;
        const char* text; // for the decimal comma
    } cases[] = {
        {"#,##0.00", 1234567.891, "1.234.567,89"},
        {"#,##0.00", -1234567.891, "-1.234.567,89"},
        {"#,##0.00", 0, "0,00"},
        {"#,##0.00", 999.995, "1.000,00"},
        {"0.00", 0.125, "0,13"}, // half away from zero
        {"0.00", -0.125, "-0,13"},
        {"0.00", 1.005, "1,01"},  // rounds the decimal the user wrote, not its binary neighbour
        {"0.00", -0.001, "0,00"}, // no negative zero
        {"0", 2.5, "3"},
        {"0", -2.5, "-3"},
        {"#", 0, ""},
        {"#.##", 0.5, ",5"},
        {"0.##", 1, "1"},
        {"0.#0", 1.5, "1,50"},
        {"000", 7, "007"},
        {"00", 12345, "12345"}, // digits beyond the pattern are never dropped
        {"#,##0", 1000000, "1.000.000"},
        {"#,##0", 100, "100"},
        {".00", 12.5, "12,50"},
        {"0.00E+00", 1234.5, "1,23E+03"},
        {"0.00E+00", 0.00012345, "1,23E-04"},
        {"0.0E-0", 1234.5, "1,2E3"},
        {"0.00E+00", 0, "0,00E+00"},
        {"0.00E+00", 9.999, "1,00E+01"},
        {"'Total: '0.00' €'", 3.5, "Total: 3,50 €"},
        {"\"#\"0", 5, "#5"},
        {"00-00", 1234, "12-34"},
        {"0.00;(0.00)", -3.5, "(3,50)"},
        {"0.00;(0.00)", 3.5, "3,50"},
        {"0.00;(0.00);'cero'", 0, "cero"},
        {"0.00;;'cero'", -1, "-1,00"}, // empty negative section: the first one with a sign
        {"", 1.5, "1,5"},              // empty pattern: general format
        {"abc", 12, "abc"},            // no placeholder: the literal alone
        {"0.00", 1e20, "100000000000000000000,00"},
    };
    for (Sep sep : {Sep::Comma, Sep::Point}) {
        FormatSettingsGuard guard;
        use(sep);
        for (const auto& c : cases) {
            const std::string want = local(c.text, sep);
            EXPECT_EQ(FormatFloat(c.format, c.value), want) << c.format << " " << c.value << " " << name(sep);
        }
    }
    EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<double>::infinity()), "INF");
}

TEST(SysUtilsTest, EncodeDateFollowsTheGregorianCalendar) {
    const struct {
        int y, m, d;
        double serial;
    } good[] = {{1899, 12, 30, 0},  {1900, 1, 1, 2},         {1900, 2, 28, 60},
                {1900, 3, 1, 61},   {2000, 2, 29, 36585},    {1899, 12, 29, -1},
                {1, 1, 1, -693593}, {9999, 12, 31, 2958465}, {2024, 12, 31, 45657}};
    for (const auto& c : good) {
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial) << c.d << "/" << c.m << "/" << c.y;
        int y, m, d;
        DecodeDate(c.serial, y, m, d);
        EXPECT_EQ(y * 10000 + m * 100 + d, c.y * 10000 + c.m * 100 + c.d) << c.serial;
    }
    const struct {
        int y, m, d;
    } bad[] = {{1900, 2, 29}, {2100, 2, 29}, {2023, 2, 29}, {2024, 4, 31}, {2024, 0, 1},
               {2024, 13, 1}, {2024, 1, 0},  {0, 1, 1},     {10000, 1, 1}, {2024, 1, 32}};
    for (const auto& c : bad)
        EXPECT_THROW(EncodeDate(c.y, c.m, c.d), EConvertError) << c.d << "/" << c.m << "/" << c.y;
}

TEST(SysUtilsTest, TimeOfDayAndWeekday) {
    EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    const struct {
        int h, n, s, ms;
    } bad[] = {{24, 0, 0, 0}, {-1, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {0, 0, 0, -1}};
    for (const auto& c : bad)
        EXPECT_THROW(EncodeTime(c.h, c.n, c.s, c.ms), EConvertError);

    int h, n, s, ms;
    DecodeTime(EncodeDate(2024, 5, 6) + EncodeTime(23, 59, 59, 999), h, n, s, ms);
    EXPECT_EQ((std::vector<int>{h, n, s, ms}), (std::vector<int>{23, 59, 59, 999}));
    // Before the epoch the fraction still counts from midnight: -1,25 is 29/12/1899 06:00.
    DecodeTime(-1.25, h, n, s, ms);
    EXPECT_EQ(h, 6);
    int y, m, d;
    DecodeDate(-1.25, y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 18991229);
    // A fraction that rounds up to midnight belongs to the next day.
    DecodeDate(1.9999999999, y, m, d);
    DecodeTime(1.9999999999, h, n, s, ms);
    EXPECT_EQ(y * 10000 + m * 100 + d, 19000101);
    EXPECT_EQ(h + n + s + ms, 0);

    EXPECT_EQ(DayOfWeek(0), 7);                      // 30/12/1899, Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 5, 5)), 1); // Sunday
    EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2);    // Monday
    EXPECT_EQ(DayOfWeek(-1.5), 6);

    for (double v : {std::nan(""), 1e300, -1e7, 2958466.0})
        EXPECT_THROW(DecodeDate(v, y, m, d), EConvertError) << v;
    EXPECT_GT(Now(), EncodeDate(2020, 1, 1));
    EXPECT_EQ(Date(), std::trunc(Now()));
}

TEST(SysUtilsTest, StrToDateFollowsShortDateFormat) {
    FormatSettingsGuard guard;
    int thisYear, m, d;
    DecodeDate(Date(), thisYear, m, d);
    const int century = (thisYear - 50) / 100 * 100;
    auto windowed = [&](int yy) { return century + yy < thisYear - 50 ? century + yy + 100 : century + yy; };
    const struct {
        const char* shortFormat;
        char sep;
        const char* text;
        int y, m, d; // y = 0: the current year; y < 0: windowed from -y
    } good[] = {
        {"dd/mm/yyyy", '/', "29/02/2000", 2000, 2, 29},
        {"dd/mm/yyyy", '/', " 1/2/2024 ", 2024, 2, 1},
        {"dd/mm/yyyy", '/', "05/01", 0, 1, 5},
        {"dd/mm/yyyy", '/', "5/1/24", -24, 1, 5},
        {"dd/mm/yyyy", '/', "5/1/0024", 24, 1, 5}, // four digits are taken as written
        {"mm/dd/yyyy", '/', "12/31/1999", 1999, 12, 31},
        {"yyyy-mm-dd", '-', "2024-03-09", 2024, 3, 9},
        {"d.m.yy", '.', "9.3.99", -99, 3, 9},
    };
    for (const auto& c : good) {
        FormatSettings().ShortDateFormat = c.shortFormat;
        FormatSettings().DateSeparator = c.sep;
        const int y = c.y == 0 ? thisYear : c.y < 0 ? windowed(-c.y) : c.y;
        EXPECT_EQ(StrToDate(c.text), EncodeDate(y, c.m, c.d)) << c.text;
    }
    FormatSettings().ShortDateFormat = "dd/mm/yyyy";
    FormatSettings().DateSeparator = '/';
    const char* bad[] = {"29/02/1900", "31/04/2024",   "0/1/2024", "1/13/2024", "",
                         "5",          "a/b/c",        "1/2/3/4",  "1-2-2024",  "1/2/",
                         "1/2/20245",  "01/02/2024 x", "1//2"};
    for (const char* b : bad)
        EXPECT_THROW(StrToDate(b), EConvertError) << b;
    try {
        StrToDate("31/02/2024");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "'31/02/2024' no es una fecha válida");
    }
}

TEST(SysUtilsTest, StrToTimeReadsHoursMinutesSeconds) {
    for (Sep sep : {Sep::Comma, Sep::Point}) {
        FormatSettingsGuard guard;
        use(sep);
        const struct {
            std::string text;
            int h, n, s, ms;
        } good[] = {{"8", 8, 0, 0, 0},
                    {"08:05", 8, 5, 0, 0},
                    {" 23:59:59 ", 23, 59, 59, 0},
                    {local("1:02:03,5", sep), 1, 2, 3, 5},
                    {"12am", 0, 0, 0, 0},
                    {"12:30 pm", 12, 30, 0, 0},
                    {"1:15 PM", 13, 15, 0, 0},
                    {"11 p. m.", 23, 0, 0, 0}};
        for (const auto& c : good)
            EXPECT_EQ(StrToTime(c.text), EncodeTime(c.h, c.n, c.s, c.ms)) << c.text << " " << name(sep);
        const char* bad[] = {"",   "24:00", "12:60", "1:2:60", "13pm",   "0am",
                             "ab", "1:",    "1::2",  "123:00", "1:00 xm"};
        for (const char* b : bad)
            EXPECT_THROW(StrToTime(b), EConvertError) << b;
    }
}

TEST(SysUtilsTest, FormatDateTimePatterns) {
    FormatSettingsGuard guard;
    const TDateTime v = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45); // a Tuesday
    const struct {
        const char* format;
        const char* text;
    } cases[] = {
        {"d/m/yy", "5/3/24"},
        {"dd/mm/yyyy", "05/03/2024"},
        {"ddd dddd", "mar martes"},
        {"mmm mmmm", "mar marzo"},
        {"h:m:s", "14:7:9"},
        {"hh:mm:ss", "14:07:09"}, // m after h means minutes
        {"hh' h 'mm", "14 h 07"}, // also with a literal between
        {"mm/dd", "03/05"},
        {"hh:nn:ss.zzz", "14:07:09.045"},
        {"z", "45"},
        {"h:nn am/pm", "2:07 pm"},
        {"h:nn AM/PM", "2:07 PM"},
        {"h a/p", "2 p"},
        {"h ampm", "2 p. m."},
        {"c", "05/03/2024 14:07:09"},
        {"ddddd", "05/03/2024"},
        {"dddddd", "martes, 5 de marzo de 2024"},
        {"t", "14:07"},
        {"tt", "14:07:09"},
        {"'d' \"m\" d", "d m 5"},
        {"yyyy-mm-dd", "2024-03-05"},
        {"[x]", "[x]"},
        {"'unterminated", "unterminated"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime(c.format, v), c.text) << c.format;

    FormatSettings().DateSeparator = '-';
    FormatSettings().TimeSeparator = '.';
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", v), "05-03-2024 14.07");
    EXPECT_EQ(DateToStr(v), "05-03-2024");
    EXPECT_EQ(TimeToStr(v), "14.07.09");
    // "c" leaves out a midnight time.
    EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 3, 5)), "05-03-2024");
    // Settings that name each other do not recurse for ever.
    FormatSettings().ShortDateFormat = "c";
    EXPECT_NO_THROW(FormatDateTime("c", v));
    EXPECT_EQ(FormatDateTime("h am/pm", EncodeTime(0, 0, 0, 0)), "12 am");
    EXPECT_THROW(FormatDateTime("dd", 1e10), EConvertError);
}

TEST(SysUtilsTest, CaseHandlingUnderstandsUtf8) {
    const struct {
        const char* text;
        const char* upper;
        const char* lower;
    } cases[] = {{"sí", "SÍ", "sí"},
                 {"Año Ñandú", "AÑO ÑANDÚ", "año ñandú"},
                 {"çàèìòùü", "ÇÀÈÌÒÙÜ", "çàèìòùü"},
                 {"", "", ""},
                 {"abc123", "ABC123", "abc123"}};
    for (const auto& c : cases) {
        EXPECT_EQ(AnsiUpperCase(c.text), c.upper);
        EXPECT_EQ(AnsiLowerCase(c.upper), c.lower);
        EXPECT_TRUE(AnsiSameText(c.text, c.upper));
        EXPECT_EQ(AnsiCompareText(c.text, c.upper), 0);
    }
    // Invalid UTF-8 is replaced by U+FFFD, never passed on broken.
    EXPECT_EQ(AnsiUpperCase("a\xff"), "A\xEF\xBF\xBD");
    EXPECT_EQ(AnsiLowerCase("\xC3"), "\xEF\xBF\xBD");

    const struct {
        const char* a;
        const char* b;
        int text; // AnsiCompareText sign
        int str;  // AnsiCompareStr sign
    } order[] = {
        {"a", "b", -1, -1},     {"árbol", "barco", -1, -1}, // accents do not sort after z
        {"ñu", "nu", 1, 1},     {"ñu", "oso", -1, -1},      // ñ between n and o
        {"Casa", "casa", 0, 1}, {"casa", "casa", 0, 0},     {"a", "á", -1, -1}, {"", "a", -1, -1},
    };
    for (const auto& c : order) {
        auto sign = [](int v) { return (v > 0) - (v < 0); };
        EXPECT_EQ(sign(AnsiCompareText(c.a, c.b)), c.text) << c.a << " " << c.b;
        EXPECT_EQ(sign(AnsiCompareText(c.b, c.a)), -c.text) << c.b << " " << c.a;
        EXPECT_EQ(sign(AnsiCompareStr(c.a, c.b)), c.str) << c.a << " " << c.b;
        EXPECT_EQ(sign(AnsiCompareStr(c.b, c.a)), -c.str) << c.b << " " << c.a;
    }
    EXPECT_FALSE(AnsiSameText("a", "á"));
    EXPECT_EQ(Trim(" \t x y \r\n"), "x y");
    EXPECT_EQ(Trim("  "), "");
}
