#include "controls/grid/GridProperties.h"
#include "controls/grid/VexoGrid.h"
#include "controls/grid/VexoRow.h"
#include "framework/graphics/TImageList.h"
#include "framework/stdctrls/TLabel.h"
#include "framework/streaming/ClassRegistry.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"
#include "framework/streaming/TClassDecl.h"
#include "framework/windows/TForm.h"
#include "framework/windows/TMenuItem.h"
#include "framework/windows/TPopupMenu.h"
#include "values/VexoConvert.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using namespace vexo;

namespace {

// The sample application's form: one grid, and the handler that makes column "numeric" read-only
// for the row whose item data is "RO".
class TGridTestForm1 : public TForm {
public:
    using TForm::TForm;
    TVexoGrid* grid = nullptr;

    void gridRowNeedData(int row) { grid->Columns()->Items(1)->SetReadOnly(grid->GetRowData(row) == "RO"); }
    void CopyClick(TObject* sender) { clicked.push_back(static_cast<TComponent*>(sender)->Name()); }
    std::vector<std::string> clicked;

protected:
    // Binds the field to the component the form file created, as the form class's fields are.
    void Loaded() override {
        TForm::Loaded();
        grid = dynamic_cast<TVexoGrid*>(FindComponent("grid"));
    }
};

void registerForm1() {
    static const bool registered = [] {
        RegisterClass<TGridTestForm1, TForm>("TGridTestForm1")
            .Method("gridRowNeedData", &TGridTestForm1::gridRowNeedData)
            .Method("CopyClick", &TGridTestForm1::CopyClick);
        return true;
    }();
    (void)registered;
}

class grid_dataRow : public TVexoRow {
public:
    explicit grid_dataRow(TVexoGrid* grid)
        : TVexoRow(grid), a(this, 0), b(this, 1), c(this, 2), d(this, 3), e(this, 4) {}
    TVexoDataCol_string a;
    TVexoDataCol_integer b;
    TVexoDataCol_date c;
    TVexoDataCol_string d;
    TVexoDataCol_float e;
};

const char* const FormHead = R"(object Form1: TGridTestForm1
  BorderStyle = bsDialog
  Caption = 'Form1'
  ClientHeight = 238
  ClientWidth = 606
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Position = poScreenCenter
)";

// The grid as the writer puts it: defaults left out, properties in declaration order.
const char* const GridPart = R"(  object grid: TVexoGrid
    Left = 0
    Top = 0
    Width = 606
    Height = 238
    Align = alClient
    TabOrder = 0
    Columns = <
      item
        FieldName = 'a'
        Caption = 'indication'
        Width = 130
      end
      item
        FieldName = 'b'
        Caption = 'numeric'
        ReadOnly = True
        DataType = vgInteger
      end
      item
        FieldName = 'c'
        Caption = 'date'
        Width = 90
        DataType = vgDate
        Format = 'DD/MM/YYYY'
      end
      item
        FieldName = 'd'
        Caption = 'some data'
        Width = 223
      end
      item
        FieldName = 'e'
        Alignment = taRightJustify
        Caption = 'total'
        Width = 80
        DataType = vgFloat
      end>
    Editable = True
    AttrUnicolumn.ColorSel = clBlack
    FontAttrs.Attr0.ColorSel = clBlack
    FontAttrs.Attr1.ColorSel = clBlack
    FontAttrs.Attr2.ColorSel = clBlack
    FontAttrs.Attr3.ColorSel = clBlack
    FontAttrs.Attr4.ColorSel = clBlack
    OnRowNeedData = gridRowNeedData
  end
)";

