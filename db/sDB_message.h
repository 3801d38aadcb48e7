#pragma once
// How the data layer reports a failure: a modal message box with an OK button and no icon, through
// the application's message box (so a test's presenter records it instead). The layer never raises;
// after the box is closed the operation ends with an empty or unchanged result.
#include <string>

namespace vexo {

void sDB_message(const std::string& text, const std::string& caption);

// The report of an operation that found no connection to run on.
void sDB_messageNoConnection();

} // namespace vexo
