#include "controls/misc/JPEGControl.h"

#include "controls/misc/MiscProperties.h"
#include "framework/graphics/TJPEGImage.h"
#include "framework/windows/TControlCanvas.h"

namespace vexo {

TJPEGControl::TJPEGControl(TComponent* owner)
    : TCustomControl(owner), picture_(std::make_unique<TJPEGImage>()) {
    RegisterMiscClasses();
    SetColor(TColor(0x000078));
}

TJPEGControl::~TJPEGControl() = default;

void TJPEGControl::SetFile(const std::string& name) {
    if (name == fileName_) return;
    // Loaded into a fresh picture first: a failed load keeps what is shown and its name.
    auto loaded = std::make_unique<TJPEGImage>();
    loaded->LoadFromFile(name);
    picture_ = std::move(loaded);
    fileName_ = name;
    pictureWidth_ = picture_->Width();
    pictureHeight_ = picture_->Height();
    Invalidate();
}

void TJPEGControl::clear() {
    fileName_.clear();
    Invalidate();
}

void TJPEGControl::SetMinWidth(int value) {
    minWidth_ = value;
    minHeight_ = 0;
}

void TJPEGControl::SetMinHeight(int value) {
    minHeight_ = value;
    minWidth_ = 0;
}

void TJPEGControl::ComputeSize() {
    if (picture_->Empty()) return;
    const double ratio = static_cast<double>(picture_->Width()) / picture_->Height();
    if (minHeight_ != 0) {
        if (pictureHeight_ > minHeight_)
            SetBounds(Left(), Top(), static_cast<int>(minHeight_ * ratio), minHeight_);
        else
            SetBounds(Left(), Top(), pictureWidth_, pictureHeight_);
    } else {
        if (pictureWidth_ > minWidth_)
            SetBounds(Left(), Top(), minWidth_, static_cast<int>((1 / ratio) * minWidth_));
        else
            SetBounds(Left(), Top(), pictureWidth_, pictureHeight_);
    }
}

TColor TJPEGControl::GetColorAt(int x, int y) {
    return Canvas()->Pixels(x, y);
}

TRect TJPEGControl::PictureRect() const {
    const int x0 = pictureWidth_ < Width() ? (Width() - pictureWidth_) / 2 : 0;
    const int y0 = pictureHeight_ < Height() ? (Height() - pictureHeight_) / 2 : 0;
    return Bounds(x0, y0, pictureWidth_, pictureHeight_);
}

void TJPEGControl::Paint() {
    if (fileName_.empty()) {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(ClientRect());
        return;
    }
    Canvas()->StretchDraw(PictureRect(), picture_.get());
}

} // namespace vexo
