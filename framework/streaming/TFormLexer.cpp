#include "framework/streaming/TFormLexer_p.h"

#include "framework/core/Utf8.h"
#include "framework/streaming/FilerErrors.h"

#include <charconv>

namespace vexo {

namespace {

bool isIdentStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isIdentChar(char c) {
    return isIdentStart(c) || isDigit(c);
}
int hexValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

TFormLexer::TFormLexer(std::string_view text) : src_(text) {
    if (src_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
    Next();
}

bool TFormLexer::IsIdent(const char* word) const {
    if (kind_ != TFormToken::Ident) return false;
    std::size_t i = 0;
    for (; word[i]; ++i) {
        if (i >= text_.size()) return false;
        char a = text_[i], b = word[i];
        if (a >= 'A' && a <= 'Z') a = static_cast<char>(a + 32);
        if (b >= 'A' && b <= 'Z') b = static_cast<char>(b + 32);
        if (a != b) return false;
    }
    return i == text_.size();
}

void TFormLexer::skipBlanks() {
    while (pos_ < src_.size()) {
        const char c = src_[pos_];
        if (c == '\n') {
            ++lineAtPos_;
        } else if (c == '\r') {
            if (pos_ + 1 >= src_.size() || src_[pos_ + 1] != '\n') ++lineAtPos_;
        } else if (c != ' ' && c != '\t') {
            return;
        }
        ++pos_;
    }
}

void TFormLexer::Next() {
    skipBlanks();
    line_ = lineAtPos_;
    text_.clear();
    hex_ = false;
    if (pos_ >= src_.size()) {
        kind_ = TFormToken::End;
        return;
    }
    const char c = src_[pos_];
    if (isIdentStart(c)) {
        kind_ = TFormToken::Ident;
        while (true) {
            while (pos_ < src_.size() && isIdentChar(src_[pos_]))
                text_ += src_[pos_++];
            if (pos_ + 1 < src_.size() && src_[pos_] == '.' && isIdentStart(src_[pos_ + 1]))
                text_ += src_[pos_++];
            else
                break;
        }
        return;
    }
    if (isDigit(c) || c == '$' ||
        (c == '-' && pos_ + 1 < src_.size() && (isDigit(src_[pos_ + 1]) || src_[pos_ + 1] == '$'))) {
        readNumber();
        return;
    }
    if (c == '\'' || c == '#') {
        readString();
        return;
    }
    static constexpr std::string_view symbols = "=:[](){}<>,+";
    if (symbols.find(c) != std::string_view::npos) {
        kind_ = TFormToken::Symbol;
        text_ = std::string(1, c);
        ++pos_;
        return;
    }
    const auto byte = static_cast<unsigned char>(c);
    Error(byte >= 0x20 && byte < 0x7F ? "unexpected character '" + std::string(1, c) + "'"
                                      : "unexpected byte #" + std::to_string(byte));
}

void TFormLexer::readNumber() {
    const std::size_t start = pos_;
    const bool negative = src_[pos_] == '-';
    if (negative) ++pos_;
    if (src_[pos_] == '$') {
        ++pos_;
        std::uint64_t value = 0;
        std::size_t digits = 0;
        for (; pos_ < src_.size() && hexValue(src_[pos_]) >= 0; ++pos_, ++digits) {
            if (value > (UINT64_MAX >> 4)) Error("hexadecimal number too large");
            value = value * 16 + static_cast<std::uint64_t>(hexValue(src_[pos_]));
        }
        if (digits == 0) Error("expected hexadecimal digits after '$'");
        if (value > static_cast<std::uint64_t>(INT64_MAX)) Error("hexadecimal number too large");
        kind_ = TFormToken::Integer;
        hex_ = true;
        int_ = negative ? -static_cast<std::int64_t>(value) : static_cast<std::int64_t>(value);
    } else {
        while (pos_ < src_.size() && isDigit(src_[pos_]))
            ++pos_;
        bool isFloat = false;
        if (pos_ + 1 < src_.size() && src_[pos_] == '.' && isDigit(src_[pos_ + 1])) {
            isFloat = true;
            ++pos_;
            while (pos_ < src_.size() && isDigit(src_[pos_]))
                ++pos_;
        }
        if (pos_ < src_.size() && (src_[pos_] == 'e' || src_[pos_] == 'E')) {
            std::size_t p = pos_ + 1;
            if (p < src_.size() && (src_[p] == '+' || src_[p] == '-')) ++p;
            if (p < src_.size() && isDigit(src_[p])) {
                isFloat = true;
                pos_ = p;
                while (pos_ < src_.size() && isDigit(src_[pos_]))
                    ++pos_;
            }
        }
        const char* first = src_.data() + start;
        const char* last = src_.data() + pos_;
        if (isFloat) {
            kind_ = TFormToken::Float;
            const auto [end, ec] = std::from_chars(first, last, float_);
            if (ec != std::errc() || end != last) Error("number out of range: " + std::string(first, last));
        } else {
            kind_ = TFormToken::Integer;
            const auto [end, ec] = std::from_chars(first, last, int_);
            if (ec != std::errc() || end != last) Error("number out of range: " + std::string(first, last));
        }
    }
    if (pos_ < src_.size() && (isIdentChar(src_[pos_]) || src_[pos_] == '.'))
        Error("malformed number " + std::string(src_.substr(start, pos_ + 1 - start)));
    text_ = std::string(src_.substr(start, pos_ - start));
}

void TFormLexer::readString() {
    kind_ = TFormToken::String;
    while (pos_ < src_.size()) {
        if (src_[pos_] == '\'') {
            ++pos_;
            while (true) {
                if (pos_ >= src_.size() || src_[pos_] == '\n' || src_[pos_] == '\r')
                    Error("unterminated string (a quote must close it on the same line)");
                if (src_[pos_] == '\'') {
                    if (pos_ + 1 < src_.size() && src_[pos_ + 1] == '\'') {
                        text_ += '\'';
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                std::size_t next = pos_;
                bool valid = true;
                sUtf8Next(src_, next, &valid);
                if (!valid) Error("invalid UTF-8 in a string");
                text_ += src_.substr(pos_, next - pos_);
                pos_ = next;
            }
        } else if (src_[pos_] == '#') {
            ++pos_;
            const bool hex = pos_ < src_.size() && src_[pos_] == '$';
            if (hex) ++pos_;
            std::uint32_t cp = 0;
            std::size_t digits = 0;
            for (; pos_ < src_.size(); ++pos_, ++digits) {
                const int d = hex ? hexValue(src_[pos_]) : (isDigit(src_[pos_]) ? src_[pos_] - '0' : -1);
                if (d < 0) break;
                cp = cp * (hex ? 16 : 10) + static_cast<std::uint32_t>(d);
                if (cp > 0x10FFFF) Error("character code above #1114111");
            }
            if (digits == 0) Error("expected a character code after '#'");
            if (cp >= 0xD800 && cp <= 0xDFFF)
                Error("character code #" + std::to_string(cp) + " is a surrogate");
            sUtf8Append(text_, static_cast<char32_t>(cp));
        } else {
            break;
        }
    }
}

std::string TFormLexer::ReadBinary() {
    std::string bytes;
    int pending = -1;
    while (true) {
        skipBlanks();
        if (pos_ >= src_.size()) {
            line_ = lineAtPos_;
            Error("expected '}' to close the binary data");
        }
        const char c = src_[pos_];
        if (c == '}') break;
        const int v = hexValue(c);
        if (v < 0) {
            line_ = lineAtPos_;
            Error("expected hexadecimal digits or '}' in binary data");
        }
        if (pending < 0) {
            pending = v;
        } else {
            bytes += static_cast<char>(pending * 16 + v);
            pending = -1;
        }
        ++pos_;
    }
    line_ = lineAtPos_;
    if (pending >= 0) Error("binary data has an odd number of hexadecimal digits");
    ++pos_;
    kind_ = TFormToken::Symbol;
    text_ = "}";
    return bytes;
}

std::string TFormLexer::Describe() const {
    switch (kind_) {
    case TFormToken::End:
        return "end of text";
    case TFormToken::String:
        return "a string";
    default:
        return "'" + text_ + "'";
    }
}

void TFormLexer::Error(const std::string& what) const {
    throw EReadError("Form text, line " + std::to_string(line_) + ": " + what);
}

void TFormLexer::Expected(const std::string& what) const {
    Error("expected " + what + ", found " + Describe());
}

} // namespace vexo
