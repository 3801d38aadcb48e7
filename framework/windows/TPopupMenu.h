#pragma once
// A menu that opens at a point: a control whose PopupMenu is set opens it on a right click or the
// context-menu key. Its Items hold the entries; each opening builds a Qt menu from them, so that
// changes to the items show the next time. Choosing an entry calls its Click.
#include "framework/core/TComponent.h"

#include <functional>
#include <memory>

class QMenu;

namespace vexo {

class TMenuItem;

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    // The root of the entries; the menu owns it.
    TMenuItem* Items() const { return items_; }
    // Opens the menu with its top-left at the screen point (x, y) and returns at once; OnPopup
    // runs first. A menu without entries opens nothing.
    virtual void Popup(int x, int y);
    // Whether controls open the menu themselves on a right click or the context-menu key.
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool value) { autoPopup_ = value; }
    // The control that opened the menu last.
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* component);
    // The Qt menu of the latest Popup while it is open, null otherwise (for tests and styling).
    QMenu* Shown() const;

    std::function<void(TObject* sender)> OnPopup;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void fill(QMenu* menu, TMenuItem* parent);
    void discardMenu();

    TMenuItem* items_;
    bool autoPopup_ = true;
    TComponent* popupComponent_ = nullptr;
    QMenu* menu_ = nullptr;
};

} // namespace vexo
