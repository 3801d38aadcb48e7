// Arbitrary bytes as BMP data and as the bitmap property's counted data: only the framework's own
// graphics errors may come out, never a crash or another exception.
#include "framework/graphics/GraphicsExceptions.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TCanvas.h"
#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>

using namespace vexo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QGuiApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "fuzz_bitmap";
        static char* argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
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
