#include "controls/scroll/VexoScroll.h"
#include "controls/scroll/ScrollProperties.h"
#include "framework/streaming/ClassRegistry.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"
#include "framework/windows/Render.h"
#include "framework/windows/TCustomControl.h"
#include "framework/windows/TForm.h"
#include "framework/windows/TScreen.h"

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using namespace vexo;

namespace {

// A shown form with a panel whose window carries the bar's mouse input: the bar has no window,
// so the panel routes the messages over it to it. The bar sits at (20, 10).
struct BarOnForm {
    static constexpr int X = 20, Y = 10;
    TForm form{nullptr};
    TCustomControl* panel;
    TVexoScroll* bar;
    bool exposed = false;
    std::vector<int> changes; // the position at each OnChange

    explicit BarOnForm(TScrollBarKind kind = sbVertical) {
        form.SetBounds(0, 0, 300, 200);
        panel = new TCustomControl(&form);
        panel->SetParent(&form);
        panel->SetBounds(0, 0, 260, 160);
        bar = new TVexoScroll(&form);
        bar->SetParent(panel);
        bar->SetLeft(X);
        bar->SetTop(Y);
        if (kind == sbHorizontal) {
            bar->SetKind(sbHorizontal);
            bar->SetBounds(X, Y, 100, 18);
        }
        bar->OnChange = [this](TObject*) { changes.push_back(bar->Position()); };
        form.Show();
        exposed = QTest::qWaitForWindowExposed(form.Widget());
        // A pointer move to where the pointer already is sends nothing: start away from the form.
        QCursor::setPos(QPoint(900, 700));
        QApplication::processEvents();
        Screen->SetCursor(crDefault);
    }
    ~BarOnForm() { Screen->SetCursor(crDefault); }

