#include "framework/graphics/TBitmap.h"

#include "framework/graphics/GraphicsExceptions.h"
#include "framework/graphics/SysColors.h"
#include "framework/graphics/TCanvas.h"
#include "framework/graphics/TDeviceContext_p.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QPainter>
#include <istream>
#include <iterator>
#include <ostream>
#include <sstream>

namespace vexo {

namespace {

// Pictures beyond this many pixels are refused rather than allocated (a header can claim anything).
constexpr long long kMaxPixels = 1LL << 26;

std::uint32_t u32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t u16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

struct BmpInfo {
    int bitCount = 0;
};

// Checks what Qt's reader would otherwise guess about or fill in silently.
BmpInfo checkBmp(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size < 26) throw EInvalidGraphic("Bitmap data is empty or truncated");
    if (data[0] != 'B' || data[1] != 'M') throw EInvalidGraphic("Bitmap data does not start with \"BM\"");
    const std::uint32_t offBits = u32(data + 10);
    const std::uint32_t headerSize = u32(data + 14);
    long long width = 0;
    long long height = 0;
    int planes = 0;
    int bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    int paletteEntrySize = 4;
    if (headerSize == 12) {
        width = u16(data + 18);
        height = u16(data + 20);
        planes = u16(data + 22);
        bitCount = u16(data + 24);
        paletteEntrySize = 3;
    } else if (headerSize >= 40 && headerSize <= 124) {
        if (size < 14 + 40) throw EInvalidGraphic("Bitmap header is truncated");
        width = static_cast<std::int32_t>(u32(data + 18));
        height = static_cast<std::int32_t>(u32(data + 22));
        planes = u16(data + 26);
        bitCount = u16(data + 28);
        compression = u32(data + 30);
        colorsUsed = u32(data + 46);
    } else {
        throw EInvalidGraphic("Bitmap header has an unknown size");
    }
    if (height < 0) height = -height;
    if (width <= 0 || height <= 0 || width > 32767 || height > 32767 || width * height > kMaxPixels)
        throw EInvalidGraphic("Bitmap size is invalid");
    if (planes != 1) throw EInvalidGraphic("Bitmap has an invalid plane count");
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        throw EInvalidGraphic("Bitmap has an unsupported colour depth");
    const bool rle = compression == 1 || compression == 2;
    if (compression > 3 || (compression == 1 && bitCount != 8) || (compression == 2 && bitCount != 4) ||
        (compression == 3 && bitCount != 16 && bitCount != 32))
        throw EInvalidGraphic("Bitmap has an unsupported compression");
    if (bitCount <= 8) {
        const std::uint32_t maxColors = 1u << bitCount;
        if (colorsUsed > maxColors) throw EInvalidGraphic("Bitmap palette is too large");
        const std::uint32_t entries = colorsUsed == 0 ? maxColors : colorsUsed;
        if (14ull + headerSize + static_cast<unsigned long long>(entries) * paletteEntrySize > size)
            throw EInvalidGraphic("Bitmap palette is truncated");
    }
    if (offBits < 14 + headerSize || offBits >= size) throw EInvalidGraphic("Bitmap pixel data is missing");
    if (!rle) {
        const unsigned long long stride = ((static_cast<unsigned long long>(width) * bitCount + 31) / 32) * 4;
        if (offBits + stride * static_cast<unsigned long long>(height) > size)
            throw EInvalidGraphic("Bitmap pixel data is truncated");
    }
    return BmpInfo{bitCount};
}

TPixelFormat formatForBits(int bits) {
    switch (bits) {
    case 1:
        return pf1bit;
    case 4:
        return pf4bit;
    case 8:
        return pf8bit;
    case 16:
        return pf16bit;
    case 24:
        return pf24bit;
    case 32:
        return pf32bit;
    default:
        return pfCustom;
    }
}

} // namespace

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
    // The canvas may hold the context; it goes first, then the painter closes.
    canvas_.reset();
    dc_.reset();
}

void TBitmap::FreeImage() {
    if (dc_) dc_->Release();
}

TCanvas* TBitmap::Canvas() {
    if (!canvas_) {
        if (image_.isNull()) image_ = QImage(0, 0, QImage::Format_RGB32);
        dc_ = std::make_unique<TDeviceContext>(&image_);
        canvas_ = std::make_unique<TCanvas>();
        canvas_->SetHandle(dc_.get());
    }
    return canvas_.get();
}

