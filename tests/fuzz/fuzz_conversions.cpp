// Feeds arbitrary bytes to the text conversions. Only the framework's own errors may come out:
// anything else (another exception, a crash, a sanitizer report) is a fault.
#include "framework/core/Exception.h"
#include "framework/core/FormatSettings.h"
#include "framework/core/SysUtils.h"

#include <cstdint>
#include <cstring>
#include <string>

using namespace vexo;

namespace {

template <class Fn> void guarded(Fn fn) {
    try {
        fn();
    } catch (const EConvertError&) {
    } catch (const Exception&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // The first byte picks the conventions, so that both separators and every field order are
    // exercised; the rest is the text.
    TFormatSettings& fs = FormatSettings();
    const TFormatSettings saved = fs;
    const uint8_t mode = data[0];
    fs.DecimalSeparator = (mode & 1) ? '.' : ',';
    fs.ThousandSeparator = (mode & 1) ? ',' : '.';
    static const char* const orders[] = {"dd/mm/yyyy", "mm/dd/yyyy", "yyyy/mm/dd", "c"};
    fs.ShortDateFormat = orders[(mode >> 1) & 3];
    fs.DateSeparator = (mode & 8) ? '-' : '/';
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    double number = 0;
    if (size >= 9) std::memcpy(&number, data + 1, sizeof number);

    guarded([&] { (void)StrToFloat(text); });
    guarded([&] { (void)StrToInt(text); });
    guarded([&] { (void)StrToIntDef(text, 0); });
    guarded([&] { (void)StrToDate(text); });
    guarded([&] { (void)StrToTime(text); });
    guarded([&] { (void)FormatFloat(text, 1234567.891); });
    guarded([&] { (void)FormatFloat(text, -0.005); });
    guarded([&] { (void)FormatFloat(text, number); });
    guarded([&] { (void)FormatFloat("#,##0.00;(0.00E+00)", number); });
    guarded([&] { (void)FloatToStr(number); });
    guarded([&] { (void)FormatDateTime(text, 45357.58844); });
    guarded([&] { (void)FormatDateTime("c dddd mmmm am/pm", number); });
    guarded([&] { (void)AnsiUpperCase(text); });
    guarded([&] { (void)AnsiLowerCase(text); });
    guarded([&] { (void)AnsiCompareText(text, "ñandú"); });
    guarded([&] { (void)AnsiCompareStr(text, "Ñandú"); });
    fs = saved;
    return 0;
}
