#include "framework/graphics/TJPEGImage.h"
#include "framework/graphics/GraphicsExceptions.h"
#include "support/JpegTestData.h"
#include "support/PixelSurface.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>

using namespace vexo;

namespace {

bool near(TColor a, TColor b, int tolerance = 4) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// The frame header's size fields, rewritten: a header may claim any size.
std::string withDeclaredSize(std::string jpeg, int width, int height) {
    const std::size_t sof = jpeg.find("\xFF\xC0");
    jpeg[sof + 5] = static_cast<char>(height >> 8);
    jpeg[sof + 6] = static_cast<char>(height & 0xFF);
    jpeg[sof + 7] = static_cast<char>(width >> 8);
    jpeg[sof + 8] = static_cast<char>(width & 0xFF);
    return jpeg;
}

} // namespace

TEST(TJPEGImageTest, LoadsSizeAndPixelsAndDrawsStretched) {
    TJPEGImage jpeg;
    EXPECT_TRUE(jpeg.Empty());
    jpeg.LoadFromData(MakeJpeg(40, 20, QColor(0, 0, 255)));
    EXPECT_EQ(jpeg.Width(), 40);
    EXPECT_EQ(jpeg.Height(), 20);

    PixelSurface s(100, 60);
    s.canvas()->StretchDraw(Rect(10, 10, 90, 50), &jpeg);
    EXPECT_TRUE(near(s.at(10, 10), RGB(0, 0, 255)));
    EXPECT_TRUE(near(s.at(89, 49), RGB(0, 0, 255)));
    EXPECT_EQ(s.at(9, 10), clWhite);
    EXPECT_EQ(s.at(90, 49), clWhite);
    s.canvas()->Draw(0, 0, &jpeg);
    EXPECT_TRUE(near(s.at(39, 19), RGB(0, 0, 255)));

    // What it writes reads back, through a file.
    const std::string path = testing::TempDir() + "/roundtrip.jpg";
    jpeg.SaveToFile(path);
    TJPEGImage again;
    again.LoadFromFile(path);
    EXPECT_EQ(again.Width(), 40);
    EXPECT_TRUE(near(QColorToColor(again.Image().pixelColor(5, 5)), RGB(0, 0, 255), 8));
}

TEST(TJPEGImageTest, BadDataRaisesAndKeepsThePicture) {
    const std::string good = MakeJpeg(64, 48, Qt::red);
    struct Case {
        const char* name;
        std::string data;
        const char* message; // a piece of the error's text
    };
    const Case cases[] = {
        {"empty", "", "vacíos"},
        {"not a JPEG", "BM this is a bitmap", "no son válidos"},
        {"cut before the frame header", good.substr(0, 20), ""},
        {"cut in the scan", good.substr(0, good.size() / 2), "no son válidos"},
        {"corrupt scan", good.substr(0, good.size() - 40) + std::string(38, '\x13') + "\xFF\xD9", ""},
        {"a decompression bomb", withDeclaredSize(good, 65000, 65000), "demasiado grande"},
        {"zero width", withDeclaredSize(good, 0, 48), ""},
    };
    for (const Case& c : cases) {
        TJPEGImage jpeg;
        jpeg.LoadFromData(MakeJpeg(10, 5, Qt::green));
        int changes = 0;
        jpeg.OnChange = [&changes](TGraphic*) { ++changes; };
        try {
            jpeg.LoadFromData(c.data);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const EInvalidGraphic& e) {
            EXPECT_NE(e.Message.find(c.message), std::string::npos) << c.name << ": " << e.Message;
        }
        EXPECT_EQ(jpeg.Width(), 10) << c.name;
        EXPECT_EQ(jpeg.Height(), 5) << c.name;
        EXPECT_EQ(changes, 0) << c.name;
    }
    TJPEGImage jpeg;
    EXPECT_THROW(jpeg.LoadFromFile(testing::TempDir() + "/no-such-picture.jpg"), EInvalidGraphic);
}
