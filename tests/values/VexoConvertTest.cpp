#include "values/VexoConvert.h"

#include "framework/core/Exception.h"
#include "framework/core/FormatSettings.h"
#include "support/FormatSettingsGuard.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

using namespace vexo;

namespace {

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

} // namespace

TEST(VexoConvertTest, IntToText) {
    EXPECT_EQ(intToText(0), "0");
    EXPECT_EQ(intToText(-5), "-5");
    EXPECT_EQ(intToText(INT_MIN), "-2147483648");
    EXPECT_EQ(intToText(INT_MAX), "2147483647");
}

TEST(VexoConvertTest, FloatToText) {
    const struct {
        int decimals;
        double value;
        const char* want;
    } cases[] = {
        {2, 1000.5, "1000,50"}, {0, 7.0, "7"},         {3, -1.5, "-1,500"},
        {2, -0.0, "0,00"},      {2, -0.001, "0,00"},   {0, -0.4, "0"},
        {1, 0.25, "0,2"},       {-1, 1.5, "1,500000"}, {2, 1e20, "100000000000000000000,00"},
        {2, notANumber, "nan"}, {2, inf, "inf"},       {2, -inf, "-inf"},
        {1, -2.25, "-2,2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(floatToText(c.decimals, c.value), c.want) << c.value;
    EXPECT_EQ(floatToText(2, DBL_MAX).size(), 309u + 3u);
    EXPECT_EQ(floatToText(5000, 1.0).size(), 2u + 1074u);
}

TEST(VexoConvertTest, MoneyToText) {
    const struct {
        double value;
        const char* want;
    } cases[] = {
        {0, "0,00"},
        {999.5, "999,50"},
        {1234.5, "1.234,50"},
        {1234567.891, "1.234.567,89"},
        {-1234.5, "-1.234,50"},
        {100, "100,00"},
        {1000, "1.000,00"},
        {100000, "100.000,00"},
        {-999999.999, "-1.000.000,00"},
        {1e15, "1.000.000.000.000.000,00"},
        {-0.0, "0,00"},   // no negative zero
        {-0.004, "0,00"}, // rounds to zero: no sign either
        {notANumber, ""}, // non-finite values have no money text; empty reads back as 0
        {inf, ""},
        {-inf, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(moneyToText(c.value), c.want) << c.value;

    const std::string huge = moneyToText(-DBL_MAX);
    EXPECT_EQ(huge.substr(0, 8), "-179.769");
    EXPECT_EQ(huge.substr(huge.size() - 7), ".368,00");
    EXPECT_EQ(huge.size(), 1u + 309u + 102u + 3u); // sign, digits, group marks, decimals
}

TEST(VexoConvertTest, TextToMoneyUnderEitherDecimalSeparator) {
    const struct {
        const char* text;
        double want;
    } cases[] = {
        {"1.234,50", 1234.5},         {"", 0},        {"0,00", 0},
        {"-1.234,50", -1234.5},       {"1234", 1234}, {"12,5", 12.5},
        {"1.000.000,01", 1000000.01},
    };
    for (char separator : {',', '.'}) {
        FormatSettingsGuard guard;
        FormatSettings().DecimalSeparator = separator;
        for (const auto& c : cases)
            EXPECT_DOUBLE_EQ(textToMoney(c.text), c.want) << c.text << " " << separator;
        for (const char* bad : {"abc", "12abc", "1,2,3", "-"})
            EXPECT_THROW(textToMoney(bad), EConvertError) << bad << " " << separator;
        for (double v : {0.0, 0.01, 999.99, 1234.5, -1234567.89, 1e12})
            EXPECT_DOUBLE_EQ(textToMoney(moneyToText(v)), v) << v << " " << separator;
    }
}

TEST(VexoConvertTest, TextToFloatFollowsTheLocaleAndNeverRaises) {
    const struct {
        char separator;
        const char* text;
        double want;
    } cases[] = {
        {',', "1000,50", 1000.5}, {',', "abc", 0},          {',', "", 0},    {',', "-2,5", -2.5},
        {'.', "1000,50", 0},      {'.', "1000.50", 1000.5}, {'.', "abc", 0},
    };
    for (const auto& c : cases) {
        FormatSettingsGuard guard;
        FormatSettings().DecimalSeparator = c.separator;
        EXPECT_DOUBLE_EQ(textToFloat(c.text), c.want) << c.text << " " << c.separator;
    }
}

TEST(VexoConvertTest, Booleans) {
    EXPECT_EQ(boolToText(true), "true");
    EXPECT_EQ(boolToText(false), "false");
    for (const char* yes : {"true", "TRUE", "True", "si", "SI", "s", "S", "sí", "Sí", "SÍ", "yes", "YES"})
        EXPECT_TRUE(textToBool(yes)) << yes;
    for (const char* no : {"", "1", "on", "verdadero", "false", "no", "sí ", "ye", "\xff"})
        EXPECT_FALSE(textToBool(no)) << no;
}

TEST(VexoConvertTest, TextToColor) {
    const struct {
        const char* text;
        int want;
    } cases[] = {
        {"0", 0},
        {"255", 255},
        {"-2147483643", -2147483643},
        {"536870911", 0x1FFFFFFF},
        {"2147483653", static_cast<int>(0x80000005u)}, // system colour written unsigned
        {" 42 ", 42},
        {"+7", 7},
        {"", 0},
        {"abc", 0},
        {"12a", 0},
        {"4294967296", 0},
        {"-2147483649", 0},
        {"0x10", 0},
        {"+-5", 0},
        {"99999999999999999999", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(textToColor(c.text), c.want) << c.text;
}

TEST(VexoConvertTest, QuoteTextEscapesNothing) {
    EXPECT_EQ(quoteText("a\"b"), "\"a\"b\"");
    EXPECT_EQ(quoteText(""), "\"\"");
}

TEST(VexoConvertTest, ReplaceAllAndRemoveChar) {
    const struct {
        const char *find, *repl, *text, *want;
    } replaces[] = {
        {"a", "b", "banana", "bbnbnb"},
        {"ana", "X", "banana", "bXna"},
        {"a", "aa", "banana", "baanaanaa"}, // the inserted text is not scanned again
        {"", "x", "abc", "abc"},
        {"x", "y", "", ""},
        {"ñ", "n", "niño", "nino"},
        {"ab", "", "ababab", ""},
    };
    for (const auto& c : replaces) {
        std::string text = c.text;
        replaceAll(c.find, c.repl, text);
        EXPECT_EQ(text, c.want) << c.find << " -> " << c.repl;
    }

    const struct {
        char32_t c;
        const char *text, *want;
    } removes[] = {
        {U',', "1,234,5", "12345"},   {U'ñ', "ñañá", "aá"}, {U'x', "", ""},
        {U'é', "caf\xe9", "caf\xe9"}, // a Latin-1 byte is not the character
        {0xD800, "abc", "abc"},
    };
    for (const auto& c : removes) {
        std::string text = c.text;
        removeChar(c.c, text);
        EXPECT_EQ(text, c.want) << c.text;
    }
}

TEST(VexoConvertTest, StripAccents) {
    EXPECT_EQ(stripAccents("Canción ÁRBOL niño"), "Cancion ARBOL niño");
    EXPECT_EQ(stripAccents("ÀÁÂÄÈÉÊËÌÍÎÏÒÓÔÖÙÚÛÜàáâäèéêëìíîïòóôöùúûü"),
              "AAAAEEEEIIIIOOOOUUUUaaaaeeeeiiiioooouuuu");
    EXPECT_EQ(stripAccents("ÃÕãõÑñ€"), "ÃÕãõÑñ€");
    EXPECT_EQ(stripAccents("a\xffé\xc3"), "a\xff"
                                          "e\xc3"); // malformed bytes kept
    EXPECT_EQ(stripAccents(""), "");
    EXPECT_EQ(stripAccent(U'Ü'), U'U');
    EXPECT_EQ(stripAccent(U'ñ'), U'ñ');
    EXPECT_EQ(stripAccent(U'x'), U'x');
}

TEST(VexoConvertTest, CharAtReadsAndWritesCharacters) {
    const struct {
        const char* text;
        int i;
        char32_t read, write;
        const char* after;
    } cases[] = {
        {"abc", 1, U'a', U'€', "€bc"},
        {"niño", 3, U'ñ', U'n', "nino"},
        {"nino", 3, U'n', U'ñ', "niño"},
        {"niño", 4, U'o', U'ó', "niñó"},
        {"a\xff"
         "b",
         2, 0xFFFD, U'x', "axb"},
        {"€x", 2, U'x', U'😀', "€😀"},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(static_cast<char32_t>(charAt(text, c.i)), c.read) << c.text;
        charAt(text, c.i) = c.write;
        EXPECT_EQ(text, c.after) << c.text;
    }

    std::string text = "niño";
    charAt(text, 1) = charAt(text, 3);
    EXPECT_EQ(text, "ñiño");
    EXPECT_THROW(charAt(text, 2) = 0xD800, EConvertError);
    EXPECT_THROW(charAt(text, 2) = 0x110000, EConvertError);
    EXPECT_EQ(text, "ñiño");

    std::string empty;
    for (int bad : {0, 5, -1, INT_MIN, INT_MAX})
        EXPECT_THROW(charAt(text, bad), EListError) << bad;
    EXPECT_THROW(charAt(empty, 1), EListError);
}
