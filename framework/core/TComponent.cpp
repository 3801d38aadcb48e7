#include "framework/core/TComponent.h"

#include "framework/core/Exception.h"
#include "framework/core/Ident.h"

#include <algorithm>
#include <cassert>

namespace vexo {

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    markDestroying();
    // Linked components first. Those that the owner's broadcast will reach when this component
    // leaves its owner (the owner's tree minus this component's own, destroyed by then) are
    // unlinked silently rather than told twice.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        other->unlink(this);
        const bool reachedByOwner = owner_ && other->ownedWithin(owner_) && !other->ownedWithin(this);
        if (!reachedByOwner) other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
}

void TComponent::markDestroying() {
    state_.Include(csDestroying);
    for (TComponent* c : components_)
        c->markDestroying();
}

bool TComponent::ownedWithin(const TComponent* root) const {
    for (const TComponent* c = this; c; c = c->owner_)
        if (c == root) return true;
    return false;
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw EListError("Índice de lista fuera de rango (" + std::to_string(index) + ")");
    return components_[static_cast<std::size_t>(index)];
}

int TComponent::ComponentIndex() const {
    if (!owner_) return -1;
    const auto& list = owner_->components_;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameIdent(c->name_, name)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    assert(component && component != this && "a component cannot own itself or nothing");
    if (component->owner_ == this) return;
    if (TComponent* same = FindComponent(component->name_); same && same != component)
        throw Exception("Ya existe un componente llamado '" + component->name_ + "'");
    if (component->owner_) component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
    if (state_.Contains(csDesigning)) component->SetDesigning(true);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (!component || component->owner_ != this) return;
    // Unlisted before anyone is told, so that handlers see the final state and cannot reach the
    // component through its old owner.
    components_.erase(std::find(components_.begin(), components_.end(), component));
    component->owner_ = nullptr;
    Notification(component, opRemove);
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* last = components_.back();
        RemoveComponent(last);
        // A handler may have handed it to another owner; then that owner destroys it.
        if (last->owner_ == nullptr) delete last;
    }
}

void TComponent::SetName(const std::string& name) {
    if (name == name_) return;
    if (!name.empty() && !IsIdent(name))
        throw Exception("'" + name + "' no es un nombre de componente válido");
    if (owner_) {
        TComponent* same = owner_->FindComponent(name);
        if (same && same != this) throw Exception("Ya existe un componente llamado '" + name + "'");
    }
    name_ = name;
}

void TComponent::SetDesigning(bool designing) {
    if (designing)
        state_.Include(csDesigning);
    else
        state_.Exclude(csDesigning);
    for (TComponent* c : components_)
        c->SetDesigning(designing);
}

void TComponent::Loaded() {
    state_.Exclude(csLoading);
}

void TComponent::FreeNotification(TComponent* other) {
    if (!other || other == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end())
        freeNotifies_.push_back(other);
    if (std::find(other->freeNotifies_.begin(), other->freeNotifies_.end(), this) ==
        other->freeNotifies_.end())
        other->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
    if (!other) return;
    unlink(other);
    other->unlink(this);
}

void TComponent::unlink(TComponent* other) {
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), other), freeNotifies_.end());
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component) RemoveFreeNotification(component);
    // Iterate over a copy: a handler may create or destroy owned components.
    const std::vector<TComponent*> owned = components_;
    for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
        TComponent* c = *it;
        if (std::find(components_.begin(), components_.end(), c) != components_.end())
            c->Notification(component, operation);
    }
}

} // namespace vexo
