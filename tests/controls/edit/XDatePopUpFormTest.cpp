#include "controls/edit/XDatePopUpForm.h"
#include "controls/edit/VexoCalendar.h"
#include "controls/edit/VexoEdit.h"
#include "controls/misc/VexoFrame.h"
#include "framework/windows/Render.h"
#include "support/PixelSurface.h"
#include "support/WindowTestSupport.h"

#include <QApplication>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace vexo;

namespace {

// A date edit on a shown form, recording its change events and pop-up closings, beside another
// control that records what reaches it.
struct DateEditOnForm {
    TForm form{nullptr};
    TVexoEdit* edit;
    RecordingControl* other;
    std::vector<std::string> events;
    int ownedBefore = 0;

    explicit DateEditOnForm(const std::string& value) {
        form.SetBounds(100, 100, 400, 300);
        edit = new TVexoEdit(&form);
        edit->SetParent(&form);
        edit->SetBounds(20, 20, 121, 17);
        edit->setMode(sEditDate);
        edit->setText(value);
        edit->OnChange = [this](TObject*) { events.push_back("change " + edit->getText()); };
        edit->OnPopClose = [this](TObject* sender) {
            events.push_back(sender == edit ? "popclose" : "popclose from another sender");
        };
        other = new RecordingControl(&form);
        other->SetParent(&form);
        other->SetBounds(250, 200, 100, 50);
        ownedBefore = edit->ComponentCount();
    }
    TXDatePopUpForm* open() {
        if (!ShowActive(&form)) return nullptr;
        edit->DefaultOnCombo(edit);
        // What the loop does next: the window system's news of the showing.
        QApplication::processEvents();
        return dynamic_cast<TXDatePopUpForm*>(TVexoPopUpForm::Open());
    }
    void key(TXDatePopUpForm* popup, Qt::Key k) { QTest::keyClick(popup->Calendar()->Widget(), k); }
    // Closed and freed: no pop-up open and the edit owns no more than before.
    bool closed() {
        return QTest::qWaitFor([&] {
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return TVexoPopUpForm::Open() == nullptr && edit->ComponentCount() == ownedBefore;
        });
    }
};

TEST(XDatePopUpFormTest, OpensUnderTheEditOnItsDateOrToday) {
    sDB_date today;
    today.today();
    struct Case {
        const char* value;
        sDB_date shown;
    };
    for (const Case& c : {Case{"05/01/2006", sDB_date(5, 1, 2006)}, Case{"", today}}) {
        DateEditOnForm h(c.value);
        TXDatePopUpForm* popup = h.open();
        ASSERT_NE(popup, nullptr) << c.value;
        TVexoCalendar* calendar = popup->Calendar();
        EXPECT_TRUE(calendar->getDate().isEqual(c.shown)) << c.value;
        EXPECT_EQ(calendar->TitleText(), c.shown.monthName() + " de " + std::to_string(c.shown.year));
        EXPECT_EQ(h.edit->getText(), c.value) << "opening changes nothing";
        EXPECT_TRUE(h.events.empty());
        // Under the edit, over its bottom line; the calendar inside a one-pixel grey line and a margin.
        const TPoint under = h.edit->ClientToScreen(Point(0, h.edit->Height()));
        EXPECT_EQ(popup->Left(), under.x);
        EXPECT_EQ(popup->Top(), under.y - 1);
        EXPECT_EQ(popup->Width(), CalendarMonth::Width + 4);
        EXPECT_EQ(popup->Height(), CalendarMonth::Height + 4);
        EXPECT_EQ(calendar->Left(), 2);
        PixelSurface picture(RenderToImage(popup));
        EXPECT_EQ(picture.at(0, 0), TVexoPopUpForm::FrameColor);
        EXPECT_EQ(picture.at(popup->Width() - 1, popup->Height() - 1), TVexoPopUpForm::FrameColor);
        // The focus went to the calendar: the edit keeps its focused look, and the handle is only
        // set while the pop-up is being shown.
        EXPECT_TRUE(calendar->Focused());
        EXPECT_TRUE(h.edit->isFocused());
        EXPECT_EQ(h.edit->PopupHandle(), nullptr);
    }
}

TEST(XDatePopUpFormTest, EveryMoveIsWrittenThroughAndEscapeKeepsTheLastDate) {
    DateEditOnForm h("05/01/2006");
    TXDatePopUpForm* popup = h.open();
    ASSERT_NE(popup, nullptr);
    h.key(popup, Qt::Key_Right);
    h.key(popup, Qt::Key_Right);
    h.key(popup, Qt::Key_Down);
    h.key(popup, Qt::Key_Escape);
    ASSERT_TRUE(h.closed());
    EXPECT_EQ(h.events, (std::vector<std::string>{"change 06/01/2006", "change 07/01/2006",
                                                  "change 14/01/2006", "popclose"}));
    EXPECT_EQ(h.edit->getText(), "14/01/2006");
    EXPECT_TRUE(h.edit->Focused()) << "closed by a key, the pop-up gives the edit its focus back";
}

TEST(XDatePopUpFormTest, EnterOrADoubleClickAppliesAndCloses) {
    for (const bool doubleClick : {false, true}) {
        DateEditOnForm h("05/01/2006");
        TXDatePopUpForm* popup = h.open();
        ASSERT_NE(popup, nullptr);
        TVexoCalendar* calendar = popup->Calendar();
        if (doubleClick) {
            // The 10th of January 2006, a Tuesday, in the second week shown.
            const int cell = calendar->locate(sDB_date(10, 1, 2006));
            const TRect r = calendar->Month().cell(cell).rect;
            const QPoint p((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
            // The platform's sequence: a click, then the double click in place of the second press.
            QTest::mouseClick(calendar->Widget(), Qt::LeftButton, {}, p);
            QTest::mouseDClick(calendar->Widget(), Qt::LeftButton, {}, p);
        } else {
            h.key(popup, Qt::Key_Left);
            h.key(popup, Qt::Key_Return);
        }
        ASSERT_TRUE(h.closed()) << doubleClick;
        const std::string expected = doubleClick ? "10/01/2006" : "04/01/2006";
        ASSERT_FALSE(h.events.empty());
        EXPECT_EQ(h.events.back(), "popclose");
        EXPECT_EQ(h.events[h.events.size() - 2], "change " + expected) << doubleClick;
        EXPECT_EQ(h.edit->getText(), expected);
    }
}

TEST(XDatePopUpFormTest, TakesInputOverAModalForm) {
    DateEditOnForm h("05/01/2006");
    h.form.Widget()->setWindowModality(Qt::ApplicationModal);
    TXDatePopUpForm* popup = h.open();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->Calendar()->Focused());
    // Through the platform window, where a modal form blocks the input of the windows it does not own.
    TVexoCalendar* calendar = popup->Calendar();
    const TRect r = calendar->Month().cell(calendar->locate(sDB_date(10, 1, 2006))).rect;
    const QPoint p(calendar->Left() + (r.Left + r.Right) / 2, calendar->Top() + (r.Top + r.Bottom) / 2);
    QTest::mouseClick(popup->Widget()->windowHandle(), Qt::LeftButton, {}, p);
    EXPECT_EQ(h.edit->getText(), "10/01/2006");
    h.key(popup, Qt::Key_Return);
    ASSERT_TRUE(h.closed());
}

TEST(XDatePopUpFormTest, APressOutsideIsSwallowedAndCloses) {
    const auto buttonMessages = [](const std::vector<TMessage>& log) {
        return std::count_if(log.begin(), log.end(), [](const TMessage& m) {
            return m.Msg >= WM_LBUTTONDOWN && m.Msg <= WM_MBUTTONDBLCLK;
        });
    };
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        DateEditOnForm h("05/01/2006");
        ASSERT_NE(h.open(), nullptr);
        h.other->Log().clear();
        QTest::mouseClick(h.other->Widget(), button, {}, QPoint(10, 10));
        ASSERT_TRUE(h.closed()) << button;
        EXPECT_EQ(buttonMessages(h.other->Log()), 0) << button << ": the click reached the other window";
        EXPECT_EQ(h.events, std::vector<std::string>{"popclose"});
        EXPECT_EQ(h.edit->getText(), "05/01/2006");
        // With the pop-up gone, clicks are delivered again.
        QTest::mouseClick(h.other->Widget(), button, {}, QPoint(10, 10));
        EXPECT_EQ(buttonMessages(h.other->Log()), 2) << button;
    }
}

} // namespace
