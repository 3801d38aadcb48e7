#pragma once
// Saves the process-wide FormatSettings() and restores them when the test ends, so that a test
// may switch separators or names freely. Optionally switches to the "C"-style point settings.
#include "framework/core/FormatSettings.h"

namespace vexo {

class FormatSettingsGuard {
public:
    FormatSettingsGuard() : saved_(FormatSettings()) {}
    ~FormatSettingsGuard() { FormatSettings() = saved_; }
    FormatSettingsGuard(const FormatSettingsGuard&) = delete;
    FormatSettingsGuard& operator=(const FormatSettingsGuard&) = delete;

    // Decimal point and comma grouping (1,234,567.89), dates left as they are.
    static void UseDecimalPoint() {
        FormatSettings().DecimalSeparator = '.';
        FormatSettings().ThousandSeparator = ',';
    }
    // The defaults: decimal comma and point grouping (1.234.567,89).
    static void UseDecimalComma() {
        FormatSettings().DecimalSeparator = ',';
        FormatSettings().ThousandSeparator = '.';
    }

private:
    TFormatSettings saved_;
};

} // namespace vexo
