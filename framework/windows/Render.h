#pragma once
// Pictures of controls without a screen: a windowed control or form drawn into an image exactly as
// it would show, whether or not it is shown, and saved as PNG.
#include <QImage>
#include <string>

namespace vexo {

class TWinControl;

// Creates the window if needed and paints it with its children. A control of zero size gives a null image.
QImage RenderToImage(TWinControl* control);
// False when the picture is empty or the file cannot be written.
bool SaveToPng(TWinControl* control, const std::string& path);

} // namespace vexo
