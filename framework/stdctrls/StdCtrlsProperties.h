#pragma once
// The published properties of the standard controls (panel, label, list box).
#include "framework/stdctrls/TCustomLabel.h"
#include "framework/streaming/FrameworkProperties.h"
#include "framework/windows/TWinControl.h"

namespace vexo {

// Declares the classes. Runs once, at start-up; later calls do nothing. The controls'
// constructors call it too, which keeps the declarations linked into every program that uses them.
void RegisterStdCtrlsClasses();

// The border styles of a control that has either a sunken edge or none (a list box, a memo).
const TEnumInfo& ControlBorderNames();

// Publishes what every label that a form places shows: the label's own properties, the control's
// face, its caption, the control it names and its colour, taken from the parent by default.
template <class D> D& PublishLabelFace(D& decl) {
    decl.Publish("Alignment")
        .Publish("AutoSize")
        .Publish("Layout")
        .Publish("ShowAccelChar")
        .Publish("Transparent")
        .Publish("WordWrap");
    PublishControlFace(decl).Publish("Caption");
    decl.template Reference<TWinControl>("FocusControl", &TCustomLabel::FocusControl,
                                         &TCustomLabel::SetFocusControl);
    return decl.Publish("Color").Publish("ParentColor").Default(true);
}

} // namespace vexo
