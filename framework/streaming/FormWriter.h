#pragma once
// Writing a component tree in the framework's textual form format: root, then the components it
// owns nested by parent (non-visual ones directly under root), each with the published
// properties whose values differ from their form-file defaults, in declaration order. Reading the
// result gives the same tree, and writing that again gives the same text.
#include <string>

namespace vexo {

class TComponent;

// EWriteError when a component's class is not registered or a value cannot be written.
std::string WriteComponentText(TComponent* root);

} // namespace vexo
