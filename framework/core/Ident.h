#pragma once
// Identifiers as the framework's names use them (component names, class, property and method
// names in form files): ASCII letters, digits and '_', not starting with a digit, compared without
// regard to ASCII case.
#include <string_view>

namespace vexo {

bool IsIdent(std::string_view s);
// Names are identifiers, so ASCII case folding is the whole story.
bool SameIdent(std::string_view a, std::string_view b);

} // namespace vexo
