#pragma once
// The published properties of the framework's own classes (components, controls, forms, fonts,
// bitmaps), declared in one place so that the classes themselves stay free of streaming code.
#include "framework/streaming/PropertyInfo.h"

namespace vexo {

// Declares them; the class registry does it the first time it is used.
void RegisterFrameworkClasses();

// Names of integer values that form files write by name.
const TIdentMap& CursorIdents();  // crDefault, crHandPoint, ...
const TIdentMap& CharsetIdents(); // DEFAULT_CHARSET, ...

// taLeftJustify, taRightJustify, taCenter: every control with an Alignment property uses it.
const TEnumInfo& AlignmentNames();
// fsBold, fsItalic, fsUnderline, fsStrikeOut: the font's Style and every other font style set.
const TEnumInfo& FontStyleNames();

// Publishes the face of a control that a form places: position, look and mouse events.
template <class D> D& PublishControlFace(D& decl) {
    return decl.Publish("Align")
        .Publish("Enabled")
        .Publish("Font")
        .Publish("ParentFont")
        .Publish("Visible")
        .Publish("OnClick")
        .Publish("OnDblClick")
        .Publish("OnMouseDown")
        .Publish("OnMouseMove")
        .Publish("OnMouseUp")
        .Publish("PopupMenu");
}

} // namespace vexo
