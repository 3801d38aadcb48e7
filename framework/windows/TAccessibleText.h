#pragma once
// What a control over an edit window (the platform's "EDIT" class) tells assistive technology
// beyond what the edit window knows itself: the name a screen reader announces for it. Such a
// control is exposed through Qt's accessibility as editable text; its value (the text shown, a
// password's mask characters rather than the password), its read-only and password states come
// from the edit window. The translation lives in the framework (AccessibleText.cpp), so the
// control needs no Qt.
#include <string>

namespace vexo {

class TAccessibleText {
public:
    virtual ~TAccessibleText() = default;

    // The caption that names the text for the user (a label drawn beside it), as read: without
    // the "&" of an underlined letter.
    virtual std::string AccessibleName() const = 0;
};

} // namespace vexo
