#pragma once
// One JPEG picture from a file, painted at its own size: centred when it is smaller than the
// control (the background erase shows Color around it), cut off at the right and bottom when it is
// larger. ComputeSize fits the control to the picture's proportions. A file that cannot be loaded
// raises the graphic's error and leaves the previous picture and file name in place, so the same
// name can be tried again.
#include "framework/windows/TCustomControl.h"
#include <memory>
#include <string>

namespace vexo {

class TJPEGImage;

class TJPEGControl : public TCustomControl {
public:
    explicit TJPEGControl(TComponent* owner);
    ~TJPEGControl() override;

    // Loads the file unless it is the one shown already.
    void SetFile(const std::string& name);
    const std::string& FileName() const { return fileName_; }
    // Shows no picture; the picture stays loaded, and SetFile with the same name loads it again.
    void clear();

    // Only one of the two is ever non-zero: setting one clears the other.
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int value);
    int MinHeight() const { return minHeight_; }
    void SetMinHeight(int value);
    // Despite their names, MinWidth and MinHeight cap the control: a picture larger than the set
    // side makes the control that wide (or high) with the other side in proportion; a smaller one
    // gives the control the picture's size.
    void ComputeSize();

    TColor GetColorAt(int x, int y);
    TJPEGImage* Picture() const { return picture_.get(); }
    // Where Paint draws the picture.
    TRect PictureRect() const;

protected:
    void Paint() override;

private:
    std::unique_ptr<TJPEGImage> picture_;
    std::string fileName_;
    int minWidth_ = 0;
    int minHeight_ = 0;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
};

} // namespace vexo
