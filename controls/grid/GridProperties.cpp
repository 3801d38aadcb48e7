#include "controls/grid/GridProperties.h"

#include "controls/grid/FontAttr.h"
#include "controls/grid/VGColumn.h"
#include "controls/grid/VexoGrid.h"
#include "framework/graphics/TImageList.h"
#include "framework/streaming/FrameworkProperties.h"
#include "framework/streaming/TClassDecl.h"

namespace vexo {

namespace {

const TEnumInfo& dataTypeNames() {
    static const TEnumInfo e(
        "VGDataType", {"vgString", "vgDate", "vgTime", "vgBoolean", "vgInteger", "vgFloat", "vgMoney"});
    return e;
}
const TEnumInfo& charCaseNames() {
    static const TEnumInfo e("TEditCharCase", {"ecNormal", "ecUpperCase", "ecLowerCase"});
    return e;
}
const TEnumInfo& fontStyleNames() {
    static const TEnumInfo e("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
    return e;
}

void registerFontAttrs() {
    RegisterClass<TFontAttr, TPersistent>("TFontAttr")
        .Color("Color", &TFontAttr::Color, &TFontAttr::SetColor, clBlack)
        .Color("ColorSel", &TFontAttr::ColorSel, &TFontAttr::SetColorSel, TFontAttr::DefaultColorSel)
        .Color("BackColor", &TFontAttr::BackColor, &TFontAttr::SetBackColor, clNone)
        .Color("BackColorSel", &TFontAttr::BackColorSel, &TFontAttr::SetBackColorSel, clNone)
        .Set("Styles", fontStyleNames(), &TFontAttr::Styles, &TFontAttr::SetStyles, TFontStyles{});

    RegisterClass<TFontAttrs, TPersistent>("TFontAttrs")
        .Object("Attr0", &TFontAttrs::Attr0)
        .Object("Attr1", &TFontAttrs::Attr1)
        .Object("Attr2", &TFontAttrs::Attr2)
        .Object("Attr3", &TFontAttrs::Attr3)
        .Object("Attr4", &TFontAttrs::Attr4);
}

// Reading applies the properties in this order, so a stored Format or stored choices come after
// DataType and replace what a change of type puts there.
void registerColumn() {
    RegisterClass<TVGColumn, TCollectionItem>("TVGColumn")
        .Str("FieldName", &TVGColumn::FieldName, &TVGColumn::SetFieldName)
        .Enum("Alignment", AlignmentNames(), &TVGColumn::Alignment, &TVGColumn::SetAlignment, taLeftJustify)
        .Str("Caption", &TVGColumn::Caption, &TVGColumn::SetCaption)
        .Int("Width", &TVGColumn::Width, &TVGColumn::SetWidth, 50)
        .Bool("ReadOnly", &TVGColumn::ReadOnly, &TVGColumn::SetReadOnly, false)
        .Enum("DataType", dataTypeNames(), &TVGColumn::DataType, &TVGColumn::SetDataType, vgString)
        .Bool("IsCombo", &TVGColumn::IsCombo, &TVGColumn::SetIsCombo, false)
        // The grid's Col100x100 holds the fact; storing it twice would let the two disagree.
        .Bool("IsCol100x100", &TVGColumn::GetIsCol100x100, &TVGColumn::SetIsCol100x100, false)
        .NotStored()
        .Str("Format", &TVGColumn::Format, &TVGColumn::SetFormat)
        .Enum("CharCase", charCaseNames(), &TVGColumn::CharCase, &TVGColumn::SetCharCase, ecNormal)
        .Strings("ComboTexts", &TVGColumn::ComboTexts,
                 [](TVGColumn& c, const TStringList& list) { c.SetComboTexts(&list); })
        .Strings("ComboValues", &TVGColumn::ComboValues,
                 [](TVGColumn& c, const TStringList& list) { c.SetComboValues(&list); });
}

void registerGrid() {
    RegisterClass<TVexoGrid, TCustomControl>("TVexoGrid")
        .Publish("Align")
        .Publish("TabStop")
        .Default(true) // the constructor sets it
        .Publish("TabOrder")
        .Publish("Visible")
        .Color("ColorBk", &TVexoGrid::GetBkColor, &TVexoGrid::SetBkColor, clWindow)
        .Color("ColorBkSel", &TVexoGrid::GetColorBkSel, &TVexoGrid::SetColorBkSel, clHighlight)
        .Color("ColorBkSelIn", &TVexoGrid::GetColorBkSelIn, &TVexoGrid::SetColorBkSelIn, clInactiveCaption)
        .Color("ColorHead", &TVexoGrid::GetHdColor, &TVexoGrid::SetHdColor, clBtnFace)
        .Color("ColorText", &TVexoGrid::GetColorText, &TVexoGrid::SetColorText, clWindowText)
        .Color("ColorTextSel", &TVexoGrid::GetColorTextSel, &TVexoGrid::SetColorTextSel, clHighlightText)
        .Collection("Columns", &TVexoGrid::Columns)
        // No range: the setter refuses a height below 1 silently, and a form file holding one
        // reads, as the conventions for stored limits say.
        .Int("RowHeight", &TVexoGrid::GetRowHeight, &TVexoGrid::SetRowHeight, 15)
        .Str("Col100x100", &TVexoGrid::GetCol100x100, &TVexoGrid::SetCol100x100)
        .Bool("Multiselect", &TVexoGrid::GetMultiselect, &TVexoGrid::SetMultiselect, false)
        .Bool("LabelWrap", &TVexoGrid::GetLabelWrap, &TVexoGrid::SetLabelWrap, true)
        .Bool("ShowHeader", &TVexoGrid::GetShowHeader, &TVexoGrid::SetShowHeader, true)
        .Bool("ShowSelection", &TVexoGrid::GetShowSelection, &TVexoGrid::SetShowSelection, true)
        .Bool("CheckBoxes", &TVexoGrid::GetCheckBoxes, &TVexoGrid::SetCheckBoxes, false)
        .Bool("CheckAreRadio", &TVexoGrid::GetCheckAreRadio, &TVexoGrid::SetCheckAreRadio, false)
        .Bool("ShowLines", &TVexoGrid::GetShowLines, &TVexoGrid::SetShowLines, true)
        .Bool("Editable", &TVexoGrid::GetEditable, &TVexoGrid::SetEditable, false)
        .Bool("InEdit", &TVexoGrid::getIsInEdit, nullptr, false)
        .Bool("AutoAddRow", &TVexoGrid::GetAutoAddRow, &TVexoGrid::SetAutoAddRow, false)
        .Object("AttrUnicolumn", &TVexoGrid::AttrUnicolumn)
        .Str("SkinName", &TVexoGrid::GetSkinName, &TVexoGrid::SetSkinName)
        .Object("FontAttrs", &TVexoGrid::FontAttrs)
        .Reference<TCustomImageList>("Images", &TVexoGrid::GetImages, &TVexoGrid::SetImages)
        .Publish("PopupMenu")
        .Bool("ItemDataOnRefresh", &TVexoGrid::GetItemDataOnRefresh, &TVexoGrid::SetItemDataOnRefresh, false)
        // The columns' text and the row class's source: for the designer and for code, never
        // stored (the columns are stored as Columns).
        .Strings("RowCode", &TVexoGrid::RowCodeProperty)
        .ReadOnly()
        .NotStored()
        .Strings("ColData", &TVexoGrid::ColDataProperty,
                 [](TVexoGrid& grid, const TStringList& list) { grid.SetColData(&list); })
        .NotStored()
        .Event("OnRowEnter", &TVexoGrid::OnRowEnter)
        .Event("OnRowExit", &TVexoGrid::OnRowExit)
        .Event("OnRowNeedData", &TVexoGrid::OnRowNeedData)
        .Event("OnCellModified", &TVexoGrid::OnCellModified)
        .Event("OnRowChecking", &TVexoGrid::OnRowChecking)
        .Event("OnHeadChange", &TVexoGrid::OnHeadChange)
        .Publish("OnKeyDown")
        .Event("OnKeyDownEx", &TVexoGrid::OnKeyDownEx)
        .Publish("OnDblClick");
}

} // namespace

void RegisterGridClasses() {
    static const bool registered = [] {
        registerFontAttrs();
        registerColumn();
        registerGrid();
        RegisterComponents("VexoControls", {ClassOf<TVexoGrid>()});
        return true;
    }();
    (void)registered;
}

namespace {
// Programs that read forms name the grid's class before any grid exists.
[[maybe_unused]] const bool registeredAtStartUp = (RegisterGridClasses(), true);
} // namespace

} // namespace vexo
