// The published properties of the standard controls: panel, label and list box. Each control's
// constructor registers them, and so does start-up, so that a form file can name them before
// any exists.
#include "framework/stdctrls/StdCtrlsProperties.h"

#include "framework/stdctrls/TAction.h"
#include "framework/stdctrls/TCustomLabel.h"
#include "framework/stdctrls/TCustomPanel.h"
#include "framework/stdctrls/TLabel.h"
#include "framework/stdctrls/TListBox.h"
#include "framework/stdctrls/TPanel.h"
#include "framework/streaming/FrameworkProperties.h"
#include "framework/streaming/TClassDecl.h"
#include "framework/windows/TWinControl.h"

#include <cstdint>

namespace vexo {

namespace {

const TEnumInfo& bevelNames() {
    static const TEnumInfo e("TPanelBevel", {"bvNone", "bvLowered", "bvRaised", "bvSpace"});
    return e;
}
const TEnumInfo& layoutNames() {
    static const TEnumInfo e("TTextLayout", {"tlTop", "tlCenter", "tlBottom"});
    return e;
}

void registerPanelLabelAndList() {
    RegisterClass<TCustomPanel, TCustomControl>("TCustomPanel")
        .Enum("Alignment", AlignmentNames(), &TCustomPanel::Alignment, &TCustomPanel::SetAlignment, taCenter)
        .Unpublished()
        .Enum("BevelInner", bevelNames(), &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner, bvNone)
        .Unpublished()
        .Enum("BevelOuter", bevelNames(), &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter, bvRaised)
        .Unpublished()
        .Int("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth, 1)
        .Range(1, INT32_MAX)
        .Unpublished()
        .Int("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth, 0)
        .Range(0, INT32_MAX)
        .Unpublished();
    auto panel = RegisterClass<TPanel, TCustomPanel>("TPanel")
                     .Publish("Alignment")
                     .Publish("BevelInner")
                     .Publish("BevelOuter")
                     .Publish("BevelWidth")
                     .Publish("BorderWidth")
                     .Publish("TabOrder")
                     .Publish("TabStop");
    PublishControlFace(panel).Publish("Caption").Publish("OnResize");
    // A panel's face is the button face unless its parent gives the colour.
    panel.Publish("Color").Default(clBtnFace).Publish("ParentColor");

    RegisterClass<TCustomLabel, TGraphicControl>("TCustomLabel")
        .Enum("Alignment", AlignmentNames(), &TCustomLabel::Alignment, &TCustomLabel::SetAlignment,
              taLeftJustify)
        .Unpublished()
        .Bool("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize, true)
        .Unpublished()
        .Enum("Layout", layoutNames(), &TCustomLabel::Layout, &TCustomLabel::SetLayout, tlTop)
        .Unpublished()
        .Bool("ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar, true)
        .Unpublished()
        .Bool("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent, false)
        .Unpublished()
        .Bool("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap, false)
        .Unpublished();
    auto label = RegisterClass<TLabel, TCustomLabel>("TLabel");
    PublishLabelFace(label);

    // Items come before ItemIndex, so that the index read finds its item.
    auto list = RegisterClass<TListBox, TCustomControl>("TListBox")
                    .Publish("Color")
                    .Default(clWindow)
                    .Strings("Items", &TListBox::Items)
                    .Int("ItemIndex", &TListBox::ItemIndex, &TListBox::SetItemIndex, -1)
                    .Bool("MultiSelect", &TListBox::MultiSelect, &TListBox::SetMultiSelect, false)
                    .Bool("Sorted", &TListBox::Sorted, &TListBox::SetSorted, false)
                    .Enum("BorderStyle", ControlBorderNames(), &TListBox::BorderStyle,
                          &TListBox::SetBorderStyle, bsSingle)
                    // Written only once set: otherwise the font decides it.
                    .Int("ItemHeight", &TListBox::ItemHeight, &TListBox::SetItemHeight, 0)
                    .NoDefault()
                    .Stored(&TListBox::ItemHeightSet)
                    .Publish("TabOrder")
                    .Publish("TabStop")
                    .Default(true);
    PublishControlFace(list)
        .Publish("OnEnter")
        .Publish("OnExit")
        .Publish("OnKeyDown")
        .Publish("OnKeyPress")
        .Publish("OnKeyUp");
}

} // namespace

void registerAction() {
    RegisterClass<TAction, TComponent>("TAction")
        .Str("Caption", &TAction::Caption, &TAction::SetCaption)
        .Bool("Enabled", &TAction::Enabled, &TAction::SetEnabled, true)
        .Event("OnExecute", &TAction::OnExecute);
}

// Either a sunken edge or none; the form's other border styles do not apply to a control.
const TEnumInfo& ControlBorderNames() {
    static const TEnumInfo e("TBorderStyle", {"bsNone", "bsSingle"});
    return e;
}

void RegisterStdCtrlsClasses() {
    static const bool registered = (registerPanelLabelAndList(), registerAction(), true);
    (void)registered;
}

namespace {
[[maybe_unused]] const bool registeredAtStartUp = (RegisterStdCtrlsClasses(), true);
} // namespace

} // namespace vexo
