#pragma once
// The font style set: bit flags with the set operators the framework's code is written with
// (Styles << fsBold, Styles.Contains(fsItalic), Styles + Other), and the element names that form
// files write between brackets ([fsBold, fsItalic]).
#include <cstdint>
#include <initializer_list>

namespace vexo {

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };

constexpr int FontStyleCount = 4;
constexpr const char* FontStyleName(TFontStyle style) {
    switch (style) {
    case fsBold:
        return "fsBold";
    case fsItalic:
        return "fsItalic";
    case fsUnderline:
        return "fsUnderline";
    case fsStrikeOut:
        return "fsStrikeOut";
    }
    return "";
}

class TFontStyles {
public:
    constexpr TFontStyles() = default;
    constexpr TFontStyles(std::initializer_list<TFontStyle> styles) {
        for (TFontStyle s : styles)
            bits_ |= bit(s);
    }
    static constexpr TFontStyles FromBits(std::uint8_t bits) {
        TFontStyles result;
        result.bits_ = static_cast<std::uint8_t>(bits & 0x0F);
        return result;
    }
    constexpr std::uint8_t Bits() const { return bits_; }
    constexpr bool Contains(TFontStyle s) const { return (bits_ & bit(s)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }

    constexpr TFontStyles& operator<<(TFontStyle s) {
        bits_ |= bit(s);
        return *this;
    }
    constexpr TFontStyles& operator>>(TFontStyle s) {
        bits_ &= static_cast<std::uint8_t>(~bit(s));
        return *this;
    }
    friend constexpr TFontStyles operator+(TFontStyles a, TFontStyles b) {
        return FromBits(a.bits_ | b.bits_);
    }
    friend constexpr TFontStyles operator-(TFontStyles a, TFontStyles b) {
        return FromBits(static_cast<std::uint8_t>(a.bits_ & ~b.bits_));
    }
    friend constexpr TFontStyles operator*(TFontStyles a, TFontStyles b) {
        return FromBits(a.bits_ & b.bits_);
    }
    friend constexpr bool operator==(TFontStyles, TFontStyles) = default;

private:
    static constexpr std::uint8_t bit(TFontStyle s) { return static_cast<std::uint8_t>(1u << s); }
    std::uint8_t bits_ = 0;
};

} // namespace vexo
