#pragma once
// A JPEG picture, decoded with libjpeg-turbo into 32-bit RGB pixels. Only complete, well-formed
// data loads: a file that ends early or carries corrupt entropy data raises EInvalidGraphic rather
// than showing a half-grey picture, and so does a header declaring more than MaxPixels pixels, so
// that a few bytes cannot make the loader allocate gigabytes.
#include "framework/graphics/TGraphic.h"
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vexo {

class TJPEGImage : public TGraphic {
public:
    static constexpr long long MaxPixels = 1LL << 26;

    bool Empty() const override { return image_.isNull(); }
    int Width() const override { return image_.isNull() ? 0 : image_.width(); }
    int Height() const override { return image_.isNull() ? 0 : image_.height(); }

    // A JPEG file's bytes; on any error the picture is left as it was.
    void LoadFromData(const std::uint8_t* data, std::size_t size);
    void LoadFromData(const std::string& data) {
        LoadFromData(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
    }
    void LoadFromStream(std::istream& stream) override;
    // Baseline JPEG of quality 90; an empty picture writes nothing.
    void SaveToStream(std::ostream& stream) const override;

    const QImage& Image() const { return image_; }

protected:
    void Draw(TCanvas& canvas, const TRect& rect) override;

private:
    QImage image_;
};

} // namespace vexo
