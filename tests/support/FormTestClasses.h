#pragma once
// Test-only component classes that exercise every property kind of the form format without the
// window layer: widgets that nest by their own parent link, a collection, nested objects (one a
// TPersistent, one a plain class), events and a form class with handlers. Shared by the form
// reader, writer and registry tests and by the form-file fuzz target.
#include "framework/core/TCollectionItem.h"
#include "framework/graphics/TFontStyles.h"
#include "framework/streaming/TClassDecl.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace vexo {

namespace formtest {

enum TTestKind { tkPlain, tkNumber, tkDate };

// What happened, in order: "Loaded:<name>", "click:<sender>", "row:<n>".
inline std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}
inline int& LiveWidgets() {
    static int count = 0;
    return count;
}

class TTestItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    std::string Caption;
    int Width = 50;
    TTestKind Kind = tkPlain;
    bool ReadOnly = false;
};

// A plain class (not a TObject) held by value, like a font.
struct TTestAttr {
    TColor Color = clBlack;
    TFontStyles Styles;
};

class TTestAttrs : public TPersistent {
public:
    TTestAttr Attr0, Attr1;
};

class TTestWidget : public TComponent {
public:
    explicit TTestWidget(TComponent* owner) : TComponent(owner) { ++LiveWidgets(); }
    ~TTestWidget() override {
        SetParent(nullptr);
        while (!children_.empty())
            children_.back()->SetParent(nullptr);
        --LiveWidgets();
    }

    virtual bool AcceptsChildren() const { return false; }
    TTestWidget* Parent() const { return parent_; }
    void SetParent(TTestWidget* parent) {
        if (parent && !parent->AcceptsChildren()) throw Exception(parent->Name() + " is not a container");
        if (parent_)
            parent_->children_.erase(std::find(parent_->children_.begin(), parent_->children_.end(), this));
        parent_ = parent;
        if (parent_) parent_->children_.push_back(this);
    }
    const std::vector<TTestWidget*>& Children() const { return children_; }

    // A reference to another widget, dropped when that widget goes.
    TTestWidget* Buddy() const { return buddy_; }
    void SetBuddy(TTestWidget* buddy) { SetReference(buddy_, buddy); }

    void Loaded() override {
        TComponent::Loaded();
        Log().push_back("Loaded:" + Name());
    }

    // A setter that refuses some values, as real controls do.
    int Limit() const { return limit_; }
    void SetLimit(int v) {
        if (v < 0) throw Exception("Limit cannot be negative");
        limit_ = v;
    }

    int Left = 0;
    std::string Caption;
    double Ratio = 1.5;
    bool Enabled = true;
    TTestKind Kind = tkPlain;
    TColor Color = clWindow;
    TColor Tint = clWindow; // no default: always written
    std::int64_t Big = 0;
    TStringList Lines;
    TCollection Items{TCollection::ItemClass<TTestItem>(), this};
    TTestAttrs Attrs;
    TTestAttr Attr;
    std::string Data;
    std::string Computed = "fixed";
    std::function<void(TObject*)> OnClick;
    std::function<void(TObject*, int)> OnRow;

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        DropReference(buddy_, component, operation);
    }

private:
    TTestWidget* buddy_ = nullptr;
    TTestWidget* parent_ = nullptr;
    std::vector<TTestWidget*> children_;
    int limit_ = 0;
};

class TTestPanel : public TTestWidget {
public:
    using TTestWidget::TTestWidget;
    bool AcceptsChildren() const override { return true; }
};

class TTestTimer : public TComponent {
public:
    using TComponent::TComponent;
    int Interval = 1000;
};

class TTestForm : public TTestPanel {
public:
    using TTestPanel::TTestPanel;
    void ButtonClick(TObject* sender) {
        Log().push_back("click:" + static_cast<TComponent*>(sender)->Name());
    }
    void RowNeedData(TObject*, int row) { Log().push_back("row:" + std::to_string(row)); }
};

// A form class whose constructor makes a component, as a designed form's class does.
class TTestMadeForm : public TTestForm {
public:
    explicit TTestMadeForm(TComponent* owner) : TTestForm(owner) {
        auto* made = new TTestPanel(this);
        made->SetName("Made");
        made->SetParent(this);
    }
};

