#pragma once
// The tokens of the textual form format, with the line each starts on. Errors raise EReadError
// with "line N" and what was expected there.
#include <cstdint>
#include <string>
#include <string_view>

namespace vexo {

enum class TFormToken {
    End,     // end of the text
    Ident,   // a name, dotted names included (Font.Name)
    Integer, // decimal or $hex, with an optional minus
    Float,
    String, // quoted pieces and #nnn codes, joined; UTF-8
    Symbol, // one of = : [ ] ( ) < > { } , +
};

class TFormLexer {
public:
    explicit TFormLexer(std::string_view text);

    TFormToken Kind() const { return kind_; }
    int Line() const { return line_; }                // of the current token
    const std::string& Text() const { return text_; } // name, string value, or the symbol
    std::int64_t IntValue() const { return int_; }
    bool IsHex() const { return hex_; }
    double FloatValue() const { return float_; }
    bool IsSymbol(char c) const { return kind_ == TFormToken::Symbol && text_[0] == c; }
    bool IsIdent(const char* word) const; // case-insensitive

    void Next();
    // After the current token '{': the bytes of the hex digits up to '}', which becomes current
    // after Next.
    std::string ReadBinary();

    // The current token as the message shows it ("'Foo'", "end of text").
    std::string Describe() const;
    [[noreturn]] void Error(const std::string& what) const; // at the current token's line
    [[noreturn]] void Expected(const std::string& what) const;

private:
    void skipBlanks();
    void readNumber();
    void readString();
    std::string_view src_;
    std::size_t pos_ = 0;
    int lineAtPos_ = 1;
    TFormToken kind_ = TFormToken::End;
    int line_ = 1;
    std::string text_;
    std::int64_t int_ = 0;
    bool hex_ = false;
    double float_ = 0;
};

} // namespace vexo
