#include "framework/core/TComponent.h"

#include "framework/core/Exception.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace vexo;

namespace {

// Records what it is told and when it dies, into a log shared by the test.
class Probe : public TComponent {
public:
    Probe(TComponent* owner, std::string tag, std::vector<std::string>& log)
        : TComponent(owner), tag_(std::move(tag)), log_(log) {}
    ~Probe() override { log_.push_back("~" + tag_); }

    TComponent* watched = nullptr; // a reference that must be dropped when it dies
    void Loaded() override {
        TComponent::Loaded();
        log_.push_back("loaded " + tag_);
    }

protected:
    void Notification(TComponent* component, TOperation operation) override {
        if (operation == opRemove && component == watched) watched = nullptr;
        log_.push_back(tag_ + (operation == opInsert ? " +" : " -") + componentTag(component));
        TComponent::Notification(component, operation);
    }

private:
    // Only the address is safe to use: the component may be half destroyed.
    std::string componentTag(TComponent* c) const { return c == this ? "self" : c->Name(); }
    std::string tag_;
    std::vector<std::string>& log_;
};

using Log = std::vector<std::string>;

} // namespace

TEST(TComponentTest, OwnerDestroysItsComponentsLastFirst) {
    Log log;
    auto* form = new Probe(nullptr, "form", log);
    auto* a = new Probe(form, "a", log);
    auto* b = new Probe(form, "b", log);
    new Probe(a, "a1", log);
    EXPECT_EQ(form->ComponentCount(), 2);
    EXPECT_EQ(form->Components(0), a);
    EXPECT_EQ(form->Components(1), b);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_EQ(form->ComponentIndex(), -1);
    EXPECT_THROW(form->Components(2), EListError);
    log.clear();
    delete form;
    // The derived destructor of each component runs before its base class destroys what it owns.
    const Log destroyed = [&] {
        Log only;
        for (const auto& e : log)
            if (e[0] == '~') only.push_back(e);
        return only;
    }();
    EXPECT_EQ(destroyed, (Log{"~form", "~b", "~a", "~a1"}));
}

TEST(TComponentTest, DeletedComponentLeavesItsOwner) {
    Log log;
    Probe form(nullptr, "form", log);
    auto* a = new Probe(&form, "a", log);
    auto* b = new Probe(&form, "b", log);
    a->SetName("Alpha");
    b->SetName("Beta");
    delete a;
    ASSERT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(form.Components(0), b);
    EXPECT_EQ(form.FindComponent("alpha"), nullptr);
    // form's destructor must not delete a again (the sanitizer build would catch it).
}

TEST(TComponentTest, OwnerAndSiblingsAreToldOfInsertAndRemove) {
    Log log;
    Probe form(nullptr, "form", log);
    auto* a = new Probe(&form, "a", log);
    a->SetName("A");
    auto* b = new Probe(&form, "b", log);
    b->SetName("B");
    log.clear();
    auto* c = new Probe(nullptr, "c", log);
    c->SetName("C");
    form.InsertComponent(c);
    // The owner hears first, then passes the news to what it owns, the newest first.
    EXPECT_EQ(log, (Log{"form +C", "c +self", "b +C", "a +C"}));
    log.clear();
    delete b;
    EXPECT_EQ(log, (Log{"~b", "form -B", "c -B", "a -B"}));
    log.clear();
    form.RemoveComponent(c);
    EXPECT_EQ(c->Owner(), nullptr);
    EXPECT_EQ(form.ComponentCount(), 1);
    delete c;
}

