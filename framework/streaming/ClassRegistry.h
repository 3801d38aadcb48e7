#pragma once
// The class registry: classes by name for the form reader, and the component palette's pages.
// Classes enter it through TClassDecl (RegisterClass); the framework's own classes are declared
// the first time the registry is used.
#include "framework/streaming/TClassInfo.h"

#include <initializer_list>
#include <string>
#include <typeindex>
#include <vector>

namespace vexo {

class TComponent;

// Case-insensitive; null when no class of that name is registered.
const TClassInfo* FindClass(const std::string& name);
const TClassInfo* FindClass(std::type_index type);
template <class T> const TClassInfo* ClassOf() {
    return FindClass(std::type_index(typeid(T)));
}
// The most derived registered class of object (its own class when registered); null when none is.
const TClassInfo* ClassInfoOf(const TObject* object);
// The object with its class, ready for the property accessors; Class null when not registered.
TInstance InstanceOf(TObject* object);

// A new component of the named class, owned by owner. EClassNotFound for an unknown name,
// EFilerError for a class that cannot be created (not a component, or abstract).
TComponent* CreateComponent(const std::string& className, TComponent* owner);

// Puts each class on the palette page (created on first use), after the classes already there;
// a class already on the page stays where it is. Every class must be a component class.
void RegisterComponents(const std::string& page, std::initializer_list<const TClassInfo*> classes);
std::vector<std::string> PalettePages();                                // in order of creation
std::vector<const TClassInfo*> PaletteClasses(const std::string& page); // empty for an unknown page

namespace ClassRegistryDetail {
// Used by TClassDecl. Add raises EFilerError when the type or the name is registered already.
TClassInfo* Add(std::unique_ptr<TClassInfo> info);
void EnsureFrameworkClasses();
} // namespace ClassRegistryDetail

} // namespace vexo
