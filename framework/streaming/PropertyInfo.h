#pragma once
// The records of the published-property registry: what a property is (its kind, its name tables,
// its form-file default) and how to reach it (type-erased accessors). Classes fill them through
// TClassDecl; the form reader and writer and the designer read them through TClassInfo.
//
// Every accessor takes `self` as a void* that points to the class that declared the property (the
// registry adjusts the pointer when the object is of a derived class), so a record holds no type.
#include "framework/core/Ident.h"

#include <any>
#include <cstdint>
#include <functional>
#include <string>
#include <typeindex>
#include <utility>
#include <vector>

namespace vexo {

class TObject;
class TComponent;
class TStringList;
class TCollection;
class TClassInfo;

enum class TPropKind {
    Integer,
    Float,
    String,
    Boolean,
    Enumeration, // with its name table
    Set,         // of an enumeration, as a bit set
    Color,       // TColor: written as a colour name when it has one
    StringList,  // a TStringList, written as Name.Strings = ( ... )
    Collection,  // a TCollection, written as < item ... end >
    Nested,      // an object whose own published properties nest (Font.Name)
    Binary,      // bytes, written as { hex }
    Event,       // a bound method of the form, written by name
    Reference,   // another component of the form, written by its name
};

// The names of an enumeration's values, in ordinal order.
class TEnumInfo {
public:
    TEnumInfo(std::string typeName, std::vector<std::string> names)
        : typeName_(std::move(typeName)), names_(std::move(names)) {}
    const std::string& TypeName() const { return typeName_; }
    int Count() const { return static_cast<int>(names_.size()); }
    const std::string& Name(int ordinal) const { return names_.at(static_cast<std::size_t>(ordinal)); }
    int IndexOf(const std::string& name) const; // case-insensitive; -1 when absent

private:
    std::string typeName_;
    std::vector<std::string> names_;
};

// Names for some values of an integer property (colours, cursors, character sets). A value with a
// name is written as the name; any other value as a number.
class TIdentMap {
public:
    TIdentMap(std::initializer_list<std::pair<std::string, std::int64_t>> entries) : entries_(entries) {}
    bool ToValue(const std::string& name, std::int64_t& value) const; // case-insensitive
    const std::string* ToName(std::int64_t value) const;              // first name of value, or null

private:
    std::vector<std::pair<std::string, std::int64_t>> entries_;
};

// The framework's colour names: clBlack ... clWhite, clNone, clDefault and the system colours.
const TIdentMap& ColorIdents();

// A handler bound by name (an event set from a form file). It lives inside the event's
// std::function, so that the writer can name the method again (std::function::target).
template <class Sig> struct TBoundMethod;
template <class R, class... A> struct TBoundMethod<R(A...)> {
    TObject* Target = nullptr;
    std::string Name;
    std::function<R(A...)> Call;
    R operator()(A... args) const { return Call(std::forward<A>(args)...); }
};

// An object as the registry sees it: its class and a pointer to it as that class.
struct TInstance {
    const TClassInfo* Class = nullptr;
    void* Ptr = nullptr;
};

// A published property. Only the accessors of its kind are set; a missing setter makes the
// property read-only (such a property is neither read from nor written to form files, unless it
// is an object whose contents are).
struct TPropInfo {
    std::string Name;
    TPropKind Kind = TPropKind::Integer;
    bool Published = true;             // false: declared for descendants to publish
    const TEnumInfo* Enum = nullptr;   // Enumeration, Set
    const TIdentMap* Idents = nullptr; // Integer, Color
    std::int64_t Min = INT32_MIN, Max = INT32_MAX;
    std::type_index EventType = typeid(void); // Event: the std::function type it holds

    // The form-file default: a property equal to it is not written. Without a default (the
    // framework's "nodefault") the property is always written.
    bool HasDefault = true;
    std::int64_t DefaultOrd = 0; // Integer, Boolean, Enumeration, Set (bits), Color
    double DefaultFloat = 0;
    std::string DefaultStr;
    std::function<bool(void*)> Stored; // empty: stored
    bool ReadOnly = false;             // read-only whatever its accessors (a list its getter makes)

    std::function<std::int64_t(void*)> GetOrd;
    std::function<void(void*, std::int64_t)> SetOrd;
    std::function<double(void*)> GetFloat;
    std::function<void(void*, double)> SetFloat;
    std::function<std::string(void*)> GetStr; // String, Binary
    std::function<void(void*, const std::string&)> SetStr;
    std::function<TStringList*(void*)> GetStrings;
    std::function<void(void*, const TStringList&)> SetStrings; // optional; else GetStrings is filled
    std::function<TCollection*(void*)> GetCollection;
    std::function<TInstance(void*)> GetNested;
    // The method bound from a form file (target and name); false for no handler or one set by code.
    std::function<bool(void*, TObject*& target, std::string& method)> GetBinding;
    std::function<void(void*, const std::any&)> SetEvent; // takes a std::function of EventType
    // Reference: the component held (null for none), and whether a component is of the class the
    // property holds (RefType names that class).
    std::function<TComponent*(void*)> GetComponent;
    std::function<void(void*, TComponent*)> SetComponent;
    std::function<bool(TComponent*)> Accepts;
    std::type_index RefType = typeid(void);

    bool Writable() const {
        if (ReadOnly) return false;
        switch (Kind) {
        case TPropKind::Float:
            return bool(SetFloat);
        case TPropKind::String:
        case TPropKind::Binary:
            return bool(SetStr);
        case TPropKind::StringList:
            return bool(SetStrings) || bool(GetStrings);
        case TPropKind::Collection:
            return bool(GetCollection);
        case TPropKind::Nested:
            return bool(GetNested);
        case TPropKind::Event:
            return bool(SetEvent);
        case TPropKind::Reference:
            return bool(SetComponent);
        default:
            return bool(SetOrd);
        }
    }
};

// A method of a form class that form files can bind to events by name.
struct TMethodInfo {
    std::string Name;
    std::type_index EventType = typeid(void); // the std::function type the method fits
    // Makes the bound handler (a std::function of EventType, in a std::any) for the object self;
    // target names that object for the writer.
    std::function<std::any(void* self, TObject* target)> Bind;
};

// How a class of components is nested in form files: the parent a component sits in, the
// components it holds, and the hook that puts a child into it while a form is read.
struct TParentLink {
    std::function<TComponent*(void*)> GetParent;              // null: the component sits in the form
    std::function<void(void*, TComponent* parent)> SetParent; // raises Exception when parent can't hold it
    std::function<std::vector<TComponent*>(void*)> Children;  // in the order the form file lists them
};

} // namespace vexo
