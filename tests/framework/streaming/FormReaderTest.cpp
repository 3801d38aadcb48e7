#include "framework/streaming/FormReader.h"
#include "framework/streaming/FilerErrors.h"
#include "framework/streaming/FormWriter.h"
#include "support/FormTestClasses.h"

#include <gtest/gtest.h>
#include <memory>

using namespace vexo;

using namespace formtest;

namespace {

class FormReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterFormTestClasses();
        Log().clear();
    }
};

// Every value kind of the format, once.
const char* const EveryKind = R"(object Form1: TTestForm
  Left = -12
  Caption = 'It''s '#241'u'#$20AC +
    ' more'
  Ratio = 2.25
  Enabled = false
  Kind = TKDATE
  Color = clRed
  Tint = $FF
  Big = 12345678901
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
  Attrs.Attr0.Color = clBlack
  Attrs.Attr1.Styles = [fsBold, fsItalic]
  Attr.Color = 255
  Data = {
    0102ff
    10}
  OnRow = RowNeedData
  object Panel1: TTestPanel
    object Button1: TTestWidget
      OnClick = ButtonClick
    end
  end
  object Timer1: TTestTimer
    Interval = 50
  end
end
)";

TEST_F(FormReaderTest, ReadsEveryValueKind) {
    std::unique_ptr<TComponent> root(CreateComponentFromText(EveryKind, nullptr));
    auto* form = dynamic_cast<TTestForm*>(root.get());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Name(), "Form1");
    EXPECT_EQ(form->Left, -12);
    EXPECT_EQ(form->Caption, "It's \xC3\xB1u\xE2\x82\xAC more");
    EXPECT_DOUBLE_EQ(form->Ratio, 2.25);
    EXPECT_FALSE(form->Enabled);
    EXPECT_EQ(form->Kind, tkDate);
    EXPECT_EQ(form->Color, clRed);
    EXPECT_EQ(form->Tint, 0xFF);
    EXPECT_EQ(form->Big, 12345678901LL);
    ASSERT_EQ(form->Lines.Count(), 2);
    EXPECT_EQ(form->Lines[0], "a");
    EXPECT_EQ(form->Lines[1], "");
    ASSERT_EQ(form->Items.Count(), 2);
    auto* first = static_cast<TTestItem*>(form->Items.Items(0));
    auto* second = static_cast<TTestItem*>(form->Items.Items(1));
    EXPECT_EQ(first->Caption, "first");
    EXPECT_EQ(first->Width, 130);
    EXPECT_EQ(second->Width, 50);
    EXPECT_EQ(second->Kind, tkNumber);
    EXPECT_TRUE(second->ReadOnly);
    EXPECT_EQ(form->Attrs.Attr0.Color, clBlack);
    EXPECT_EQ(form->Attrs.Attr1.Styles, (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(form->Attr.Color, 255);
    EXPECT_EQ(form->Data, std::string("\x01\x02\xFF\x10", 4));

    auto* panel = dynamic_cast<TTestPanel*>(form->FindComponent("Panel1"));
    auto* button = dynamic_cast<TTestWidget*>(form->FindComponent("Button1"));
    auto* timer = dynamic_cast<TTestTimer*>(form->FindComponent("Timer1"));
    ASSERT_TRUE(panel && button && timer);
    EXPECT_EQ(button->Owner(), form);
    EXPECT_EQ(button->Parent(), panel);
    EXPECT_EQ(panel->Parent(), form);
    EXPECT_EQ(timer->Interval, 50);

    // Loaded ran once the whole form was read, in creation order, and nothing is left loading.
    EXPECT_EQ(Log(), (std::vector<std::string>{"Loaded:Form1", "Loaded:Panel1", "Loaded:Button1"}));
    for (TComponent* c : {static_cast<TComponent*>(form), static_cast<TComponent*>(panel),
                          static_cast<TComponent*>(button), static_cast<TComponent*>(timer)})
        EXPECT_FALSE(c->ComponentState().Contains(csLoading)) << c->Name();

    // Events call the form's methods.
    Log().clear();
    ASSERT_TRUE(button->OnClick);
    button->OnClick(button);
    form->OnRow(form, 3);
    EXPECT_EQ(Log(), (std::vector<std::string>{"click:Button1", "row:3"}));
}

TEST_F(FormReaderTest, HexadecimalIntegersWrapLikeThirtyTwoBitValues) {
    TTestForm form(nullptr);
    ReadComponentText("object F: TTestForm\n Tint = $FFFFFFFF\n Color = $80000005\n Big = $FFFFFFFF\nend",
                      &form);
    EXPECT_EQ(form.Tint, -1);
    EXPECT_EQ(form.Color, clWindow);
    EXPECT_EQ(form.Big, 0xFFFFFFFFLL); // a 64-bit property keeps the value
}

TEST_F(FormReaderTest, InheritedObjectsReuseTheComponentsTheFormCreated) {
    TTestForm form(nullptr);
    auto* panel = new TTestPanel(&form);
    panel->SetName("Panel1");
    panel->SetParent(&form);
    ReadComponentText("inherited Form1: TTestForm\n"
                      "  inherited Panel1: TTestPanel\n"
                      "    Left = 5\n"
                      "    object Extra: TTestWidget\n"
                      "    end\n"
                      "  end\n"
                      "end\n",
                      &form);
    EXPECT_EQ(form.Name(), "Form1");
    EXPECT_EQ(form.ComponentCount(), 2);
    EXPECT_EQ(panel->Left, 5);
    ASSERT_EQ(panel->Children().size(), 1u);
    EXPECT_EQ(panel->Children()[0]->Name(), "Extra");
}

TEST_F(FormReaderTest, ReferencesResolveAfterTheWholeTextAndDropWhenTheirComponentGoes) {
    std::unique_ptr<TComponent> root(CreateComponentFromText("object F: TTestForm\n"
                                                             "  Buddy = B\n"
                                                             "  object P: TTestPanel\n"
                                                             "    Buddy = nil\n"
                                                             "  end\n"
                                                             "  object B: TTestWidget\n"
                                                             "    Buddy = f\n"
                                                             "  end\n"
                                                             "end\n",
                                                             nullptr));
    auto* form = static_cast<TTestForm*>(root.get());
    auto* b = static_cast<TTestWidget*>(form->FindComponent("B"));
    EXPECT_EQ(form->Buddy(), b);
    EXPECT_EQ(static_cast<TTestWidget*>(form->FindComponent("P"))->Buddy(), nullptr);
    EXPECT_EQ(b->Buddy(), form);
    delete b;
    EXPECT_EQ(form->Buddy(), nullptr);
}

// A component that the form's class makes is written as an object like any other; reading that
// into a new form of the class finds it instead of making a second one.
TEST_F(FormReaderTest, AComponentTheFormClassMadeSurvivesWriteAndRead) {
    TTestMadeForm first(nullptr);
    ReadComponentText("inherited Form1: TTestMadeForm\n"
                      "  inherited Made: TTestPanel\n"
                      "    Left = 7\n"
                      "    object Inner: TTestWidget\n"
                      "    end\n"
                      "  end\n"
                      "end\n",
                      &first);
    const std::string written = WriteComponentText(&first);
    TTestMadeForm second(nullptr);
    ReadComponentText(written, &second);
    EXPECT_EQ(WriteComponentText(&second), written);
    ASSERT_EQ(second.ComponentCount(), 2);
    auto* made = static_cast<TTestPanel*>(second.FindComponent("Made"));
    EXPECT_EQ(made->Left, 7);
    ASSERT_EQ(made->Children().size(), 1u);
    std::unique_ptr<TComponent> created(CreateComponentFromText(written, nullptr));
    EXPECT_EQ(WriteComponentText(created.get()), written);
}

TEST_F(FormReaderTest, ReadingIntoAComponentCanKeepItsName) {
    TTestWidget widget(nullptr);
    widget.SetName("btOk");
    ReadComponentText("object XXXX: TTestWidget\n  Data = {0A0B}\nend\n", &widget, false);
    EXPECT_EQ(widget.Name(), "btOk");
    EXPECT_EQ(widget.Data, "\x0A\x0B");
}

TEST_F(FormReaderTest, AcceptsWindowsLineBreaksAndUnnamedComponents) {
    std::unique_ptr<TComponent> root(
        CreateComponentFromText("object TTestForm\r\n  object TTestTimer\r\n  end\r\nend\r\n", nullptr));
    EXPECT_EQ(root->Name(), "");
    ASSERT_EQ(root->ComponentCount(), 1);
    EXPECT_NE(dynamic_cast<TTestTimer*>(root->Components(0)), nullptr);
}

struct BadForm {
    const char* name;
    const char* text;
    int line;
    const char* expected;
};

const BadForm BadForms[] = {
    {"UnknownClass", "object F: TTestForm\n  object X: TNope\n  end\nend", 2, "unknown class TNope"},
    {"UnknownProperty", "object F: TTestForm\n  Left = 1\n  Nope = 2\nend", 3,
     "TTestForm has no property 'Nope'"},
    {"UnknownNestedProperty", "object F: TTestForm\n  Attrs.Attr0.Nope = 2\nend", 2,
     "has no property 'Nope'"},
    {"NotAnObject", "object F: TTestForm\n  Left.Value = 1\nend", 2, "Left is not an object"},
    {"ObjectAssigned", "object F: TTestForm\n  Attrs = 5\nend", 2, "Attrs is an object"},
    {"StringForInteger", "object F: TTestForm\n  Left = 'x'\nend", 2,
     "expected an integer for Left, found a string"},
    {"MissingEquals", "object F: TTestForm\n\n  Left 5\nend", 3, "expected '=' after Left, found '5'"},
    {"MissingValue", "object F: TTestForm\n  Left =\nend", 2, "expected an integer for Left, found 'end'"},
    {"NoValue", "object F: TTestForm\n  Left = )\nend", 2, "expected a value, found ')'"},
    {"UnterminatedString", "object F: TTestForm\n  Caption = 'abc\nend", 2, "unterminated string"},
    {"InvalidUtf8", "object F: TTestForm\n  Caption = '\xC3('\nend", 2, "invalid UTF-8"},
    {"CodeTooLarge", "object F: TTestForm\n  Caption = #1114112\nend", 2, "character code above"},
    {"Surrogate", "object F: TTestForm\n  Caption = #55296\nend", 2, "surrogate"},
    {"PlusWithoutString", "object F: TTestForm\n  Caption = 'a' +\n  Left = 1\nend", 3,
     "expected a string after '+'"},
    {"BadEnum", "object F: TTestForm\n  Kind = tkFoo\nend", 2,
     "expected one of tkPlain, tkNumber, tkDate for Kind"},
    {"BadBoolean", "object F: TTestForm\n  Enabled = 1\nend", 2, "expected True or False for Enabled"},
    {"BadSetElement", "object F: TTestForm\n  Attr.Styles = [fsBold, fsHuge]\nend", 2,
     "'fsHuge' in Attr.Styles"},
    {"UnclosedSet", "object F: TTestForm\n  Attr.Styles = [fsBold fsItalic]\nend", 2, "expected ',' or ']'"},
    {"BadColor", "object F: TTestForm\n  Color = clPlaid\nend", 2, "expected a colour"},
    {"IntegerOutOfRange", "object F: TTestForm\n  Left = 99999999999\nend", 2,
     "outside -2147483648..2147483647"},
    {"NumberTooLarge", "object F: TTestForm\n  Big = 99999999999999999999\nend", 2, "number out of range"},
    {"MalformedNumber", "object F: TTestForm\n  Left = 12ab\nend", 2, "malformed number"},
    {"OddBinary", "object F: TTestForm\n  Data = {\n    ABC}\nend", 3, "odd number"},
    {"BadBinary", "object F: TTestForm\n  Data = {\n    AZ}\nend", 3, "expected hexadecimal digits"},
    {"UnclosedBinary", "object F: TTestForm\n  Data = {AB", 2, "expected '}'"},
    {"ListOfNumbers", "object F: TTestForm\n  Lines.Strings = (\n 'a'\n 1)\nend", 4,
     "expected a string in Lines.Strings, found '1'"},
    {"ListWithWord", "object F: TTestForm\n  Lines.Strings = (\n    'a'\n    'b'\n    word)\nend", 5,
     "expected a string in Lines.Strings, found 'word'"},
    {"UnknownReference", "object F: TTestForm\n  Left = 1\n  Buddy = Nope\nend", 3,
     "no component named 'Nope' on the form for Buddy"},
    {"ReferenceOfOtherClass", "object F: TTestForm\n  Buddy = T\n  object T: TTestTimer\n  end\nend", 2,
     "T is a TTestTimer, not a TTestWidget, for Buddy"},
    {"ReferenceNotAName", "object F: TTestForm\n  Buddy = 'T'\nend", 2,
     "expected a component name for Buddy"},
    {"MadeComponentTwice",
     "object F: TTestMadeForm\n  object Made: TTestPanel\n  end\n  object Made: TTestPanel\n  end\nend", 4,
     "cannot name the component Made"},
    {"MadeComponentOfOtherClass", "object F: TTestMadeForm\n  object Made: TTestTimer\n  end\nend", 2,
     "component 'Made' is not a TTestTimer"},
    {"ItemWithoutEnd", "object F: TTestForm\n  Items = <\n    item\n      Width = 1\n    >\nend", 5,
     "expected a property or 'end'"},
    {"MissingHandler", "object F: TTestForm\n  OnClick = Nope\nend", 2,
     "TTestForm has no method 'Nope' for OnClick"},
    {"HandlerOfOtherShape", "object F: TTestForm\n  OnClick = RowNeedData\nend", 2, "does not fit OnClick"},
    {"SetterRefuses", "object F: TTestForm\n  Limit = -1\nend", 2,
     "cannot set Limit: Limit cannot be negative"},
    {"ReadOnly", "object F: TTestForm\n  Computed = 'x'\nend", 2, "read-only"},
    {"NotAContainer",
     "object F: TTestForm\n  object A: TTestWidget\n    object B: TTestWidget\n    end\n  end\nend", 3,
     "A is not a container"},
    {"DuplicateName",
     "object F: TTestForm\n  object A: TTestTimer\n  end\n  object A: TTestTimer\n  end\nend", 4,
     "cannot name the component A"},
    {"MissingEnd", "object F: TTestForm\n  object A: TTestPanel\n  end\n", 4, "found end of text"},
    {"PropertyAfterChild", "object F: TTestForm\n  object A: TTestPanel\n  end\n  Left = 1\nend", 4,
     "expected a property, 'object', 'inherited' or 'end', found 'Left'"},
    {"TextAfterEnd", "object F: TTestForm\nend\nobject G: TTestForm\nend", 3, "expected end of text"},
    {"NoObject", "Left = 1", 1, "expected 'object' or 'inherited'"},
    {"NotAComponentClass", "object F: TTestForm\n  object A: TTestAttrs\n  end\nend", 2,
     "not a component class"},
    {"MissingInherited", "object F: TTestForm\n  inherited A: TTestPanel\n  end\nend", 2,
     "inherited component 'A' does not exist"},
    {"StrayCharacter", "object F: TTestForm\n  Left = 1;\nend", 2, "unexpected character ';'"},
};

class FormReaderErrorTest : public ::testing::TestWithParam<BadForm> {
protected:
    void SetUp() override { RegisterFormTestClasses(); }
};

TEST_P(FormReaderErrorTest, NamesTheLineAndWhatWasExpectedAndLeavesNothingBehind) {
    const BadForm& bad = GetParam();
    const int liveBefore = LiveWidgets();
    try {
        std::unique_ptr<TComponent> root(CreateComponentFromText(bad.text, nullptr));
        FAIL() << "no error for " << bad.name;
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message.find("line " + std::to_string(bad.line) + ":"), std::string::npos) << e.Message;
        EXPECT_NE(e.Message.find(bad.expected), std::string::npos) << e.Message;
    }
    EXPECT_EQ(LiveWidgets(), liveBefore);
}

