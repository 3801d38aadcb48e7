#include "framework/core/TCollection.h"

#include "framework/core/Exception.h"
#include "framework/core/TCollectionItem.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace vexo;

namespace {

class Column : public TCollectionItem {
public:
    explicit Column(TCollection* collection = nullptr) : TCollectionItem(collection) {}
    std::string caption;
    void SetCaption(const std::string& text) {
        caption = text;
        Changed();
    }
    void SetWidthForAll() { Changed(true); }
    void Assign(const TPersistent* source) override {
        if (auto* c = dynamic_cast<const Column*>(source)) {
            caption = c->caption;
            return;
        }
        TCollectionItem::Assign(source);
    }
};

// Counts the Update calls and remembers with what item.
class Columns : public TCollection {
public:
    explicit Columns(TPersistent* owner = nullptr) : TCollection(ItemClass<Column>(), owner) {}
    std::vector<TCollectionItem*> updates;
    std::vector<std::string> notes;
    Column* At(int i) const { return static_cast<Column*>(Items(i)); }

protected:
    void Update(TCollectionItem* item) override { updates.push_back(item); }
    void Notify(TCollectionItem* item, TCollectionNotification action) override {
        notes.push_back(std::string(action == cnAdded ? "+" : "-") + std::to_string(item->ID()));
    }
};

std::vector<std::string> captions(const Columns& c) {
    std::vector<std::string> out;
    for (int i = 0; i < c.Count(); ++i)
        out.push_back(c.At(i)->caption);
    return out;
}

} // namespace

TEST(TCollectionTest, ItemsKnowTheirCollectionIndexAndId) {
    Columns cols;
    auto* a = static_cast<Column*>(cols.Add());
    auto* b = static_cast<Column*>(cols.Add());
    auto* c = static_cast<Column*>(cols.Insert(0));
    a->caption = "a", b->caption = "b", c->caption = "c";
    EXPECT_EQ(captions(cols), (std::vector<std::string>{"c", "a", "b"}));
    EXPECT_EQ(a->Collection(), &cols);
    EXPECT_EQ(a->GetOwner(), &cols);
    EXPECT_EQ(c->Index(), 0);
    EXPECT_EQ((std::vector<int>{a->ID(), b->ID(), c->ID()}), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(cols.FindItemID(1), b);
    EXPECT_EQ(cols.FindItemID(7), nullptr);
    b->SetIndex(0);
    EXPECT_EQ(captions(cols), (std::vector<std::string>{"b", "c", "a"}));
    EXPECT_EQ(b->ID(), 1); // reordering keeps the ID
    cols.Delete(1);
    EXPECT_EQ(captions(cols), (std::vector<std::string>{"b", "a"}));
    delete a; // an item deleted on its own leaves the collection
    EXPECT_EQ(captions(cols), (std::vector<std::string>{"b"}));
    EXPECT_EQ(cols.Add()->ID(), 3); // IDs are never reused
}

TEST(TCollectionTest, BadIndexRaisesAndChangesNothing) {
    Columns cols;
    cols.Add();
    cols.Add();
    cols.updates.clear();
    EXPECT_THROW(cols.Items(2), EListError);
    EXPECT_THROW(cols.Items(-1), EListError);
    EXPECT_THROW(cols.Insert(3), EListError);
    EXPECT_THROW(cols.Delete(2), EListError);
    EXPECT_THROW(cols.Items(0)->SetIndex(2), EListError);
    EXPECT_EQ(cols.Count(), 2);
    EXPECT_TRUE(cols.updates.empty());
}

TEST(TCollectionTest, UpdateReportsEveryChange) {
    Columns cols;
    auto* a = static_cast<Column*>(cols.Add());
    auto* b = static_cast<Column*>(cols.Add());
    EXPECT_EQ(cols.updates, (std::vector<TCollectionItem*>{nullptr, nullptr}));
    const struct {
        const char* what;
        std::function<void()> change;
        std::vector<TCollectionItem*> want;
    } cases[] = {
        {"item change", [&] { b->SetCaption("x"); }, {b}},
        {"change for all", [&] { a->SetWidthForAll(); }, {nullptr}},
        {"reorder", [&] { b->SetIndex(0); }, {nullptr}},
        {"same index", [&] { b->SetIndex(0); }, {}},
        {"held back",
         [&] {
             cols.BeginUpdate();
             cols.BeginUpdate();
             a->SetCaption("1");
             cols.Add();
             cols.EndUpdate();
             b->SetCaption("2");
             cols.EndUpdate();
         },
         {nullptr}},
        {"unbalanced EndUpdate", [&] { cols.EndUpdate(); }, {}},
        {"delete", [&] { cols.Delete(2); }, {nullptr}},
        {"clear", [&] { cols.Clear(); }, {nullptr}},
    };
    for (const auto& c : cases) {
        cols.updates.clear();
        c.change();
        EXPECT_EQ(cols.updates, c.want) << c.what;
        EXPECT_EQ(cols.UpdateCount(), 0) << c.what;
    }
}

TEST(TCollectionTest, AssignCopiesItemsAndUpdatesOnce) {
    TPersistent owner;
    Columns from(&owner), to;
    EXPECT_EQ(from.GetOwner(), &owner);
    for (const char* s : {"uno", "dos"})
        static_cast<Column*>(from.Add())->caption = s;
    to.Add();
    to.updates.clear();
    to.Assign(&from);
    EXPECT_EQ(captions(to), (std::vector<std::string>{"uno", "dos"}));
    EXPECT_EQ(to.updates, (std::vector<TCollectionItem*>{nullptr}));
    EXPECT_NE(to.Items(0), from.Items(0));

    // An item class without Assign refuses, and the update count is restored all the same.
    TCollection plain;
    plain.Add();
    EXPECT_THROW(to.Assign(&plain), EConvertError);
    EXPECT_EQ(to.UpdateCount(), 0);
    EXPECT_THROW(to.Assign(&owner), EConvertError);
}

TEST(TCollectionTest, ItemsMoveBetweenCollections) {
    Columns one, two;
    auto* a = one.Add();
    one.notes.clear();
    a->SetCollection(&two);
    EXPECT_EQ(one.Count(), 0);
    EXPECT_EQ(two.Count(), 1);
    EXPECT_EQ(a->Collection(), &two);
    EXPECT_EQ(one.notes, (std::vector<std::string>{"-0"}));
    EXPECT_EQ(two.notes, (std::vector<std::string>{"+0"}));
    a->SetCollection(nullptr);
    EXPECT_EQ(a->Index(), -1);
    delete a;
    // Constructing an item with its collection joins it at the end.
    Column* c = new Column(&two);
    EXPECT_EQ(two.Items(0), c);
}