// The sample's form file lists the grid's own properties before its columns, and names a
// stretched column that does not exist.
const char* const StoredGridPart = R"(  object grid: TVexoGrid
    Left = 0
    Top = 0
    Width = 606
    Height = 238
    Align = alClient
    TabStop = True
    TabOrder = 0
    RowHeight = 15
    Col100x100 = 'some'
    Editable = True
    AttrUnicolumn.ColorSel = clBlack
    FontAttrs.Attr0.ColorSel = clBlack
    FontAttrs.Attr1.ColorSel = clBlack
    FontAttrs.Attr2.ColorSel = clBlack
    FontAttrs.Attr3.ColorSel = clBlack
    FontAttrs.Attr4.ColorSel = clBlack
    OnRowNeedData = gridRowNeedData
    Columns = <
      item
        FieldName = 'a'
        Caption = 'indication'
        Width = 130
        DataType = vgString
      end
      item
        FieldName = 'b'
        Caption = 'numeric'
        Width = 50
        ReadOnly = True
        DataType = vgInteger
      end
      item
        FieldName = 'c'
        Caption = 'date'
        Width = 90
        DataType = vgDate
        Format = 'DD/MM/YYYY'
      end
      item
        FieldName = 'd'
        Caption = 'some data'
        Width = 223
        DataType = vgString
      end
      item
        FieldName = 'e'
        Alignment = taRightJustify
        Caption = 'total'
        Width = 80
        DataType = vgFloat
      end>
  end
)";

std::unique_ptr<TGridTestForm1> readForm(const std::string& text) {
    registerForm1();
    auto form = std::make_unique<TGridTestForm1>(nullptr);
    ReadComponentText(text, form.get());
    return form;
}

// An image list's Bitmap line as the writer puts it at the depth of a form's component.
std::string writtenBitmap(TImageList& images) {
    TForm holder(nullptr);
    holder.SetName("H");
    auto* copy = new TImageList(&holder);
    copy->SetName("L");
    copy->SetWidth(images.Width());
    copy->SetHeight(images.Height());
    copy->ReadData(images.WriteData());
    const std::string text = WriteComponentText(&holder);
    const auto from = text.find("    Bitmap = {");
    return text.substr(from, text.find("}\n", from) + 2 - from);
}

std::string gridPartOf(const std::string& text) {
    const auto from = text.find("  object grid: TVexoGrid");
    return from == std::string::npos ? std::string() : text.substr(from, text.rfind("end") - from);
}

} // namespace

TEST(GridPropertiesTest, PaletteAndClasses) {
    RegisterGridClasses();
    RegisterGridClasses(); // a second call must not register anything twice
    // The page holds the grid once, beside the library's other controls.
    const auto classes = PaletteClasses("VexoControls");
    EXPECT_EQ(std::count(classes.begin(), classes.end(), FindClass("TVexoGrid")), 1);
    for (const char* name : {"TVexoGrid", "TVGColumn", "TFontAttr", "TFontAttrs"})
        EXPECT_NE(FindClass(name), nullptr) << name;
}

