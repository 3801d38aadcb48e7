#pragma once
// One element of a TCollection. Its position (Index) is its place in the collection and can be set
// to reorder; its ID stays the same for the item's whole life in that collection.
#include "framework/core/TPersistent.h"

#include <string>

namespace vexo {

class TCollection;

class TCollectionItem : public TPersistent {
public:
    // With a collection, the item joins it at the end. Joining runs the collection's Update while
    // a derived item is still being constructed: prefer TCollection::Add, which inserts the item
    // once it is complete.
    explicit TCollectionItem(TCollection* collection = nullptr);
    ~TCollectionItem() override; // leaves its collection

    TCollection* Collection() const { return collection_; }
    // Moves the item to the end of another collection (or out of any, with nullptr).
    void SetCollection(TCollection* collection);
    int ID() const { return id_; }
    int Index() const;        // -1 outside a collection
    void SetIndex(int index); // EListError outside 0..Count-1; reorders the collection
    virtual std::string GetDisplayName() const { return ClassName(); }
    TPersistent* GetOwner() const override;

protected:
    // Tells the collection that this item changed (Update(this)), or that the change affects every
    // item (Update(nullptr)).
    void Changed(bool allItems = false);

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int id_ = 0;
};

} // namespace vexo
