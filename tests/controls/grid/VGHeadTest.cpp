#include "controls/grid/GridTestSupport.h"
#include "framework/graphics/SysColors.h"
#include "framework/windows/Render.h"
#include "framework/windows/TForm.h"
#include "framework/windows/TScreen.h"

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vexo;

namespace {

// A shown form whose client area is one grid with columns 0..100, 100..180, 180..240 and
// 240..300 (column 1 is the one the resize cases drag), so that real mouse input reaches the
// header's window.
struct HeadOnForm {
    TForm form{nullptr};
    TVexoGrid* grid;
    TVGHead* head;
    bool exposed = false;

    explicit HeadOnForm(const std::vector<int>& widths = {100, 80, 60, 60}) {
        form.SetBounds(0, 0, 420, 120);
        grid = new TVexoGrid(&form);
        grid->SetParent(&form);
        grid->SetAlign(alClient);
        head = grid->Head();
        for (std::size_t i = 0; i < widths.size(); ++i) {
            TVGColumn* c = grid->Columns()->Add();
            c->SetFieldName("f" + std::to_string(i));
            c->SetCaption("col" + std::to_string(i));
            c->SetWidth(widths[i]);
        }
        form.Show();
        exposed = QTest::qWaitForWindowExposed(form.Widget());
        // A pointer move to where the pointer already is sends nothing: start away from the form.
        QCursor::setPos(QPoint(900, 700));
        QApplication::processEvents();
        Screen->SetCursor(crDefault);
    }
    ~HeadOnForm() { Screen->SetCursor(crDefault); }

    QWidget* w() const { return head->Widget(); }
    void move(int x) { QTest::mouseMove(w(), QPoint(x, 9)); }
    void press(int x) { QTest::mousePress(w(), Qt::LeftButton, {}, QPoint(x, 9)); }
    void release(int x) { QTest::mouseRelease(w(), Qt::LeftButton, {}, QPoint(x, 9)); }
    int width(int col) const { return grid->Columns()->Items(col)->Width(); }
};

QImage headImage(TVGHead* head) {
    return RenderToImage(head);
}

TColor pixel(const QImage& img, int x, int y) {
    return QColorToColor(img.pixelColor(x, y));
}

// Leftmost and rightmost x, within [from, to), of the pixels that are neither the background nor
// the separator colour: the caption's ink.
std::pair<int, int> inkSpan(const QImage& img, int from, int to, TColor background) {
    int left = -1, right = -1;
    for (int x = std::max(from, 0); x < std::min(to, img.width()); ++x)
        for (int y = 0; y < img.height(); ++y) {
            const TColor c = pixel(img, x, y);
            if (c == background || c == clSilver) continue;
            if (left < 0) left = x;
            right = x;
        }
    return {left, right};
}

} // namespace

