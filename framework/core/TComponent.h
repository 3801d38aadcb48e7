#pragma once
// Components: persistent objects with a name, an owner that destroys them, and notifications when
// other components come and go. Visual controls derive from TComponent: Owner governs lifetime
// only; containment (Parent) belongs to the controls.
//
// Destruction is the one place where care is needed. A component being destroyed, in this order:
// sets csDestroying on itself and everything it owns; tells every component linked to it by
// FreeNotification (opRemove) and unlinks them; destroys its owned components, last created first;
// and finally leaves its owner's list, then the owner and everything it owns are told. A
// component deleted on its own therefore leaves its owner's list and is never deleted twice.
// Notification(component, opRemove) may arrive while component is inside its destructor: a handler
// compares the pointer and drops its reference, and never calls into it nor deletes it.
#include "framework/core/TPersistent.h"

#include <string>
#include <vector>

namespace vexo {

enum TComponentStateFlag : unsigned {
    csLoading = 1u << 0, // the form reader is setting stored properties; Loaded() clears it
    csReading = 1u << 1,
    csWriting = 1u << 2,
    csDestroying = 1u << 3, // set for the whole destruction, on the component and what it owns
    csDesigning = 1u << 4,  // the component lives in the form designer
};

// A set of TComponentStateFlag.
class TComponentState {
public:
    constexpr TComponentState() = default;
    constexpr TComponentState(TComponentStateFlag flag) : bits_(flag) {}
    constexpr bool Contains(TComponentStateFlag flag) const { return (bits_ & flag) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr void Include(TComponentStateFlag flag) { bits_ |= flag; }
    constexpr void Exclude(TComponentStateFlag flag) { bits_ &= ~static_cast<unsigned>(flag); }
    constexpr bool operator==(const TComponentState&) const = default;

private:
    unsigned bits_ = 0;
};

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner = nullptr);
    ~TComponent() override;

    TComponent* Owner() const { return owner_; }
    TPersistent* GetOwner() const override { return owner_; }

    // The components this one owns, in creation order.
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const; // EListError outside 0..ComponentCount-1
    int ComponentIndex() const;              // position in the owner's list, -1 without owner
    TComponent* FindComponent(const std::string& name) const; // case-insensitive; nullptr when absent

    // Takes ownership of component, taking it from its former owner. Raises Exception when its
    // name is already used here (nothing changes then).
    void InsertComponent(TComponent* component);
    // Gives up ownership without destroying component.
    void RemoveComponent(TComponent* component);
    void DestroyComponents();

    const std::string& Name() const { return name_; }
    // Empty, or a valid identifier not used by another component of the same owner; raises
    // Exception otherwise and keeps the old name.
    virtual void SetName(const std::string& name);

    TComponentState ComponentState() const { return state_; }
    // Puts this component and everything it owns into (or out of) the designer.
    void SetDesigning(bool designing);
    // The form reader calls Loading() before it sets the stored properties and Loaded() after.
    void Loading() { state_.Include(csLoading); }
    virtual void Loaded();

    // Links this component and other both ways: whichever is destroyed first notifies the other
    // with opRemove. Linking twice is harmless; RemoveFreeNotification unlinks.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

protected:
    // For a component that holds a reference to another (a control's menu, a grid's images): field
    // takes value, and the free-notification link moves from the old component to the new one, so
    // that Notification hears when the one held goes.
    template <class T> void SetReference(T*& field, T* value) {
        if (value == field) return;
        if (field) field->RemoveFreeNotification(this);
        field = value;
        if (field) field->FreeNotification(this);
    }
    // For Notification: clears field when component is the one it holds and is going; true then.
    template <class T> static bool DropReference(T*& field, TComponent* component, TOperation operation) {
        if (operation != opRemove || !field || static_cast<TComponent*>(field) != component) return false;
        field = nullptr;
        return true;
    }

    // Told when component is inserted into or removed from this one's owner tree, or when a
    // linked component is destroyed. Overrides call the inherited Notification, which passes
    // the news on to the owned components.
    virtual void Notification(TComponent* component, TOperation operation);

private:
    void markDestroying();
    bool ownedWithin(const TComponent* root) const;
    void unlink(TComponent* other);

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    std::string name_;
    TComponentState state_;
};

} // namespace vexo
