#include "controls/edit/EditProperties.h"

#include "controls/edit/VexoEdit.h"
#include "controls/scroll/ScrollProperties.h"
#include "framework/core/Utf8.h"
#include "framework/streaming/FrameworkProperties.h"
#include "framework/streaming/TClassDecl.h"

namespace vexo {

namespace {

const TEnumInfo& modeNames() {
    static const TEnumInfo e("sVexoEditMode", {"sEditString", "sEditDate", "sEditTime", "sEditList",
                                               "sEditBoolean", "sEditInteger", "sEditDouble", "sEditMemo"});
    return e;
}
const TEnumInfo& navigatorKindNames() {
    static const TEnumInfo e("sVexoEdit_dateNavigatorKind", {"sDnkDay", "sDnkWeek", "sDnkMonth", "sDnkYear"});
    return e;
}
const TEnumInfo& charCaseNames() {
    static const TEnumInfo e("TEditCharCase", {"ecNormal", "ecUpperCase", "ecLowerCase"});
    return e;
}

// The password character is written as a one-character text; the empty text is no character.
std::string passwordText(const TVexoEdit& edit) {
    std::string text;
    if (edit.PasswordChar() != 0) sUtf8Append(text, edit.PasswordChar());
    return text;
}
void setPasswordText(TVexoEdit& edit, const std::string& text) {
    std::size_t pos = 0;
    edit.SetPasswordChar(text.empty() ? 0 : sUtf8Next(text, pos));
}

// Text is read as it comes and applied again by Loaded, once the mode (which may come later in
// the file) is known. Lines is Text by lines, so only Text is stored.
void registerEdit() {
    RegisterClass<TVexoEdit, TWinControl>("TVexoEdit")
        .Publish("Cursor")
        .Publish("TabStop")
        .Default(true)
        .Publish("Font")
        .Publish("ParentFont")
        .Publish("Color")
        .Default(clWindow)
        .Publish("TabOrder")
        .Publish("Align")
        .Publish("Visible")
        .Publish("Enabled")
        .Str("Text", &TVexoEdit::getText, &TVexoEdit::setText)
        .Bool("DateNavigator", &TVexoEdit::DateNavigator, &TVexoEdit::setDateNavigator, false)
        .Enum("DateNavigatorKind", navigatorKindNames(), &TVexoEdit::DateNavigatorKind,
              &TVexoEdit::setDateNavigatorKind, sDnkDay)
        .Strings(
            "Lines", [](TVexoEdit& e) { return e.getLines(); },
            [](TVexoEdit& e, const TStringList& lines) { e.setLines(lines); })
        .NotStored()
        .Enum("CharCase", charCaseNames(), &TVexoEdit::CharCase, &TVexoEdit::SetCharCase, ecNormal)
        .Bool("HideSelection", &TVexoEdit::HideSelection, &TVexoEdit::SetHideSelection, true)
        .Int("MaxLength", &TVexoEdit::MaxLength, &TVexoEdit::SetMaxLength, 0)
        .Bool("OEMConvert", &TVexoEdit::OEMConvert, &TVexoEdit::SetOEMConvert, false)
        .Str("PasswordChar", passwordText, setPasswordText)
        .Publish("ParentColor")
        .Default(false)
        .Bool("ReadOnly", &TVexoEdit::ReadOnly, &TVexoEdit::SetReadOnly, false)
        .Event("OnChange", &TVexoEdit::OnChange)
        .Event("OnPopClose", &TVexoEdit::OnPopClose)
        .Event("OnKeyPress", &TVexoEdit::OnKeyPress)
        .Event("OnKeyPressPost", &TVexoEdit::OnKeyPressPost)
        .Enum("Mode", modeNames(), &TVexoEdit::Mode, &TVexoEdit::setMode, sEditString)
        .Str("Format", &TVexoEdit::Format, &TVexoEdit::setFormat)
        .Bool("ShowFrame", &TVexoEdit::ShowFrame, &TVexoEdit::setShowFrame, false)
        .Str("Label", &TVexoEdit::Label, &TVexoEdit::setLabel)
        .Color("LabelColor", &TVexoEdit::LabelColor, &TVexoEdit::setLabelColor, 0)
        .Strings(
            "ComboTexts", [](TVexoEdit& e) { return e.ComboTexts(); },
            [](TVexoEdit& e, const TStringList& list) { e.setComboTexts(list); })
        .Strings(
            "ComboValues", [](TVexoEdit& e) { return e.ComboValues(); },
            [](TVexoEdit& e, const TStringList& list) { e.setComboValues(list); });
}

} // namespace

void RegisterEditClasses() {
    static const bool registered = [] {
        RegisterScrollClasses();
        registerEdit();
        RegisterComponents("VexoControls", {ClassOf<TVexoEdit>()});
        return true;
    }();
    (void)registered;
}

namespace {
// Programs that read forms name the edit's class before any edit exists.
[[maybe_unused]] const bool registeredAtStartUp = (RegisterEditClasses(), true);
} // namespace

} // namespace vexo