const QImage& TBitmap::Image() {
    FreeImage();
    return image_;
}

void TBitmap::SetImage(const QImage& image) {
    FreeImage();
    image_ = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
    if (canvas_) canvas_->Refresh();
    Changed();
}

void TBitmap::Assign(const TBitmap& source) {
    if (&source == this) return;
    FreeImage();
    if (source.dc_) source.dc_->Release();
    image_ = source.image_.copy();
    pixelFormat_ = source.pixelFormat_;
    palette_ = source.palette_;
    transparentMode_ = source.transparentMode_;
    transparentColor_ = source.transparentColor_;
    SetTransparent(source.Transparent());
    Changed();
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == Width() && height == Height()) return;
    if (static_cast<long long>(width) * height > kMaxPixels)
        throw EInvalidGraphicOperation("Bitmap size is too large");
    FreeImage();
    QImage resized(width, height, QImage::Format_RGB32);
    if (width > 0 && height > 0) {
        resized.fill(Qt::white);
        if (!image_.isNull() && !image_.size().isEmpty()) {
            QPainter p(&resized);
            p.drawImage(0, 0, image_);
        }
    }
    image_ = resized;
    Changed();
}

TColor TBitmap::TransparentColor() const {
    if (transparentMode_ == tmFixed) return transparentColor_;
    if (Empty()) return clNone;
    if (dc_) dc_->Release();
    return QColorToColor(image_.pixelColor(0, image_.height() - 1));
}

void TBitmap::SetTransparentColor(TColor value) {
    transparentColor_ = value;
    transparentMode_ = tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode value) {
    if (value == transparentMode_) return;
    transparentMode_ = value;
    Changed();
}

void TBitmap::LoadFromData(const std::uint8_t* data, std::size_t size) {
    const BmpInfo info = checkBmp(data, size);
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "BMP");
    QImage loaded = reader.read();
    if (loaded.isNull())
        throw EInvalidGraphic("Bitmap image is not valid: " + reader.errorString().toStdString());
    std::vector<TColor> palette;
    for (QRgb c : loaded.colorTable())
        palette.push_back(RGB(qRed(c), qGreen(c), qBlue(c)));
    FreeImage();
    image_ = loaded.convertToFormat(QImage::Format_RGB32);
    pixelFormat_ = formatForBits(info.bitCount);
    palette_ = std::move(palette);
    if (canvas_) canvas_->Refresh();
    Changed();
}

void TBitmap::LoadFromStream(std::istream& stream) {
    const std::string data{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    LoadFromData(data);
}

void TBitmap::SaveToStream(std::ostream& stream) const {
    if (dc_) dc_->Release();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QImage out =
        image_.isNull() ? QImage(0, 0, QImage::Format_RGB888) : image_.convertToFormat(QImage::Format_RGB888);
    if (!out.isNull() && !out.save(&buffer, "BMP")) throw EInvalidGraphic("Bitmap could not be written");
    stream.write(bytes.constData(), bytes.size());
}

void TBitmap::ReadData(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size < 4) throw EInvalidGraphic("Bitmap data has no byte count");
    const std::uint32_t count = u32(data);
    if (count > size - 4) throw EInvalidGraphic("Bitmap data is shorter than its byte count");
    LoadFromData(data + 4, count);
}

std::string TBitmap::WriteData() const {
    std::ostringstream bmp;
    SaveToStream(bmp);
    const std::string file = bmp.str();
    const auto n = static_cast<std::uint32_t>(file.size());
    std::string result;
    for (int i = 0; i < 4; ++i)
        result += static_cast<char>((n >> (8 * i)) & 0xFF);
    return result + file;
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) {
    if (Empty()) return;
    HDC dc = canvas.Handle();
    if (dc_ && dc_.get() != dc) dc_->Release();
    const TRect source{0, 0, Width(), Height()};
    if (!Transparent()) {
        dc->DrawImage(rect, image_, source);
        return;
    }
    // The transparent colour becomes alpha 0; nearest-neighbour scaling keeps the edges hard.
    const TColor key = ColorToRGB(TransparentColor()) & 0xFFFFFF;
    const QRgb keyRgb = qRgb(GetRValue(key), GetGValue(key), GetBValue(key));
    QImage masked = image_.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < masked.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (keyRgb & 0xFFFFFF)) line[x] = 0;
    }
    dc->DrawImage(rect, masked, source);
}

} // namespace vexo
