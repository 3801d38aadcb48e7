#include "framework/streaming/FormWriter.h"
#include "framework/streaming/FilerErrors.h"
#include "framework/streaming/FormReader.h"
#include "framework/windows/TCustomControl.h"
#include "framework/windows/TForm.h"
#include "support/FormTestClasses.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

using namespace vexo;

using namespace formtest;

namespace {

class FormWriterTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterFormTestClasses(); }

    static std::string roundTrip(const std::string& text) {
        std::unique_ptr<TComponent> root(CreateComponentFromText(text, nullptr));
        return WriteComponentText(root.get());
    }
};

// The canonical text of a form that uses every value kind: non-visual components come before the
// controls, defaults are left out, names replace numbers where the framework has them.
const char* const Canonical = R"(object Form1: TTestForm
  Left = -12
  Caption = 'It''s '#241'u'#8364' more'
  Ratio = 2.25
  Enabled = False
  Kind = tkDate
  Color = clRed
  Tint = 1193046
  Big = -12345678901
  Lines.Strings = (
    'a'
    '')
  Items = <
    item
      Caption = 'first'
      Width = 130
    end
    item
      Kind = tkNumber
      ReadOnly = True
    end>
  Attrs.Attr1.Color = clNone
  Attrs.Attr1.Styles = [fsBold, fsItalic]
  Attr.Color = clBtnFace
  Data = {
    0102FF10}
  OnRow = RowNeedData
  Buddy = Button1
  object Timer1: TTestTimer
    Interval = 50
  end
  object Panel1: TTestPanel
    Tint = clWindow
    Buddy = Form1
    object Button1: TTestWidget
      Tint = -2147483600
      OnClick = ButtonClick
    end
  end
end
)";

TEST_F(FormWriterTest, EveryValueKindRoundTripsTextToObjectsToText) {
    EXPECT_EQ(roundTrip(Canonical), Canonical);
}

TEST_F(FormWriterTest, AFreshComponentWritesOnlyWhatHasNoDefault) {
    TTestForm form(nullptr);
    form.SetName("F");
    EXPECT_EQ(WriteComponentText(&form), "object F: TTestForm\n  Tint = clWindow\nend\n");
}

TEST_F(FormWriterTest, WritesTheObjectsTheFormCreatedAndSkipsInternalOnes) {
    TTestForm form(nullptr);
    form.SetName("F");
    auto* panel = new TTestPanel(&form);
    panel->SetName("P");
    panel->SetParent(&form);
    // A child that the panel owns (as a grid owns its header) belongs to the panel, not to the form.
    auto* owned = new TTestWidget(panel);
    owned->SetName("Owned");
    owned->SetParent(panel);
    panel->SetBuddy(owned);         // outside the form's text: a reader could not find it
    form.OnClick = [](TObject*) {}; // set by code: not the form file's business
    const std::string text = WriteComponentText(&form);
    EXPECT_EQ(
        text,
        "object F: TTestForm\n  Tint = clWindow\n  object P: TTestPanel\n    Tint = clWindow\n  end\nend\n");
}

struct StringCase {
    const char* name;
    std::string value;
    std::string written;
};

const StringCase StringCases[] = {
    {"Plain", "abc", "'abc'"},
    {"Quote", "it's", "'it''s'"},
    {"OnlyQuote", "'", "''''"},
    {"NonAscii", "a\xC3\xB1", "'a'#241"},
    {"Euro", "\xE2\x82\xAC", "#8364"},
    {"Astral", "\xF0\x9F\x98\x80", "#128512"},
    {"LineBreak", "a\r\nb", "'a'#13#10'b'"},
    {"Nul", std::string("a\0b", 3), "'a'#0'b'"},
    {"InvalidUtf8", "a\xFF", "'a'#65533"},
    {"Long", std::string(70, 'x'), "'" + std::string(63, 'x') + "' +\n    '" + std::string(7, 'x') + "'"},
};

class FormWriterStringTest : public ::testing::TestWithParam<StringCase> {
protected:
    void SetUp() override { RegisterFormTestClasses(); }
};

TEST_P(FormWriterStringTest, QuotesLikeTheFrameworkAndReadsBack) {
    const StringCase& c = GetParam();
    TTestWidget w(nullptr);
    w.Caption = c.value;
    const std::string text = WriteComponentText(&w);
    const std::string expected = std::string("  Caption = ") + c.written + "\n";
    EXPECT_NE(text.find(expected), std::string::npos) << text;
    TTestWidget back(nullptr);
    ReadComponentText(text, &back);
    if (std::string(c.name) != "InvalidUtf8") {
        EXPECT_EQ(back.Caption, c.value);
    }
    EXPECT_EQ(WriteComponentText(&back), text);
}

