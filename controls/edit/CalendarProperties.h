#pragma once

namespace vexo {
// The published properties of the month calendar and its place on the component palette.

// Declares the class and registers TVexoCalendar on the "VexoControls" palette page. Runs once, at
// start-up; later calls do nothing. The calendar's constructor calls it too, which keeps this file
// linked into every program that uses the calendar.
void RegisterCalendarClasses();

} // namespace vexo
