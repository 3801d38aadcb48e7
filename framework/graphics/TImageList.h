#pragma once
// A list of equally sized images with their masks, drawn by index (the grid's row images, toolbar
// glyphs). Images are kept with the mask turned into transparency.
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TCanvas.h"
#include <QImage>
#include <functional>
#include <vector>

namespace vexo {

class TCustomImageList {
public:
    explicit TCustomImageList(int width = 16, int height = 16);
    virtual ~TCustomImageList() = default;
    TCustomImageList(const TCustomImageList&) = delete;
    TCustomImageList& operator=(const TCustomImageList&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Changing a dimension empties the list, as the framework does; sizes below 1 are refused.
    void SetWidth(int value);
    void SetHeight(int value);
    int Count() const { return static_cast<int>(images_.size()); }

    // A picture wider than Width adds one image per Width pixels (a strip); a narrower one adds one
    // image. White pixels of the mask are transparent. Returns the index of the first image added,
    // -1 when there was nothing to add.
    int Add(TBitmap* image, TBitmap* mask);
    // As Add, the pixels of maskColor being transparent; clDefault takes the bottom-left pixel.
    int AddMasked(TBitmap* image, TColor maskColor);
    void Delete(int index); // an index out of range changes nothing
    void Clear();
    // Copies image index into bitmap, transparent parts white; out of range leaves bitmap empty.
    void GetBitmap(int index, TBitmap* bitmap) const;

    // Draws image index with its top-left at (x, y). Disabled images are drawn embossed in the
    // button highlight and shadow colours. An index out of range draws nothing, as the platform's.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true) const;

    std::function<void(TCustomImageList* sender)> OnChange;

private:
    int addImage(const QImage& picture, const std::vector<bool>* transparent);
    void changed() {
        if (OnChange) OnChange(this);
    }
    int width_;
    int height_;
    std::vector<QImage> images_; // ARGB32, alpha 0 where transparent
};

class TImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
};

} // namespace vexo
