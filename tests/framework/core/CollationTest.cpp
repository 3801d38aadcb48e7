#include "framework/core/Collation.h"

#include "framework/core/SysUtils.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace vexo;

namespace {

int sign(int v) {
    return (v > 0) - (v < 0);
}

// A sort's comparison: the keys, and the texts only where the keys tie.
int keyOrder(const std::string& a, const std::string& b) {
    const int r = TextSortKey(a).compare(TextSortKey(b));
    return r != 0 ? r : BreakTextTie(a, b);
}

} // namespace

// Sorts compare keys where single comparisons compare texts: the two must never disagree.
TEST(CollationTest, SortKeysOrderAsAnsiCompareText) {
    // "a\xCC\x81" (a and a combining acute) is "á" to the collator; "a\xff" and "a\xfe"
    // both read as U+FFFD.
    const std::vector<std::string> texts = {
        "",     "a",    "A",  "á",         "Á",     "b",     "ñu", "Ñu", "nu", "oso", "árbol", "barco",
        "casa", "Casa", "ab", "a\xCC\x81", "a\xff", "a\xfe", "1",  "10", "9",  "a b", "a-b",   "ab "};
    for (const std::string& a : texts)
        for (const std::string& b : texts)
            EXPECT_EQ(keyOrder(a, b), sign(AnsiCompareText(a, b))) << '"' << a << "\" \"" << b << '"';
    EXPECT_EQ(keyOrder("casa", "CASA"), 0);
    EXPECT_EQ(TextSortKey("á").compare(TextSortKey("a\xCC\x81")), 0) << "a tie for the collator...";
    EXPECT_NE(keyOrder("á", "a\xCC\x81"), 0) << "...but not the same text";
}