    QWidget* w() const { return panel->Widget(); }
    QPoint at(int x, int y) const { return QPoint(X + x, Y + y); }
    void press(int x, int y) { QTest::mousePress(w(), Qt::LeftButton, {}, at(x, y)); }
    void move(int x, int y) { QTest::mouseMove(w(), at(x, y)); }
    void release(int x, int y) { QTest::mouseRelease(w(), Qt::LeftButton, {}, at(x, y)); }
    bool repeatEnds() {
        return QTest::qWaitFor([&] { return !bar->Repeating(); }, 5000);
    }
};

TColor pixel(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

} // namespace

TEST(VexoScrollTest, SettersStoreOrRefuse) {
    TVexoScroll bar(nullptr);
    EXPECT_EQ(bar.Area(saBtnArrowDown), (TRect{0, 82, 18, 100})) << "18 x 100, laid out by the constructor";
    bar.SetButtonWidth(80);
    EXPECT_EQ(bar.ButtonWidth(), 50) << "half the bar";
    bar.SetScrollerWidth(1);
    EXPECT_EQ(bar.ScrollerWidth(), 3);
    bar.SetButtonWidth(18);
    bar.SetScrollerWidth(15);
    bar.SetSmallChange(5);
    EXPECT_EQ(bar.SmallChange(), 1) << "not below LargeChange";
    bar.SetLargeChange(1);
    EXPECT_EQ(bar.LargeChange(), 1) << "equal to SmallChange is accepted";
    bar.SetMin(30);
    bar.SetMax(20);
    EXPECT_EQ(bar.Max(), 100) << "below Min";
    bar.SetMin(200);
    EXPECT_EQ(bar.Min(), 30) << "above Max";
    EXPECT_EQ(bar.Position(), 0) << "Min does not move the position";
    bar.SetMin(0);

    std::vector<std::string> events;
    bar.OnScroll = [&](TObject*, TScrollCode code, int& position) {
        events.push_back("scroll " + std::to_string(code) + " " + std::to_string(position));
    };
    bar.OnChange = [&](TObject*) { events.push_back("change " + std::to_string(bar.Position())); };
    bar.SetPosition(50);
    bar.SetMax(20);
    EXPECT_EQ(events, (std::vector<std::string>{"scroll 4 50", "change 50", "scroll 4 20", "change 20"}));
    // A handler that changes the position changes the stored one, and the layout follows it.
    bar.OnScroll = [](TObject*, TScrollCode, int& position) { position = 7; };
    bar.SetPosition(15);
    EXPECT_EQ(bar.Position(), 7);
    EXPECT_EQ(bar.Area(saScroller).Top, 18 + 49 * 7 / 20);

    bar.OnScroll = nullptr;
    bar.SetMin(5);
    bar.SetEnabled(false);
    EXPECT_EQ(bar.Position(), 5) << "disabling moves to Min first";
    bar.SetPosition(12);
    EXPECT_EQ(bar.Position(), 5) << "a disabled bar ignores position changes";

    TVexoScroll designed(nullptr);
    designed.SetDesigning(true);
    designed.SetKind(sbHorizontal);
    EXPECT_EQ(designed.Width(), 100) << "the designer swaps the size";
    bar.SetKind(sbHorizontal);
    EXPECT_EQ(bar.Width(), 18) << "a running program does not";
}

TEST(VexoScrollTest, PaintsButtonsArrowsThumbAndGrip) {
    TCustomControl host(nullptr);
    host.SetBounds(0, 0, 30, 110);
    auto* bar = new TVexoScroll(&host);
    bar->SetParent(&host);
    const TColor button = 0x00336699;
    bar->setColor(3, button);
    const TColor track = TVexoScroll::DefaultColor, border = TVexoScroll::DefaultColorBorder,
                 arrow = TVexoScroll::DefaultColorArrow;

    QImage img = RenderToImage(&host);
    // The outer border and the buttons' outlines.
    EXPECT_EQ(pixel(img, 0, 50), border);
    EXPECT_EQ(pixel(img, 9, 17), border) << "the upper button's bottom edge";
    EXPECT_EQ(pixel(img, 9, 82), border) << "the lower button's top edge";
    EXPECT_EQ(pixel(img, 2, 2), button);
    EXPECT_EQ(pixel(img, 9, 50), track);
    EXPECT_EQ(pixel(img, 18, 50), pixel(img, 25, 50)) << "nothing drawn outside the bar";
    // The arrows: the triangles' corners, filled and outlined in the arrow colour.
    for (const TPoint& p :
         {Point(8, 6), Point(4, 10), Point(12, 10), Point(4, 89), Point(12, 89), Point(8, 93)})
        EXPECT_EQ(pixel(img, p.x, p.y), arrow) << p.x << ", " << p.y;
    for (const TPoint& p :
         {Point(8, 5), Point(7, 6), Point(3, 10), Point(13, 10), Point(8, 11), Point(8, 94)})
        EXPECT_EQ(pixel(img, p.x, p.y), button) << p.x << ", " << p.y;
    // The thumb at 0 covers 18..32; grip lines at 22, 24, 26 and 28, from x = 4 to 13.
    EXPECT_EQ(pixel(img, 9, 32), border);
    EXPECT_EQ(pixel(img, 9, 33), track);
    for (int y = 21; y <= 29; ++y) {
        const bool line = y % 2 == 0;
        EXPECT_EQ(pixel(img, 4, y), line ? border : button) << "y = " << y;
        EXPECT_EQ(pixel(img, 13, y), line ? border : button) << "y = " << y;
        EXPECT_EQ(pixel(img, 3, y), button) << "y = " << y;
        EXPECT_EQ(pixel(img, 14, y), button) << "y = " << y << ": LineTo leaves out the end";
    }

    // Disabled: no thumb, the track shows through.
    bar->SetEnabled(false);
    img = RenderToImage(&host);
    EXPECT_EQ(pixel(img, 9, 25), track);
    EXPECT_EQ(pixel(img, 4, 22), track);

    // Horizontal: the grip stands upright in the thumb, which rests against the right button.
    bar->SetEnabled(true);
    bar->SetKind(sbHorizontal);
    bar->SetBounds(0, 0, 100, 18);
    host.SetBounds(0, 0, 110, 30);
    img = RenderToImage(&host);
    EXPECT_EQ(pixel(img, 6, 9), arrow) << "the left button points left";
    // Thumb 67..81: x0 = 67 + 4 = 71; lines at 71, 73, 75, 77 from y = 4 to 13.
    for (int x = 70; x <= 78; ++x) {
        EXPECT_EQ(pixel(img, x, 4), x % 2 == 1 ? border : button) << "x = " << x;
        EXPECT_EQ(pixel(img, x, 14), button) << "x = " << x;
    }
}

TEST(VexoScrollTest, HoldingTheTrackPagesOnATimerUntilTheThumbCoversThePointer) {
    BarOnForm b;
    ASSERT_TRUE(b.exposed);
    b.move(9, 70);
    b.press(9, 70);
    EXPECT_EQ(b.bar->MouseDownAt(), saTrackDown);
    EXPECT_TRUE(b.bar->MouseIsDown());
    EXPECT_TRUE(b.bar->Repeating());
    EXPECT_EQ(b.bar->Position(), 0) << "the first step waits one interval";
    ASSERT_TRUE(b.repeatEnds());
    // Thumb top 18 + 49 x p / 100 must pass 55 for the thumb to cover y = 70: p = 80.
    EXPECT_EQ(b.changes, (std::vector<int>{5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80}));
    EXPECT_TRUE(b.bar->Area(saScroller).Contains(Point(9, 70)));
    EXPECT_TRUE(b.bar->MouseIsDown()) << "the state stays until the button goes up";
    b.release(9, 70);
    EXPECT_FALSE(b.bar->MouseIsDown());
    EXPECT_EQ(b.bar->MouseDownAt(), saNone);

    // Paging up from above the thumb.
    b.changes.clear();
    b.press(9, 20);
    EXPECT_EQ(b.bar->MouseDownAt(), saTrackUp);
    ASSERT_TRUE(b.repeatEnds());
    EXPECT_EQ(b.changes.back(), 5) << "at 5 the thumb covers 20..34";
    b.release(9, 20);
}

TEST(VexoScrollTest, HoldingAnArrowStepsUntilTheEndOfTheRange) {
    const struct {
        const char* name;
        TScrollBarKind kind;
        int start;
        int x, y;
        std::vector<int> changes;
    } cases[] = {
        {"vertical, lower button", sbVertical, 96, 9, 90, {97, 98, 99, 100}},
        {"vertical, already at Max: stops at the first tick", sbVertical, 100, 9, 90, {}},
        {"horizontal, left button increases", sbHorizontal, 97, 5, 9, {98, 99, 100}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BarOnForm b(c.kind);
        b.bar->SetPosition(c.start);
        b.changes.clear();
        std::vector<std::pair<int, int>> moves;
        b.bar->OnMouseMove = [&](TObject*, TShiftState, int x, int y) { moves.emplace_back(x, y); };
        b.move(c.x, c.y);
        b.press(c.x, c.y);
        moves.clear();
        ASSERT_TRUE(b.repeatEnds());
        EXPECT_EQ(b.changes, c.changes);
        EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{c.x, c.y}})) << "stopping reports the pointer";
        b.release(c.x, c.y);
    }
}