TEST(GridPropertiesTest, SampleFormFromText) {
    auto form = readForm(std::string(FormHead) + StoredGridPart + "end\n");
    TVexoGrid* grid = form->grid;
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->Parent(), form.get());
    EXPECT_EQ(grid->Align(), alClient);
    EXPECT_TRUE(grid->GetEditable());
    EXPECT_EQ(grid->FontAttrs()->Attr4()->ColorSel(), clBlack);
    EXPECT_EQ(grid->AttrUnicolumn()->ColorSel(), clBlack);
    EXPECT_EQ(grid->AttrUnicolumn()->Color(), clBlack) << "untouched by the form";
    ASSERT_EQ(grid->Columns()->Count(), 5);
    EXPECT_EQ(grid->GetCol100x100(), "") << "\"some\" names no column";
    const int widths[] = {130, 50, 90, 223, 80};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(grid->Columns()->Items(i)->Width(), widths[i]) << "column " << i;
    EXPECT_EQ(grid->Columns()->Items(2)->Format(), "DD/MM/YYYY");
    EXPECT_EQ(grid->Columns()->Items(4)->Alignment(), taRightJustify);
    EXPECT_TRUE(grid->Columns()->Items(1)->ReadOnly()) << "as stored, until the first row asks";

    const std::string sentence = "Con cien cañones por banda, viento en popa a toda vela";
    const sDB_date date(1, 10, 2006);
    grid_dataRow row(grid);
    const struct {
        const char* a;
        const char* data;
        int b;
        double e;
        const char* total;
    } rows[] = {{"row normal", "", 10, 1000.5, "1000,50"},
                {"row normal", "", 11, 1100.0, "1100,00"},
                {"numeric is Read-only", "RO", 12, 1200.0, "1200,00"},
                {"row normal", "", 13, 1300.0, "1300,00"},
                {"row normal", "", 14, 1400.0, "1400,00"},
                {"row normal", "", 15, 1500.4, "1500,40"}};
    for (const auto& r : rows) {
        row.Append();
        row.a = r.a;
        if (*r.data) row.SetItemData(0, r.data);
        row.b = r.b;
        row.c = date;
        row.d = sentence;
        row.e = r.e;
    }
    ASSERT_EQ(grid->GetRowCount(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(grid->GetString(i, 0), rows[i].a);
        EXPECT_EQ(grid->GetString(i, 1), std::to_string(rows[i].b));
        EXPECT_EQ(grid->GetString(i, 2), "01/10/2006");
        EXPECT_EQ(grid->GetString(i, 3), sentence);
        EXPECT_EQ(grid->GetString(i, 4), rows[i].total);
        EXPECT_EQ(grid->GetRowData(i), rows[i].data);
    }

    // The handler came from the form file, bound by name.
    ASSERT_TRUE(grid->OnRowNeedData);
    for (int i : {2, 3, 2, 0}) {
        grid->OnRowNeedData(i);
        EXPECT_EQ(grid->Columns()->Items(1)->ReadOnly(), i == 2) << "after row " << i;
    }
}

TEST(GridPropertiesTest, SampleFormWritesBackTheSame) {
    auto form = readForm(std::string(FormHead) + StoredGridPart + "end\n");
    const std::string written = WriteComponentText(form.get());
    EXPECT_EQ(gridPartOf(written), GridPart);
    auto again = readForm(written);
    EXPECT_EQ(WriteComponentText(again.get()), written);
}

TEST(GridPropertiesTest, StoredValuesRoundTrip) {
    // Non-default values of every kind the grid streams, listed as the writer orders them.
    const std::string gridPart = R"(  object grid: TVexoGrid
    Left = 3
    Top = 4
    Width = 200
    Height = 120
    TabStop = False
    TabOrder = 0
    Visible = False
    ColorBk = clInfoBk
    ColorHead = 15461355
    Columns = <
      item
        FieldName = 'flag'
        IsCombo = True
        Format = 'x'
        CharCase = ecUpperCase
        ComboTexts.Strings = (
          'off'
          'on')
        ComboValues.Strings = (
          '0'
          '1')
      end
      item
        FieldName = 'when'
        Alignment = taCenter
        DataType = vgTime
        Format = 'HH:MM'
      end>
    RowHeight = 21
    Col100x100 = 'when'
    Multiselect = True
    LabelWrap = False
    ShowHeader = False
    ShowLines = False
    AutoAddRow = True
    AttrUnicolumn.Color = clRed
    AttrUnicolumn.BackColor = clYellow
    AttrUnicolumn.Styles = [fsBold, fsUnderline]
    SkinName = 'plain'
    FontAttrs.Attr2.BackColorSel = clLime
    ItemDataOnRefresh = True
  end
)";
    auto form = readForm(std::string(FormHead) + gridPart + "end\n");
    TVexoGrid* grid = form->grid;
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->GetCol100x100(), "when") << "an existing column is accepted";
    EXPECT_TRUE(grid->Columns()->Items(1)->GetIsCol100x100());
    EXPECT_EQ(grid->Columns()->Items(0)->getComboText("1"), "on");
    EXPECT_EQ(gridPartOf(WriteComponentText(form.get())), gridPart);
}

