#pragma once
// Reads the fixed-position text forms of dates (dd/mm/yyyy) and times (hh:mm): at most eleven
// characters are looked at, the separator positions end the field before them, and each field is
// read the way C's atoi reads (blanks, optional sign, digits up to the first non-digit; no digits
// gives 0). Positions count characters, not bytes; a malformed UTF-8 byte is one character that is
// never a digit, and a NUL ends the text as it would in a C buffer.
#include "framework/core/Utf8.h"

#include <array>
#include <climits>
#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace vexo {

class sDB_fixedText {
public:
    static constexpr int capacity = 11;

    sDB_fixedText(std::string_view text, std::initializer_list<int> separators) {
        std::size_t pos = 0;
        while (size_ < capacity && pos < text.size()) {
            const char32_t c = sUtf8Next(text, pos);
            if (c == 0) break;
            chars_[static_cast<std::size_t>(size_++)] = c;
        }
        for (int s : separators)
            if (s >= 0 && s < size_) chars_[static_cast<std::size_t>(s)] = 0;
    }

    // The integer that starts at position, or 0 when the text ends before it.
    int fieldAt(int position) const {
        int i = position;
        const auto at = [this](int k) {
            return k < size_ ? chars_[static_cast<std::size_t>(k)] : char32_t{0};
        };
        while (at(i) == ' ' || (at(i) >= '\t' && at(i) <= '\r'))
            ++i;
        bool negative = false;
        if (at(i) == '+' || at(i) == '-') negative = at(i++) == '-';
        std::int64_t value = 0;
        for (; at(i) >= '0' && at(i) <= '9'; ++i)
            if (value <= INT_MAX) value = value * 10 + static_cast<std::int64_t>(at(i) - '0');
        if (negative) value = -value;
        return static_cast<int>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
    }

private:
    std::array<char32_t, capacity> chars_{};
    int size_ = 0;
};

} // namespace vexo
