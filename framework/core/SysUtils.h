#pragma once
// Conversion routines of the framework: numbers, dates and times to and from text, following the
// settings in FormatSettings(), and locale-aware case handling of UTF-8 text. Failures raise
// EConvertError with a message that quotes the offending text.
#include <string>

namespace vexo {

// Days since 30/12/1899, time of day as the fraction, as the framework counts them.
using TDateTime = double;

double
StrToFloat(const std::string& text); // decimal separator from FormatSettings(); blanks around are allowed
bool TryStrToFloat(const std::string& text, double& value);
int StrToInt(const std::string& text); // decimal, or hexadecimal with a leading "$" or "0x"
int StrToIntDef(const std::string& text, int defaultValue);
bool TryStrToInt(const std::string& text, int& value);
std::string IntToStr(int value);
std::string FloatToStr(double value); // shortest text with FormatSettings().DecimalSeparator

// Patterns: 0 (digit), # (optional digit), . (decimal separator), , (thousands grouping),
// E+/E- exponent, quoted literal text, and ";" sections for positive;negative;zero. Rounds half
// away from zero on the value's 15 significant digits (0,125 -> "0,13", 1,005 -> "1,01"); never
// drops integer digits the pattern lacks room for; a negative value that rounds to zero shows no
// sign. An empty pattern (or empty chosen section) gives FloatToStr; infinities and NaN give
// "INF", "-INF" and "NAN".
std::string FormatFloat(const std::string& format, double value);

// Years 1..9999 of the proleptic Gregorian calendar. Decoding or formatting a value outside them
// (or NaN) raises EConvertError.
TDateTime EncodeDate(int year, int month, int day); // EConvertError on an impossible date
TDateTime EncodeTime(int hour, int minute, int second, int msec);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec);
int DayOfWeek(TDateTime value); // 1 = Sunday .. 7 = Saturday
TDateTime Now();
TDateTime Date();

// StrToDate reads day, month and year in the order of ShortDateFormat, separated by DateSeparator;
// a missing year means the current one, two-digit years are windowed (see
// TFormatSettings::TwoDigitYearCenturyWindow). StrToTime reads h[:n[:s[,zzz]]] with TimeSeparator
// (the milliseconds after DecimalSeparator), optionally followed by am/pm.
TDateTime StrToDate(const std::string& text);
TDateTime StrToTime(const std::string& text);
std::string DateToStr(TDateTime value);
std::string TimeToStr(TDateTime value);

// Patterns: d dd ddd dddd m mm mmm mmmm yy yyyy h hh n nn s ss z zzz am/pm ampm c t tt / : and
// quoted literals; "m" right after an "h" (literals in between do not count) means minutes; any
// am/pm marker in the pattern makes every "h" a 12-hour clock. An empty pattern means "c".
std::string FormatDateTime(const std::string& format, TDateTime value);

// Locale-aware case handling of UTF-8 text (accented letters included), Spanish collation order.
// Invalid UTF-8 never fails: each bad sequence is read as U+FFFD, so the case functions return it
// replaced and the comparisons compare the replaced text. Trim removes bytes up to ' '.
std::string AnsiUpperCase(const std::string& text);
std::string AnsiLowerCase(const std::string& text);
int AnsiCompareText(const std::string& a, const std::string& b); // case-insensitive, <0 / 0 / >0
int AnsiCompareStr(const std::string& a, const std::string& b);  // case-sensitive, locale order
bool AnsiSameText(const std::string& a, const std::string& b);
std::string Trim(const std::string& text);

} // namespace vexo
