#include "framework/FormatSettings.h"

TFormatSettings& FormatSettings() {
    // Function-local so that conversions run from other static initialisers see initialised settings.
    static TFormatSettings settings;
    return settings;
}
