#include "framework/streaming/TClassInfo.h"

#include "framework/streaming/FilerErrors.h"

#include <algorithm>

namespace vexo {

bool TClassInfo::InheritsFrom(const TClassInfo* other) const {
    for (const TClassInfo* c = this; c; c = c->parent_)
        if (c == other) return true;
    return false;
}

TComponent* TClassInfo::Create(TComponent* owner) const {
    if (!factory_) throw EFilerError("Class " + name_ + " cannot be created (it is not a component class)");
    return factory_(owner);
}

void* TClassInfo::Upcast(void* self, const TClassInfo* base) const {
    for (const TClassInfo* c = this; c && c != base; c = c->parent_)
        if (self && c->upcast_) self = c->upcast_(self);
    return self;
}

std::vector<TClassInfo::TBoundProp> TClassInfo::Properties(void* self) const {
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* c = this; c; c = c->parent_)
        chain.push_back(c);
    std::vector<TBoundProp> result;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        void* classSelf = Upcast(self, *it);
        for (const TPropInfo& p : (*it)->props_) {
            if (!p.Published) continue;
            auto same = std::find_if(result.begin(), result.end(),
                                     [&](const TBoundProp& b) { return SameIdent(b.Info->Name, p.Name); });
            if (same != result.end())
                *same = TBoundProp{&p, classSelf};
            else
                result.push_back(TBoundProp{&p, classSelf});
        }
    }
    return result;
}

TClassInfo::TBoundProp TClassInfo::FindProperty(void* self, const std::string& name) const {
    for (const TBoundProp& b : Properties(self))
        if (SameIdent(b.Info->Name, name)) return b;
    return {};
}

TClassInfo::TBoundProp TClassInfo::FindDeclared(void* self, const std::string& name) const {
    for (const TClassInfo* c = this; c; c = c->parent_)
        for (const TPropInfo& p : c->props_)
            if (SameIdent(p.Name, name)) return TBoundProp{&p, Upcast(self, c)};
    return {};
}

const TMethodInfo* TClassInfo::FindMethod(void* self, const std::string& name, void*& methodSelf) const {
    for (const TClassInfo* c = this; c; c = c->parent_)
        for (const TMethodInfo& m : c->methods_)
            if (SameIdent(m.Name, name)) {
                methodSelf = Upcast(self, c);
                return &m;
            }
    return nullptr;
}

const TParentLink* TClassInfo::ParentLink(void* self, void*& linkSelf) const {
    for (const TClassInfo* c = this; c; c = c->parent_)
        if (c->link_) {
            linkSelf = Upcast(self, c);
            return c->link_.get();
        }
    return nullptr;
}

} // namespace vexo
