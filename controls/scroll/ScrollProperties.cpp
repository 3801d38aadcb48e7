#include "controls/scroll/ScrollProperties.h"

#include "controls/scroll/VexoScroll.h"
#include "framework/streaming/FrameworkProperties.h"
#include "framework/streaming/TClassDecl.h"

namespace vexo {

namespace {

const TEnumInfo& kindNames() {
    static const TEnumInfo e("TScrollBarKind", {"sbHorizontal", "sbVertical"});
    return e;
}
const TEnumInfo& areaNames() {
    static const TEnumInfo e("TVxScrollbarArea", {"saBtnArrowDown", "saBtnArrowUp", "saTrackDown",
                                                  "saTrackUp", "saScroller", "saNone"});
    return e;
}

auto colorGetter(int index) {
    return [index](const TVexoScroll& s) { return s.getColor(index); };
}
auto colorSetter(int index) {
    return [index](TVexoScroll& s, TColor c) { s.setColor(index, c); };
}

// Reading applies the properties in this order. Max comes before Position and Position before
// Min, so a position below Min (SetMin leaves the position where it is) reads back as it was;
// Enabled comes last, and reading it does not move the position.
void registerScroll() {
    RegisterClass<TVexoScroll_base, TGraphicControl>("TVexoScroll_base");
    RegisterClass<TVexoScroll, TVexoScroll_base>("TVexoScroll")
        .Publish("Color")
        .Default(TVexoScroll::DefaultColor)
        .Color("ColorButton", colorGetter(3), colorSetter(3), TVexoScroll::DefaultColorButton)
        .Color("ColorArrow", colorGetter(1), colorSetter(1), TVexoScroll::DefaultColorArrow)
        .Color("ColorBorder", colorGetter(2), colorSetter(2), TVexoScroll::DefaultColorBorder)
        .Bool("MouseInControl", &TVexoScroll::MouseInControl, nullptr, false)
        .NotStored()
        .Bool("MouseIsDown", &TVexoScroll::MouseIsDown, nullptr, false)
        .NotStored()
        .Enum("MouseDownAt", areaNames(), &TVexoScroll::MouseDownAt, nullptr, saNone)
        .NotStored()
        .Event("OnPaint", &TVexoScroll::OnPaint)
        .Event("OnScroll", &TVexoScroll::OnScroll)
        .Enum("Kind", kindNames(), &TVexoScroll::Kind, &TVexoScroll::SetKind, sbVertical)
        .Publish("Align")
        .Int("ButtonWidth", &TVexoScroll::ButtonWidth, &TVexoScroll::SetButtonWidth, 18)
        .Int("LargeChange", &TVexoScroll::LargeChange, &TVexoScroll::SetLargeChange, 5)
        .Int("Max", &TVexoScroll::Max, &TVexoScroll::SetMax, 100)
        .Int("Position", &TVexoScroll::Position, &TVexoScroll::SetPosition, 0)
        .Int("Min", &TVexoScroll::Min, &TVexoScroll::SetMin, 0)
        .Publish("PopupMenu")
        .Int("SmallChange", &TVexoScroll::SmallChange, &TVexoScroll::SetSmallChange, 1)
        .Publish("Visible")
        .Int("ScrollerWidth", &TVexoScroll::ScrollerWidth, &TVexoScroll::SetScrollerWidth, 15)
        .Publish("Enabled")
        .Event("OnChange", &TVexoScroll::OnChange)
        .Event("OnMouseIn", &TVexoScroll::OnMouseIn)
        .Event("OnMouseOut", &TVexoScroll::OnMouseOut)
        .Publish("OnMouseDown")
        .Publish("OnMouseMove")
        .Publish("OnMouseUp");
}

} // namespace

void RegisterScrollClasses() {
    static const bool registered = [] {
        registerScroll();
        RegisterComponents("VexoControls", {ClassOf<TVexoScroll>()});
        return true;
    }();
    (void)registered;
}

namespace {
// Programs that read forms name the bar's class before any bar exists.
[[maybe_unused]] const bool registeredAtStartUp = (RegisterScrollClasses(), true);
} // namespace

} // namespace vexo
