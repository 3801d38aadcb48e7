#include "framework/graphics/TGraphic.h"

#include "framework/graphics/GraphicsExceptions.h"

#include <fstream>

namespace vexo {

void TGraphic::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    Changed();
}

void TGraphic::LoadFromFile(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw EInvalidGraphic("Cannot open file \"" + fileName + "\"");
    LoadFromStream(in);
}

void TGraphic::SaveToFile(const std::string& fileName) const {
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    if (!out) throw EInvalidGraphic("Cannot create file \"" + fileName + "\"");
    SaveToStream(out);
    out.flush();
    if (!out) throw EInvalidGraphic("Cannot write file \"" + fileName + "\"");
}

} // namespace vexo
