#include "framework/stdctrls/TListBox.h"
#include "framework/graphics/SysColors.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"
#include "framework/windows/Render.h"
#include "support/WindowTestSupport.h"
#include <gtest/gtest.h>

using namespace vexo;

namespace {

struct ListOnForm {
    TForm form{nullptr};
    TListBox* list;
    int clicks = 0, doubleClicks = 0;
    explicit ListOnForm(std::initializer_list<const char*> items) {
        form.SetBounds(0, 0, 200, 200);
        list = new TListBox(&form);
        list->SetParent(&form);
        list->SetBounds(10, 10, 150, 5 * 13 + 4); // five rows inside the sunken edge
        for (const char* s : items)
            list->Items()->Add(s);
        list->OnClick = [this](TObject*) { ++clicks; };
        list->OnDblClick = [this](TObject*) { ++doubleClicks; };
    }
    QPoint row(int index) const {
        return QPoint(20, 2 + (index - list->TopIndex()) * list->ItemHeight() + 3);
    }
};

TEST(TListBoxTest, ItemIndexFollowsTheItems) {
    TListBox list(nullptr);
    EXPECT_EQ(list.ItemIndex(), -1);
    list.Items()->SetText("one\ntwo\nthree\n");
    EXPECT_EQ(list.Count(), 3);
    struct Case {
        int set, expected;
    } cases[] = {{1, 1}, {-1, -1}, {2, 2}, {3, -1}, {-7, -1}};
    for (const Case& c : cases) {
        list.SetItemIndex(c.set);
        EXPECT_EQ(list.ItemIndex(), c.expected) << c.set;
    }
    // The current item moves with the changes around it and goes with its own deletion.
    list.SetItemIndex(1);
    list.Items()->Insert(0, "zero");
    EXPECT_EQ(list.ItemIndex(), 2);
    list.Items()->Add("four");
    EXPECT_EQ(list.ItemIndex(), 2);
    list.Items()->Delete(0);
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_EQ(list.Items()->Get(list.ItemIndex()), "two");
    list.Items()->Put(1, "deux");
    EXPECT_EQ(list.ItemIndex(), -1) << "the current item was replaced";
    list.SetItemIndex(3);
    list.Items()->Delete(3);
    EXPECT_EQ(list.ItemIndex(), -1) << "the current item was deleted";
    EXPECT_FALSE(list.Selected(3));
    list.Items()->Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(TListBoxTest, SortedKeepsCaseInsensitiveOrder) {
    TListBox list(nullptr);
    list.Items()->SetText("pear\nApple\nbanana\n");
    list.SetSorted(true);
    EXPECT_EQ(list.Items()->GetText(), "Apple\nbanana\npear\n");
    list.SetItemIndex(1);
    list.Items()->Add("Cherry");
    EXPECT_EQ(list.Items()->GetText(), "Apple\nbanana\nCherry\npear\n");
    list.Items()->Add("aardvark");
    EXPECT_EQ(list.Items()->Get(list.ItemIndex()), "banana")
        << "the current item stays current as others sort in";
}

TEST(TListBoxTest, MouseSelectsAndReportsChanges) {
    ListOnForm s({"alpha", "beta", "gamma"});
    ASSERT_TRUE(ShowActive(&s.form));
    QWidget* w = s.list->Widget();
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, s.row(1));
    EXPECT_EQ(s.list->ItemIndex(), 1);
    EXPECT_EQ(s.clicks, 1);
    EXPECT_TRUE(s.list->Focused());
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, s.row(1));
    EXPECT_EQ(s.clicks, 1) << "clicking the current item changes nothing";
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(20, 60));
    EXPECT_EQ(s.list->ItemIndex(), 1) << "below the last item";
    QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, s.row(2));
    EXPECT_EQ(s.list->ItemIndex(), 2);
    EXPECT_EQ(s.doubleClicks, 1);
}

