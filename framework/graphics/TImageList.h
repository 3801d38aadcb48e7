#pragma once
// A list of equally sized images with their masks, drawn by index (the grid's row images, toolbar
// glyphs). Images are kept with the mask turned into transparency. An image list is a component,
// so that a form file holds it and controls refer to it by name.
#include "framework/core/TComponent.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TCanvas.h"
#include <QImage>
#include <functional>
#include <string>
#include <vector>

namespace vexo {

class TCustomImageList : public TComponent {
public:
    // A list of 16 by 16 images owned by owner, as form files create it.
    explicit TCustomImageList(TComponent* owner);
    explicit TCustomImageList(int width = 16, int height = 16);
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
    // Copies image index into bitmap, transparent pixels white; out of range leaves bitmap empty.
    void GetBitmap(int index, TBitmap* bitmap) const;

    // Draws image index with its top-left at (x, y). Disabled images are drawn embossed in the
    // button highlight and shadow colours. An index out of range draws nothing, as the platform's.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true) const;

    // Every image as form files hold it: the images side by side as one bitmap, then their mask
    // (white where transparent), each in the bitmap property's form. Empty for an empty list.
    std::string WriteData() const;
    // Replaces the images by those of data (as WriteData makes it, for the current Width and
    // Height); empty data empties the list. Raises EInvalidGraphic for data that is not that.
    void ReadData(const std::string& data);

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