TEST(GridPropertiesTest, StretchedColumnBeforeItsColumnsIsKept) {
    // Col100x100 ahead of the columns, as the sample's form file orders it.
    auto form = readForm(std::string(FormHead) + R"(  object grid: TVexoGrid
    Col100x100 = 'b'
    Columns = <
      item
        FieldName = 'a'
      end
      item
        FieldName = 'b'
      end>
  end
end
)");
    EXPECT_EQ(form->grid->GetCol100x100(), "b");
}

TEST(GridPropertiesTest, BadValuesAreRefusedWithTheLine) {
    const struct {
        const char* property;
        const char* expected; // a piece of the message
    } cases[] = {{"RowHeight = 4294967296", "RowHeight"},
                 {"Columns = <\n      item\n        DataType = vgNothing\n      end>", "vgNothing"},
                 {"AttrUnicolumn.Styles = [fsHeavy]", "fsHeavy"},
                 {"OnRowNeedData = noSuchHandler", "noSuchHandler"}};
    for (const auto& c : cases) {
        const std::string text =
            std::string(FormHead) + "  object grid: TVexoGrid\n    " + c.property + "\n  end\nend\n";
        try {
            readForm(text);
            ADD_FAILURE() << c.property << " was accepted";
        } catch (const Exception& e) {
            EXPECT_NE(e.Message.find(c.expected), std::string::npos) << e.Message;
        }
    }
}

// The form's menu and the label's control are named before they appear (forward references); the
// grid's image list and menu after. Every one of them reads back, and goes when its component goes.
const char* const ReferencesForm = R"(object Form1: TGridTestForm1
  Left = 0
  Top = 0
  Caption = 'Form1'
  ClientHeight = 238
  ClientWidth = 606
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  PopupMenu = PopupMenu1
  PixelsPerInch = 96
  TextHeight = 13
  object ImageList1: TImageList
    Height = 2
    Width = 2
  end
  object PopupMenu1: TPopupMenu
    object Copy1: TMenuItem
      Caption = 'Copiar'
      ShortCut = 'Ctrl+C'
      OnClick = CopyClick
    end
    object N1: TMenuItem
      Caption = '-'
    end
    object More1: TMenuItem
      Caption = 'M'#225's'
      object Paste1: TMenuItem
        Caption = 'Pegar'
        Enabled = False
      end
    end
  end
  object Label1: TLabel
    Left = 8
    Top = 8
    Width = 32
    Height = 13
    AutoSize = False
    Caption = '&Datos'
    FocusControl = grid
  end
  object grid: TVexoGrid
    Left = 0
    Top = 30
    Width = 606
    Height = 208
    TabOrder = 0
    Images = ImageList1
    PopupMenu = PopupMenu1
  end
end
)";

TEST(GridPropertiesTest, ImagesMenusAndReferencesRoundTripAndGoWithTheirComponents) {
    // Two 2 x 2 images: a red pixel on transparent, and a blue square.
    TImageList images(2, 2);
    TBitmap picture, mask;
    picture.SetSize(4, 2);
    mask.SetSize(4, 2);
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 2; ++y) {
            picture.Canvas()->SetPixels(x, y, x < 2 ? clRed : clBlue);
            mask.Canvas()->SetPixels(x, y, x < 2 && (x || y) ? clWhite : clBlack);
        }
    images.Add(&picture, &mask);
    std::string text = ReferencesForm;
    text.insert(text.find("    Width = 2\n") + 14, writtenBitmap(images));

    auto form = readForm(text);
    EXPECT_EQ(WriteComponentText(form.get()), text);
    auto* list = dynamic_cast<TImageList*>(form->FindComponent("ImageList1"));
    auto* menu = dynamic_cast<TPopupMenu*>(form->FindComponent("PopupMenu1"));
    auto* label = dynamic_cast<TLabel*>(form->FindComponent("Label1"));
    ASSERT_TRUE(list && menu && label && form->grid);
    EXPECT_EQ(list->Count(), 2);
    EXPECT_EQ(form->PopupMenu(), menu);
    EXPECT_EQ(form->grid->GetImages(), list);
    EXPECT_EQ(form->grid->PopupMenu(), menu);
    EXPECT_EQ(label->FocusControl(), form->grid);
    ASSERT_EQ(menu->Items()->Count(), 3);
    EXPECT_EQ(menu->Items()->Items(2)->Items(0)->Name(), "Paste1");
    menu->Items()->Items(0)->Click();
    EXPECT_EQ(form->clicked, std::vector<std::string>{"Copy1"});

    // Freed before the controls that refer to them: every reference reads back as none.
    delete list;
    delete menu;
    delete form->grid;
    EXPECT_EQ(form->PopupMenu(), nullptr);
    EXPECT_EQ(label->FocusControl(), nullptr);
    const std::string after = WriteComponentText(form.get());
    EXPECT_EQ(after.find(" = ImageList1"), std::string::npos);
    EXPECT_EQ(after.find(" = PopupMenu1"), std::string::npos);
    EXPECT_EQ(after.find(" = grid"), std::string::npos);
    EXPECT_EQ(WriteComponentText(readForm(after).get()), after);
}