INSTANTIATE_TEST_SUITE_P(BadForms, FormReaderErrorTest, ::testing::ValuesIn(BadForms),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(FormReaderTest, AFailedReadIntoAnExistingFormRemovesWhatItCreated) {
    TTestForm form(nullptr);
    auto* kept = new TTestPanel(&form);
    kept->SetName("Kept");
    const int liveBefore = LiveWidgets();
    EXPECT_THROW(ReadComponentText("object F: TTestForm\n"
                                   "  object A: TTestPanel\n"
                                   "    object B: TTestWidget\n"
                                   "      Items = <\n"
                                   "        item\n"
                                   "          Width = 'wide'\n"
                                   "        end>\n"
                                   "    end\n"
                                   "  end\n"
                                   "end\n",
                                   &form),
                 EReadError);
    EXPECT_EQ(LiveWidgets(), liveBefore);
    ASSERT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(form.Components(0), kept);
    EXPECT_FALSE(form.ComponentState().Contains(csLoading));
    EXPECT_TRUE(Log().empty()); // no Loaded for a form that failed
}

TEST_F(FormReaderTest, ReadsIntoTheRootOnlyFromItsOwnClassOrABase) {
    TTestPanel panel(nullptr);
    try {
        ReadComponentText("object F: TTestForm\nend", &panel);
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message.find("line 1: the text describes a TTestForm"), std::string::npos) << e.Message;
    }
    EXPECT_NO_THROW(ReadComponentText("object F: TTestWidget\n  Left = 3\nend", &panel));
    EXPECT_EQ(panel.Left, 3);
}

TEST_F(FormReaderTest, APreviewReadsAnyFormClassAndLeavesEventsUnbound) {
    // The application's form class and its handler are not there; everything else reads.
    TTestPanel panel(nullptr);
    PreviewComponentText(
        "object Form1: TApplicationForm\n  Left = 7\n  OnClick = NoSuchHandler\n"
        "  object b: TTestWidget\n    Caption = 'dentro'\n    OnClick = AlsoMissing\n  end\nend",
        &panel);
    EXPECT_EQ(panel.Name(), "Form1");
    EXPECT_EQ(panel.Left, 7);
    auto* b = dynamic_cast<TTestWidget*>(panel.FindComponent("b"));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->Caption, "dentro");
    EXPECT_FALSE(b->OnClick);

    TTestPanel other(nullptr);
    try {
        PreviewComponentText("object F: TApplicationForm\n  object c: TUnknownControl\n  end\nend", &other);
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message.find("line 2: unknown class TUnknownControl"), std::string::npos) << e.Message;
    }
}

TEST_F(FormReaderTest, AMissingFileIsAReadError) {
    TTestForm form(nullptr);
    EXPECT_THROW(ReadComponentFile("/nonexistent/form.vxf", &form), EReadError);
}

} // namespace
