// A property whose declared default differs from what a fresh control holds would be left out of
// a form file while it has the fresh value, and read back as something else. Every control on the
// palette, made fresh, must hold the declared default of every stored property.
#include "framework/streaming/ClassRegistry.h"
#include "framework/windows/TControl.h"
#include "framework/windows/TForm.h"

#include <gtest/gtest.h>

#include <string>

using namespace vexo;

namespace {

bool ordinal(TPropKind kind) {
    return kind == TPropKind::Integer || kind == TPropKind::Boolean || kind == TPropKind::Enumeration ||
           kind == TPropKind::Set || kind == TPropKind::Color;
}

} // namespace

TEST(PublishedDefaultsTest, FreshControlsHoldTheirDeclaredDefaults) {
    int checked = 0;
    for (const std::string& page : PalettePages()) {
        for (const TClassInfo* info : PaletteClasses(page)) {
            TForm form(nullptr);
            TComponent* fresh = info->Create(&form);
            if (auto* control = dynamic_cast<TControl*>(fresh)) control->SetParent(&form);
            for (const TClassInfo::TBoundProp& prop : info->Properties(info->Cast(fresh))) {
                const TPropInfo& p = *prop.Info;
                // TabOrder is the control's place among its siblings, written whatever its default.
                if (!p.HasDefault || (p.Stored && !p.Stored(prop.Self)) || p.Name == "TabOrder") continue;
                ++checked;
                const std::string name = info->Name() + "." + p.Name;
                if (ordinal(p.Kind) && p.GetOrd) {
                    EXPECT_EQ(p.GetOrd(prop.Self), p.DefaultOrd) << name;
                } else if (p.Kind == TPropKind::String && p.GetStr) {
                    EXPECT_EQ(p.GetStr(prop.Self), p.DefaultStr) << name;
                } else if (p.Kind == TPropKind::Float && p.GetFloat) {
                    EXPECT_EQ(p.GetFloat(prop.Self), p.DefaultFloat) << name;
                }
            }
        }
    }
    EXPECT_GT(checked, 100);
}
