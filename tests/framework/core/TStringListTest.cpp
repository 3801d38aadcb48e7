#include "framework/core/TStringList.h"

#include "framework/core/Exception.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

using namespace vexo;

using Lines = std::vector<std::string>;

TEST(TStringListTest, EditsAndSearch) {
    TStringList list;
    EXPECT_EQ(list.Add("uno"), 0);
    EXPECT_EQ(list.Add("Canción"), 1);
    list.Insert(0, "cero");
    list.Insert(3, "tres");
    list.Put(3, "TRES");
    list.Exchange(0, 1);
    EXPECT_EQ(list.items(), (Lines{"uno", "cero", "Canción", "TRES"}));
    list.Delete(1);
    EXPECT_EQ(list.items(), (Lines{"uno", "Canción", "TRES"}));
    // IndexOf ignores case, accented letters included.
    EXPECT_EQ(list.IndexOf("CANCIÓN"), 1);
    EXPECT_EQ(list.IndexOf("tres"), 2);
    EXPECT_EQ(list.IndexOf("cancion"), -1);
    EXPECT_EQ(list.IndexOf(""), -1);

    TStringList copy;
    copy.Add("old");
    copy.Assign(list);
    EXPECT_EQ(copy.items(), list.items());
    copy.Assign(copy);
    EXPECT_EQ(copy.Count(), 3);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(TStringListTest, BadIndexRaisesAndLeavesListUnchanged) {
    const std::vector<std::pair<const char*, std::function<void(TStringList&)>>> cases = {
        {"Get -1", [](TStringList& l) { l.Get(-1); }},
        {"Get Count", [](TStringList& l) { l.Get(2); }},
        {"Put Count", [](TStringList& l) { l.Put(2, "x"); }},
        {"Insert Count+1", [](TStringList& l) { l.Insert(3, "x"); }},
        {"Delete -1", [](TStringList& l) { l.Delete(-1); }},
        {"Exchange bad", [](TStringList& l) { l.Exchange(0, 2); }},
    };
    for (const auto& [name, op] : cases) {
        TStringList list;
        list.Add("a");
        list.Add("b");
        EXPECT_THROW(op(list), EStringListError) << name;
        EXPECT_EQ(list.items(), (Lines{"a", "b"})) << name;
    }
    TStringList list;
    try {
        list.Get(5);
        FAIL() << "no exception";
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message, "Índice de lista fuera de rango (5)");
    }
}

TEST(TStringListTest, TextSplitsAtEveryLineBreak) {
    const struct {
        std::string text;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"a\n\nb\n", {"a", "", "b"}},
        {"\n", {""}},
        {"a\r\n\r\n", {"a", ""}},
        {"a\n\r", {"a", ""}},
    };
    for (const auto& c : cases) {
        TStringList list;
        list.Add("replaced");
        list.SetText(c.text);
        EXPECT_EQ(list.items(), c.lines) << c.text;
    }
    TStringList list;
    list.SetText("x\r\ny\r\n");
    EXPECT_EQ(list.GetText(), "x\ny\n");
    list.Clear();
    EXPECT_EQ(list.GetText(), "");
}

TEST(TStringListTest, OnChangeRunsOncePerChangeAndNotForRefusedOnes) {
    struct Case {
        const char* what;
        std::function<void(TStringList&)> change;
        int expected;
    } cases[] = {
        {"Add", [](TStringList& l) { l.Add("x"); }, 1},
        {"Insert", [](TStringList& l) { l.Insert(1, "x"); }, 1},
        {"Put", [](TStringList& l) { l.Put(0, "x"); }, 1},
        {"Delete", [](TStringList& l) { l.Delete(0); }, 1},
        {"Exchange", [](TStringList& l) { l.Exchange(0, 1); }, 1},
        {"Clear", [](TStringList& l) { l.Clear(); }, 1},
        {"SetText", [](TStringList& l) { l.SetText("p\nq\n"); }, 1},
        {"Assign",
         [](TStringList& l) {
             TStringList other;
             other.Add("z");
             l.Assign(other);
         },
         1},
        {"bad Delete", [](TStringList& l) { EXPECT_THROW(l.Delete(9), EStringListError); }, 0},
        {"bad Put", [](TStringList& l) { EXPECT_THROW(l.Put(-1, "x"), EStringListError); }, 0},
        {"bad Insert", [](TStringList& l) { EXPECT_THROW(l.Insert(5, "x"), EStringListError); }, 0},
        {"reads", [](TStringList& l) { (void)l.IndexOf("a"), (void)l.GetText(); }, 0},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.SetText("a\nb\n");
        int changes = 0;
        list.OnChange = [&changes] { ++changes; };
        c.change(list);
        EXPECT_EQ(changes, c.expected) << c.what;
    }
}
