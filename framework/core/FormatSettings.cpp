#include "framework/core/FormatSettings.h"

namespace vexo {

TFormatSettings& FormatSettings() {
    // Function-local so that conversions run from other static initialisers see initialised settings.
    static TFormatSettings settings;
    return settings;
}

} // namespace vexo