INSTANTIATE_TEST_SUITE_P(Strings, FormWriterStringTest, ::testing::ValuesIn(StringCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(FormWriterTest, NumbersReadBackExactly) {
    for (double v : {0.1, 3.0, -0.0, 1e20, 2.5e-8, 123456789.125}) {
        TTestWidget w(nullptr);
        w.Ratio = v;
        const std::string text = WriteComponentText(&w);
        TTestWidget back(nullptr);
        ReadComponentText(text, &back);
        EXPECT_EQ(back.Ratio, v) << text;
        EXPECT_EQ(std::signbit(back.Ratio), std::signbit(v)) << text;
    }
    TTestWidget w(nullptr);
    w.Ratio = 3;
    EXPECT_NE(WriteComponentText(&w).find("Ratio = 3.0\n"), std::string::npos);
}

TEST_F(FormWriterTest, BinaryDataTakesSixtyFourHexDigitsALine) {
    TTestWidget w(nullptr);
    for (int i = 0; i < 40; ++i)
        w.Data += static_cast<char>(i);
    const std::string text = WriteComponentText(&w);
    EXPECT_NE(text.find("  Data = {\n"
                        "    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F\n"
                        "    2021222324252627}\n"),
              std::string::npos)
        << text;
    TTestWidget back(nullptr);
    ReadComponentText(text, &back);
    EXPECT_EQ(back.Data, w.Data);
}

TEST_F(FormWriterTest, RefusesWhatCouldNotBeReadBack) {
    struct TUnregistered : TTestWidget {
        using TTestWidget::TTestWidget;
    };
    TTestForm form(nullptr);
    auto* odd = new TUnregistered(&form);
    odd->SetName("Odd");
    EXPECT_THROW(WriteComponentText(&form), EWriteError);
    delete odd;

    form.Ratio = std::numeric_limits<double>::infinity();
    EXPECT_THROW(WriteComponentText(&form), EWriteError);
    form.Ratio = 1;
    form.Kind = static_cast<TTestKind>(3); // representable, but has no name
    EXPECT_THROW(WriteComponentText(&form), EWriteError);
}

// A menu read as the root writes its items and nothing of its own making.
TEST_F(FormWriterTest, AMenuAsTheRootRoundTrips) {
    for (const std::string text : {"object pupMenu2: TPopupMenu\nend\n",
                                   "object M: TPopupMenu\n  object TMenuItem\n    Caption = 'A'\n    object "
                                   "TMenuItem\n      Caption = 'B'\n    end\n  end\nend\n"})
        EXPECT_EQ(roundTrip(roundTrip(text)), text);
}

// The framework's own classes through their declarations: a form with a control in it.
TEST_F(FormWriterTest, FrameworkFormRoundTrips) {
    const std::string text = R"(object Form1: TForm
  Left = 10
  Top = 20
  BorderStyle = bsDialog
  Caption = 'Form1'
  ClientHeight = 238
  ClientWidth = 606
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = [fsBold]
  OldCreateOrder = False
  Position = poScreenCenter
  OnClick = Nope
  PixelsPerInch = 96
  TextHeight = 13
  object Box: TCustomControl
    Left = 0
    Top = 0
    Width = 100
    Height = 50
    Cursor = crHandPoint
  end
end
)";
    TForm form(nullptr);
    try {
        ReadComponentText(text, &form);
        FAIL() << "a plain TForm has no handlers";
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message.find("line 16: TForm has no method 'Nope'"), std::string::npos) << e.Message;
    }
    EXPECT_EQ(form.ComponentCount(), 0);

    std::string good = text;
    good.erase(good.find("  OnClick = Nope\n"), 17);
    TForm back(nullptr);
    ReadComponentText(good, &back);
    EXPECT_EQ(back.Name(), "Form1");
    EXPECT_EQ(back.BorderStyle(), bsDialog);
    EXPECT_EQ(back.ClientWidth(), 606);
    EXPECT_EQ(back.ClientHeight(), 238);
    EXPECT_EQ(back.Position(), poScreenCenter);
    EXPECT_TRUE(back.Font()->Style().Contains(fsBold));
    ASSERT_EQ(back.ControlCount(), 1);
    EXPECT_EQ(back.Controls(0)->Name(), "Box");
    EXPECT_EQ(back.Controls(0)->Cursor(), crHandPoint);
    EXPECT_EQ(WriteComponentText(&back), good);
}

} // namespace