TEST(VGHeadTest, ResizeZoneIsTheLastFivePixelsOfACaption) {
    HeadOnForm h;
    ASSERT_TRUE(h.exposed);
    const struct {
        int x;
        bool armed;
        TCursor cursor;
        int hover;
    } cases[] = {{175, false, crDefault, 1}, {176, true, crHSplit, 1},   {178, true, crHSplit, 1},
                 {180, true, crHSplit, 1},   {181, false, crDefault, 2}, {96, true, crHSplit, 0},
                 {50, false, crDefault, 0}};
    for (const auto& c : cases) {
        h.move(c.x);
        EXPECT_EQ(h.head->ResizeArmed(), c.armed) << "x = " << c.x;
        EXPECT_EQ(Screen->Cursor(), c.cursor) << "x = " << c.x;
        EXPECT_EQ(h.head->HoverColumn(), c.hover) << "x = " << c.x;
    }
    // Past the last column nothing is hit: the cursor stays as the last hit left it.
    h.move(178);
    h.move(380);
    EXPECT_EQ(h.head->HoverColumn(), -1);
    EXPECT_FALSE(h.head->ResizeArmed());
    EXPECT_EQ(Screen->Cursor(), crHSplit);
    // Entering does nothing (not even the mouse-enter event); leaving resets the cursor.
    int entered = 0;
    h.head->OnMouseEnter = [&](TObject*) { ++entered; };
    h.head->Perform(CM_MOUSEENTER);
    EXPECT_EQ(entered, 0);
    EXPECT_EQ(Screen->Cursor(), crHSplit);
    h.head->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST(VGHeadTest, DraggingTheEdgeSetsTheWidthButNeverBelowSeven) {
    const struct {
        int to;
        int width;
    } cases[] = {{150, 50}, {105, 80}, {106, 80}, {107, 7}, {260, 160}};
    for (const auto& c : cases) {
        HeadOnForm h;
        h.move(178);
        ASSERT_TRUE(h.head->ResizeArmed());
        h.press(178);
        h.move(c.to);
        EXPECT_EQ(h.width(1), c.width) << "dragged to " << c.to;
        h.release(c.to);
        EXPECT_EQ(h.width(0), 100) << "the column on the left stays";
        EXPECT_EQ(h.grid->GetTotalWidth(), 220 + h.width(1)) << "the layout ran";
    }
}

TEST(VGHeadTest, PressOutsideAZoneArmsWhenTheZoneIsReachedAndDragsAfter) {
    HeadOnForm h;
    h.move(120);
    h.press(120);
    h.move(150);
    EXPECT_EQ(h.width(1), 80) << "a press outside a zone only holds the button";
    h.move(177);
    EXPECT_TRUE(h.head->ResizeArmed());
    h.move(200);
    EXPECT_EQ(h.width(1), 100);
    h.release(200);
    h.move(150);
    EXPECT_FALSE(h.head->ResizeArmed()) << "after the release moves look up again";
    EXPECT_EQ(h.width(1), 100);
}

TEST(VGHeadTest, StretchedColumnGivesWayAndIsNeverResizable) {
    HeadOnForm h;
    h.grid->SetCol100x100("f3");
    const int stretched = h.width(3);
    ASSERT_GT(stretched, 60);
    const int right = 240 + stretched;

    h.move(50);
    h.move(right - 2);
    EXPECT_FALSE(h.head->ResizeArmed());
    EXPECT_EQ(h.head->HoverColumn(), -1);
    EXPECT_EQ(Screen->Cursor(), crDefault) << "the stretched column never shows the split cursor";

    h.move(180);
    h.press(180);
    h.move(200);
    h.release(200);
    EXPECT_EQ(h.width(1), 100);
    EXPECT_EQ(h.width(3), stretched - 20) << "narrower by what column 1 grew";
    EXPECT_EQ(h.grid->GetCol100x100(), "f3") << "stretching is back on";
}

TEST(VGHeadTest, HeadChangeOnReleaseUnlessOverColumnZero) {
    HeadOnForm h;
    int changes = 0;
    TObject* sender = nullptr;
    h.grid->OnHeadChange = [&](TObject* s) {
        ++changes;
        sender = s;
    };
    const struct {
        int x;
        int changes;
    } cases[] = {{140, 1}, {50, 0}, {380, 1}, {200, 1}};
    for (const auto& c : cases) {
        changes = 0;
        h.move(c.x);
        QTest::mouseClick(h.w(), Qt::LeftButton, {}, QPoint(c.x, 9));
        EXPECT_EQ(changes, c.changes) << "release at " << c.x;
    }
    EXPECT_EQ(sender, h.grid) << "the grid is the sender";
    EXPECT_FALSE(h.head->ButtonDown());
}

TEST(VGHeadTest, PaintsTheStripWithCaptionsAndSeparators) {
    HeadOnForm h;
    const TColor head = 0x00E0F0D0;
    h.grid->SetHdColor(head);
    h.grid->Columns()->Items(3)->SetAlignment(taRightJustify);
    const QImage img = headImage(h.head);
    ASSERT_EQ(img.height(), TVGHead::DefaultHeight);

    // Separators at x = 0 (first column's left) and at every right edge, from y = 2 to 15.
    for (int x : {0, 100, 180, 240, 300}) {
        EXPECT_EQ(pixel(img, x, 1), head) << "x = " << x;
        EXPECT_EQ(pixel(img, x, 2), clSilver) << "x = " << x;
        EXPECT_EQ(pixel(img, x, 15), clSilver) << "x = " << x;
        EXPECT_EQ(pixel(img, x, 16), head) << "the line leaves its last pixel, x = " << x;
    }
    EXPECT_EQ(pixel(img, 350, 9), head) << "past the columns the strip is the head colour";
    for (int y = 0; y < img.height(); ++y)
        EXPECT_NE(pixel(img, 50, y), clSilver) << "no horizontal line, y = " << y;

    // Left captions start after one space; the right-aligned one ends one space before its edge.
    const auto left = inkSpan(img, 1, 100, head);
    EXPECT_GT(left.first, 1);
    EXPECT_LT(left.first, 10);
    const auto right = inkSpan(img, 241, 300, head);
    EXPECT_GT(right.first, 250) << "right-aligned";
    EXPECT_LT(right.second, 299);
    EXPECT_GT(right.second, 290);
}

TEST(VGHeadTest, CheckBoxesIndentCaptionAndFirstSeparator) {
    HeadOnForm h;
    const QImage plain = headImage(h.head);
    const TColor head = pixel(plain, 1, 1); // the strip's colour as painted
    h.grid->SetCheckBoxes(true);
    const QImage boxed = headImage(h.head);
    ASSERT_FALSE(plain.isNull());

    EXPECT_EQ(pixel(plain, 0, 8), clSilver);
    EXPECT_EQ(pixel(boxed, 0, 8), QColorToColor(plain.pixelColor(1, 8))) << "no line at 0 any more";
    EXPECT_EQ(pixel(boxed, 18, 8), clSilver) << "first separator at the indented left edge";
    const int plainInk = inkSpan(plain, 1, 100, head).first;
    const int boxedInk = inkSpan(boxed, 19, 100, head).first;
    EXPECT_EQ(boxedInk - plainInk, 18);
    EXPECT_EQ(pixel(boxed, 100, 8), clSilver) << "the right edge stays";
}

TEST(VGHeadTest, LongCaptionEndsInAnEllipsisWhileLabelWrapIsOn) {
    HeadOnForm h({60, 200});
    h.grid->Columns()->Items(0)->SetCaption("a caption much longer than its column");
    h.grid->Columns()->Items(1)->SetCaption("");
    ASSERT_TRUE(h.grid->GetLabelWrap());
    const QImage cut = headImage(h.head);
    const TColor head = pixel(cut, 1, 1); // the strip's colour as painted
    h.grid->SetLabelWrap(false);
    const QImage whole = headImage(h.head);

    const auto cutInk = inkSpan(cut, 1, 260, head);
    EXPECT_LE(cutInk.second, 60) << "the cut caption stays inside its column";
    EXPECT_GT(inkSpan(whole, 1, 260, head).second, 70) << "without LabelWrap it runs on (no clipping)";
    // The ellipsis: the caption's last three ink runs are dots, small in both directions.
    struct Run {
        int left, right, top, bottom;
    };
    std::vector<Run> runs;
    for (int x = cutInk.first; x <= cutInk.second; ++x) {
        int top = -1, bottom = -1;
        for (int y = 0; y < cut.height(); ++y)
            if (pixel(cut, x, y) != head && pixel(cut, x, y) != clSilver) {
                if (top < 0) top = y;
                bottom = y;
            }
        if (top < 0) continue;
        if (!runs.empty() && runs.back().right == x - 1) {
            Run& r = runs.back();
            r.right = x;
            r.top = std::min(r.top, top);
            r.bottom = std::max(r.bottom, bottom);
        } else {
            runs.push_back({x, x, top, bottom});
        }
    }
    ASSERT_GE(runs.size(), 4u);
    for (std::size_t i = runs.size() - 3; i < runs.size(); ++i) {
        EXPECT_LE(runs[i].right - runs[i].left, 2) << "run " << i;
        EXPECT_LE(runs[i].bottom - runs[i].top, 2) << "run " << i;
    }
}
