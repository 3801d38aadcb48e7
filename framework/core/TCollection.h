#pragma once
// An owning, ordered list of TCollectionItem of one item class, as the designer edits them.
// Every change reaches the virtual Update: Update(item) when one item changed, Update(nullptr)
// when items were added, removed or reordered. BeginUpdate/EndUpdate hold the calls back; the
// outermost EndUpdate then makes a single Update(nullptr).
#include "framework/core/TPersistent.h"

#include <functional>
#include <type_traits>
#include <vector>

namespace vexo {

class TCollectionItem;

enum TCollectionNotification { cnAdded, cnExtracting };

class TCollection : public TPersistent {
public:
    // Creates a detached item of the collection's item class.
    using ItemFactory = std::function<TCollectionItem*()>;
    // The factory of a TCollectionItem subclass; its constructor gets no collection.
    template <class Item> static ItemFactory ItemClass() {
        return []() -> TCollectionItem* {
            if constexpr (std::is_constructible_v<Item, TCollection*>)
                return new Item(nullptr);
            else
                return new Item();
        };
    }

    // Without a factory the collection holds plain TCollectionItem unless NewItem is overridden.
    // owner is what GetOwner reports to the designer.
    explicit TCollection(ItemFactory factory = {}, TPersistent* owner = nullptr);
    ~TCollection() override; // destroys the items without calling Update

    int Count() const { return static_cast<int>(items_.size()); }
    TCollectionItem* Items(int index) const; // EListError outside 0..Count-1
    TCollectionItem* FindItemID(int id) const;
    TCollectionItem* Add();
    TCollectionItem* Insert(int index); // EListError outside 0..Count; the new item lands there
    void Delete(int index);             // destroys the item; EListError outside 0..Count-1
    void Clear();

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // From another collection: replaces the items by new ones, each Assign'ed from its
    // counterpart. A single Update(nullptr) follows.
    void Assign(const TPersistent* source) override;
    TPersistent* GetOwner() const override { return owner_; }

protected:
    virtual TCollectionItem* NewItem();
    virtual void Update(TCollectionItem* item);
    // item has just joined (cnAdded) or is about to leave (cnExtracting) the collection. Leaving
    // usually happens in the item's destructor: compare the pointer, do not call into the item.
    virtual void Notify(TCollectionItem* item, TCollectionNotification action);
    void Changed(); // Update(nullptr) unless updates are held back

private:
    friend class TCollectionItem;
    void insertItem(TCollectionItem* item, int index);
    void removeItem(TCollectionItem* item);
    void itemChanged(TCollectionItem* item);
    void moveItem(int from, int to);

    ItemFactory factory_;
    TPersistent* owner_;
    std::vector<TCollectionItem*> items_;
    int updateCount_ = 0;
    int nextId_ = 0;
};

// Holds a collection's Update back for a scope, also when an exception leaves it.
class TCollectionUpdateScope {
public:
    explicit TCollectionUpdateScope(TCollection& c) : c_(c) { c_.BeginUpdate(); }
    ~TCollectionUpdateScope() { c_.EndUpdate(); }
    TCollectionUpdateScope(const TCollectionUpdateScope&) = delete;
    TCollectionUpdateScope& operator=(const TCollectionUpdateScope&) = delete;

private:
    TCollection& c_;
};

} // namespace vexo
