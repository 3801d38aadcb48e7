#include "framework/streaming/ClassRegistry.h"
#include "framework/streaming/FilerErrors.h"
#include "framework/windows/TForm.h"
#include "support/FormTestClasses.h"

#include <gtest/gtest.h>
#include <memory>

using namespace vexo;

using namespace formtest;

namespace {

class PropertyRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterFormTestClasses(); }

    static std::vector<std::string> published(const TClassInfo* info) {
        std::vector<std::string> names;
        for (const auto& b : info->Properties(nullptr))
            names.push_back(b.Info->Name);
        return names;
    }
};

TEST_F(PropertyRegistryTest, PropertiesComeInDeclarationOrderBaseClassesFirst) {
    const std::vector<std::string> widget = published(ClassOf<TTestWidget>());
    EXPECT_EQ(widget, (std::vector<std::string>{"Left", "Caption", "Ratio", "Enabled", "Kind", "Color",
                                                "Tint", "Big", "Limit", "Lines", "Items", "Attrs", "Attr",
                                                "Data", "Computed", "OnClick", "OnRow", "Buddy"}));
    EXPECT_EQ(published(ClassOf<TTestForm>()), widget);
    EXPECT_EQ(published(ClassOf<TTestItem>()),
              (std::vector<std::string>{"Caption", "Width", "Kind", "ReadOnly"}));
}

TEST_F(PropertyRegistryTest, DescendantsPublishWhatTheFrameworkDeclaredForThem) {
    const std::vector<std::string> control = published(ClassOf<TControl>());
    EXPECT_EQ(control, (std::vector<std::string>{"Left", "Top", "Width", "Height", "Cursor"}));
    const std::vector<std::string> form = published(ClassOf<TForm>());
    ASSERT_GE(form.size(), 8u);
    EXPECT_EQ(std::vector<std::string>(form.begin(), form.begin() + 8),
              (std::vector<std::string>{"Left", "Top", "Width", "Height", "Cursor", "BorderIcons",
                                        "BorderStyle", "Caption"}));
    EXPECT_EQ(std::count(form.begin(), form.end(), "Align"), 0);
    // Publishing again keeps the base's place and takes the descendant's storage rule.
    TForm f(nullptr);
    const TInstance inst = InstanceOf(&f);
    const auto width = inst.Class->FindProperty(inst.Ptr, "width");
    ASSERT_NE(width.Info, nullptr);
    ASSERT_TRUE(width.Info->Stored);
    EXPECT_FALSE(width.Info->Stored(width.Self));
    f.SetWidth(333);
    EXPECT_EQ(width.Info->GetOrd(width.Self), 333);
}

TEST_F(PropertyRegistryTest, FindsAndCreatesClassesByName) {
    EXPECT_EQ(FindClass("ttestpanel"), ClassOf<TTestPanel>());
    EXPECT_EQ(FindClass("TNothing"), nullptr);
    std::unique_ptr<TComponent> owner(CreateComponent("TTestForm", nullptr));
    TComponent* timer = CreateComponent("TTestTimer", owner.get());
    EXPECT_NE(dynamic_cast<TTestTimer*>(timer), nullptr);
    EXPECT_EQ(timer->Owner(), owner.get());
    EXPECT_THROW(CreateComponent("TNothing", nullptr), EClassNotFound);
    EXPECT_THROW(CreateComponent("TTestAttrs", nullptr), EFilerError); // registered, but not a component
    EXPECT_THROW(RegisterClass<TTestTimer>("TTestTimer2"), EFilerError);
}

TEST_F(PropertyRegistryTest, AnUnregisteredClassIsSeenAsItsNearestRegisteredBase) {
    struct TLocalPanel : TTestPanel {
        using TTestPanel::TTestPanel;
    };
    TLocalPanel panel(nullptr);
    EXPECT_EQ(ClassInfoOf(&panel), ClassOf<TTestPanel>());
    const TInstance inst = InstanceOf(&panel);
    const auto left = inst.Class->FindProperty(inst.Ptr, "Left");
    left.Info->SetOrd(left.Self, 42);
    EXPECT_EQ(panel.Left, 42);
}

TEST_F(PropertyRegistryTest, PalettePagesListTheirClassesInOrder) {
    RegisterComponents("FormTests", {ClassOf<TTestPanel>(), ClassOf<TTestWidget>()});
    RegisterComponents("FormTests", {ClassOf<TTestTimer>(), ClassOf<TTestPanel>()});
    const auto classes = PaletteClasses("FormTests");
    ASSERT_EQ(classes.size(), 3u);
    EXPECT_EQ(classes[0]->Name(), "TTestPanel");
    EXPECT_EQ(classes[1]->Name(), "TTestWidget");
    EXPECT_EQ(classes[2]->Name(), "TTestTimer");
    const auto pages = PalettePages();
    EXPECT_NE(std::find(pages.begin(), pages.end(), "FormTests"), pages.end());
    EXPECT_TRUE(PaletteClasses("NoSuchPage").empty());
    EXPECT_THROW(RegisterComponents("FormTests", {ClassOf<TTestAttrs>()}), EFilerError);
    EXPECT_EQ(PaletteClasses("FormTests").size(), 3u);
}

} // namespace
