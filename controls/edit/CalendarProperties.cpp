#include "controls/edit/CalendarProperties.h"

#include "controls/edit/VexoCalendar.h"
#include "framework/streaming/ClassRegistry.h"
#include "framework/streaming/TClassDecl.h"

namespace vexo {

namespace {

auto colorGetter(int index) {
    return [index](const TVexoCalendar& c) { return c.getXColor(index); };
}
auto colorSetter(int index) {
    return [index](TVexoCalendar& c, TColor color) { c.setXColor(index, color); };
}

void registerCalendar() {
    using C = TVexoCalendar;
    auto decl = RegisterClass<C, TCustomControl>("TVexoCalendar");
    const char* colorNames[C::ColorCount] = {
        "ColorBackground",      "ColorTitleBack", "ColorTitleText",  "ColorDayNames", "ColorDaySelectedBack",
        "ColorDaySelectedText", "ColorDayNormal", "ColorDayNoMonth", "ColorDayHoly"};
    for (int i = 0; i < C::ColorCount; ++i)
        decl.Color(colorNames[i], colorGetter(i), colorSetter(i), C::DefaultColors[i]);
    decl.Event("OnChange", &C::OnChange)
        .Event("OnGetHolidayInfo", &C::OnGetHolidayInfo)
        .Bool("Multiselect", &C::Multiselect, &C::SetMultiselect, false)
        .Publish("TabStop")
        .Default(true)
        .Publish("TabOrder")
        .Publish("Align")
        .Publish("PopupMenu")
        .Publish("Visible")
        .Publish("OnDblClick");
}

} // namespace

void RegisterCalendarClasses() {
    static const bool registered = [] {
        registerCalendar();
        RegisterComponents("VexoControls", {ClassOf<TVexoCalendar>()});
        return true;
    }();
    (void)registered;
}

namespace {
// Programs that read forms name the calendar's class before any calendar exists.
[[maybe_unused]] const bool registeredAtStartUp = (RegisterCalendarClasses(), true);
} // namespace

} // namespace vexo
