#include "framework/graphics/TImageList.h"
#include "framework/graphics/GraphicsExceptions.h"
#include "support/BmpTestData.h"
#include "support/PixelSurface.h"
#include <gtest/gtest.h>

using namespace vexo;

namespace {

using bmptest::Bmp;
using bmptest::Vga16;

// A strip of two 2 x 2 images on an olive (index 3) background: image 0 has a red pixel at (0,0),
// image 1 a black pixel at (1,1).
TBitmap* strip() {
    static TBitmap b;
    b.LoadFromData(Bmp(4, 2, 4, {9, 3, 3, 3, 3, 3, 3, 0}, Vga16()));
    return &b;
}

TEST(TImageListTest, AddMaskedSplitsAStripAndDrawsTransparently) {
    TImageList list(2, 2);
    EXPECT_EQ(list.AddMasked(strip(), clDefault), 0);
    EXPECT_EQ(list.Count(), 2);
    PixelSurface s(6, 6);
    list.Draw(s.canvas(), 1, 1, 0);
    list.Draw(s.canvas(), 3, 3, 1);
    EXPECT_EQ(s.at(1, 1), clRed);
    EXPECT_EQ(s.at(4, 4), clBlack);
    EXPECT_EQ(s.count(clWhite), 36 - 2) << "the mask colour is not painted";
}

TEST(TImageListTest, AddWithMaskBitmap) {
    TImageList list(2, 2);
    TBitmap mask;
    // White is transparent in a mask.
    mask.LoadFromData(Bmp(4, 2, 1, {0, 1, 1, 1, 1, 1, 1, 0}, {0x000000, 0xFFFFFF}));
    EXPECT_EQ(list.Add(strip(), &mask), 0);
    PixelSurface s(4, 4);
    list.Draw(s.canvas(), 0, 0, 1);
    EXPECT_EQ(s.at(1, 1), clBlack);
    EXPECT_EQ(s.count(clWhite), 15);
}

TEST(TImageListTest, DisabledImagesAreEmbossed) {
    TImageList list(2, 2);
    list.AddMasked(strip(), clDefault);
    PixelSurface s(6, 6);
    s.canvas()->Brush()->SetColor(clSilver);
    s.canvas()->FillRect(Rect(0, 0, 6, 6));
    list.Draw(s.canvas(), 1, 1, 0, false);
    EXPECT_EQ(s.at(1, 1), RGB(128, 128, 128)) << "shape in the shadow colour";
    EXPECT_EQ(s.at(2, 2), clWhite) << "highlight one pixel down and right";
    EXPECT_EQ(s.count(clSilver), 34);
}

TEST(TImageListTest, OutOfRangeIndexesAreHarmless) {
    TImageList list(2, 2);
    list.AddMasked(strip(), clDefault);
    PixelSurface s(4, 4);
    list.Draw(s.canvas(), 0, 0, 2);
    list.Draw(s.canvas(), 0, 0, -1);
    EXPECT_EQ(s.count(clWhite), 16);
    list.Delete(5);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Add(nullptr, nullptr), -1);
    TBitmap copy;
    list.GetBitmap(1, &copy);
    EXPECT_EQ(copy.Canvas()->Pixels(1, 1), clBlack);
    EXPECT_EQ(copy.Canvas()->Pixels(0, 0), clWhite);
    list.SetWidth(4);
    EXPECT_EQ(list.Count(), 0) << "a new size empties the list";
}

TEST(TImageListTest, DataKeepsEveryImageAndItsTransparency) {
    TImageList list(2, 2);
    list.AddMasked(strip(), clDefault);
    const std::string data = list.WriteData();
    TImageList copy(2, 2);
    copy.ReadData(data);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.WriteData(), data);
    PixelSurface s(6, 6);
    copy.Draw(s.canvas(), 1, 1, 0);
    copy.Draw(s.canvas(), 3, 3, 1);
    EXPECT_EQ(s.at(1, 1), clRed);
    EXPECT_EQ(s.at(4, 4), clBlack);
    EXPECT_EQ(s.count(clWhite), 36 - 2);
    copy.ReadData("");
    EXPECT_EQ(copy.Count(), 0);
    EXPECT_EQ(copy.WriteData(), "");
}

TEST(TImageListTest, DataThatIsNotTwoBitmapsIsRefusedAndChangesNothing) {
    TImageList list(2, 2);
    list.AddMasked(strip(), clDefault);
    const std::string data = list.WriteData();
    TBitmap other;
    other.SetSize(3, 2);
    const std::string bad[] = {
        data.substr(0, 3),                                   // no byte count
        data.substr(0, data.size() - 1),                     // the mask cut short
        data + "x",                                          // bytes after the mask
        data.substr(0, data.size() / 2),                     // no mask
        data.substr(0, data.size() / 2) + other.WriteData(), // a mask of another size
    };
    for (const std::string& d : bad) {
        EXPECT_THROW(list.ReadData(d), EInvalidGraphic) << d.size();
        EXPECT_EQ(list.Count(), 2);
    }
}

} // namespace
