#include "controls/grid/XKeyPopForm.h"
#include "controls/edit/VexoEdit.h"
#include "controls/grid/VGScrollBox.h"
#include "controls/grid/VexoGrid.h"
#include "framework/core/ScopeGuard.h"
#include "framework/windows/TScreen.h"
#include "support/WindowTestSupport.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vexo;

namespace {

// A list or yes/no edit on a shown form at a chosen screen height, recording its change events and
// pop-up closings.
struct ListEditOnForm {
    TForm form{nullptr};
    TVexoEdit* edit;
    std::vector<std::string> events;
    int ownedBefore = 0;

    explicit ListEditOnForm(sVexoEditMode mode, const std::string& value, int formTop = 100) {
        form.SetBounds(100, formTop, 300, 60);
        edit = new TVexoEdit(&form);
        edit->SetParent(&form);
        edit->SetBounds(20, 20, 121, 17);
        if (mode == sEditList) {
            edit->add("Rojo", "R");
            edit->add("Verde", "G");
            edit->add("Azul", "B");
        }
        edit->setMode(mode);
        edit->setText(value);
        edit->OnChange = [this](TObject*) { events.push_back("change " + edit->getText()); };
        edit->OnPopClose = [this](TObject*) { events.push_back("popclose"); };
        ownedBefore = edit->ComponentCount();
    }
    TXKeyPopForm* open() {
        if (!ShowActive(&form)) return nullptr;
        edit->DefaultOnCombo(edit);
        // What the loop does next: the window system's news of the showing.
        QApplication::processEvents();
        return dynamic_cast<TXKeyPopForm*>(TVexoPopUpForm::Open());
    }
    std::vector<std::string> rows(TXKeyPopForm* popup) {
        std::vector<std::string> texts;
        for (int i = 0; i < popup->List()->GetRowCount(); ++i)
            texts.push_back((popup->List()->GetIsRowUnicolumn(i) ? "-" : "") +
                            popup->List()->GetString(i, 0));
        return texts;
    }
    bool closed() {
        return QTest::qWaitFor([&] {
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return TVexoPopUpForm::Open() == nullptr && edit->ComponentCount() == ownedBefore;
        });
    }
};

TEST(XKeyPopFormTest, AYesNoListIsTwoRowsHighWithTheValuesRowCurrent) {
    struct Case {
        const char* value;
        int current;
    };
    for (const Case& c : {Case{"true", 1}, Case{"false", 0}, Case{"", -1}}) {
        ListEditOnForm h(sEditBoolean, c.value);
        TXKeyPopForm* popup = h.open();
        ASSERT_NE(popup, nullptr) << c.value;
        EXPECT_EQ(popup->Height(), 2 * popup->List()->GetRowHeight() + 6);
        EXPECT_EQ(popup->Width(), h.edit->Width());
        EXPECT_EQ(h.rows(popup), (std::vector<std::string>{"no", "s\xC3\xAD"}));
        EXPECT_EQ(popup->List()->GetRowIndex(), c.current) << c.value;
        EXPECT_FALSE(popup->List()->GetShowHeader());
        EXPECT_EQ(popup->List()->GetSkinName(), "STD");
        EXPECT_TRUE(h.edit->isFocused()) << "the focus is in the edit's own pop-up";
    }
}

TEST(XKeyPopFormTest, AListNearTheScreenBottomOpensAboveTheEdit) {
    for (const bool nearBottom : {false, true}) {
        ListEditOnForm h(sEditList, "G", nearBottom ? Screen->Height() - 80 : 100);
        TXKeyPopForm* popup = h.open();
        ASSERT_NE(popup, nullptr);
        const TPoint editTop = h.edit->ClientToScreen(Point(0, 0));
        EXPECT_EQ(popup->Height(), TXKeyPopForm::ListHeight);
        EXPECT_EQ(popup->Left(), editTop.x);
        EXPECT_EQ(popup->Top(), nearBottom ? editTop.y - 1 - TXKeyPopForm::ListHeight : editTop.y + 17 - 1);
    }
}

TEST(XKeyPopFormTest, KeysAndDoubleClicksChooseOrClose) {
    struct Case {
        const char* gesture;
        std::string value;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {"escape", "G", {"popclose"}},
        {"down enter", "B", {"change B", "popclose"}},
        {"double click first row", "R", {"change R", "popclose"}},
    };
    for (const Case& c : cases) {
        ListEditOnForm h(sEditList, "G");
        TXKeyPopForm* popup = h.open();
        ASSERT_NE(popup, nullptr) << c.gesture;
        QWidget* surface = popup->List()->Surface()->Widget();
        const std::string gesture = c.gesture;
        if (gesture == "escape") {
            QTest::keyClick(popup->List()->Widget(), Qt::Key_Escape);
        } else if (gesture == "down enter") {
            QTest::keyClick(popup->List()->Widget(), Qt::Key_Down);
            QTest::keyClick(popup->List()->Widget(), Qt::Key_Return);
        } else {
            // The platform's sequence: a click, then the double click in place of the second press.
            const QPoint firstRow(10, popup->List()->GetRowHeight() / 2);
            QTest::mouseClick(surface, Qt::LeftButton, {}, firstRow);
            QTest::mouseDClick(surface, Qt::LeftButton, {}, firstRow);
        }
        ASSERT_TRUE(h.closed()) << c.gesture;
        EXPECT_EQ(h.edit->getText(), c.value) << c.gesture;
        EXPECT_EQ(h.events, c.events) << c.gesture;
    }
}

TEST(XKeyPopFormTest, ChoosingWithNoCurrentRowDoesNothing) {
    // The value matches no entry, so no row is current; the double click lands below the rows.
    ListEditOnForm h(sEditList, "none");
    TXKeyPopForm* popup = h.open();
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->List()->GetRowIndex(), -1);
    QTest::mouseClick(popup->List()->Surface()->Widget(), Qt::LeftButton, {}, QPoint(10, 80));
    QTest::mouseDClick(popup->List()->Surface()->Widget(), Qt::LeftButton, {}, QPoint(10, 80));
    QApplication::processEvents();
    EXPECT_EQ(TVexoPopUpForm::Open(), popup) << "the list stays open";
    EXPECT_TRUE(h.events.empty());
}

