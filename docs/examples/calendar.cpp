// A month calendar with range selection and the application's holidays.
#include "controls/edit/VexoCalendar.h"
#include "framework/core/Exception.h"
#include "framework/windows/TForm.h"

#include <iostream>

using namespace vexo;

void CalendarHolidays() {
    TForm form(nullptr);
    auto* calendar = new TVexoCalendar(&form);
    calendar->SetParent(&form);
    calendar->SetBounds(8, 8, 180, 150);
    calendar->SetMultiselect(true); // drag, or Shift with a click or a key, selects a range

    // Asked for every shown day when a month is built; Sundays are holidays already.
    calendar->OnGetHolidayInfo = [](const sDB_date& day, bool& isHoliday) {
        if (day.day == 6 && day.month == 1) isHoliday = true; // Reyes
    };
    calendar->OnChange = [calendar](TObject*) {
        std::cout << calendar->getStartDate().format("DD/MM/YYYY") << " - "
                  << calendar->getEndDate().format("DD/MM/YYYY") << '\n';
    };

    calendar->setDate(sDB_date(5, 1, 2006));                         // no OnChange: the program moved it
    std::cout << calendar->TitleText() << '\n';                      // enero de 2006
    calendar->change(calendar->locate(sDB_date(12, 1, 2006)), true); // extends the range, OnChange

    try {
        calendar->setDate(sDB_date(31, 2, 2006));
    } catch (const EConvertError& error) { // refused; the calendar is as it was
        std::cout << error.what() << '\n';
    }
}
