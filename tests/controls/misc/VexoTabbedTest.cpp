#include "controls/misc/VexoTabbed.h"
#include "controls/misc/MiscProperties.h"
#include "controls/misc/VexoPage.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"
#include "framework/windows/Render.h"
#include "framework/windows/TForm.h"
#include "support/PixelSurface.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vexo;

namespace {

constexpr TColor Back = 0xFFFFFF, Line = 0x0000FF, Mark = 0xFF0000;

struct TabbedOnForm {
    TForm form{nullptr};
    TVexoTabbed* tabbed;
    std::vector<int> changes;
    explicit TabbedOnForm(int width = 200, int height = 200) {
        form.SetBounds(0, 0, 300, 260);
        tabbed = new TVexoTabbed(&form);
        tabbed->SetParent(&form);
        tabbed->SetBounds(0, 0, width, height);
        tabbed->SetColor(Back);
        tabbed->setColorFrame(Line);
        tabbed->setColorFont(Mark);
        tabbed->OnChange = [this](TObject*) { changes.push_back(tabbed->ActiveIndex()); };
    }
    TVexoPage* page(const std::string& caption, int order = 0) {
        auto* p = new TVexoPage(&form);
        p->SetCaption(caption);
        p->SetOrder(order);
        p->setTabControl(tabbed);
        return p;
    }
    PixelSurface picture() { return PixelSurface(RenderToImage(tabbed)); }
};

} // namespace

TEST(VexoTabbedTest, PagesSortByOrderAndTabsShareTheirBorders) {
    TabbedOnForm t;
    TVexoPage* two = t.page("dos", 2);
    TVexoPage* zero = t.page("cero", 0);
    TVexoPage* one = t.page("uno", 1);
    ASSERT_EQ(t.tabbed->PageCount(), 3);
    EXPECT_EQ(t.tabbed->Pages(0), zero);
    EXPECT_EQ(t.tabbed->Pages(1), one);
    EXPECT_EQ(t.tabbed->Pages(2), two);
    t.tabbed->setActiveIndex(0);
    t.picture();
    EXPECT_EQ(zero->TabRect().Left, 0);
    EXPECT_EQ(one->TabRect().Left, zero->TabRect().Right - 1) << "neighbours share their border line";
    EXPECT_EQ(two->TabRect().Left, one->TabRect().Right - 1);
    EXPECT_EQ(zero->TabRect().Top, 181);
    EXPECT_EQ(zero->TabRect().Bottom, 199);

    one->setVisibleTab(false);
    t.picture();
    EXPECT_EQ(one->TabRect(), TRect{}) << "a hidden tab is not drawn";
    EXPECT_EQ(two->TabRect().Left, zero->TabRect().Right - 1);
    t.tabbed->setActiveIndex(1);
    EXPECT_EQ(t.tabbed->ActiveIndex(), 1) << "its page can still be chosen by index";
    EXPECT_TRUE(one->Visible());
    EXPECT_FALSE(zero->Visible());
}

TEST(VexoTabbedTest, PageAreaFollowsThePositionTheStripAndTheInset) {
    struct Case {
        TVTButtonsPosition position;
        bool hideButtons;
        int borderInternal;
        TRect area;
    };
    const Case cases[] = {
        {vtBtDown, false, 0, {1, 1, 199, 180}},
        {vtBtUp, false, 0, {1, 19, 199, 198}},
        {vtBtDown, true, 0, {1, 1, 199, 198}},
        {vtBtDown, false, 2, {3, 3, 197, 178}},
    };
    for (const Case& c : cases) {
        TabbedOnForm t;
        TVexoPage* p = t.page("a");
        t.tabbed->setActiveIndex(0);
        t.tabbed->setBtPosition(c.position);
        t.tabbed->setHideButtons(c.hideButtons);
        t.tabbed->setBorderInternal(c.borderInternal);
        EXPECT_EQ(p->BoundsRect(), c.area) << c.position << c.hideButtons << c.borderInternal;
    }
}

TEST(VexoTabbedTest, ActiveTabOpensIntoTheFrameWithABarOnItsOuterEdge) {
    for (TVTButtonsPosition position : {vtBtDown, vtBtUp}) {
        TabbedOnForm t;
        TVexoPage* p = t.page("primera");
        t.page("segunda");
        t.tabbed->setBtPosition(position);
        t.tabbed->setActiveIndex(0);
        PixelSurface s = t.picture();
        const TRect tab = p->TabRect();
        const int inner = position == vtBtDown ? tab.Top : tab.Bottom - 1;
        const int outer = position == vtBtDown ? tab.Bottom : tab.Top;
        const int step = position == vtBtDown ? -1 : 1;
        EXPECT_EQ(s.at(tab.Left + 5, inner), Back) << position << ": the tab is open towards the page";
        EXPECT_EQ(s.at(tab.Right + 5, inner), Line) << position << ": the frame goes on beside it";
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(s.at(tab.Left + 5, outer + step * i), Mark) << position << " bar row " << i;
        EXPECT_NE(s.at(tab.Left + 5, outer + step * 3), Mark) << position;
    }
}

