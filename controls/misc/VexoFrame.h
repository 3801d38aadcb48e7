#pragma once
// A container panel with one-pixel frame lines on the sides chosen and a text: horizontal in
// nine alignments or laid over the top line like a group caption, or turned by 90 degrees and
// centred on the height. A click or double click on the text raises its own event.
#include "controls/misc/TurnedText.h"
#include "framework/core/TNotifyEvent.h"
#include "framework/graphics/TFontStyles.h"
#include "framework/stdctrls/TCustomPanel.h"

#include <memory>
#include <string>

namespace vexo {

class TStringList;

// Where a frame draws, from its size and what its text measures. A plain computation, so that the
// pixel rules can be checked without a window.
struct TFrameMetrics {
    int width = 0, height = 0;
    int border = 0; // BorderWidth, the text's inner margin
    TVAlignment vAlign = tvaTopJustify;
    TTextDirection direction = ttdLeftToRight;
    bool hasText = false;
    TSize text; // the text as one line: cx along it, cy across it
};
struct TFrameGeometry {
    TRect lines;         // the frame lines run on its edges
    TRect text;          // horizontal text is laid out in it, clicks on the text land in it
    TPoint turnedOrigin; // turned text starts there
};
TFrameGeometry FrameGeometry(const TFrameMetrics& m);

class TVexoFrame : public TCustomPanel {
public:
    static constexpr int OverCaptionInset = 10; // aligned children start under a tvaOver caption

    explicit TVexoFrame(TComponent* owner);
    ~TVexoFrame() override;

    TColor FrameColor() const { return frameColor_; }
    void setFrameColor(TColor color);
    // Sides 0..3: left, right, top, bottom; other indexes read false and change nothing.
    bool getDrawFrame(int index) const;
    void setDrawFrame(int index, bool value);
    bool HideFrame() const { return hideFrame_; }
    void setHideFrame(bool value);
    // The text is the control's own Text (its Caption).
    void setText(const std::string& text) { SetText(text); }
    bool TextWrap() const { return textWrap_; }
    void setTextWrap(bool value);
    TAlignment TextAlignment() const { return textAlignment_; }
    void setTextAlignment(TAlignment value);
    TVAlignment TextVAlignment() const { return textVAlignment_; }
    void setTextVAlignment(TVAlignment value);
    TColor TextColor() const { return textColor_; }
    void setTextColor(TColor color);
    TTextDirection TextDirection() const { return textDirection_; }
    void setTextDirection(TTextDirection value);
    TFontStyles TextStyles() const { return textStyles_; }
    void setTextStyles(TFontStyles value);

    // The text as lines, loaded from Text when read; SetLines sets Text to them joined.
    TStringList* Lines();
    void SetLines(const TStringList& lines);

    // In client coordinates, as the last text click or double click found them.
    TPoint LastClickPoint() const { return lastClick_; }
    // Where the text is laid out now; empty without text.
    TRect TextRect() { return layout().text; }

    TNotifyEvent OnTextClick;
    TNotifyEvent OnTextDoubleClick;

    // Draws the text where the layout puts it.
    void drawText();

protected:
    void AdjustClientRect(TRect& rect) override;
    void Paint() override;
    void WndProc(TMessage& message) override;

private:
    TFrameGeometry layout();
    void changed();
    bool textClick(const TMessage& message, const TNotifyEvent& event);

    TColor frameColor_ = clBlack;
    bool drawSide_[4] = {true, true, true, true};
    bool hideFrame_ = false;
    TAlignment textAlignment_ = taLeftJustify;
    TVAlignment textVAlignment_ = tvaTopJustify;
    TTextDirection textDirection_ = ttdLeftToRight;
    TColor textColor_ = clBlack;
    TFontStyles textStyles_;
    bool textWrap_ = false;
    TPoint lastClick_;
    std::unique_ptr<TStringList> lines_;
};

} // namespace vexo
