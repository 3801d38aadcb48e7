#pragma once
// Base of the pictures a canvas can draw (bitmaps): size, transparency,
// loading and saving, and the drawing that TCanvas::Draw and StretchDraw delegate to.
#include "framework/core/Types.h"
#include <functional>
#include <iosfwd>
#include <string>

namespace vexo {

class TCanvas;

class TGraphic {
public:
    TGraphic() = default;
    virtual ~TGraphic() = default;
    TGraphic(const TGraphic&) = delete;
    TGraphic& operator=(const TGraphic&) = delete;

    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);

    // Loading raises EInvalidGraphic for unreadable data and leaves the graphic as it was.
    virtual void LoadFromStream(std::istream& stream) = 0;
    virtual void SaveToStream(std::ostream& stream) const = 0;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

    std::function<void(TGraphic* sender)> OnChange;

protected:
    friend class TCanvas;
    virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;
    void Changed() {
        if (OnChange) OnChange(this);
    }

private:
    bool transparent_ = false;
};

} // namespace vexo
