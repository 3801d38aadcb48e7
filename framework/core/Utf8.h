#pragma once
// Minimal UTF-8 stepping shared by the value types and the text helpers. Text arrives from users,
// form files and the database, so it may be malformed: every byte that does not start a well-formed
// sequence (overlong forms, surrogates and code points above U+10FFFF included) counts as one
// character of its own, read as U+FFFD. Callers that copy text keep such bytes as they are.
#include <cstddef>
#include <string>
#include <string_view>

namespace vexo {

inline constexpr char32_t sUtf8Replacement = 0xFFFD;

inline bool sUtf8IsScalar(char32_t c) {
    return c < 0x110000 && (c < 0xD800 || c > 0xDFFF);
}

// Reads the character that starts at pos and moves pos past it; pos must be below text.size().
// valid, when given, tells whether the bytes were a well-formed sequence.
inline char32_t sUtf8Next(std::string_view text, std::size_t& pos, bool* valid = nullptr) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (valid != nullptr) *valid = true;
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    std::size_t len = 0;
    char32_t c = 0;
    char32_t min = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        len = 2, c = lead & 0x1F, min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        len = 3, c = lead & 0x0F, min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        len = 4, c = lead & 0x07, min = 0x10000;
    }
    bool ok = len != 0 && pos + len <= text.size();
    for (std::size_t i = 1; ok && i < len; ++i) {
        const unsigned char b = byte(pos + i);
        ok = (b & 0xC0) == 0x80;
        c = (c << 6) | (b & 0x3F);
    }
    if (ok && c >= min && sUtf8IsScalar(c)) {
        pos += len;
        return c;
    }
    if (valid != nullptr) *valid = false;
    ++pos;
    return sUtf8Replacement;
}

// Appends the encoding of c; c must be a Unicode scalar value.
inline void sUtf8Append(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The first n characters of text, bytes copied unchanged.
inline std::string_view sUtf8Prefix(std::string_view text, std::size_t n) {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < n && pos < text.size(); ++i)
        sUtf8Next(text, pos);
    return text.substr(0, pos);
}

} // namespace vexo