TEST(XKeyPopFormTest, SeparatorsAreFullWidthRowsAndSortComboSorts) {
    for (const bool sorted : {false, true}) {
        ListEditOnForm h(sEditList, "G");
        h.edit->add("Colores claros", TVexoEdit::separatorMark);
        h.edit->add("Amarillo", "Y");
        h.edit->setSortCombo(sorted);
        TXKeyPopForm* popup = h.open();
        ASSERT_NE(popup, nullptr);
        const std::vector<std::string> expected =
            sorted ? std::vector<std::string>{"Amarillo", "Azul", "-Colores claros", "Rojo", "Verde"}
                   : std::vector<std::string>{"Rojo", "Verde", "Azul", "-Colores claros", "Amarillo"};
        EXPECT_EQ(h.rows(popup), expected) << sorted;
        EXPECT_EQ(popup->List()->GetString(popup->List()->GetRowIndex(), 0), "Verde") << sorted;
    }
}

TEST(XKeyPopFormTest, WithoutTheMakerAListEditOpensNothing) {
    const TVexoListPopUpMaker maker = TVexoEdit::ListPopUpMaker();
    ASSERT_NE(maker, nullptr) << "the grid layer installs it when the program starts";
    ScopeGuard restore([maker] { TVexoEdit::SetListPopUpMaker(maker); });
    TVexoEdit::SetListPopUpMaker(nullptr);
    ListEditOnForm h(sEditList, "G");
    EXPECT_EQ(h.open(), nullptr);
}

} // namespace
