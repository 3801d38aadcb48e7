#include "framework/core/TCollection.h"

#include "framework/core/Exception.h"
#include "framework/core/TCollectionItem.h"

#include <algorithm>
#include <memory>

namespace vexo {

namespace {

[[noreturn]] void indexError(int index) {
    throw EListError("Índice de lista fuera de rango (" + std::to_string(index) + ")");
}

} // namespace

TCollection::TCollection(ItemFactory factory, TPersistent* owner)
    : factory_(std::move(factory)), owner_(owner) {}

TCollection::~TCollection() {
    // Overrides of Update are gone by now; the items leave without telling anyone.
    ++updateCount_;
    while (!items_.empty())
        delete items_.back();
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count()) indexError(index);
    return items_[static_cast<std::size_t>(index)];
}

TCollectionItem* TCollection::FindItemID(int id) const {
    for (TCollectionItem* item : items_)
        if (item->id_ == id) return item;
    return nullptr;
}

TCollectionItem* TCollection::NewItem() {
    return factory_ ? factory_() : new TCollectionItem();
}

TCollectionItem* TCollection::Add() {
    return Insert(Count());
}

TCollectionItem* TCollection::Insert(int index) {
    if (index < 0 || index > Count()) indexError(index);
    std::unique_ptr<TCollectionItem> item(NewItem());
    // A factory that hands out an item already in a collection would make it owned twice.
    if (item->collection_) item->collection_->removeItem(item.get());
    insertItem(item.get(), index);
    return item.release();
}

void TCollection::Delete(int index) {
    if (index < 0 || index >= Count()) indexError(index);
    delete items_[static_cast<std::size_t>(index)];
}

void TCollection::Clear() {
    if (items_.empty()) return;
    TCollectionUpdateScope scope(*this);
    while (!items_.empty())
        delete items_.back();
}

void TCollection::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

void TCollection::Assign(const TPersistent* source) {
    const auto* other = dynamic_cast<const TCollection*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    TCollectionUpdateScope scope(*this);
    Clear();
    for (TCollectionItem* from : other->items_)
        Add()->Assign(from);
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Changed() {
    if (updateCount_ == 0) Update(nullptr);
}

void TCollection::insertItem(TCollectionItem* item, int index) {
    items_.insert(items_.begin() + index, item);
    item->collection_ = this;
    item->id_ = nextId_++;
    Notify(item, cnAdded);
    Changed();
}

void TCollection::removeItem(TCollectionItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    Notify(item, cnExtracting);
    items_.erase(std::find(items_.begin(), items_.end(), item));
    item->collection_ = nullptr;
    Changed();
}

void TCollection::itemChanged(TCollectionItem* item) {
    if (updateCount_ == 0) Update(item);
}

void TCollection::moveItem(int from, int to) {
    if (to < 0 || to >= Count()) indexError(to);
    TCollectionItem* item = items_[static_cast<std::size_t>(from)];
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, item);
    Changed();
}

} // namespace vexo
