#include "framework/graphics/TImageList.h"

#include "framework/graphics/GraphicsExceptions.h"
#include "framework/graphics/SysColors.h"
#include "framework/graphics/TDeviceContext_p.h"

#include <QPainter>

namespace vexo {

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner), width_(16), height_(16) {}

TCustomImageList::TCustomImageList(int width, int height)
    : width_(std::max(1, width)), height_(std::max(1, height)) {}

void TCustomImageList::SetWidth(int value) {
    if (value < 1 || value == width_) return;
    width_ = value;
    Clear();
}

void TCustomImageList::SetHeight(int value) {
    if (value < 1 || value == height_) return;
    height_ = value;
    Clear();
}

int TCustomImageList::addImage(const QImage& picture, const std::vector<bool>* transparent) {
    if (picture.isNull() || picture.width() == 0 || picture.height() == 0) return -1;
    const int count = std::max(1, picture.width() / width_);
    const int first = Count();
    for (int i = 0; i < count; ++i) {
        QImage image(width_, height_, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        for (int y = 0; y < std::min(height_, picture.height()); ++y) {
            for (int x = 0; x < width_; ++x) {
                const int sx = i * width_ + x;
                if (sx >= picture.width()) break;
                if (transparent != nullptr &&
                    (*transparent)[static_cast<std::size_t>(y * picture.width() + sx)])
                    continue;
                image.setPixel(x, y, picture.pixel(sx, y) | 0xFF000000u);
            }
        }
        images_.push_back(image);
    }
    changed();
    return first;
}

int TCustomImageList::Add(TBitmap* image, TBitmap* mask) {
    if (image == nullptr || image->Empty()) return -1;
    const QImage& picture = image->Image();
    if (mask == nullptr || mask->Empty()) return addImage(picture, nullptr);
    const QImage& m = mask->Image();
    std::vector<bool> transparent(static_cast<std::size_t>(picture.width() * picture.height()), false);
    for (int y = 0; y < picture.height() && y < m.height(); ++y)
        for (int x = 0; x < picture.width() && x < m.width(); ++x)
            transparent[static_cast<std::size_t>(y * picture.width() + x)] = (m.pixel(x, y) & 0xFFFFFF) != 0;
    return addImage(picture, &transparent);
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
    if (image == nullptr || image->Empty()) return -1;
    const QImage& picture = image->Image();
    const TColor key =
        ColorToRGB(maskColor == clDefault ? QColorToColor(picture.pixelColor(0, picture.height() - 1))
                                          : maskColor) &
        0xFFFFFF;
    std::vector<bool> transparent(static_cast<std::size_t>(picture.width() * picture.height()), false);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            transparent[static_cast<std::size_t>(y * picture.width() + x)] =
                QColorToColor(picture.pixelColor(x, y)) == key;
    return addImage(picture, &transparent);
}

void TCustomImageList::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    images_.erase(images_.begin() + index);
    changed();
}

void TCustomImageList::Clear() {
    if (images_.empty()) return;
    images_.clear();
    changed();
}

void TCustomImageList::GetBitmap(int index, TBitmap* bitmap) const {
    if (bitmap == nullptr) return;
    if (index < 0 || index >= Count()) {
        bitmap->SetSize(0, 0);
        return;
    }
    QImage flat(width_, height_, QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter p(&flat);
    p.drawImage(0, 0, images_[static_cast<std::size_t>(index)]);
    p.end();
    bitmap->SetImage(flat);
}

std::string TCustomImageList::WriteData() const {
    if (images_.empty()) return {};
    const int stripWidth = width_ * Count();
    QImage strip(stripWidth, height_, QImage::Format_RGB32);
    QImage mask(stripWidth, height_, QImage::Format_RGB32);
    for (int i = 0; i < Count(); ++i) {
        const QImage& image = images_[static_cast<std::size_t>(i)];
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                const QRgb px = image.pixel(x, y);
                const bool clear = qAlpha(px) == 0;
                strip.setPixel(i * width_ + x, y, clear ? 0xFF000000u : px);
                mask.setPixel(i * width_ + x, y, clear ? 0xFFFFFFFFu : 0xFF000000u);
            }
    }
    TBitmap stripBitmap, maskBitmap;
    stripBitmap.SetImage(strip);
    maskBitmap.SetImage(mask);
    return stripBitmap.WriteData() + maskBitmap.WriteData();
}

void TCustomImageList::ReadData(const std::string& data) {
    if (data.empty()) {
        Clear();
        return;
    }
    // Each bitmap starts with its byte count, so the mask starts right after the pictures.
    auto block = [&](std::size_t at, TBitmap& into) {
        if (data.size() < at + 4) throw EInvalidGraphic("Image list data is shorter than its byte counts");
        const auto* p = reinterpret_cast<const std::uint8_t*>(data.data()) + at;
        const std::size_t size = 4 + (std::size_t(p[0]) | std::size_t(p[1]) << 8 | std::size_t(p[2]) << 16 |
                                      std::size_t(p[3]) << 24);
        if (data.size() - at < size) throw EInvalidGraphic("Image list data is shorter than its byte counts");
        into.ReadData(p, size);
        return at + size;
    };
    TBitmap strip, mask;
    const std::size_t end = block(block(0, strip), mask);
    if (end != data.size()) throw EInvalidGraphic("Image list data is longer than its two bitmaps");
    if (strip.Width() != mask.Width() || strip.Height() != mask.Height())
        throw EInvalidGraphic("Image list mask and pictures differ in size");
    images_.clear();
    Add(&strip, &mask);
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) const {
    if (canvas == nullptr || index < 0 || index >= Count()) return;
    HDC dc = canvas->Handle();
    const QImage& image = images_[static_cast<std::size_t>(index)];
    const TRect source{0, 0, width_, height_};
    if (enabled) {
        dc->DrawImage(Bounds(x, y, width_, height_), image, source);
        return;
    }
    // The disabled look: the image's non-white opaque pixels as a silhouette, once in the highlight
    // colour one pixel down and right, once in the shadow colour on top.
    auto silhouette = [&](TColor color) {
        QImage shape(width_, height_, QImage::Format_ARGB32);
        shape.fill(Qt::transparent);
        const QRgb c = ColorToQColor(color).rgb();
        for (int yy = 0; yy < height_; ++yy)
            for (int xx = 0; xx < width_; ++xx) {
                const QRgb px = image.pixel(xx, yy);
                if (qAlpha(px) != 0 && (px & 0xFFFFFF) != 0xFFFFFF) shape.setPixel(xx, yy, c);
            }
        return shape;
    };
    dc->DrawImage(Bounds(x + 1, y + 1, width_, height_), silhouette(clBtnHighlight), source);
    dc->DrawImage(Bounds(x, y, width_, height_), silhouette(clBtnShadow), source);
}

} // namespace vexo
