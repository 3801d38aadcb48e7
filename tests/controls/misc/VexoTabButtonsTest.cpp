#include "controls/misc/VexoTabButtons.h"
#include "controls/misc/VexoButton.h"
#include "controls/misc/VexoFrame.h"
#include "framework/core/TStringList.h"
#include "framework/windows/Render.h"
#include "framework/windows/TForm.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

using namespace vexo;

namespace {

struct StripOnForm {
    TForm form{nullptr};
    TVexoTabButtons* strip;
    int changes = 0;
    StripOnForm(int width, int items) {
        form.SetBounds(0, 0, 400, 100);
        strip = new TVexoTabButtons(&form);
        strip->SetParent(&form);
        strip->SetBounds(0, 0, width, 22);
        strip->OnChange = [this](TObject*) { ++changes; };
        TStringList list;
        for (int i = 0; i < items; ++i)
            list.Add("Pestaña " + std::to_string(i));
        strip->setItems(list);
    }
    void paint() { RenderToImage(strip); }
};

} // namespace

TEST(VexoTabButtonsTest, ScrollButtonsShowWhenTabsDoNotFit) {
    StripOnForm narrow(150, 6);
    narrow.paint();
    EXPECT_TRUE(narrow.strip->Panel()->Visible());
    EXPECT_FALSE(narrow.strip->ScrollLeft()->Enabled()) << "the first tab is the first visible one";
    EXPECT_TRUE(narrow.strip->ScrollRight()->Enabled());
    const int shown = narrow.strip->VisibleCount();
    EXPECT_GT(shown, 0);
    EXPECT_LT(shown, 6);

    narrow.strip->onClickButtons(narrow.strip->ScrollRight());
    narrow.paint();
    EXPECT_EQ(narrow.strip->FirstVisible(), 1);
    EXPECT_TRUE(narrow.strip->TabRect(0).IsEmpty()) << "scrolled out of view";
    EXPECT_EQ(narrow.strip->TabRect(1).Left, 0);
    EXPECT_TRUE(narrow.strip->ScrollLeft()->Enabled());
    narrow.strip->onClickButtons(narrow.strip->ScrollLeft());
    narrow.strip->onClickButtons(narrow.strip->ScrollLeft());
    EXPECT_EQ(narrow.strip->FirstVisible(), 0) << "not before the first";

    StripOnForm wide(390, 2);
    wide.paint();
    EXPECT_FALSE(wide.strip->Panel()->Visible());
    EXPECT_EQ(wide.strip->VisibleCount(), 2);
    EXPECT_GT(wide.strip->TotalWidth(), 0);

    StripOnForm none(200, 0);
    EXPECT_EQ(none.strip->FirstVisible(), -1);
    EXPECT_EQ(none.strip->ActiveIndex(), -1);
}

TEST(VexoTabButtonsTest, ClickChoosesATabAndReportsEvenTheActiveOne) {
    StripOnForm s(390, 3);
    s.form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(s.form.Widget()));
    QApplication::processEvents();
    const TRect second = s.strip->TabRect(1);
    ASSERT_FALSE(second.IsEmpty());
    QTest::mouseClick(s.strip->Widget(), Qt::LeftButton, {}, QPoint(second.Left + 4, 10));
    EXPECT_EQ(s.strip->ActiveIndex(), 1);
    EXPECT_EQ(s.changes, 1);
    QTest::mouseClick(s.strip->Widget(), Qt::LeftButton, {}, QPoint(second.Left + 4, 10));
    EXPECT_EQ(s.changes, 2);
    s.strip->setActiveIndex(2);
    EXPECT_EQ(s.changes, 2) << "setting the index raises nothing";
}
