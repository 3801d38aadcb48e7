#pragma once
// A picture in memory with a canvas to draw on it. Pixels are kept as 32-bit RGB whatever the
// loaded file's depth; PixelFormat and Palette record what the file had. Loading takes Windows BMP
// data of 1, 4, 8, 16, 24 and 32 bits, uncompressed or run-length encoded; the header is checked
// here before Qt decodes it, so that bad or truncated data raises EInvalidGraphic.
#include "framework/graphics/TGraphic.h"
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vexo {

class TCanvas;
class TDeviceContext;

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;

    void Assign(const TBitmap& source);

    bool Empty() const override { return image_.isNull() || image_.width() == 0 || image_.height() == 0; }
    int Width() const override { return image_.isNull() ? 0 : image_.width(); }
    int Height() const override { return image_.isNull() ? 0 : image_.height(); }
    // Resizing keeps the old picture at the top-left and paints new pixels white.
    void SetWidth(int value) { SetSize(value, Height()); }
    void SetHeight(int value) { SetSize(Width(), value); }
    void SetSize(int width, int height);

    TPixelFormat PixelFormat() const { return pixelFormat_; }
    void SetPixelFormat(TPixelFormat value) { pixelFormat_ = value; }
    const std::vector<TColor>& Palette() const { return palette_; }
    void SetPalette(const std::vector<TColor>& value) { palette_ = value; }

    TCanvas* Canvas();

    // The colour not painted when Transparent is on: in tmAuto the bottom-left pixel, in tmFixed the
    // colour set. Setting a colour switches to tmFixed, as the framework does.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor value);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode value);

    // A BMP file's bytes.
    void LoadFromData(const std::uint8_t* data, std::size_t size);
    void LoadFromData(const std::string& data) {
        LoadFromData(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
    }
    void LoadFromStream(std::istream& stream) override;
    void SaveToStream(std::ostream& stream) const override; // a 24-bit BMP file
    // The form files' bitmap property: a 32-bit little-endian byte count, then that many bytes of BMP.
    void ReadData(const std::uint8_t* data, std::size_t size);
    std::string WriteData() const;

    // The pixels, with any drawing through the canvas finished (tests, and painting the picture).
    const QImage& Image();
    void SetImage(const QImage& image);
    // Gives the painting resources back; the picture is kept.
    void FreeImage();

protected:
    void Draw(TCanvas& canvas, const TRect& rect) override;

private:
    QImage image_;
    std::unique_ptr<TDeviceContext> dc_;
    std::unique_ptr<TCanvas> canvas_;
    TPixelFormat pixelFormat_ = pfDevice;
    std::vector<TColor> palette_;
    TTransparentMode transparentMode_ = tmAuto;
    TColor transparentColor_ = clNone;
};

} // namespace vexo
