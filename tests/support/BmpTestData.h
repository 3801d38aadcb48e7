#pragma once
// Builds Windows BMP files byte by byte for the bitmap tests, so that each test states exactly the
// header fields and pixels it relies on.
#include <cstdint>
#include <string>
#include <vector>

namespace bmptest {

inline void put16(std::string& s, std::size_t at, std::uint16_t v) {
    s[at] = static_cast<char>(v & 0xFF);
    s[at + 1] = static_cast<char>(v >> 8);
}
inline void put32(std::string& s, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        s[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// pixels: one entry per pixel, top row first. For depths up to 8 bits an entry is a palette index,
// otherwise 0x00RRGGBB. palette: 0x00RRGGBB entries.
inline std::string Bmp(int width, int height, int bits, const std::vector<std::uint32_t>& pixels,
                       const std::vector<std::uint32_t>& palette = {}) {
    const int stride = ((width * bits + 31) / 32) * 4;
    const std::size_t paletteBytes = palette.size() * 4;
    const std::size_t offset = 14 + 40 + paletteBytes;
    std::string s(offset + static_cast<std::size_t>(stride * height), '\0');
    s[0] = 'B';
    s[1] = 'M';
    put32(s, 2, static_cast<std::uint32_t>(s.size()));
    put32(s, 10, static_cast<std::uint32_t>(offset));
    put32(s, 14, 40);
    put32(s, 18, static_cast<std::uint32_t>(width));
    put32(s, 22, static_cast<std::uint32_t>(height));
    put16(s, 26, 1);
    put16(s, 28, static_cast<std::uint16_t>(bits));
    put32(s, 46, static_cast<std::uint32_t>(palette.size()));
    for (std::size_t i = 0; i < palette.size(); ++i) {
        s[54 + i * 4] = static_cast<char>(palette[i] & 0xFF);
        s[54 + i * 4 + 1] = static_cast<char>((palette[i] >> 8) & 0xFF);
        s[54 + i * 4 + 2] = static_cast<char>((palette[i] >> 16) & 0xFF);
    }
    for (int y = 0; y < height; ++y) {
        // Rows are stored bottom-up.
        const std::size_t row = offset + static_cast<std::size_t>((height - 1 - y) * stride);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = pixels[static_cast<std::size_t>(y * width + x)];
            if (bits == 24) {
                const std::size_t at = row + static_cast<std::size_t>(x * 3);
                s[at] = static_cast<char>(v & 0xFF);
                s[at + 1] = static_cast<char>((v >> 8) & 0xFF);
                s[at + 2] = static_cast<char>((v >> 16) & 0xFF);
            } else if (bits == 32) {
                put32(s, row + static_cast<std::size_t>(x * 4), v);
            } else {
                const int bitPos = x * bits;
                const std::size_t at = row + static_cast<std::size_t>(bitPos / 8);
                const int shift = 8 - bits - bitPos % 8;
                s[at] = static_cast<char>(static_cast<unsigned char>(s[at]) | (v << shift));
            }
        }
    }
    return s;
}

// The standard 16-colour palette, 0x00RRGGBB.
inline std::vector<std::uint32_t> Vga16() {
    return {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
            0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
}

} // namespace bmptest
