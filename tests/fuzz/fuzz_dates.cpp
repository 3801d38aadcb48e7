// Arbitrary bytes as date and time text: parsing, printing, comparing, stepping and formatting must
// never crash, hang or hit undefined behaviour, whatever fields the text produces.
#include "framework/core/Exception.h"
#include "values/sDB_date.h"
#include "values/sDB_time.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace vexo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    sDB_date date;
    date.setText(text);
    const sDB_date parsed = date;
    (void)date.text();
    (void)date.sqlText();
    (void)date.longText();
    (void)date.dayAbbrev();
    (void)date.monthName();
    const int weekDay = date.weekDay();
    if (weekDay < 1 || weekDay > 7) __builtin_trap();
    (void)date.isLessOrEqual(parsed);
    (void)date.dayNumber();
    for (int i = 0; i < 3; ++i) {
        date.nextDay();
        date.nextWeek();
        date.nextMonth();
        date.nextYear();
        date.prevDay();
        date.prevWeek();
        date.prevMonth();
        date.prevYear();
    }
    date.addDays(size > 0 ? data[0] * 100000 : 1);
    date.lastDay();
    date.firstDay();
    try {
        (void)parsed.format("dddd, d 'de' mmmm 'de' yyyy");
    } catch (const EConvertError&) {
    }

    sDB_time time;
    time.setText(text);
    (void)time.text();
    (void)time.sqlQuoted();
    (void)time.minutes();
    try {
        (void)time.format("hh:nn");
    } catch (const EConvertError&) {
    }
    return 0;
}