TEST(TComponentTest, FreeNotificationDropsReferencesAcrossOwners) {
    Log log;
    auto* form1 = new Probe(nullptr, "form1", log);
    auto* form2 = new Probe(nullptr, "form2", log);
    auto* grid = new Probe(form1, "grid", log);
    auto* source = new Probe(form2, "source", log);
    auto* sibling = new Probe(form2, "sibling", log);
    grid->watched = source;
    sibling->watched = source;
    source->FreeNotification(grid);
    source->FreeNotification(grid); // linking twice tells once
    source->FreeNotification(sibling);
    delete source;
    EXPECT_EQ(grid->watched, nullptr);
    EXPECT_EQ(sibling->watched, nullptr);
    // Each is told exactly once, even the sibling that the owner tells anyway.
    EXPECT_EQ(std::count(log.begin(), log.end(), "grid -"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "sibling -"), 1);

    // Unlinked components are not told, and a destroyed one leaves no dangling link behind.
    auto* other = new Probe(form2, "other", log);
    grid->watched = other;
    other->FreeNotification(grid);
    other->RemoveFreeNotification(grid);
    delete other;
    EXPECT_EQ(grid->watched, other);
    auto* linked = new Probe(nullptr, "linked", log);
    linked->FreeNotification(grid);
    delete grid;   // linked must forget grid...
    delete linked; // ...or this would tell a destroyed component
    delete form1;
    delete form2;
}

TEST(TComponentTest, StateDuringDesignLoadAndDestruction) {
    Log log;
    struct Spy : TComponent {
        using TComponent::TComponent;
        bool* sawDestroying = nullptr;
        ~Spy() override { *sawDestroying = ComponentState().Contains(csDestroying); }
    };
    bool ownedSawIt = false;
    {
        Probe form(nullptr, "form", log);
        form.SetDesigning(true);
        auto* spy = new Spy(&form);
        spy->sawDestroying = &ownedSawIt;
        EXPECT_TRUE(spy->ComponentState().Contains(csDesigning)); // inherited from the owner
        form.Loading();
        EXPECT_TRUE(form.ComponentState().Contains(csLoading));
        form.Loaded();
        EXPECT_FALSE(form.ComponentState().Contains(csLoading));
        EXPECT_TRUE(form.ComponentState().Contains(csDesigning));
        form.SetDesigning(false);
        EXPECT_TRUE(spy->ComponentState().Empty());
    }
    EXPECT_TRUE(ownedSawIt);
}

TEST(TComponentTest, NamesAreIdentifiersUniqueWithinTheOwner) {
    Log log;
    Probe form(nullptr, "form", log);
    auto* a = new Probe(&form, "a", log);
    auto* b = new Probe(&form, "b", log);
    a->SetName("Grid1");
    EXPECT_EQ(form.FindComponent("GRID1"), a);
    const std::string invalid[] = {"1abc", "a b", "a-b", "sí", " x", "a.b"};
    for (const auto& n : invalid) {
        EXPECT_THROW(b->SetName(n), Exception) << n;
        EXPECT_EQ(b->Name(), "") << n;
    }
    EXPECT_THROW(b->SetName("grid1"), Exception); // case-insensitive clash
    b->SetName("_Grid_2");
    EXPECT_EQ(b->Name(), "_Grid_2");
    a->SetName("grid1"); // renaming itself is no clash
    a->SetName("");
    EXPECT_EQ(form.FindComponent(""), nullptr);

    // A named component cannot join an owner that already has that name; nothing changes.
    Probe other(nullptr, "other", log);
    auto* clash = new Probe(&other, "clash", log);
    clash->SetName("_grid_2");
    EXPECT_THROW(form.InsertComponent(clash), Exception);
    EXPECT_EQ(clash->Owner(), &other);
    EXPECT_EQ(form.ComponentCount(), 2);
}

TEST(TComponentTest, ClassNameAndAssign) {
    Log log;
    Probe a(nullptr, "a", log), b(nullptr, "b", log);
    EXPECT_EQ(a.ClassName(), "(anonymous namespace)::Probe");
    TComponent plain;
    EXPECT_EQ(plain.ClassName(), "TComponent");
    try {
        plain.Assign(&a);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "Cannot assign a (anonymous namespace)::Probe to a TComponent");
    }
    EXPECT_THROW(plain.Assign(nullptr), EConvertError);
}
