#pragma once
// A forgiving tag reader for the grid's column text form. The text is cut into tokens so that each
// tag is one token and the text between tags another; attributes are then looked up by name in
// the current token. It never fails on malformed input: what does not look like a tag is text.
#include "values/sArray.h"

#include <string>

namespace vexo {

class XmlReader {
public:
    enum Kind { kEmpty = 1, kText = 2, kDeclaration = 3, kEmptyElement = 4, kTag = 5 };

    void SetText(const std::string& text);
    // Moves to the next token; false at the end (the position then stays on the last token).
    bool Next();
    // The current token; empty before the first Next.
    const std::string& Token() const;
    int TokenKind() const;
    bool IsElement() const;
    // The name after "<" (an end tag keeps its "/").
    std::string TagName() const;
    // The value of the attribute in the current token, matched without regard to letter case,
    // with "&gt;", "&lt;" and "&quot;" decoded; empty when absent.
    std::string Attribute(const std::string& name) const;

    int Count() const { return tokens_.count(); }
    int Index() const { return index_; }

private:
    sArray tokens_;
    int index_ = -1;
};

} // namespace vexo
