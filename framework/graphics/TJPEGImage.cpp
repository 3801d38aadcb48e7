#include "framework/graphics/TJPEGImage.h"

#include "framework/core/ScopeGuard.h"
#include "framework/graphics/GraphicsExceptions.h"
#include "framework/graphics/TCanvas.h"
#include "framework/graphics/TDeviceContext_p.h"

#include <turbojpeg.h>

#include <istream>
#include <iterator>
#include <ostream>
#include <string>
#include <utility>

namespace vexo {

namespace {

// One TurboJPEG handle for one call, destroyed on every way out.
struct TjHandle {
    explicit TjHandle(tjhandle h) : handle(h) {
        if (handle == nullptr) throw EInvalidGraphic(std::string("JPEG: ") + tjGetErrorStr2(nullptr));
    }
    ~TjHandle() { tjDestroy(handle); }
    TjHandle(const TjHandle&) = delete;
    TjHandle& operator=(const TjHandle&) = delete;
    std::string error() const { return tjGetErrorStr2(handle); }
    tjhandle handle;
};

} // namespace

void TJPEGImage::LoadFromData(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size == 0) throw EInvalidGraphic("Los datos JPEG están vacíos");
    if (size > 0xFFFFFFFFu) throw EInvalidGraphic("Los datos JPEG son demasiado grandes");
    const TjHandle tj(tjInitDecompress());
    const auto length = static_cast<unsigned long>(size);
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    if (tjDecompressHeader3(tj.handle, data, length, &width, &height, &subsampling, &colorspace) != 0)
        throw EInvalidGraphic("Los datos JPEG no son válidos: " + tj.error());
    // A file that ends before its frame header passes the header call with a zero size.
    if (width <= 0 || height <= 0) throw EInvalidGraphic("Los datos JPEG no tienen tamaño de imagen");
    if (static_cast<long long>(width) * height > MaxPixels)
        throw EInvalidGraphic("La imagen JPEG es demasiado grande (" + std::to_string(width) + " x " +
                              std::to_string(height) + " píxeles)");
    QImage decoded(width, height, QImage::Format_RGB32);
    if (decoded.isNull()) throw EInvalidGraphic("No hay memoria para la imagen JPEG");
    // RGB32 is 0xffRRGGBB in memory order B, G, R, X on little-endian machines: TJPF_BGRX writes it
    // in place. A warning (truncated or corrupt data) stops the decoding and counts as an error.
    if (tjDecompress2(tj.handle, data, length, decoded.bits(), width,
                      static_cast<int>(decoded.bytesPerLine()), height, TJPF_BGRX, TJFLAG_STOPONWARNING) != 0)
        throw EInvalidGraphic("Los datos JPEG no son válidos: " + tj.error());
    image_ = std::move(decoded);
    Changed();
}

void TJPEGImage::LoadFromStream(std::istream& stream) {
    const std::string data{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    LoadFromData(data);
}

void TJPEGImage::SaveToStream(std::ostream& stream) const {
    if (Empty()) return;
    const TjHandle tj(tjInitCompress());
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    const ScopeGuard freeOut([&out] { tjFree(out); });
    if (tjCompress2(tj.handle, image_.constBits(), image_.width(), static_cast<int>(image_.bytesPerLine()),
                    image_.height(), TJPF_BGRX, &out, &outSize, TJSAMP_420, 90, 0) != 0)
        throw EInvalidGraphic("No se puede escribir la imagen JPEG: " + tj.error());
    stream.write(reinterpret_cast<const char*>(out), static_cast<std::streamsize>(outSize));
}

void TJPEGImage::Draw(TCanvas& canvas, const TRect& rect) {
    if (Empty()) return;
    canvas.Handle()->DrawImage(rect, image_, TRect{0, 0, Width(), Height()});
}

} // namespace vexo
