#pragma once
// An owner-drawn push button without a window: a caption and an optional glyph from a strip of
// equal images (the first for the enabled look, the second for the disabled one), in one of three
// frame styles, with a hover look and a pressed look. OnClick fires when the left button goes
// down and comes up over the button; leaving it in between cancels the click.
#include "controls/misc/ButtonGlyphs.h"
#include "framework/graphics/TFontStyles.h"
#include "framework/windows/TGraphicControl.h"
#include <memory>
#include <string>

namespace vexo {

class TAction;
class TBitmap;

enum TVexoButtonMode { vbmFlat, vbmSoft, vbmRound };

class TVexoButton : public TGraphicControl {
public:
    explicit TVexoButton(TComponent* owner);
    ~TVexoButton() override;

    const std::string& getText() const { return Text(); }
    void setText(const std::string& text);
    TBitmap* Glyph() const { return glyph_.get(); }
    void setGlyph(const TBitmap* bitmap);
    int GlyphCount() const { return glyphCount_; }
    // At least 1; a smaller count is refused.
    void setGlyphCount(int count);
    TAlignment Alignment() const { return alignment_; }
    void setAlignment(TAlignment alignment);
    TVexoButtonMode Mode() const { return mode_; }
    void setMode(TVexoButtonMode mode);
    bool WrapText() const { return wrapText_; }
    void setWrapText(bool wrap);
    TFontStyles TextStyles() const { return textStyles_; }
    void setTextStyles(TFontStyles styles);

    // The five colours by index: 0 frame, 1 hovered background, 2 text, 3 frame at rest,
    // 4 hovered text. Other indexes are ignored.
    TColor getColors(int index) const;
    void setColors(int index, TColor color);

    // Rebuilds the enabled and disabled images from the strip, when the strip or the count changed.
    void buildWorkingBmps();
    // Loads one of the standard glyphs through the form reader; vbiNone clears the glyph.
    void ApplyStdImage(TVexoButtonStdImages image);

    // The action the button shows and runs on click; null for none.
    TAction* Action() const { return action_; }
    void SetAction(TAction* action);

    bool Hover() const { return hover_; }
    bool Pressed() const { return pressed_; }

    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void glyphChanged();
    void mouseUp();
    // Takes the action's caption and enabled state; with keepOwn, only over the defaults.
    void followAction(bool keepOwn);

    bool hover_ = false;
    bool pressed_ = false;
    std::unique_ptr<TBitmap> glyph_;
    int glyphCount_ = 1;
    bool glyphsDirty_ = true;
    std::unique_ptr<TBitmap> normal_;
    std::unique_ptr<TBitmap> disabled_;
    TAlignment alignment_ = taLeftJustify;
    bool wrapText_ = false;
    TVexoButtonMode mode_ = vbmFlat;
    TColor colors_[5];
    TFontStyles textStyles_;
    TAction* action_ = nullptr;
};

} // namespace vexo
