#pragma once
// The one place where a class declares its published properties, in declaration order:
//
//     RegisterClass<TVexoButton, TCustomControl>("TVexoButton")
//         .Color("ColorFrame", &TVexoButton::getColorFrame, &TVexoButton::setColorFrame, clBlue)
//         .Enum("Alignment", AlignmentNames(), &TVexoButton::getAlignment, &TVexoButton::setAlignment,
//         taCenter) .Publish("Visible") .Event("OnClick", &TVexoButton::OnClick);
//
// Getters and setters are anything std::invoke can call with the object (member functions or
// lambdas taking T&); a nullptr setter declares a read-only property. Modifiers (NoDefault,
// Stored, Default, Range, ReadOnly) apply to the property declared last. The base class must be
// declared before its descendants.
#include "framework/core/TCollection.h"
#include "framework/core/TComponent.h"
#include "framework/core/TStringList.h"
#include "framework/core/Types.h"
#include "framework/streaming/ClassRegistry.h"
#include "framework/streaming/FilerErrors.h"

#include <cassert>
#include <concepts>
#include <functional>
#include <type_traits>

namespace vexo {

template <class T, class Base = void> class TClassDecl {
public:
    explicit TClassDecl(std::string name) {
        ClassRegistryDetail::EnsureFrameworkClasses();
        auto info = std::make_unique<TClassInfo>(std::move(name), std::type_index(typeid(T)));
        if constexpr (!std::is_void_v<Base>) {
            static_assert(std::is_base_of_v<Base, T>, "Base must be a base class of T");
            info->parent_ = ClassOf<Base>();
            if (!info->parent_)
                throw EFilerError("Class " + info->Name() + ": its base class is not registered");
            info->upcast_ = [](void* p) -> void* { return static_cast<Base*>(static_cast<T*>(p)); };
        }
        if constexpr (std::is_base_of_v<TObject, T>)
            info->fromObject_ = [](TObject* o) -> void* { return dynamic_cast<T*>(o); };
        if constexpr (std::is_base_of_v<TComponent, T> && !std::is_abstract_v<T> &&
                      std::is_constructible_v<T, TComponent*>)
            info->factory_ = [](TComponent* owner) -> TComponent* { return new T(owner); };
        info_ = ClassRegistryDetail::Add(std::move(info));
    }

    const TClassInfo* Info() const { return info_; }

    TClassDecl& Int(std::string name, auto get, auto set, std::int64_t def) {
        return ordinal(std::move(name), TPropKind::Integer, get, set, def, [](std::int64_t v) { return v; });
    }
    TClassDecl& Bool(std::string name, auto get, auto set, bool def) {
        return ordinal(std::move(name), TPropKind::Boolean, get, set, def,
                       [](std::int64_t v) { return v != 0; });
    }
    TClassDecl& Color(std::string name, auto get, auto set, TColor def) {
        ordinal(std::move(name), TPropKind::Color, get, set, def,
                [](std::int64_t v) { return static_cast<TColor>(v); });
        last().Idents = &ColorIdents();
        return *this;
    }
    template <class E> TClassDecl& Enum(std::string name, const TEnumInfo& names, auto get, auto set, E def) {
        static_assert(std::is_enum_v<E>, "Enum needs an enumeration default");
        ordinal(std::move(name), TPropKind::Enumeration, get, set, static_cast<std::int64_t>(def),
                [](std::int64_t v) { return static_cast<E>(v); });
        last().Enum = &names;
        last().Min = 0;
        last().Max = names.Count() - 1;
        return *this;
    }
    // S is a bit set with Bits() and S::FromBits (TFontStyles, TFlagSet).
    template <class S> TClassDecl& Set(std::string name, const TEnumInfo& names, auto get, auto set, S def) {
        TPropInfo p = make(std::move(name), TPropKind::Set);
        p.Enum = &names;
        p.DefaultOrd = static_cast<std::int64_t>(def.Bits());
        p.GetOrd = [get](void* self) {
            return static_cast<std::int64_t>(std::invoke(get, obj(self)).Bits());
        };
        if constexpr (!std::is_null_pointer_v<decltype(set)>)
            p.SetOrd = [set](void* self, std::int64_t v) {
                std::invoke(set, obj(self), S::FromBits(static_cast<decltype(S().Bits())>(v)));
            };
        return add(std::move(p));
    }
    TClassDecl& Float(std::string name, auto get, auto set, double def) {
        TPropInfo p = make(std::move(name), TPropKind::Float);
        p.DefaultFloat = def;
        p.GetFloat = [get](void* self) { return static_cast<double>(std::invoke(get, obj(self))); };
        if constexpr (!std::is_null_pointer_v<decltype(set)>)
            p.SetFloat = [set](void* self, double v) { std::invoke(set, obj(self), v); };
        return add(std::move(p));
    }
    TClassDecl& Str(std::string name, auto get, auto set, std::string def = {}) {
        TPropInfo p = make(std::move(name), TPropKind::String);
        p.DefaultStr = std::move(def);
        p.GetStr = [get](void* self) { return std::string(std::invoke(get, obj(self))); };
        if constexpr (!std::is_null_pointer_v<decltype(set)>)
            p.SetStr = [set](void* self, const std::string& v) { std::invoke(set, obj(self), v); };
        return add(std::move(p));
    }
    // Bytes; stored unless empty (add Stored for data that is empty in another way).
    TClassDecl& Binary(std::string name, auto get, auto set) {
        TPropInfo p = make(std::move(name), TPropKind::Binary);
        p.GetStr = [get](void* self) { return std::string(std::invoke(get, obj(self))); };
        if constexpr (!std::is_null_pointer_v<decltype(set)>)
            p.SetStr = [set](void* self, const std::string& v) { std::invoke(set, obj(self), v); };
        return add(std::move(p));
    }
    // get gives the list (pointer or reference); without set, reading fills that list in place.
    TClassDecl& Strings(std::string name, auto get) { return Strings(std::move(name), get, nullptr); }
    TClassDecl& Strings(std::string name, auto get, auto set) {
        TPropInfo p = make(std::move(name), TPropKind::StringList);
        p.GetStrings = [get](void* self) -> TStringList* { return pointer(std::invoke(get, obj(self))); };
        if constexpr (!std::is_null_pointer_v<decltype(set)>)
            p.SetStrings = [set](void* self, const TStringList& v) { std::invoke(set, obj(self), v); };
        return add(std::move(p));
    }
    // Written when it has items; reading replaces the items.
    TClassDecl& Collection(std::string name, auto get) {
        TPropInfo p = make(std::move(name), TPropKind::Collection);
        p.GetCollection = [get](void* self) -> TCollection* { return pointer(std::invoke(get, obj(self))); };
        return add(std::move(p));
    }
    // An owned object whose published properties are read and written as Name.Property. The
    // object's class must be registered by the time a form uses it.
    TClassDecl& Object(std::string name, auto get) {
        TPropInfo p = make(std::move(name), TPropKind::Nested);
        p.GetNested = [get](void* self) -> TInstance {
            auto* o = pointer(std::invoke(get, obj(self)));
            using N = std::remove_cv_t<std::remove_pointer_t<decltype(o)>>;
            if (!o) return {};
            if constexpr (std::is_base_of_v<TObject, N>)
                return InstanceOf(const_cast<N*>(o));
            else
                return TInstance{ClassOf<N>(), const_cast<N*>(o)};
        };
        return add(std::move(p));
    }
    // A reference to another component of the form, of class C (get gives a C*, set takes one),
    // written by the component's name. The form reader sets it once the whole form is read, so a
    // reference may name a component further down. The class must drop the reference when the
    // component goes (FreeNotification and Notification), so that none dangles.
    template <class C> TClassDecl& Reference(std::string name, auto get, auto set) {
        static_assert(std::is_base_of_v<TComponent, C>, "a reference holds a component");
        TPropInfo p = make(std::move(name), TPropKind::Reference);
        p.RefType = std::type_index(typeid(C));
        p.Accepts = [](TComponent* c) { return dynamic_cast<C*>(c) != nullptr; };
        p.GetComponent = [get](void* self) -> TComponent* { return std::invoke(get, obj(self)); };
        if constexpr (!std::is_null_pointer_v<decltype(set)>)
            p.SetComponent = [set](void* self, TComponent* c) {
                std::invoke(set, obj(self), dynamic_cast<C*>(c));
            };
        return add(std::move(p));
    }
    // An event held in a std::function member of T or of a base.
    template <class C, class Sig> TClassDecl& Event(std::string name, std::function<Sig> C::*member) {
        static_assert(std::is_base_of_v<C, T>, "the event must be a member of the class or a base");
        using F = std::function<Sig>;
        TPropInfo p = make(std::move(name), TPropKind::Event);
        p.EventType = std::type_index(typeid(F));
        p.GetBinding = [member](void* self, TObject*& target, std::string& method) {
            const auto* bound = (obj(self).*member).template target<TBoundMethod<Sig>>();
            if (!bound) return false;
            target = bound->Target;
            method = bound->Name;
            return true;
        };
        p.SetEvent = [member](void* self, const std::any& v) {
            obj(self).*member = std::any_cast<const F&>(v);
        };
        return add(std::move(p));
    }
    // An event behind a getter and a setter; F is its std::function type.
    template <class F> TClassDecl& Event(std::string name, auto get, auto set) {
        return event<F>(std::move(name), get, set, static_cast<F*>(nullptr));
    }
    // A method that form files can bind to an event of matching parameters by its name.
    template <class C, class R, class... A> TClassDecl& Method(std::string name, R (C::*method)(A...)) {
        static_assert(std::is_base_of_v<C, T>, "the method must be a member of the class or a base");
        using Sig = R(A...);
        TMethodInfo m;
        m.Name = name;
        m.EventType = std::type_index(typeid(std::function<Sig>));
        m.Bind = [method, name](void* self, TObject* target) {
            T* o = static_cast<T*>(self);
            TBoundMethod<Sig> bound{
                target, name, [o, method](A... args) -> R { return (o->*method)(std::forward<A>(args)...); }};
            return std::any(std::function<Sig>(std::move(bound)));
        };
        info_->methods_.push_back(std::move(m));
        return *this;
    }

    // Publishes a property that a base declared without publishing it (a protected property of
    // the framework), at this point of the declaration order.
    TClassDecl& Publish(const std::string& name) {
        assert(info_->parent_ && "Publish needs a registered base class");
        TClassInfo::TBoundProp found = info_->parent_->FindDeclared(nullptr, name);
        if (!found.Info)
            throw EFilerError("Class " + info_->Name() + ": no property " + name + " to publish");
        TPropInfo p = *found.Info;
        const TClassInfo* owner = declaringClass(name);
        // The accessors expect the declaring class; ours receive T.
        auto up = [info = info_, owner](void* self) { return info->Upcast(self, owner); };
        wrap(p.GetOrd, up);
        wrap(p.SetOrd, up);
        wrap(p.GetFloat, up);
        wrap(p.SetFloat, up);
        wrap(p.GetStr, up);
        wrap(p.SetStr, up);
        wrap(p.GetStrings, up);
        wrap(p.SetStrings, up);
        wrap(p.GetCollection, up);
        wrap(p.GetNested, up);
        wrap(p.GetBinding, up);
        wrap(p.SetEvent, up);
        wrap(p.GetComponent, up);
        wrap(p.SetComponent, up);
        wrap(p.Stored, up);
        p.Published = true;
        return add(std::move(p));
    }

    // Modifiers of the property declared last.
    TClassDecl& Unpublished() {
        last().Published = false;
        return *this;
    }
    TClassDecl& NoDefault() {
        last().HasDefault = false;
        return *this;
    }
    // Read-only although its getter gives a list that reading could fill.
    TClassDecl& ReadOnly() {
        last().ReadOnly = true;
        return *this;
    }
    TClassDecl& NotStored() {
        last().Stored = [](void*) { return false; };
        return *this;
    }
    TClassDecl& AlwaysStored() {
        last().Stored = nullptr;
        return *this;
    }
    TClassDecl& Stored(auto predicate) {
        last().Stored = [predicate](void* self) {
            return static_cast<bool>(std::invoke(predicate, obj(self)));
        };
        return *this;
    }
    TClassDecl& Range(std::int64_t min, std::int64_t max) {
        last().Min = min;
        last().Max = max;
        return *this;
    }
    TClassDecl& Idents(const TIdentMap& idents) {
        last().Idents = &idents;
        return *this;
    }
    template <class V> TClassDecl& Default(V value) {
        TPropInfo& p = last();
        p.HasDefault = true;
        if constexpr (std::is_convertible_v<V, std::string>)
            p.DefaultStr = value;
        else if constexpr (std::is_floating_point_v<V>)
            p.DefaultFloat = value;
        else if constexpr (requires { value.Bits(); })
            p.DefaultOrd = static_cast<std::int64_t>(value.Bits());
        else
            p.DefaultOrd = static_cast<std::int64_t>(value);
        return *this;
    }

    // How components of this class nest in form files (see TParentLink); callables on T&.
    TClassDecl& Parenting(auto getParent, auto setParent, auto children) {
        auto link = std::make_unique<TParentLink>();
        link->GetParent = [getParent](void* self) -> TComponent* {
            return std::invoke(getParent, obj(self));
        };
        link->SetParent = [setParent](void* self, TComponent* parent) {
            std::invoke(setParent, obj(self), parent);
        };
        link->Children = [children](void* self) -> std::vector<TComponent*> {
            return std::invoke(children, obj(self));
        };
        info_->link_ = std::move(link);
        return *this;
    }

private:
    static T& obj(void* self) { return *static_cast<T*>(self); }
    template <class P> static P* pointer(P* p) { return p; }
    template <class P> static P* pointer(P& p) { return &p; }
    template <class F, class U> static void wrap(F& f, const U& up) {
        if (f)
            f = [f, up]<class... A>(void* self, A&&... args) {
                return f(up(self), std::forward<A>(args)...);
            };
    }

    TPropInfo make(std::string name, TPropKind kind) {
        TPropInfo p;
        p.Name = std::move(name);
        p.Kind = kind;
        return p;
    }
    TClassDecl& add(TPropInfo p) {
        info_->props_.push_back(std::move(p));
        return *this;
    }
    TPropInfo& last() {
        assert(!info_->props_.empty() && "a modifier needs a property declared before it");
        return info_->props_.back();
    }
    const TClassInfo* declaringClass(const std::string& name) const {
        for (const TClassInfo* c = info_->parent_; c; c = c->parent_)
            for (const TPropInfo& p : c->props_)
                if (SameIdent(p.Name, name)) return c;
        return nullptr;
    }
    TClassDecl& ordinal(std::string name, TPropKind kind, auto get, auto set, std::int64_t def,
                        auto convert) {
        TPropInfo p = make(std::move(name), kind);
        p.DefaultOrd = def;
        p.GetOrd = [get](void* self) { return static_cast<std::int64_t>(std::invoke(get, obj(self))); };
        if constexpr (!std::is_null_pointer_v<decltype(set)>)
            p.SetOrd = [set, convert](void* self, std::int64_t v) {
                std::invoke(set, obj(self), convert(v));
            };
        return add(std::move(p));
    }

    template <class F, class Sig>
    TClassDecl& event(std::string name, auto get, auto set, std::function<Sig>*) {
        TPropInfo p = make(std::move(name), TPropKind::Event);
        p.EventType = std::type_index(typeid(F));
        p.GetBinding = [get](void* self, TObject*& target, std::string& method) {
            const F& f = std::invoke(get, obj(self));
            const auto* bound = f.template target<TBoundMethod<Sig>>();
            if (!bound) return false;
            target = bound->Target;
            method = bound->Name;
            return true;
        };
        p.SetEvent = [set](void* self, const std::any& v) {
            std::invoke(set, obj(self), std::any_cast<const F&>(v));
        };
        return add(std::move(p));
    }

    TClassInfo* info_ = nullptr;
};

// Declares class T (derived from Base, which is declared already) under name.
template <class T, class Base = void> TClassDecl<T, Base> RegisterClass(std::string name) {
    return TClassDecl<T, Base>(std::move(name));
}

} // namespace vexo
