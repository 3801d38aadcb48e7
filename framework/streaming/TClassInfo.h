#pragma once
// A registered class: its name, its base, how to create it, its published properties and the
// methods that form files may bind to events. Built by TClassDecl (one per class), found through
// ClassRegistry.h.
#include "framework/streaming/PropertyInfo.h"

#include <memory>

namespace vexo {

class TClassInfo {
public:
    TClassInfo(std::string name, std::type_index type) : name_(std::move(name)), type_(type) {}

    const std::string& Name() const { return name_; }
    const TClassInfo* Parent() const { return parent_; }
    std::type_index Type() const { return type_; }
    // True for this class and its descendants.
    bool InheritsFrom(const TClassInfo* other) const;
    // A component class whose objects the class registry can create.
    bool CanCreate() const { return bool(factory_); }
    TComponent* Create(TComponent* owner) const; // EFilerError when the class cannot be created

    // object as this class (null when it is not one), and a pointer to this class as one of its bases.
    void* Cast(TObject* object) const { return fromObject_ ? fromObject_(object) : nullptr; }
    void* Upcast(void* self, const TClassInfo* base) const;

    struct TBoundProp {
        const TPropInfo* Info = nullptr;
        void* Self = nullptr; // self adjusted for the class that declared Info
    };
    // The published properties of the object self, in declaration order, base classes first; a
    // property that a descendant declares again keeps its place and takes the new declaration.
    std::vector<TBoundProp> Properties(void* self) const;
    TBoundProp FindProperty(void* self,
                            const std::string& name) const; // case-insensitive; Info null when absent
    // Any property, published or not, declared by this class or a base (for TClassDecl::Publish).
    TBoundProp FindDeclared(void* self, const std::string& name) const;
    const TMethodInfo* FindMethod(void* self, const std::string& name, void*& methodSelf) const;
    // The nearest parent link declared by this class or a base, with self adjusted for it; null
    // for non-visual classes.
    const TParentLink* ParentLink(void* self, void*& linkSelf) const;
    const std::vector<TPropInfo>& OwnProperties() const { return props_; }

private:
    template <class, class> friend class TClassDecl;
    std::string name_;
    std::type_index type_;
    const TClassInfo* parent_ = nullptr;
    std::function<void*(void*)> upcast_; // to parent_
    std::function<void*(TObject*)> fromObject_;
    std::function<TComponent*(TComponent*)> factory_;
    std::vector<TPropInfo> props_;
    std::vector<TMethodInfo> methods_;
    std::unique_ptr<TParentLink> link_;
};

} // namespace vexo
