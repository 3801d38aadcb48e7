#pragma once
// A line or block of text drawn on its parent's window. With AutoSize it takes the size of its
// caption (keeping its right edge or centre when aligned so); with WordWrap it keeps its width and
// breaks lines at spaces. A disabled label draws its text embossed, as the framework's labels do.
#include "framework/graphics/GdiTypes.h"
#include "framework/windows/TGraphicControl.h"
#include <cstdint>

namespace vexo {

class TWinControl;

enum TTextLayout : std::uint8_t { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* owner);
    ~TCustomLabel() override;

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    // A transparent label leaves its parent's background under the text.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    // "&x" underlines x and "&&" shows one "&"; off, the caption draws as it stands.
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    // The control that the label names; the label forgets it when it is destroyed.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* control);

    void Loaded() override;

protected:
    void Paint() override;
    void Notification(TComponent* component, TOperation operation) override;
    void TextChanged() override { AdjustBounds(); }
    void FontChanged() override { AdjustBounds(); }
    void EnabledChanged() override { Invalidate(); }
    // Draws (or with DT_CALCRECT measures) the caption into rect on dc.
    void DoDrawText(HDC dc, TRect& rect, unsigned flags) const;

    // Repaints and, with AutoSize, fits the bounds to the caption. A label that draws its caption
    // otherwise measures it otherwise.
    virtual void AdjustBounds();

private:
    unsigned drawFlags() const;

    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool transparent_ = false;
    bool showAccelChar_ = true;
    TWinControl* focusControl_ = nullptr;
};

} // namespace vexo
