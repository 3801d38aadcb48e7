#include "framework/graphics/TBitmap.h"
#include "framework/graphics/GraphicsExceptions.h"
#include "framework/graphics/TCanvas.h"
#include "support/BmpTestData.h"
#include "support/PixelSurface.h"
#include <QDir>
#include <gtest/gtest.h>
#include <sstream>

using namespace vexo;

namespace {

using bmptest::Bmp;
using bmptest::Vga16;

constexpr TColor kOlive = RGB(128, 128, 0);

TEST(TBitmapTest, LoadsEveryDepth) {
    struct Case {
        const char* name;
        int bits;
        std::vector<std::uint32_t> pixels;
        std::vector<std::uint32_t> palette;
        TPixelFormat format;
    };
    const Case cases[] = {
        {"1 bit", 1, {0, 1, 1, 0, 0, 1}, {0x000000, 0xFFFFFF}, pf1bit},
        {"4 bits", 4, {3, 9, 15, 0, 12, 3}, Vga16(), pf4bit},
        {"8 bits", 8, {1, 2, 0, 0, 2, 1}, {0x000000, 0x123456, 0xABCDEF}, pf8bit},
        {"24 bits", 24, {0xFF0000, 0x00FF00, 0x0000FF, 0x808000, 0xFFFFFF, 0x000000}, {}, pf24bit},
    };
    for (const Case& c : cases) {
        TBitmap b;
        b.LoadFromData(Bmp(3, 2, c.bits, c.pixels, c.palette));
        ASSERT_EQ(b.Width(), 3) << c.name;
        ASSERT_EQ(b.Height(), 2) << c.name;
        EXPECT_EQ(b.PixelFormat(), c.format) << c.name;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) {
                std::uint32_t rgb = c.pixels[static_cast<std::size_t>(y * 3 + x)];
                if (c.bits <= 8) rgb = c.palette[rgb];
                const TColor expected = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
                EXPECT_EQ(QColorToColor(b.Image().pixelColor(x, y)), expected)
                    << c.name << " " << x << "," << y;
            }
        if (c.bits == 4) {
            ASSERT_EQ(b.Palette().size(), 16u);
            EXPECT_EQ(b.Palette()[3], kOlive);
        }
    }
}

