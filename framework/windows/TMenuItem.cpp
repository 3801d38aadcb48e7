#include "framework/windows/TMenuItem.h"

#include "framework/core/Exception.h"

#include <algorithm>
#include <cassert>

namespace vexo {

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
    while (!items_.empty())
        Remove(items_.back());
    if (parent_) parent_->Remove(this);
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("Índice de lista fuera de rango (" + std::to_string(index) + ")");
    return items_[static_cast<std::size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) {
    assert(item && "no item to add");
    if (item->Contains(this)) throw Exception("Un elemento de menú no puede contenerse a sí mismo");
    if (item->parent_) item->parent_->Remove(item);
    items_.push_back(item);
    item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) {
    const auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    item->parent_ = nullptr;
}

// Downwards by pointer only: item may be gone already.
bool TMenuItem::Contains(const TMenuItem* item) const {
    if (item == this) return true;
    return std::any_of(items_.begin(), items_.end(),
                       [item](const TMenuItem* i) { return i->Contains(item); });
}

void TMenuItem::Click() {
    if (OnClick) OnClick(this);
}

} // namespace vexo
