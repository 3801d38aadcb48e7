// Arbitrary bytes as JPEG data: only the framework's own graphics error may come out, never a
// crash or another exception, and a failed load leaves the picture as it was.
#include "framework/graphics/GraphicsExceptions.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TCanvas.h"
#include "framework/graphics/TJPEGImage.h"
#include "tests/fuzz/FuzzGuiApp.h"

#include <cstdint>
#include <cstdlib>

using namespace vexo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnsureFuzzGuiApp();
    TJPEGImage jpeg;
    try {
        jpeg.LoadFromData(data, size);
        TBitmap target;
        target.SetSize(8, 8);
        target.Canvas()->StretchDraw(Rect(0, 0, 8, 8), &jpeg);
    } catch (const EInvalidGraphic&) {
        if (!jpeg.Empty()) std::abort();
    }
    return 0;
}
