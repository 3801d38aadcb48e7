#include "values/sArray.h"

#include "framework/core/Exception.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace vexo;

namespace {

std::vector<std::string> items(const sArray& a) {
    std::vector<std::string> out;
    for (int i = 0; i < a.count(); ++i)
        out.push_back(a.get(i));
    return out;
}

using Items = std::vector<std::string>;

} // namespace

TEST(sArrayTest, SplitCutsAtEveryDelimiterCharacter) {
    const struct {
        std::string text, delimiters;
        Items want;
    } cases[] = {
        {"a,b", ",", {"a", "b"}},
        {"a,,b", ",", {"a", "", "b"}},
        {"a,b,", ",", {"a", "b", ""}},
        {",", ",", {"", ""}},
        {"", ",", {}},
        {"abc", ",", {"abc"}},
        {"abc", "", {"abc"}},
        {"a;b,c", ",;", {"a", "b", "c"}},
        {"a·b·", "·", {"a", "b", ""}},
        {"caféx", "é", {"caf", "x"}},
        {"ñ", "é", {"ñ"}},                // shares a lead byte, is another character
        {"a\xff,b", ",", {"a\xff", "b"}}, // malformed bytes stay in the item
        {"a\xff"
         "b",
         "\xff",
         {"a\xff"
          "b"}}, // and never delimit
    };
    for (const auto& c : cases) {
        sArray a;
        a.add("stale");
        a.split(c.text, c.delimiters);
        EXPECT_EQ(items(a), c.want) << c.text;
    }
}

TEST(sArrayTest, Join) {
    const struct {
        Items items;
        const char *separator, *quote, *want;
    } cases[] = {
        {{}, ",", "'", ""},
        {{"a"}, ",", "'", "'a'"},
        {{"a", "b"}, ", ", "\"", "\"a\", \"b\""},
        {{"", ""}, ",", "", ","},
    };
    for (const auto& c : cases) {
        sArray a;
        for (const auto& item : c.items)
            a.add(item);
        EXPECT_EQ(a.join(c.separator, c.quote), c.want);
    }
}

TEST(sArrayTest, ItemOperationsAndBadIndexes) {
    sArray a;
    a.add("x");
    a.add("y");
    a.add("z");
    a.set(1, "Y");
    a.remove(0);
    EXPECT_EQ(items(a), (Items{"Y", "z"}));
    for (int bad : {-1, 2}) {
        EXPECT_THROW(a.get(bad), EStringListError) << bad;
        EXPECT_THROW(a.set(bad, "q"), EStringListError) << bad;
        EXPECT_THROW(a.remove(bad), EStringListError) << bad;
        EXPECT_EQ(items(a), (Items{"Y", "z"})) << bad;
    }
    a.clear();
    EXPECT_EQ(a.count(), 0);
}