TEST(TBitmapTest, BadDataRaisesAndKeepsThePicture) {
    const std::string good = Bmp(2, 2, 24, {0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000});
    auto patched = [&](std::size_t at, std::uint32_t value, int bytes) {
        std::string s = good;
        for (int i = 0; i < bytes; ++i)
            s[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
        return s;
    };
    struct Case {
        const char* name;
        std::string data;
    };
    const Case cases[] = {
        {"empty", ""},
        {"not a bitmap", "GIF89a and some more bytes to pass the length check"},
        {"truncated pixels", good.substr(0, good.size() - 3)},
        {"truncated header", good.substr(0, 30)},
        {"zero width", patched(18, 0, 4)},
        {"huge size", patched(18, 30000, 4)},
        {"unknown depth", patched(28, 7, 2)},
        {"two planes", patched(26, 2, 2)},
        {"unknown compression", patched(30, 9, 4)},
        {"pixel offset past the end", patched(10, 5000, 4)},
        {"unknown header size", patched(14, 33, 4)},
        {"palette larger than the depth", Bmp(2, 2, 1, {0, 1, 1, 0}, std::vector<std::uint32_t>(3, 0))},
    };
    TBitmap b;
    b.LoadFromData(Bmp(1, 1, 24, {0x00FF00}));
    for (const Case& c : cases) {
        EXPECT_THROW(b.LoadFromData(c.data), EInvalidGraphic) << c.name;
        ASSERT_EQ(b.Width(), 1) << c.name;
        EXPECT_EQ(QColorToColor(b.Image().pixelColor(0, 0)), clLime) << c.name;
    }
    EXPECT_THROW(b.LoadFromFile("/nonexistent/file.bmp"), EInvalidGraphic);
}

TEST(TBitmapTest, PropertyDataCarriesAByteCount) {
    const std::string bmp = Bmp(2, 1, 24, {0x0000FF, 0xFF0000});
    std::string data(4, '\0');
    bmptest::put32(data, 0, static_cast<std::uint32_t>(bmp.size()));
    data += bmp;
    TBitmap b;
    b.ReadData(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
    EXPECT_EQ(QColorToColor(b.Image().pixelColor(0, 0)), clBlue);
    EXPECT_THROW(b.ReadData(reinterpret_cast<const std::uint8_t*>(data.data()), data.size() - 1),
                 EInvalidGraphic);

    TBitmap again;
    const std::string written = b.WriteData();
    again.ReadData(reinterpret_cast<const std::uint8_t*>(written.data()), written.size());
    EXPECT_EQ(again.Image(), b.Image());
}

TEST(TBitmapTest, SavesAndLoadsFiles) {
    TBitmap b;
    b.SetSize(5, 4);
    b.Canvas()->SetPixels(4, 3, clRed);
    const std::string path = QDir::tempPath().toStdString() + "/vexo_bitmap_test.bmp";
    b.SaveToFile(path);
    TBitmap loaded;
    loaded.LoadFromFile(path);
    EXPECT_EQ(loaded.Image(), b.Image());
    std::remove(path.c_str());
}

TEST(TBitmapTest, ResizingKeepsThePicture) {
    TBitmap b;
    b.SetSize(2, 2);
    b.Canvas()->SetPixels(1, 1, clRed);
    b.SetWidth(4);
    EXPECT_EQ(b.Canvas()->Pixels(1, 1), clRed);
    EXPECT_EQ(b.Canvas()->Pixels(3, 1), clWhite);
    b.SetSize(-5, 3);
    EXPECT_TRUE(b.Empty());
}

TEST(TBitmapTest, TransparentColourIsTheBottomLeftPixelUnlessSet) {
    TBitmap b;
    b.LoadFromData(Bmp(2, 2, 4, {1, 2, 3, 4}, Vga16()));
    EXPECT_EQ(b.TransparentMode(), tmAuto);
    EXPECT_EQ(b.TransparentColor(), kOlive) << "bottom-left";
    b.SetTransparentColor(clRed);
    EXPECT_EQ(b.TransparentMode(), tmFixed);
    EXPECT_EQ(b.TransparentColor(), clRed);
}

TEST(TBitmapTest, DrawAndStretchDrawHonourTransparency) {
    // A 3 x 2 glyph: olive background (bottom-left), one red and one black pixel.
    TBitmap glyph;
    glyph.LoadFromData(Bmp(3, 2, 4, {3, 9, 3, 3, 0, 3}, Vga16()));
    struct Case {
        bool transparent;
        bool stretch;
    };
    for (const Case c : {Case{false, false}, Case{true, false}, Case{true, true}}) {
        glyph.SetTransparent(c.transparent);
        PixelSurface s(10, 10);
        if (c.stretch)
            s.canvas()->StretchDraw(Rect(2, 2, 8, 6), &glyph);
        else
            s.canvas()->Draw(2, 2, &glyph);
        const int scale = c.stretch ? 2 : 1;
        EXPECT_EQ(s.at(2 + 1 * scale, 2), clRed);
        EXPECT_EQ(s.at(2 + 1 * scale, 2 + 1 * scale), clBlack);
        EXPECT_EQ(s.at(2, 2), c.transparent ? clWhite : kOlive);
        EXPECT_EQ(s.count(kOlive), c.transparent ? 0 : 4);
        EXPECT_EQ(s.count(clRed), scale * scale);
    }
}

TEST(TBitmapTest, AssignCopiesPictureAndTransparency) {
    TBitmap a;
    a.LoadFromData(Bmp(2, 1, 4, {9, 3}, Vga16()));
    a.SetTransparent(true);
    a.SetTransparentColor(clRed);
    TBitmap b;
    b.Assign(a);
    EXPECT_EQ(b.Image(), a.Image());
    EXPECT_TRUE(b.Transparent());
    EXPECT_EQ(b.TransparentColor(), clRed);
    EXPECT_EQ(b.Palette(), a.Palette());
    a.Canvas()->SetPixels(0, 0, clBlue);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clRed) << "a deep copy";
}

} // namespace