TEST(VexoScrollTest, DraggingTheThumbKeepsTheGrabbedPointUnderThePointer) {
    const struct {
        const char* name;
        TScrollBarKind kind;
        int height;
        TPoint press, to;
        int position;
    } cases[] = {
        {"grabbed 5 below its top, dragged to 60", sbVertical, 100, {9, 23}, {9, 60}, 75},
        {"past the end clamps to Max", sbVertical, 100, {9, 23}, {9, 140}, 100},
        {"horizontal, towards the increasing end", sbHorizontal, 18, {72, 9}, {30, 9}, 85},
        {"a track shorter than the thumb never moves it", sbVertical, 40, {9, 20}, {9, 35}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BarOnForm b(c.kind);
        if (c.kind == sbVertical) b.bar->SetHeight(c.height);
        b.move(c.press.x, c.press.y);
        b.press(c.press.x, c.press.y);
        EXPECT_EQ(b.bar->MouseDownAt(), saScroller);
        EXPECT_TRUE(b.bar->Dragging());
        EXPECT_FALSE(b.bar->Repeating());
        b.move(c.to.x, c.to.y);
        EXPECT_EQ(b.bar->Position(), c.position);
        b.release(c.to.x, c.to.y);
        EXPECT_FALSE(b.bar->Dragging());
        b.move(c.press.x, c.press.y);
        EXPECT_EQ(b.bar->Position(), c.position) << "after the release moves do not drag";
    }
}

TEST(VexoScrollTest, EnteringAndLeavingSetTheCursorAndRaiseTheEvents) {
    BarOnForm b;
    std::vector<std::string> events;
    b.bar->OnMouseIn = [&](TObject*) { events.push_back("in"); };
    b.bar->OnMouseOut = [&](TObject*) { events.push_back("out"); };
    b.bar->OnMouseMove = [&](TObject*, TShiftState, int x, int y) {
        events.push_back("move " + std::to_string(x) + " " + std::to_string(y));
    };
    b.move(200, 100);
    b.move(9, 50);
    EXPECT_TRUE(b.bar->MouseInControl());
    EXPECT_EQ(Screen->Cursor(), crArrow);
    b.move(200, 100);
    EXPECT_FALSE(b.bar->MouseInControl());
    EXPECT_EQ(Screen->Cursor(), crDefault);
    EXPECT_EQ(events, (std::vector<std::string>{"in", "move 9 50", "move -1 -1", "out"}));
}

TEST(VexoScrollTest, FormFileRoundTripAndPalette) {
    RegisterScrollClasses();
    const auto classes = PaletteClasses("VexoControls");
    EXPECT_EQ(std::count(classes.begin(), classes.end(), FindClass("TVexoScroll")), 1);

    TForm holder(nullptr);
    holder.SetName("H");
    auto* bar = new TVexoScroll(&holder);
    bar->SetName("bar");
    bar->SetParent(&holder);
    bar->SetBounds(4, 6, 120, 20);
    bar->SetKind(sbHorizontal);
    bar->setColor(0, 0x00102030);
    bar->setColor(1, 0x00405060);
    bar->setColor(2, 0x00708090);
    bar->setColor(3, 0x00A0B0C0);
    bar->SetButtonWidth(12);
    bar->SetScrollerWidth(20);
    bar->SetMax(40);
    bar->SetPosition(7);
    bar->SetMin(10);
    bar->SetSmallChange(3);
    bar->SetLargeChange(3); // equal to SmallChange
    bar->SetEnabled(false); // moves the position to Min
    bar->SetMin(2);         // and a lower Min leaves it there
    const std::string text = WriteComponentText(&holder);
    for (const char* line : {"Kind = sbHorizontal", "ButtonWidth = 12", "Position = 10", "Min = 2",
                             "SmallChange = 3", "LargeChange = 3", "Enabled = False", "Color = "})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    EXPECT_EQ(text.find("MouseDownAt"), std::string::npos) << "the pointer state is never stored";

    TForm again(nullptr);
    ReadComponentText(text, &again);
    auto* read = dynamic_cast<TVexoScroll*>(again.FindComponent("bar"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(WriteComponentText(&again), text);
    EXPECT_EQ(read->Position(), 10);
    EXPECT_EQ(read->Area(saScroller), bar->Area(saScroller)) << "laid out once read";

    // A bar as the constructor makes it stores nothing but its bounds: the defaults agree.
    TForm plain(nullptr);
    plain.SetName("P");
    (new TVexoScroll(&plain))->SetParent(&plain);
    const std::string defaults = WriteComponentText(&plain);
    EXPECT_EQ(
        defaults.substr(defaults.find("  object ")),
        "  object TVexoScroll\n    Left = 0\n    Top = 0\n    Width = 18\n    Height = 100\n  end\nend\n");
}