inline const TEnumInfo& KindNames() {
    static const TEnumInfo e("TTestKind", {"tkPlain", "tkNumber", "tkDate"});
    return e;
}
inline const TEnumInfo& StyleNames() {
    static const TEnumInfo e("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
    return e;
}

template <class T, class V> auto field(V T::*member) {
    return [member](T& o) -> decltype(auto) { return (o.*member); };
}
template <class T, class V> auto setField(V T::*member) {
    return [member](T& o, const V& v) { o.*member = v; };
}

inline void RegisterFormTestClasses() {
    static const bool registered = [] {
        RegisterClass<TTestItem, TCollectionItem>("TTestItem")
            .Str("Caption", field(&TTestItem::Caption), setField(&TTestItem::Caption))
            .Int("Width", field(&TTestItem::Width), setField(&TTestItem::Width), 50)
            .Enum("Kind", KindNames(), field(&TTestItem::Kind), setField(&TTestItem::Kind), tkPlain)
            .Bool("ReadOnly", field(&TTestItem::ReadOnly), setField(&TTestItem::ReadOnly), false);
        RegisterClass<TTestAttr>("TTestAttr")
            .Color("Color", field(&TTestAttr::Color), setField(&TTestAttr::Color), clBlack)
            .Set("Styles", StyleNames(), field(&TTestAttr::Styles), setField(&TTestAttr::Styles),
                 TFontStyles{});
        RegisterClass<TTestAttrs, TPersistent>("TTestAttrs")
            .Object("Attr0", field(&TTestAttrs::Attr0))
            .Object("Attr1", field(&TTestAttrs::Attr1));
        RegisterClass<TTestWidget, TComponent>("TTestWidget")
            .Int("Left", field(&TTestWidget::Left), setField(&TTestWidget::Left), 0)
            .Str("Caption", field(&TTestWidget::Caption), setField(&TTestWidget::Caption))
            .Float("Ratio", field(&TTestWidget::Ratio), setField(&TTestWidget::Ratio), 1.5)
            .Bool("Enabled", field(&TTestWidget::Enabled), setField(&TTestWidget::Enabled), true)
            .Enum("Kind", KindNames(), field(&TTestWidget::Kind), setField(&TTestWidget::Kind), tkPlain)
            .Color("Color", field(&TTestWidget::Color), setField(&TTestWidget::Color), clWindow)
            .Color("Tint", field(&TTestWidget::Tint), setField(&TTestWidget::Tint), clWindow)
            .NoDefault()
            .Int("Big", field(&TTestWidget::Big), setField(&TTestWidget::Big), 0)
            .Range(INT64_MIN, INT64_MAX)
            .Int("Limit", &TTestWidget::Limit, &TTestWidget::SetLimit, 0)
            .Strings("Lines", field(&TTestWidget::Lines))
            .Collection("Items", field(&TTestWidget::Items))
            .Object("Attrs", field(&TTestWidget::Attrs))
            .Object("Attr", field(&TTestWidget::Attr))
            .Binary("Data", field(&TTestWidget::Data), setField(&TTestWidget::Data))
            .Str("Computed", field(&TTestWidget::Computed), nullptr)
            .Event("OnClick", &TTestWidget::OnClick)
            .Event("OnRow", &TTestWidget::OnRow)
            .Reference<TTestWidget>("Buddy", &TTestWidget::Buddy, &TTestWidget::SetBuddy)
            .Parenting([](TTestWidget& w) -> TComponent* { return w.Parent(); },
                       [](TTestWidget& w, TComponent* parent) {
                           auto* p = dynamic_cast<TTestWidget*>(parent);
                           if (parent && !p) throw Exception("a widget needs a widget parent");
                           w.SetParent(p);
                       },
                       [](TTestWidget& w) {
                           return std::vector<TComponent*>(w.Children().begin(), w.Children().end());
                       });
        RegisterClass<TTestPanel, TTestWidget>("TTestPanel");
        RegisterClass<TTestTimer, TComponent>("TTestTimer")
            .Int("Interval", field(&TTestTimer::Interval), setField(&TTestTimer::Interval), 1000);
        RegisterClass<TTestForm, TTestPanel>("TTestForm")
            .Method("ButtonClick", &TTestForm::ButtonClick)
            .Method("RowNeedData", &TTestForm::RowNeedData);
        RegisterClass<TTestMadeForm, TTestForm>("TTestMadeForm");
        return true;
    }();
    (void)registered;
}

} // namespace formtest

} // namespace vexo
