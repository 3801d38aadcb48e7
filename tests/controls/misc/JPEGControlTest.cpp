#include "controls/misc/JPEGControl.h"
#include "framework/graphics/GraphicsExceptions.h"
#include "framework/graphics/TJPEGImage.h"
#include "framework/streaming/ClassRegistry.h"
#include "framework/windows/Render.h"
#include "framework/windows/TForm.h"
#include "support/JpegTestData.h"
#include "support/PixelSurface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace vexo;

namespace {

constexpr TColor Background = 0x000078;

struct JpegOnForm {
    TForm form{nullptr};
    TJPEGControl* jpeg;
    explicit JpegOnForm(int width = 300, int height = 200) {
        form.SetBounds(0, 0, 500, 400);
        jpeg = new TJPEGControl(&form);
        jpeg->SetParent(&form);
        jpeg->SetBounds(0, 0, width, height);
    }
    PixelSurface picture() {
        return PixelSurface(RenderToImage(&form).copy(0, 0, jpeg->Width(), jpeg->Height()));
    }
};

std::string pictureFile(const std::string& name, int width, int height, const QColor& color = Qt::blue) {
    const std::string path = testing::TempDir() + "/" + name;
    WriteFile(path, MakeJpeg(width, height, color));
    return path;
}

} // namespace

TEST(JPEGControlTest, SmallPicturesAreCentredOnColourAndLargeOnesCutOff) {
    struct Case {
        int pw, ph, cw, ch;
        TRect drawn; // where the picture's pixels are, inside the control
    };
    const Case cases[] = {
        {100, 50, 300, 200, Rect(100, 75, 200, 125)},
        {101, 51, 300, 200, Rect(99, 74, 200, 125)}, // halving truncates
        {400, 300, 300, 200, Rect(0, 0, 300, 200)},
        {400, 50, 300, 200, Rect(0, 75, 300, 125)},
    };
    for (const Case& c : cases) {
        const std::string name = std::to_string(c.pw) + "x" + std::to_string(c.ph);
        JpegOnForm f(c.cw, c.ch);
        EXPECT_EQ(f.picture().inkBounds(Background), TRect{}) << name << ": without a file, all Color";
        f.jpeg->SetFile(pictureFile(name + ".jpg", c.pw, c.ph));
        PixelSurface p = f.picture();
        EXPECT_EQ(p.inkBounds(Background), c.drawn) << name;
        EXPECT_EQ(f.jpeg->GetColorAt(c.drawn.Left, c.drawn.Top), p.at(c.drawn.Left, c.drawn.Top)) << name;
        if (c.drawn.Left > 0) {
            EXPECT_EQ(f.jpeg->GetColorAt(0, 0), Background) << name;
        }
        f.jpeg->clear();
        EXPECT_EQ(f.picture().inkBounds(Background), TRect{}) << name << ": cleared";
    }
}

TEST(JPEGControlTest, ComputeSizeCapsTheSetSideAndKeepsProportions) {
    struct Case {
        bool byHeight;
        int limit, pw, ph;
        TSize expected;
    };
    const Case cases[] = {
        {true, 100, 400, 200, {200, 100}}, {true, 100, 120, 60, {120, 60}},
        {true, 100, 300, 100, {300, 100}}, // not larger: the picture's own size
        {false, 100, 400, 200, {100, 50}}, {false, 100, 90, 45, {90, 45}},
        {false, 100, 300, 7, {100, 2}}, // truncated toward zero
    };
    for (const Case& c : cases) {
        const std::string name = std::to_string(c.pw) + "x" + std::to_string(c.ph) +
                                 (c.byHeight ? " h" : " w") + std::to_string(c.limit);
        JpegOnForm f;
        f.jpeg->SetFile(pictureFile("size.jpg", c.pw, c.ph));
        if (c.byHeight)
            f.jpeg->SetMinHeight(c.limit);
        else
            f.jpeg->SetMinWidth(c.limit);
        f.jpeg->ComputeSize();
        EXPECT_EQ(f.jpeg->Width(), c.expected.cx) << name;
        EXPECT_EQ(f.jpeg->Height(), c.expected.cy) << name;
    }
    JpegOnForm f;
    f.jpeg->SetMinHeight(100);
    f.jpeg->SetMinWidth(50);
    EXPECT_EQ(f.jpeg->MinHeight(), 0);
    f.jpeg->SetMinHeight(70);
    EXPECT_EQ(f.jpeg->MinWidth(), 0);
}

TEST(JPEGControlTest, TheSameNameLoadsOnlyAfterClear) {
    JpegOnForm f;
    const std::string path = pictureFile("again.jpg", 100, 50);
    f.jpeg->SetFile(path);
    pictureFile("again.jpg", 60, 30);
    f.jpeg->SetFile(path);
    EXPECT_EQ(f.jpeg->Picture()->Width(), 100) << "the same name is not read again";
    f.jpeg->clear();
    EXPECT_EQ(f.jpeg->FileName(), "");
    f.jpeg->SetFile(path);
    EXPECT_EQ(f.jpeg->Picture()->Width(), 60);
    EXPECT_EQ(f.picture().inkBounds(Background), Rect(120, 85, 180, 115));
}

TEST(JPEGControlTest, AFailedLoadKeepsThePictureAndNameAndCanBeRetried) {
    const std::string good = pictureFile("good.jpg", 100, 50);
    const std::string missing = testing::TempDir() + "/missing.jpg";
    const std::string corrupt = testing::TempDir() + "/corrupt.jpg";
    WriteFile(corrupt, MakeJpeg(80, 80, Qt::red).substr(0, 300));
    for (const std::string& bad : {missing, corrupt}) {
        JpegOnForm f;
        f.jpeg->SetFile(good);
        EXPECT_THROW(f.jpeg->SetFile(bad), EInvalidGraphic) << bad;
        EXPECT_EQ(f.jpeg->FileName(), good) << bad;
        EXPECT_EQ(f.picture().inkBounds(Background), Rect(100, 75, 200, 125)) << bad;
        // Once the file is good, the same name loads.
        WriteFile(bad, MakeJpeg(40, 40, Qt::green));
        f.jpeg->SetFile(bad);
        EXPECT_EQ(f.jpeg->Picture()->Width(), 40) << bad;
        std::remove(bad.c_str());
    }
}

TEST(JPEGControlTest, IsOnThePaletteWithItsColour) {
    const auto classes = PaletteClasses("VexoControls");
    EXPECT_NE(std::find(classes.begin(), classes.end(), ClassOf<TJPEGControl>()), classes.end());
    JpegOnForm f;
    EXPECT_EQ(f.jpeg->Color(), Background);
}
