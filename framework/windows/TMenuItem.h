#pragma once
// One entry of a menu: a command with a caption, a shortcut text, enabled and checked states, or a
// separator (caption "-"). Items nest: an item that holds items opens a submenu. As with controls,
// the owner governs lifetime and holding never deletes: a destroyed item leaves its parent and lets
// go of the items it held.
#include "framework/core/TComponent.h"

#include <functional>
#include <string>
#include <vector>

namespace vexo {

class TPopupMenu;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value) { caption_ = value; }
    // The key that the menu shows beside the caption, in Qt's portable form ("Ctrl+C").
    const std::string& ShortCut() const { return shortCut_; }
    void SetShortCut(const std::string& value) { shortCut_ = value; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }
    bool Checked() const { return checked_; }
    void SetChecked(bool value) { checked_ = value; }
    bool IsLine() const { return caption_ == "-"; }

    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const; // EListError outside 0..Count-1
    // Appends item, taking it from the item that held it before.
    void Add(TMenuItem* item);
    void Remove(TMenuItem* item);
    TMenuItem* Parent() const { return parent_; }
    // The menu whose Items this is; null for any other item.
    TPopupMenu* Menu() const { return menu_; }
    // Whether item is this one or one of those it holds, at any depth; item may point to an item
    // that no longer exists.
    bool Contains(const TMenuItem* item) const;

    // What choosing the item does: OnClick.
    virtual void Click();
    std::function<void(TObject* sender)> OnClick;

private:
    friend class TPopupMenu;
    std::string caption_;
    std::string shortCut_;
    bool enabled_ = true;
    bool checked_ = false;
    TMenuItem* parent_ = nullptr;
    TPopupMenu* menu_ = nullptr;
    std::vector<TMenuItem*> items_;
};

} // namespace vexo
