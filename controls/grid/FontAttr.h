#pragma once
// Colour-and-style sets for painting cell text. The grid owns one for unicolumn rows and five
// (Attr0 to Attr4) that rows and cells refer to by index; the painting surface applies the set
// that a cell resolves to.
#include "framework/core/TPersistent.h"
#include "framework/core/Types.h"
#include "framework/graphics/TFontStyles.h"

#include <array>
#include <memory>

namespace vexo {

class TCanvas;

class TFontAttr : public TPersistent {
public:
    // The selected text colour starts as the form-file default, so that a set nobody touched
    // reads the same whether it was created in code or streamed in.
    static constexpr TColor DefaultColorSel = clHighlightText;

    TColor Color() const { return color_; }
    void SetColor(TColor value) { color_ = value; }
    TColor ColorSel() const { return colorSel_; }
    void SetColorSel(TColor value) { colorSel_ = value; }
    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor value) { backColor_ = value; }
    TColor BackColorSel() const { return backColorSel_; }
    void SetBackColorSel(TColor value) { backColorSel_ = value; }
    TFontStyles Styles() const { return styles_; }
    void SetStyles(TFontStyles value) { styles_ = value; }

    // Copies from another TFontAttr; any other source is ignored.
    void Assign(const TPersistent* source) override;
    // Font style and colour for the state; brush and pen only when that state's back colour is
    // not clNone, so that clNone keeps whatever background the canvas already has.
    void ApplyTo(TCanvas* canvas, bool selected) const;

private:
    TColor color_ = clBlack;
    TColor colorSel_ = DefaultColorSel;
    TColor backColor_ = clNone;
    TColor backColorSel_ = clNone;
    TFontStyles styles_;
};

class TFontAttrs : public TPersistent {
public:
    static constexpr int Count = 5;
    TFontAttrs();
    ~TFontAttrs() override;

    // Index 0 to 4; nullptr outside.
    TFontAttr* Attr(int index) const;
    TFontAttr* Attr0() const { return attrs_[0].get(); }
    TFontAttr* Attr1() const { return attrs_[1].get(); }
    TFontAttr* Attr2() const { return attrs_[2].get(); }
    TFontAttr* Attr3() const { return attrs_[3].get(); }
    TFontAttr* Attr4() const { return attrs_[4].get(); }
    // Setting a set copies the given one into it.
    void SetAttr(int index, const TFontAttr* value);
    void SetAttr0(const TFontAttr* value) { SetAttr(0, value); }
    void SetAttr1(const TFontAttr* value) { SetAttr(1, value); }
    void SetAttr2(const TFontAttr* value) { SetAttr(2, value); }
    void SetAttr3(const TFontAttr* value) { SetAttr(3, value); }
    void SetAttr4(const TFontAttr* value) { SetAttr(4, value); }

    void Assign(const TPersistent* source) override;

private:
    std::array<std::unique_ptr<TFontAttr>, Count> attrs_;
};

} // namespace vexo