TEST(VexoTabbedTest, ChangesAskFirstAndAPendingIndexWaitsForPages) {
    TabbedOnForm t;
    t.tabbed->setActiveIndex(1);
    EXPECT_EQ(t.tabbed->ActiveIndex(), -1) << "no pages yet: it waits";
    t.page("a");
    t.page("b");
    t.picture(); // the first paint that finds pages applies it
    EXPECT_EQ(t.tabbed->ActiveIndex(), 1);
    EXPECT_EQ(t.changes, std::vector<int>{1});

    std::vector<int> asked;
    bool allow = false;
    t.tabbed->OnCanChange = [&](int page, bool& canChange) {
        asked.push_back(page);
        canChange = allow;
    };
    t.tabbed->setActiveIndex(0);
    EXPECT_EQ(t.tabbed->ActiveIndex(), 1) << "refused";
    allow = true;
    t.tabbed->setActiveIndex(0);
    t.tabbed->setActiveIndex(0); // the active one: nothing
    t.tabbed->setActiveIndex(-1);
    EXPECT_EQ(t.tabbed->ActiveIndex(), 0);
    EXPECT_EQ(asked, (std::vector<int>{1, 1}));
    EXPECT_EQ(t.changes, (std::vector<int>{1, 0}));
}

TEST(VexoTabbedTest, DeletingPagesKeepsTheActiveIndexOnAPage) {
    struct Case {
        int active, deleted, expected;
    };
    const Case cases[] = {{2, 0, 1}, {1, 1, 1}, {2, 2, 1}, {0, 2, 0}};
    for (const Case& c : cases) {
        TabbedOnForm t;
        TVexoPage* pages[] = {t.page("a"), t.page("b"), t.page("c")};
        t.tabbed->setActiveIndex(c.active);
        TVexoPage* stays = c.active == c.deleted ? nullptr : pages[c.active];
        delete pages[c.deleted];
        EXPECT_EQ(t.tabbed->ActiveIndex(), c.expected) << c.active << " " << c.deleted;
        if (stays) {
            EXPECT_EQ(t.tabbed->Pages(t.tabbed->ActiveIndex()), stays) << "the same page stays active";
        }
        EXPECT_TRUE(t.tabbed->Pages(t.tabbed->ActiveIndex())->Visible());
    }
    TabbedOnForm t;
    delete t.page("solo");
    EXPECT_EQ(t.tabbed->PageCount(), 0);
}

TEST(VexoTabbedTest, ClickOnATabChoosesItsPage) {
    TabbedOnForm t;
    t.page("a");
    TVexoPage* b = t.page("b");
    TVexoPage* hidden = t.page("c");
    hidden->setVisibleTab(false);
    t.tabbed->setActiveIndex(0);
    t.form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(t.form.Widget()));
    QApplication::processEvents();
    const TRect tab = b->TabRect();
    QTest::mouseClick(t.tabbed->Widget(), Qt::LeftButton, {}, QPoint(tab.Left + 3, tab.Top + 5));
    EXPECT_EQ(t.tabbed->ActiveIndex(), 1);
    EXPECT_EQ(t.tabbed->ClickPoint(), Point(tab.Left + 3, tab.Top + 5));
    QTest::mouseClick(t.tabbed->Widget(), Qt::LeftButton, {}, QPoint(tab.Right + 20, tab.Top + 5));
    EXPECT_EQ(t.tabbed->ActiveIndex(), 1) << "nothing there: the hidden page has no tab";
}

TEST(VexoTabbedTest, FormFileRoundTripAppliesTheIndexOnceThePagesAreRead) {
    TForm holder(nullptr);
    holder.SetName("H");
    auto* tabbed = new TVexoTabbed(&holder);
    tabbed->SetName("tabs");
    tabbed->SetParent(&holder);
    tabbed->SetBounds(0, 0, 200, 150);
    tabbed->setBorderInternal(1);
    tabbed->setBtPosition(vtBtUp);
    for (const char* name : {"uno", "dos"}) {
        auto* p = new TVexoPage(&holder);
        p->SetName(name);
        p->SetCaption(name);
        p->SetOrder(name[0] == 'u' ? 5 : 3);
        p->setTabControl(tabbed);
    }
    tabbed->setActiveIndex(1);
    const std::string text = WriteComponentText(&holder);
    for (const char* line :
         {"BorderInternal = 1", "ButtonsPosition = vtBtUp", "ActiveIndex = 1", "Order = 5"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;

    TForm again(nullptr);
    ReadComponentText(text, &again);
    auto* read = dynamic_cast<TVexoTabbed*>(again.FindComponent("tabs"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->getBorderInternal(), 1);
    ASSERT_EQ(read->PageCount(), 2);
    EXPECT_EQ(read->Pages(0)->Name(), "dos");
    RenderToImage(read);
    EXPECT_EQ(read->ActiveIndex(), 1);
    EXPECT_FALSE(read->Pages(1)->TabRect().IsEmpty()) << "the paint that applies the index draws the tabs too";
    EXPECT_EQ(WriteComponentText(&again), text);
}
