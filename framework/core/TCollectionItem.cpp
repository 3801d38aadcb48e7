#include "framework/core/TCollectionItem.h"

#include "framework/core/TCollection.h"

namespace vexo {

TCollectionItem::TCollectionItem(TCollection* collection) {
    SetCollection(collection);
}

TCollectionItem::~TCollectionItem() {
    SetCollection(nullptr);
}

void TCollectionItem::SetCollection(TCollection* collection) {
    if (collection == collection_) return;
    if (collection_) collection_->removeItem(this);
    if (collection) collection->insertItem(this, collection->Count());
}

int TCollectionItem::Index() const {
    if (!collection_) return -1;
    const auto& items = collection_->items_;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == this) return static_cast<int>(i);
    return -1;
}

void TCollectionItem::SetIndex(int index) {
    if (!collection_) return;
    const int current = Index();
    if (index == current) return;
    collection_->moveItem(current, index);
}

TPersistent* TCollectionItem::GetOwner() const {
    return collection_;
}

void TCollectionItem::Changed(bool allItems) {
    if (!collection_) return;
    if (allItems)
        collection_->Changed();
    else
        collection_->itemChanged(this);
}

} // namespace vexo
