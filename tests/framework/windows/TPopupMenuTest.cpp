#include "framework/windows/TPopupMenu.h"
#include "framework/windows/TMenuItem.h"
#include "support/WindowTestSupport.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace vexo;

namespace {

// A shown form with two controls: `own` has the menu, `plain` sits inside `own` without one.
struct MenuHost {
    MenuHost() {
        form.SetBounds(0, 0, 200, 150);
        own = new RecordingControl(&form);
        own->SetParent(&form);
        own->SetBounds(10, 10, 120, 100);
        plain = new RecordingControl(&form);
        plain->SetParent(own);
        plain->SetBounds(60, 50, 40, 30);
        menu = new TPopupMenu(&form);
        item("Copiar", "Ctrl+C");
        item("-");
        item("Pegar")->SetEnabled(false);
        item("Negrita")->SetChecked(true);
        own->SetPopupMenu(menu);
    }
    TMenuItem* item(const std::string& caption, const std::string& shortCut = {}) {
        auto* i = new TMenuItem(&form);
        i->SetCaption(caption);
        i->SetShortCut(shortCut);
        i->OnClick = [this](TObject* sender) {
            clicked.push_back(static_cast<TMenuItem*>(sender)->Caption());
        };
        menu->Items()->Add(i);
        return i;
    }
    QPoint global(TControl* c, QPoint local) const {
        const TPoint p = c->ClientToScreen(Point(local.x(), local.y()));
        return QPoint(p.x, p.y);
    }

    TForm form{nullptr};
    RecordingControl* own;
    RecordingControl* plain;
    TPopupMenu* menu;
    std::vector<std::string> clicked;
};

struct OpenCase {
    const char* name;
    bool onPlain;                                        // the click lands on the control without a menu
    std::function<QPoint(MenuHost&, TWinControl*)> open; // gives where the menu must open
};

const OpenCase OpenCases[] = {
    {"RightClick", false,
     [](MenuHost& h, TWinControl* c) {
         QTest::mouseClick(c->Widget(), Qt::RightButton, {}, QPoint(7, 9));
         return h.global(c, QPoint(7, 9));
     }},
    {"RightClickOnAChildWithoutMenu", true,
     [](MenuHost& h, TWinControl* c) {
         QTest::mouseClick(c->Widget(), Qt::RightButton, {}, QPoint(3, 4));
         return h.global(c, QPoint(3, 4));
     }},
    {"MenuKey", false,
     [](MenuHost& h, TWinControl* c) {
         QTest::keyClick(c->Widget(), Qt::Key_Menu);
         return h.global(h.own, QPoint(60, 50)); // the middle of the control with the menu
     }},
    {"ShiftF10", false,
     [](MenuHost& h, TWinControl* c) {
         QTest::keyClick(c->Widget(), Qt::Key_F10, Qt::ShiftModifier);
         return h.global(h.own, QPoint(60, 50));
     }},
};

class TPopupMenuOpenTest : public ::testing::TestWithParam<OpenCase> {};

TEST_P(TPopupMenuOpenTest, OpensTheItemsAtThePointAndChoosingOneClicksIt) {
    MenuHost h;
    ASSERT_TRUE(ShowActive(&h.form));
    TWinControl* target = GetParam().onPlain ? static_cast<TWinControl*>(h.plain) : h.own;
    target->SetFocus();
    const QPoint at = GetParam().open(h, target);

    QMenu* shown = h.menu->Shown();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(h.menu->PopupComponent(), h.own);
    EXPECT_EQ(shown->pos(), at);
    const QList<QAction*> actions = shown->actions();
    ASSERT_EQ(actions.size(), 4);
    EXPECT_EQ(actions[0]->text(), "Copiar");
    EXPECT_EQ(actions[0]->shortcut().toString(), "Ctrl+C");
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_FALSE(actions[2]->isEnabled());
    EXPECT_TRUE(actions[3]->isChecked());
    actions[3]->trigger();
    EXPECT_EQ(h.clicked, std::vector<std::string>{"Negrita"});
    shown->hide();
}

INSTANTIATE_TEST_SUITE_P(Inputs, TPopupMenuOpenTest, ::testing::ValuesIn(OpenCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(TPopupMenuTest, NothingDanglesWhenTheMenuOrAnItemGoesFirst) {
    MenuHost h;
    ASSERT_TRUE(ShowActive(&h.form));
    h.menu->Popup(5, 5);
    QMenu* shown = h.menu->Shown();
    ASSERT_NE(shown, nullptr);
    QAction* copy = shown->actions()[0];
    delete h.menu->Items()->Items(0);
    copy->trigger(); // its item is gone: nothing happens
    EXPECT_TRUE(h.clicked.empty());
    EXPECT_EQ(h.menu->Items()->Count(), 3);

    TMenuItem* paste = h.menu->Items()->Items(1);
    delete h.menu;
    EXPECT_EQ(h.own->PopupMenu(), nullptr);
    EXPECT_EQ(paste->Parent(), nullptr) << "the form owns the items; the menu only held them";
    QTest::mouseClick(h.own->Widget(), Qt::RightButton, {}, QPoint(7, 9)); // opens nothing
}

TEST(TPopupMenuTest, AControlThatGoesIsNoLongerThePopupComponent) {
    MenuHost h;
    ASSERT_TRUE(ShowActive(&h.form));
    QTest::mouseClick(h.own->Widget(), Qt::RightButton, {}, QPoint(7, 9));
    ASSERT_NE(h.menu->Shown(), nullptr);
    h.menu->Shown()->hide();
    delete h.own; // and plain, which it held, stays owned by the form
    EXPECT_EQ(h.menu->PopupComponent(), nullptr);
}

} // namespace
