#include "framework/windows/TPopupMenu.h"

#include "framework/windows/TMenuItem.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMenu>

namespace vexo {

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(this)) {
    items_->menu_ = this;
}

TPopupMenu::~TPopupMenu() {
    discardMenu();
    SetPopupComponent(nullptr);
}

void TPopupMenu::SetPopupComponent(TComponent* component) {
    SetReference(popupComponent_, component);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    DropReference(popupComponent_, component, operation);
}

QMenu* TPopupMenu::Shown() const {
    return menu_ && menu_->isVisible() ? menu_ : nullptr;
}

// The Qt menu may be the one whose action is running now (a handler that frees the menu): it is
// cut off from the items at once and deleted once Qt is done with it.
void TPopupMenu::discardMenu() {
    if (!menu_) return;
    QMenu* old = menu_;
    menu_ = nullptr;
    old->hide();
    for (QAction* action : old->findChildren<QAction*>())
        action->disconnect();
    if (QCoreApplication::instance())
        old->deleteLater();
    else
        delete old;
}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(this);
    discardMenu();
    if (items_->Count() == 0) return;
    menu_ = new QMenu;
    fill(menu_, items_);
    menu_->popup(QPoint(x, y));
}

void TPopupMenu::fill(QMenu* menu, TMenuItem* parent) {
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (item->IsLine()) {
            menu->addSeparator();
            continue;
        }
        const QString caption = QString::fromStdString(item->Caption());
        QAction* action = nullptr;
        if (item->Count() > 0) {
            QMenu* sub = menu->addMenu(caption);
            fill(sub, item);
            action = sub->menuAction();
        } else {
            action = menu->addAction(caption);
            // Only an entry whose item is still in the menu when chosen does anything.
            QObject::connect(action, &QAction::triggered, [this, item] {
                if (items_->Contains(item)) item->Click();
            });
        }
        action->setEnabled(item->Enabled());
        action->setCheckable(item->Checked());
        action->setChecked(item->Checked());
        if (!item->ShortCut().empty())
            action->setShortcut(QKeySequence(QString::fromStdString(item->ShortCut())));
    }
}

} // namespace vexo
