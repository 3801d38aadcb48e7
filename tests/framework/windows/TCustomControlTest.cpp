#include "framework/windows/TCustomControl.h"
#include "framework/windows/Render.h"
#include "framework/windows/TControlCanvas.h"
#include "framework/windows/TGraphicControl.h"
#include "framework/windows/WinApi.h"
#include "support/WindowTestSupport.h"
#include <QColor>
#include <gtest/gtest.h>
#include <memory>

using namespace vexo;

namespace {

TColor pixel(const QImage& image, int x, int y) {
    return RGB(qRed(image.pixel(x, y)), qGreen(image.pixel(x, y)), qBlue(image.pixel(x, y)));
}

class Box : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    TColor fill = clLime;

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(fill);
        Canvas()->FillRect(Rect(0, 0, Width() + 50, Height() + 50)); // clipped to the control
    }
};

struct Scene {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    RecordingControl* control = new RecordingControl(form.get());
    int paints = 0;
    Scene() {
        form->SetBounds(0, 0, 60, 40);
        control->SetParent(form.get());
        control->SetAlign(alClient);
        control->onPaint = [this](TControlCanvas* c) {
            ++paints;
            c->Brush()->SetColor(clBlue);
            c->FillRect(Rect(0, 0, 60, 40));
        };
    }
};

TEST(TCustomControlTest, PaintDrawsOnTheCanvasAndRendersHeadless) {
    Scene s;
    const QImage image = RenderToImage(s.form.get());
    ASSERT_EQ(image.size(), QSize(60, 40));
    EXPECT_EQ(pixel(image, 0, 0), clBlue);
    EXPECT_EQ(pixel(image, 59, 39), clBlue);
    EXPECT_EQ(s.paints, 1);
    RenderToImage(s.form.get());
    EXPECT_EQ(s.paints, 1) << "a valid picture is shown again, not repainted";
    s.control->Invalidate();
    RenderToImage(s.form.get());
    EXPECT_EQ(s.paints, 2);
}

TEST(TCustomControlTest, GraphicChildrenArePaintedByTheParentWithinTheirBounds) {
    Scene s;
    auto* box = new Box(s.form.get());
    box->SetParent(s.control);
    box->SetBounds(10, 5, 8, 6);
    const QImage image = RenderToImage(s.form.get());
    EXPECT_EQ(pixel(image, 10, 5), clLime);
    EXPECT_EQ(pixel(image, 17, 10), clLime);
    EXPECT_EQ(pixel(image, 18, 10), clBlue) << "clipped at the right edge";
    EXPECT_EQ(pixel(image, 17, 11), clBlue) << "clipped at the bottom edge";
    box->SetVisible(false);
    EXPECT_EQ(pixel(RenderToImage(s.form.get()), 12, 7), clBlue) << "hiding repaints the area below";
    box->SetVisible(true);
    box->fill = clRed;
    box->Invalidate();
    EXPECT_EQ(pixel(RenderToImage(s.form.get()), 12, 7), clRed);
}

TEST(TCustomControlTest, DrawingOutsidePaintStaysInThePicture) {
    Scene s;
    RenderToImage(s.form.get());
    s.control->Canvas()->Brush()->SetColor(clYellow);
    s.control->Canvas()->FillRect(Rect(0, 0, 5, 5));
    s.control->Canvas()->FreeHandle();
    QImage image = RenderToImage(s.form.get());
    EXPECT_EQ(pixel(image, 2, 2), clYellow);
    EXPECT_EQ(pixel(image, 6, 6), clBlue);
    // Repainting another area leaves the drawing alone; repainting its own area paints over it.
    s.control->InvalidateRect(Rect(20, 20, 30, 30));
    image = RenderToImage(s.form.get());
    EXPECT_EQ(pixel(image, 2, 2), clYellow);
    s.control->InvalidateRect(Rect(0, 0, 3, 3));
    image = RenderToImage(s.form.get());
    EXPECT_EQ(pixel(image, 1, 1), clBlue);
    EXPECT_EQ(pixel(image, 4, 4), clYellow);
}

TEST(TCustomControlTest, PaintIsClippedToTheInvalidArea) {
    Scene s;
    RenderToImage(s.form.get());
    s.control->onPaint = [](TControlCanvas* c) {
        c->Brush()->SetColor(clRed);
        c->FillRect(Rect(0, 0, 60, 40));
    };
    s.control->InvalidateRect(Rect(10, 10, 20, 20));
    const QImage image = RenderToImage(s.form.get());
    EXPECT_EQ(pixel(image, 15, 15), clRed);
    EXPECT_EQ(pixel(image, 25, 25), clBlue);
}

TEST(TCustomControlTest, BeginPaintInsideWmPaintGivesThePaintContext) {
    Scene s;
    TRect painted;
    bool samePaintContext = false;
    s.control->onMessage = [&](TMessage& m) {
        if (m.Msg != WM_PAINT) return;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(s.control->Handle(), &ps);
        painted = ps.rcPaint;
        HDC again = GetDC(s.control->Handle());
        samePaintContext = again == dc;
        ReleaseDC(s.control->Handle(), again);
        EndPaint(s.control->Handle(), &ps);
    };
    RenderToImage(s.form.get());
    EXPECT_EQ(painted, Rect(0, 0, 60, 40));
    EXPECT_TRUE(samePaintContext);
}

} // namespace
