// The framework's classes as form files see them. Like the framework, TControl and TWinControl
// declare most of their properties without publishing them; each descendant publishes what it
// shows (TForm below, the library's controls in their own declarations). Defaults equal what the
// constructors set, so that a freshly created component writes nothing but its geometry.
#include "framework/streaming/FrameworkProperties.h"

#include "framework/core/TCollectionItem.h"
#include "framework/graphics/LogFont.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TFont.h"
#include "framework/graphics/TImageList.h"
#include "framework/streaming/TClassDecl.h"
#include "framework/windows/TCustomControl.h"
#include "framework/windows/TForm.h"
#include "framework/windows/TGraphicControl.h"
#include "framework/windows/TMenuItem.h"
#include "framework/windows/TPopupMenu.h"
#include "framework/windows/TTimer.h"
#include "framework/windows/TWinControl.h"

namespace vexo {

const TIdentMap& CursorIdents() {
    static const TIdentMap map{
        {"crDefault", crDefault},     {"crNone", crNone},           {"crArrow", crArrow},
        {"crCross", crCross},         {"crIBeam", crIBeam},         {"crSizeNESW", crSizeNESW},
        {"crSizeNS", crSizeNS},       {"crSizeNWSE", crSizeNWSE},   {"crSizeWE", crSizeWE},
        {"crUpArrow", crUpArrow},     {"crHourGlass", crHourGlass}, {"crDrag", crDrag},
        {"crNoDrop", crNoDrop},       {"crHSplit", crHSplit},       {"crVSplit", crVSplit},
        {"crMultiDrag", crMultiDrag}, {"crSQLWait", crSQLWait},     {"crNo", crNo},
        {"crAppStart", crAppStart},   {"crHelp", crHelp},           {"crHandPoint", crHandPoint},
        {"crSizeAll", crSizeAll},
    };
    return map;
}

const TEnumInfo& FontStyleNames() {
    static const TEnumInfo e("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
    return e;
}

const TEnumInfo& AlignmentNames() {
    static const TEnumInfo e("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
    return e;
}

const TIdentMap& CharsetIdents() {
    static const TIdentMap map{
        {"ANSI_CHARSET", ANSI_CHARSET},
        {"DEFAULT_CHARSET", DEFAULT_CHARSET},
        {"SYMBOL_CHARSET", SYMBOL_CHARSET},
        {"MAC_CHARSET", 77},
        {"SHIFTJIS_CHARSET", 128},
        {"HANGEUL_CHARSET", 129},
        {"JOHAB_CHARSET", 130},
        {"GB2312_CHARSET", 134},
        {"CHINESEBIG5_CHARSET", 136},
        {"GREEK_CHARSET", 161},
        {"TURKISH_CHARSET", 162},
        {"VIETNAMESE_CHARSET", 163},
        {"HEBREW_CHARSET", 177},
        {"ARABIC_CHARSET", 178},
        {"BALTIC_CHARSET", 186},
        {"RUSSIAN_CHARSET", 204},
        {"THAI_CHARSET", 222},
        {"EASTEUROPE_CHARSET", 238},
        {"OEM_CHARSET", OEM_CHARSET},
    };
    return map;
}

namespace {

const TEnumInfo& alignNames() {
    static const TEnumInfo e("TAlign",
                             {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"});
    return e;
}
const TEnumInfo& borderStyleNames() {
    static const TEnumInfo e("TFormBorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog",
                                                  "bsToolWindow", "bsSizeToolWin"});
    return e;
}
const TEnumInfo& positionNames() {
    static const TEnumInfo e("TPosition",
                             {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                              "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"});
    return e;
}
const TEnumInfo& borderIconNames() {
    static const TEnumInfo e("TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"});
    return e;
}
const TEnumInfo& fontPitchNames() {
    static const TEnumInfo e("TFontPitch", {"fpDefault", "fpVariable", "fpFixed"});
    return e;
}

void registerGraphics() {
    // The framework writes every font property (no defaults) whenever the font is stored at all;
    // Size is Height in points and is not stored twice.
    RegisterClass<TFont>("TFont")
        .Int("Charset", &TFont::Charset, &TFont::SetCharset, DEFAULT_CHARSET)
        .Idents(CharsetIdents())
        .Range(0, 255)
        .NoDefault()
        .Color("Color", &TFont::Color, &TFont::SetColor, clWindowText)
        .NoDefault()
        .Int("Height", &TFont::Height, &TFont::SetHeight, -11)
        .NoDefault()
        .Str("Name", &TFont::Name, &TFont::SetName, "MS Sans Serif")
        .NoDefault()
        .Enum("Pitch", fontPitchNames(), &TFont::Pitch, &TFont::SetPitch, fpDefault)
        .Int("Size", &TFont::Size, &TFont::SetSize, 8)
        .NotStored()
        .Set("Style", FontStyleNames(), &TFont::Style, &TFont::SetStyle, TFontStyles{})
        .NoDefault()
        .Int("Orientation", &TFont::Orientation, &TFont::SetOrientation, 0);

    // Empty data clears the picture: a stored glyph of no image is no error.
    RegisterClass<TBitmap>("TBitmap").Binary(
        "Data", [](TBitmap& b) { return b.Empty() ? std::string() : b.WriteData(); },
        [](TBitmap& b, const std::string& data) {
            if (data.empty())
                b.SetSize(0, 0);
            else
                b.ReadData(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
        });

    // The size comes before the images: changing it empties the list.
    RegisterClass<TCustomImageList, TComponent>("TCustomImageList")
        .Int("Height", &TCustomImageList::Height, &TCustomImageList::SetHeight, 16)
        .Range(1, 32768)
        .Int("Width", &TCustomImageList::Width, &TCustomImageList::SetWidth, 16)
        .Range(1, 32768)
        .Binary("Bitmap", &TCustomImageList::WriteData, &TCustomImageList::ReadData);
    RegisterClass<TImageList, TCustomImageList>("TImageList");
}

// Items nest in their menu in form files: a top-level item's parent there is the menu itself.
void registerMenus() {
    RegisterClass<TMenuItem, TComponent>("TMenuItem")
        .Str("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
        .Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked, false)
        .Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled, true)
        .Str("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut)
        .Event("OnClick", &TMenuItem::OnClick)
        .Parenting(
            [](TMenuItem& item) -> TComponent* {
                // The holder of a menu's items belongs to the menu and is never streamed itself.
                if (item.Menu()) return item.Menu();
                TMenuItem* parent = item.Parent();
                if (parent && parent->Menu()) return parent->Menu();
                return parent;
            },
            [](TMenuItem& item, TComponent* parent) {
                if (auto* menu = dynamic_cast<TPopupMenu*>(parent))
                    menu->Items()->Add(&item);
                else if (auto* holder = dynamic_cast<TMenuItem*>(parent))
                    holder->Add(&item);
                else if (parent && parent != item.Owner()) // an item of no menu sits in the form
                    throw Exception((parent->Name().empty() ? parent->ClassName() : parent->Name()) +
                                    " cannot hold menu items");
            },
            [](TMenuItem& item) {
                std::vector<TComponent*> children;
                for (int i = 0; i < item.Count(); ++i)
                    children.push_back(item.Items(i));
                return children;
            });

    RegisterClass<TPopupMenu, TComponent>("TPopupMenu")
        .Bool("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup, true)
        .Event("OnPopup", &TPopupMenu::OnPopup)
        .Parenting([](TPopupMenu&) -> TComponent* { return nullptr; }, [](TPopupMenu&, TComponent*) {},
                   [](TPopupMenu& menu) {
                       std::vector<TComponent*> children;
                       for (int i = 0; i < menu.Items()->Count(); ++i)
                           children.push_back(menu.Items()->Items(i));
                       return children;
                   });
}

void registerControls() {
    RegisterClass<TControl, TComponent>("TControl")
        .Int("Left", &TControl::Left, &TControl::SetLeft, 0)
        .NoDefault()
        .Int("Top", &TControl::Top, &TControl::SetTop, 0)
        .NoDefault()
        .Int("Width", &TControl::Width, &TControl::SetWidth, 0)
        .NoDefault()
        .Int("Height", &TControl::Height, &TControl::SetHeight, 0)
        .NoDefault()
        .Int("Cursor", &TControl::Cursor, &TControl::SetCursor, crDefault)
        .Idents(CursorIdents())
        // Declared for descendants to publish.
        .Enum("Align", alignNames(), &TControl::Align, &TControl::SetAlign, alNone)
        .Unpublished()
        .Str("Caption", &TControl::Caption, &TControl::SetCaption)
        .Unpublished()
        .Str("Text", &TControl::Text, &TControl::SetText)
        .Unpublished()
        .Int("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight, 0)
        .Unpublished()
        .NotStored()
        .Int("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth, 0)
        .Unpublished()
        .NotStored()
        .Color("Color", &TControl::Color, &TControl::SetColor, clWindow)
        .Unpublished()
        .Stored([](TControl& c) { return !c.ParentColor(); })
        .Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled, true)
        .Unpublished()
        .Object("Font", &TControl::Font)
        .Unpublished()
        .Stored([](TControl& c) { return !c.ParentFont(); })
        .Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, false)
        .Unpublished()
        .Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true)
        .Unpublished()
        .Bool("Visible", &TControl::Visible, &TControl::SetVisible, true)
        .Unpublished()
        .Event("OnClick", &TControl::OnClick)
        .Unpublished()
        .Event("OnDblClick", &TControl::OnDblClick)
        .Unpublished()
        .Event("OnMouseDown", &TControl::OnMouseDown)
        .Unpublished()
        .Event("OnMouseMove", &TControl::OnMouseMove)
        .Unpublished()
        .Event("OnMouseUp", &TControl::OnMouseUp)
        .Unpublished()
        .Event("OnMouseWheel", &TControl::OnMouseWheel)
        .Unpublished()
        .Event("OnMouseEnter", &TControl::OnMouseEnter)
        .Unpublished()
        .Event("OnMouseLeave", &TControl::OnMouseLeave)
        .Unpublished()
        .Event("OnResize", &TControl::OnResize)
        .Unpublished()
        .Reference<TPopupMenu>("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
        .Unpublished()
        .Parenting([](TControl& c) -> TComponent* { return c.Parent(); },
                   [](TControl& c, TComponent* parent) {
                       auto* container = dynamic_cast<TWinControl*>(parent);
                       if (parent && !container)
                           throw Exception((parent->Name().empty() ? parent->ClassName() : parent->Name()) +
                                           " cannot hold controls");
                       c.SetParent(container);
                   },
                   [](TControl& c) {
                       std::vector<TComponent*> children;
                       if (auto* w = dynamic_cast<TWinControl*>(&c))
                           for (int i = 0; i < w->ControlCount(); ++i)
                               children.push_back(w->Controls(i));
                       return children;
                   });

    RegisterClass<TWinControl, TControl>("TWinControl")
        .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, false)
        .Unpublished()
        .Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, -1)
        .Unpublished()
        .Event("OnEnter", &TWinControl::OnEnter)
        .Unpublished()
        .Event("OnExit", &TWinControl::OnExit)
        .Unpublished()
        .Event("OnKeyDown", &TWinControl::OnKeyDown)
        .Unpublished()
        .Event("OnKeyPress", &TWinControl::OnKeyPress)
        .Unpublished()
        .Event("OnKeyUp", &TWinControl::OnKeyUp)
        .Unpublished();

    RegisterClass<TGraphicControl, TControl>("TGraphicControl");
    RegisterClass<TCustomControl, TWinControl>("TCustomControl");

    // A form stores its client size rather than its outer size, and its colour and font always:
    // a form has no parent to take them from.
    RegisterClass<TForm, TWinControl>("TForm")
        .Publish("Width")
        .NotStored()
        .Publish("Height")
        .NotStored()
        .Set("BorderIcons", borderIconNames(), &TForm::BorderIcons, &TForm::SetBorderIcons,
             DefaultBorderIcons)
        .Enum("BorderStyle", borderStyleNames(), &TForm::BorderStyle, &TForm::SetBorderStyle, bsSizeable)
        .Publish("Caption")
        .Publish("ClientHeight")
        .AlwaysStored()
        .NoDefault()
        .Publish("ClientWidth")
        .AlwaysStored()
        .NoDefault()
        .Publish("Color")
        .AlwaysStored()
        .NoDefault()
        .Publish("Enabled")
        .Publish("Font")
        .AlwaysStored()
        // Without a default, as the framework writes it.
        .Bool("OldCreateOrder", &TForm::OldCreateOrder, &TForm::SetOldCreateOrder, false)
        .NoDefault()
        .Enum("Position", positionNames(), &TForm::Position, &TForm::SetPosition, poDesigned)
        .Bool("Scaled", &TForm::Scaled, &TForm::SetScaled, true)
        .Publish("Visible")
        .Default(false)
        .Event("OnActivate", &TForm::OnActivate)
        .Publish("OnClick")
        .Event("OnClose", &TForm::OnClose)
        .Event("OnCloseQuery", &TForm::OnCloseQuery)
        .Event("OnCreate", &TForm::OnCreate)
        .Publish("OnDblClick")
        .Event("OnDeactivate", &TForm::OnDeactivate)
        .Event("OnDestroy", &TForm::OnDestroy)
        .Event("OnHide", &TForm::OnHide)
        .Publish("OnKeyDown")
        .Publish("OnKeyPress")
        .Publish("OnKeyUp")
        .Publish("OnMouseDown")
        .Publish("OnMouseMove")
        .Publish("OnMouseUp")
        .Publish("OnResize")
        .Event("OnShow", &TForm::OnShow)
        .Publish("PopupMenu")
        // Last, and always: reading a form's controls needs to know what they were designed at.
        .Int("PixelsPerInch", &TForm::PixelsPerInch, &TForm::SetPixelsPerInch, 96)
        .Range(1, INT32_MAX)
        .NoDefault()
        .Int("TextHeight", &TForm::TextHeight, &TForm::SetTextHeight, 13)
        .Range(1, INT32_MAX)
        .NoDefault();
}

} // namespace

void RegisterFrameworkClasses() {
    RegisterClass<TObject>("TObject");
    RegisterClass<TPersistent, TObject>("TPersistent");
    RegisterClass<TComponent, TPersistent>("TComponent");
    RegisterClass<TCollectionItem, TPersistent>("TCollectionItem");
    RegisterClass<TCollection, TPersistent>("TCollection");
    registerGraphics();
    registerMenus();
    registerControls();
    RegisterClass<TTimer, TComponent>("TTimer")
        .Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled, true)
        .Int("Interval", &TTimer::Interval, &TTimer::SetInterval, 1000)
        .Range(0, UINT32_MAX)
        .Event<TNotifyEvent>("OnTimer", &TTimer::OnTimer, &TTimer::SetOnTimer);
}

} // namespace vexo