TEST(GridPropertiesTest, StoredLimitsAreRefusedSilently) {
    // A row height below 1 reads without error, and the grid keeps the height it had.
    const struct {
        const char* property;
        int rowHeight;
    } cases[] = {{"RowHeight = 0", 15}, {"RowHeight = -4", 15}, {"RowHeight = 21", 21}};
    for (const auto& c : cases) {
        const std::string text =
            std::string(FormHead) + "  object grid: TVexoGrid\n    " + c.property + "\n  end\nend\n";
        std::unique_ptr<TGridTestForm1> form;
        ASSERT_NO_THROW(form = readForm(text)) << c.property;
        EXPECT_EQ(form->grid->GetRowHeight(), c.rowHeight) << c.property;
    }
}

TEST(GridPropertiesTest, ColDataAndRowCodeArePublishedListsNeverStored) {
    auto form = readForm(std::string(FormHead) + StoredGridPart + "end\n");
    TVexoGrid* grid = form->grid;
    const TInstance inst = InstanceOf(grid);
    const auto colData = inst.Class->FindProperty(inst.Ptr, "ColData");
    const auto rowCode = inst.Class->FindProperty(inst.Ptr, "RowCode");
    ASSERT_NE(colData.Info, nullptr);
    ASSERT_NE(rowCode.Info, nullptr);
    EXPECT_EQ(colData.Info->Kind, TPropKind::StringList);
    EXPECT_EQ(rowCode.Info->Kind, TPropKind::StringList);
    EXPECT_TRUE(colData.Info->Writable());
    EXPECT_FALSE(rowCode.Info->Writable());
    EXPECT_EQ(colData.Info->GetStrings(colData.Self)->GetText(), grid->GenerateColData()->GetText());
    EXPECT_EQ(rowCode.Info->GetStrings(rowCode.Self)->GetText(), grid->GenerateRowCode()->GetText());

    TStringList text;
    text.SetText("<TVGColumnCollection>\r\n<TVGColumn FieldName=\"x\" Caption=\"X\" Width=\"70\" />\r\n"
                 "</TVGColumnCollection>\r\n");
    colData.Info->SetStrings(colData.Self, text);
    ASSERT_EQ(grid->Columns()->Count(), 1);
    EXPECT_EQ(grid->Columns()->Items(0)->FieldName(), "x");
    EXPECT_EQ(grid->Columns()->Items(0)->Width(), 70);
    EXPECT_NE(rowCode.Info->GetStrings(rowCode.Self)->GetText().find("x(this,0)"), std::string::npos)
        << "each read gives the text of the columns as they are now";

    const std::string written = WriteComponentText(form.get());
    EXPECT_EQ(written.find("ColData"), std::string::npos);
    EXPECT_EQ(written.find("RowCode"), std::string::npos);
    try {
        readForm(std::string(FormHead) +
                 "  object grid: TVexoGrid\n    RowCode.Strings = (\n      'x')\n  end\nend\n");
        ADD_FAILURE() << "RowCode was read from a form file";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message.find("read-only"), std::string::npos) << e.Message;
    }
}
