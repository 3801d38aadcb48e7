// The published properties of the framed panel and the label. Both constructors register them,
// and so does start-up, so that a form file can name the classes before any exists.
#include "controls/misc/MiscProperties.h"

#include "controls/misc/JPEGControl.h"
#include "controls/misc/VexoButton.h"
#include "controls/misc/VexoFrame.h"
#include "controls/misc/VexoLabel.h"
#include "controls/misc/VexoPage.h"
#include "controls/misc/VexoRichEdit.h"
#include "controls/misc/VexoTabButtons.h"
#include "controls/misc/VexoTabbed.h"
#include "framework/core/TStringList.h"
#include "framework/graphics/TBitmap.h"
#include "framework/stdctrls/StdCtrlsProperties.h"
#include "framework/stdctrls/TAction.h"
#include "framework/streaming/FrameworkProperties.h"
#include "framework/streaming/TClassDecl.h"
#include "framework/windows/TCursor.h"

#include <cstdint>

namespace vexo {

namespace {

const TEnumInfo& vAlignmentNames() {
    static const TEnumInfo e("TVAlignment", {"tvaTopJustify", "tvaCenter", "tvaBottomJustify", "tvaOver"});
    return e;
}
const TEnumInfo& directionNames() {
    static const TEnumInfo e("TTextDirection", {"ttdLeftToRight", "ttdUpToBottom", "ttdBottomToUp"});
    return e;
}

auto sideGetter(int index) {
    return [index](const TVexoFrame& f) { return f.getDrawFrame(index); };
}
auto sideSetter(int index) {
    return [index](TVexoFrame& f, bool v) { f.setDrawFrame(index, v); };
}

void registerFrame() {
    auto frame = RegisterClass<TVexoFrame, TCustomPanel>("TVexoFrame")
                     .Color("ColorFrame", &TVexoFrame::FrameColor, &TVexoFrame::setFrameColor, clBlack)
                     .Publish("Color")
                     .Default(clBtnFace)
                     .Bool("DrawLeft", sideGetter(0), sideSetter(0), true)
                     .Bool("DrawRight", sideGetter(1), sideSetter(1), true)
                     .Bool("DrawTop", sideGetter(2), sideSetter(2), true)
                     .Bool("DrawBottom", sideGetter(3), sideSetter(3), true)
                     .Bool("HideFrame", &TVexoFrame::HideFrame, &TVexoFrame::setHideFrame, false)
                     .Publish("BorderWidth")
                     .Publish("ParentColor")
                     .Default(true)
                     .Publish("Align")
                     .Bool("AutoSize", &TVexoFrame::AutoSize, &TVexoFrame::SetAutoSize, false)
                     .Publish("TabStop")
                     .Publish("TabOrder")
                     .Publish("PopupMenu")
                     .Publish("Visible")
                     .Enum("TextAlignment", AlignmentNames(), &TVexoFrame::TextAlignment,
                           &TVexoFrame::setTextAlignment, taLeftJustify)
                     .Enum("TextVAlignment", vAlignmentNames(), &TVexoFrame::TextVAlignment,
                           &TVexoFrame::setTextVAlignment, tvaTopJustify)
                     .Enum("TextDirection", directionNames(), &TVexoFrame::TextDirection,
                           &TVexoFrame::setTextDirection, ttdLeftToRight)
                     .Publish("Text")
                     .Color("TextColor", &TVexoFrame::TextColor, &TVexoFrame::setTextColor, clBlack)
                     // A text colour of the window text's is the form's own and is not written.
                     .Stored([](const TVexoFrame& f) {
                         return f.TextColor() != clBlack && f.TextColor() != clWindowText;
                     })
                     .Set("TextStyles", FontStyleNames(), &TVexoFrame::TextStyles, &TVexoFrame::setTextStyles,
                          TFontStyles{})
                     .Bool("TextWrap", &TVexoFrame::TextWrap, &TVexoFrame::setTextWrap, false)
                     // Text carries the lines: written once, under its own name.
                     .Strings("Lines", &TVexoFrame::Lines, &TVexoFrame::SetLines)
                     .NotStored()
                     .Event("OnTextClick", &TVexoFrame::OnTextClick)
                     .Event("OnTextDoubleClick", &TVexoFrame::OnTextDoubleClick);
    frame.Publish("Enabled").Publish("Font").Publish("ParentFont").Publish("OnClick").Publish("OnDblClick");
    frame.Publish("OnEnter")
        .Publish("OnExit")
        .Publish("OnMouseDown")
        .Publish("OnMouseMove")
        .Publish("OnMouseUp");
    frame.Publish("OnResize");
}

void registerLabel() {
    auto label = RegisterClass<TVexoLabel, TCustomLabel>("TVexoLabel")
                     .Enum("TextVAlignment", vAlignmentNames(), &TVexoLabel::TextVAlignment,
                           &TVexoLabel::setTextVAlignment, tvaTopJustify)
                     .Enum("TextDirection", directionNames(), &TVexoLabel::TextDirection,
                           &TVexoLabel::setTextDirection, ttdLeftToRight);
    PublishLabelFace(label);
}

const TEnumInfo& buttonModeNames() {
    static const TEnumInfo e("TVexoButtonMode", {"vbmFlat", "vbmSoft", "vbmRound"});
    return e;
}

auto colorGetter(int index) {
    return [index](const TVexoButton& b) { return b.getColors(index); };
}
auto colorSetter(int index) {
    return [index](TVexoButton& b, TColor c) { b.setColors(index, c); };
}

void registerButton() {
    // Caption and NumGlyphs are second names of Text and GlyphCount: read under either, written
    // once.
    auto button = RegisterClass<TVexoButton, TGraphicControl>("TVexoButton")
                      // A button starts with the hand: that is its default in form files too.
                      .Int("Cursor", &TVexoButton::Cursor, &TVexoButton::SetCursor, crHandPoint)
                      .Idents(CursorIdents())
                      .Object("Glyph", &TVexoButton::Glyph)
                      .Int("GlyphCount", &TVexoButton::GlyphCount, &TVexoButton::setGlyphCount, 1)
                      .Int("NumGlyphs", &TVexoButton::GlyphCount, &TVexoButton::setGlyphCount, 1)
                      .NotStored()
                      .Str("Text", &TVexoButton::getText, &TVexoButton::setText)
                      .Str("Caption", &TVexoButton::getText, &TVexoButton::setText)
                      .NotStored()
                      .Bool("WrapText", &TVexoButton::WrapText, &TVexoButton::setWrapText, false)
                      .Enum("Mode", buttonModeNames(), &TVexoButton::Mode, &TVexoButton::setMode, vbmFlat)
                      .Color("ColorFrame", colorGetter(0), colorSetter(0), clBlue)
                      .Color("ColorFrameInactive", colorGetter(3), colorSetter(3), clNone)
                      .Color("ColorBack", colorGetter(1), colorSetter(1), TColor(16758711))
                      .Color("ColorText", colorGetter(2), colorSetter(2), clBlack)
                      .Color("ColorTextActive", colorGetter(4), colorSetter(4), clNone)
                      .Enum("Alignment", AlignmentNames(), &TVexoButton::Alignment,
                            &TVexoButton::setAlignment, taLeftJustify)
                      .Set("TextStyles", FontStyleNames(), &TVexoButton::TextStyles,
                           &TVexoButton::setTextStyles, TFontStyles{})
                      .Publish("Align")
                      .Publish("PopupMenu")
                      .Publish("Enabled")
                      .Publish("OnClick")
                      .Publish("Visible")
                      .Reference<TAction>("Action", &TVexoButton::Action, &TVexoButton::SetAction);
    (void)button;
}

const TEnumInfo& buttonsPositionNames() {
    static const TEnumInfo e("TVTButtonsPosition", {"vtBtDown", "vtBtUp"});
    return e;
}

auto tabbedSideGetter(int index) {
    return [index](const TVexoTabbed& t) { return t.getDrawFrame(index); };
}
auto tabbedSideSetter(int index) {
    return [index](TVexoTabbed& t, bool v) { t.setDrawFrame(index, v); };
}

void registerTabs() {
    RegisterClass<TVexoPage, TCustomControl>("TVexoPage")
        .Int("BorderWidth", &TVexoPage::BorderWidth, &TVexoPage::SetBorderWidth, 0)
        .Publish("Caption")
        .Bool("TabVisible", &TVexoPage::TabVisible, &TVexoPage::setVisibleTab, true)
        .Int("Order", &TVexoPage::Order, &TVexoPage::SetOrder, 0);

    // BorderInternal's default is a fresh container's 0, so that a stored 1 is written.
    RegisterClass<TVexoTabbed, TCustomControl>("TVexoTabbed")
        .Int("TabHeight", &TVexoTabbed::TabHeight, &TVexoTabbed::setTabHeight, 18)
        .Int("ActiveIndex", &TVexoTabbed::ActiveIndex, &TVexoTabbed::setActiveIndex, -1)
        .Int("BorderInternal", &TVexoTabbed::getBorderInternal, &TVexoTabbed::setBorderInternal, 0)
        .Color("ColorFrame", &TVexoTabbed::ColorFrame, &TVexoTabbed::setColorFrame, TColor(0x808080))
        .Color("ColorFont", &TVexoTabbed::ColorFont, &TVexoTabbed::setColorFont, clBlack)
        .Set("TextStyles", FontStyleNames(), &TVexoTabbed::TextStyles, &TVexoTabbed::setTextStyles,
             TFontStyles{})
        .Bool("HideButtons", &TVexoTabbed::HideButtons, &TVexoTabbed::setHideButtons, false)
        .Bool("DrawLeft", tabbedSideGetter(0), tabbedSideSetter(0), true)
        .Bool("DrawRight", tabbedSideGetter(1), tabbedSideSetter(1), true)
        .Bool("DrawTop", tabbedSideGetter(2), tabbedSideSetter(2), true)
        .Bool("DrawBottom", tabbedSideGetter(3), tabbedSideSetter(3), true)
        .Bool("HideFrame", &TVexoTabbed::HideFrame, &TVexoTabbed::setHideFrame, false)
        .Enum("ButtonsPosition", buttonsPositionNames(), &TVexoTabbed::ButtonsPosition,
              &TVexoTabbed::setBtPosition, vtBtDown)
        .Event("OnChange", &TVexoTabbed::OnChange)
        .Publish("Align")
        .Publish("TabStop")
        .Publish("TabOrder")
        .Publish("Color")
        .Default(clWindow)
        .Publish("ParentColor")
        .Default(true);

    RegisterClass<TVexoTabButtons, TCustomControl>("TVexoTabButtons")
        .Enum("ButtonsPosition", buttonsPositionNames(), &TVexoTabButtons::ButtonsPosition,
              &TVexoTabButtons::setBtPosition, vtBtDown)
        .Int("ActiveIndex", &TVexoTabButtons::ActiveIndex, &TVexoTabButtons::setActiveIndex, -1)
        .Strings("Items", &TVexoTabButtons::Items)
        .Color("ColorFrame", &TVexoTabButtons::ColorFrame, &TVexoTabButtons::setColorFrame, TColor(0x808080))
        .Color("ColorFont", &TVexoTabButtons::ColorFont, &TVexoTabButtons::setColorFont, clBlack)
        .Set("TextStyles", FontStyleNames(), &TVexoTabButtons::TextStyles, &TVexoTabButtons::setTextStyles,
             TFontStyles{})
        .Event("OnChange", &TVexoTabButtons::OnChange)
        .Publish("Align")
        .Publish("Color")
        .Publish("ParentColor");
}

void registerJPEG() {
    RegisterClass<TJPEGControl, TCustomControl>("TJPEGControl")
        .Publish("Align")
        .Publish("OnMouseMove")
        .Publish("OnMouseDown")
        .Publish("Color")
        .Default(TColor(0x000078))
        .Int("MinHeight", &TJPEGControl::MinHeight, &TJPEGControl::SetMinHeight, 0)
        .Int("MinWidth", &TJPEGControl::MinWidth, &TJPEGControl::SetMinWidth, 0);
}

const TEnumInfo& scrollStyleNames() {
    static const TEnumInfo e("TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});
    return e;
}
void registerRichEdit() {
    RegisterClass<TVexoRichEdit, TWinControl>("TVexoRichEdit")
        .Publish("Align")
        .Enum("BorderStyle", ControlBorderNames(), &TVexoRichEdit::BorderStyle,
              &TVexoRichEdit::SetBorderStyle, bsSingle)
        .Bool("ReadOnly", &TVexoRichEdit::ReadOnly, &TVexoRichEdit::SetReadOnly, false)
        .Enum("ScrollBars", scrollStyleNames(), &TVexoRichEdit::ScrollBars, &TVexoRichEdit::SetScrollBars,
              ssNone)
        .Publish("TabOrder")
        .Publish("TabStop")
        .Default(true)
        .Publish("Visible");
}

} // namespace

void RegisterMiscClasses() {
    static const bool registered = [] {
        // The panel and the label come first, whichever start-up code runs first.
        RegisterStdCtrlsClasses();
        registerFrame();
        registerLabel();
        registerButton();
        registerTabs();
        registerRichEdit();
        registerJPEG();
        RegisterComponents("VexoControls",
                           {ClassOf<TVexoFrame>(), ClassOf<TVexoLabel>(), ClassOf<TVexoButton>(),
                            ClassOf<TVexoTabbed>(), ClassOf<TVexoTabButtons>(), ClassOf<TJPEGControl>(),
                            ClassOf<TVexoRichEdit>()});
        return true;
    }();
    (void)registered;
}

namespace {
// Programs that read forms name the classes before any frame or label exists.
[[maybe_unused]] const bool registeredAtStartUp = (RegisterMiscClasses(), true);
} // namespace

} // namespace vexo