TEST(TListBoxTest, KeyboardMovesTheCurrentItem) {
    ListOnForm s({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"});
    ASSERT_TRUE(ShowActive(&s.form));
    s.list->SetFocus();
    QWidget* w = s.list->Widget();
    struct Case {
        Qt::Key key;
        int expected;
    } cases[] = {{Qt::Key_Down, 0}, {Qt::Key_Down, 1}, {Qt::Key_Up, 0},      {Qt::Key_Up, 0},
                 {Qt::Key_End, 9},  {Qt::Key_Home, 0}, {Qt::Key_PageDown, 4}};
    for (const Case& c : cases) {
        QTest::keyClick(w, c.key);
        EXPECT_EQ(s.list->ItemIndex(), c.expected) << c.key;
    }
    EXPECT_EQ(s.clicks, 6) << "Up on the first item changed nothing";
    QTest::keyClick(w, Qt::Key_End);
    EXPECT_GT(s.list->TopIndex(), 0) << "the current item is scrolled into view";
}

TEST(TListBoxTest, MultiSelectExtendsAndToggles) {
    ListOnForm s({"a", "b", "c", "d"});
    s.list->SetMultiSelect(true);
    ASSERT_TRUE(ShowActive(&s.form));
    QWidget* w = s.list->Widget();
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, s.row(0));
    QTest::mouseClick(w, Qt::LeftButton, Qt::ShiftModifier, s.row(2));
    EXPECT_EQ(s.list->SelCount(), 3);
    QTest::mouseClick(w, Qt::LeftButton, Qt::ControlModifier, s.row(1));
    EXPECT_FALSE(s.list->Selected(1));
    EXPECT_TRUE(s.list->Selected(2));
    EXPECT_EQ(s.list->SelCount(), 2);
    s.list->SetSelected(3, true);
    s.list->SetSelected(99, true);
    EXPECT_EQ(s.list->SelCount(), 3);
}

TEST(TListBoxTest, PaintsTheSelectionInTheHighlightColours) {
    TListBox list(nullptr);
    list.SetBounds(0, 0, 80, 60);
    list.Items()->SetText("one\ntwo\nthree\n");
    list.SetItemIndex(1);
    const QImage image = RenderToImage(&list);
    auto at = [&image](int x, int y) {
        return RGB(qRed(image.pixel(x, y)), qGreen(image.pixel(x, y)), qBlue(image.pixel(x, y)));
    };
    const int h = list.ItemHeight(), top = 2; // the rows start inside the sunken edge
    EXPECT_EQ(at(0, 0), ColorToRGB(clBtnShadow)) << "the edge";
    EXPECT_EQ(at(70, top + h / 2), ColorToRGB(clWindow));
    EXPECT_EQ(at(70, top + h + h / 2), ColorToRGB(clHighlight));
    EXPECT_EQ(at(2, top + h + h / 2), ColorToRGB(clHighlight)) << "from the edge on";
    EXPECT_EQ(at(70, top + 2 * h + h / 2), ColorToRGB(clWindow));
    EXPECT_EQ(at(70, 56), ColorToRGB(clWindow)) << "below the items";

    list.SetBorderStyle(bsNone);
    list.SetItemHeight(20);
    const QImage flat = RenderToImage(&list);
    EXPECT_EQ(flat.pixel(0, 25), flat.pixel(70, 25)) << "no edge";
    EXPECT_EQ(QColor(flat.pixel(70, 25)),
              QColor(ColorToRGB(clHighlight) & 0xFF, (ColorToRGB(clHighlight) >> 8) & 0xFF,
                     ColorToRGB(clHighlight) >> 16))
        << "the second row spans 20..39 at the set height";
}

TEST(TListBoxTest, FormFileRoundTrip) {
    TListBox list(nullptr);
    list.SetName("List1");
    list.Items()->SetText("x\ny\nz\n");
    list.SetItemIndex(1);
    const std::string text = WriteComponentText(&list);
    EXPECT_NE(text.find("ItemIndex = 1"), std::string::npos) << text;
    TListBox back(nullptr);
    ReadComponentText(text, &back);
    EXPECT_EQ(back.Count(), 3);
    EXPECT_EQ(back.ItemIndex(), 1);
    EXPECT_EQ(WriteComponentText(&back), text);
}

} // namespace
