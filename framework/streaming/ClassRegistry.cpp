#include "framework/streaming/ClassRegistry.h"

#include "framework/core/TComponent.h"
#include "framework/streaming/FilerErrors.h"
#include "framework/streaming/FrameworkProperties.h"

#include <algorithm>
#include <map>

namespace vexo {

namespace {

struct Page {
    std::string name;
    std::vector<const TClassInfo*> classes;
};

// The registry the design names: classes by type and by name, and the palette. Lives for the
// whole process, as the classes it describes do.
struct Registry {
    std::vector<std::unique_ptr<TClassInfo>> classes;
    std::map<std::type_index, TClassInfo*> byType;
    std::vector<Page> pages;
};

Registry& storage() {
    static Registry registry;
    return registry;
}

int depth(const TClassInfo* c) {
    int d = 0;
    for (; c; c = c->Parent())
        ++d;
    return d;
}

} // namespace

namespace ClassRegistryDetail {

TClassInfo* Add(std::unique_ptr<TClassInfo> info) {
    Registry& r = storage();
    if (r.byType.count(info->Type())) throw EFilerError("Class " + info->Name() + " is registered already");
    for (const auto& c : r.classes)
        if (SameIdent(c->Name(), info->Name()))
            throw EFilerError("A class named " + info->Name() + " is registered already");
    TClassInfo* raw = info.get();
    r.byType.emplace(raw->Type(), raw);
    r.classes.push_back(std::move(info));
    return raw;
}

void EnsureFrameworkClasses() {
    // The framework's declarations use the builders, which come back here: the state keeps that
    // from recursing, and keeps a failed declaration from being retried forever.
    static int state = 0;
    if (state != 0) return;
    state = 1;
    RegisterFrameworkClasses();
    state = 2;
}

} // namespace ClassRegistryDetail

const TClassInfo* FindClass(const std::string& name) {
    ClassRegistryDetail::EnsureFrameworkClasses();
    for (const auto& c : storage().classes)
        if (SameIdent(c->Name(), name)) return c.get();
    return nullptr;
}

const TClassInfo* FindClass(std::type_index type) {
    ClassRegistryDetail::EnsureFrameworkClasses();
    auto it = storage().byType.find(type);
    return it == storage().byType.end() ? nullptr : it->second;
}

const TClassInfo* ClassInfoOf(const TObject* object) {
    if (!object) return nullptr;
    if (const TClassInfo* exact = FindClass(std::type_index(typeid(*object)))) return exact;
    // An unregistered class (a form class without event handlers, say): its nearest registered base.
    const TClassInfo* best = nullptr;
    for (const auto& c : storage().classes)
        if (c->Cast(const_cast<TObject*>(object)) && (!best || depth(c.get()) > depth(best))) best = c.get();
    return best;
}

TInstance InstanceOf(TObject* object) {
    const TClassInfo* info = ClassInfoOf(object);
    return info ? TInstance{info, info->Cast(object)} : TInstance{};
}

TComponent* CreateComponent(const std::string& className, TComponent* owner) {
    const TClassInfo* info = FindClass(className);
    if (!info) throw EClassNotFound("Class " + className + " not found");
    return info->Create(owner);
}

void RegisterComponents(const std::string& page, std::initializer_list<const TClassInfo*> classes) {
    for (const TClassInfo* c : classes)
        if (!c || !c->CanCreate())
            throw EFilerError("Only component classes go on the palette" +
                              (c ? " (" + c->Name() + " is not one)" : std::string()));
    Registry& r = storage();
    auto it = std::find_if(r.pages.begin(), r.pages.end(), [&](const Page& p) { return p.name == page; });
    if (it == r.pages.end()) it = r.pages.insert(r.pages.end(), Page{page, {}});
    for (const TClassInfo* c : classes)
        if (std::find(it->classes.begin(), it->classes.end(), c) == it->classes.end())
            it->classes.push_back(c);
}

std::vector<std::string> PalettePages() {
    std::vector<std::string> names;
    for (const Page& p : storage().pages)
        names.push_back(p.name);
    return names;
}

std::vector<const TClassInfo*> PaletteClasses(const std::string& page) {
    for (const Page& p : storage().pages)
        if (p.name == page) return p.classes;
    return {};
}

} // namespace vexo
