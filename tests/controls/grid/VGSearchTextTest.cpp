#include "controls/grid/VGSearchText.h"

#include "framework/core/SysUtils.h"
#include "values/VexoConvert.h"

#include <gtest/gtest.h>

#include <string>

using namespace vexo;

// The direct path must agree with the locale's upper-casing followed by accent stripping.
TEST(VGSearchTextTest, AgreesWithTheLocaleRoutines) {
    const std::string texts[] = {
        "",
        "row normal 123",
        "Con cien cañones por banda, viento en popa a toda vela",
        "ÁÉÍÓÚ áéíóú àèìòù äëïöü âêîôû ãõ ñÑ çÇ ýÿ",
        "straße µ ×÷ ÞþðÐ øØ åÅ æÆ",
        "Ελληνικά and ĳ and İı",
        std::string("nul\0byte", 8),
        "bad \xC3 utf8 \xFF\xFE end",
        "overlong \xC0\xAF and truncated \xE2\x82",
        "€ 100",
    };
    for (const std::string& t : texts) {
        std::string fast;
        searchForm(t, fast);
        EXPECT_EQ(fast, stripAccents(AnsiUpperCase(t))) << t;
    }
}
