// Arbitrary bytes as BMP data and as the bitmap property's counted data: only the framework's own
// graphics errors may come out, never a crash or another exception.
#include "framework/graphics/GraphicsExceptions.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TCanvas.h"
#include "tests/fuzz/FuzzGuiApp.h"
#include <cstdint>

using namespace vexo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnsureFuzzGuiApp();
    TBitmap bitmap;
    try {
        bitmap.LoadFromData(data, size);
        // A loaded picture must be usable: draw it transparently onto another bitmap.
        bitmap.SetTransparent(true);
        TBitmap target;
        target.SetSize(8, 8);
        target.Canvas()->StretchDraw(Rect(0, 0, 8, 8), &bitmap);
    } catch (const EInvalidGraphic&) {
    }
    try {
        bitmap.ReadData(data, size);
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
