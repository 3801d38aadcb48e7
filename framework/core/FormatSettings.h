#pragma once
// The process-wide number and date conventions the conversion routines read, as the framework keeps
// them. The defaults are the Spanish ones: decimal comma, "." between thousands, day/month/year.
#include <string>

namespace vexo {

struct TFormatSettings {
    char DecimalSeparator = ',';
    char ThousandSeparator = '.';
    char DateSeparator = '/';
    char TimeSeparator = ':';
    std::string ShortDateFormat = "dd/mm/yyyy";
    std::string LongDateFormat = "dddd, d' de 'mmmm' de 'yyyy";
    std::string ShortTimeFormat = "hh:nn";
    std::string LongTimeFormat = "hh:nn:ss";
    // A two-digit year read by StrToDate lands in the century that puts it no more than this many
    // years before the current year (with 50 in 2026: "76" is 1976, "75" is 2075). 0 disables the
    // window: the year then joins the current century.
    int TwoDigitYearCenturyWindow = 50;
    std::string TimeAMString = "a. m.";
    std::string TimePMString = "p. m.";
    std::string ShortMonthNames[12] = {"ene", "feb", "mar", "abr", "may", "jun",
                                       "jul", "ago", "sep", "oct", "nov", "dic"};
    std::string LongMonthNames[12] = {"enero", "febrero", "marzo",      "abril",   "mayo",      "junio",
                                      "julio", "agosto",  "septiembre", "octubre", "noviembre", "diciembre"};
    // Sunday first, as the framework indexes them.
    std::string ShortDayNames[7] = {"dom", "lun", "mar", "mié", "jue", "vie", "sáb"};
    std::string LongDayNames[7] = {"domingo", "lunes", "martes", "miércoles", "jueves", "viernes", "sábado"};
};

// The settings in force. Tests that change them restore them (see FormatSettingsGuard in tests).
TFormatSettings& FormatSettings();

} // namespace vexo
