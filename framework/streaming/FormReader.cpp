// How it works: TFormLexer turns the text into tokens; readObject walks the object tree: it reads
// an object's header, finds the component (the root, one that exists already, or a new one), puts
// it into its parent, then reads each property as a parsed value that is applied at once through
// the registry, and then the nested objects. A reference to another component waits in a fixup
// until the whole text is read, so that it may name a component further down. Every component
// that is read is remembered in creation order: they get Loaded() at the end, and on any error the
// ones this read created are destroyed and the others leave csLoading again.
#include "framework/streaming/FormReader.h"

#include "framework/core/TCollection.h"
#include "framework/core/TCollectionItem.h"
#include "framework/core/TComponent.h"
#include "framework/core/TStringList.h"
#include "framework/streaming/ClassRegistry.h"
#include "framework/streaming/FilerErrors.h"
#include "framework/streaming/TFormLexer_p.h"

#include <QScopeGuard>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <new>

namespace vexo {

namespace {

// Objects and collections nest; beyond this the text is taken as hostile rather than a form.
constexpr int MaxDepth = 100;

struct Assign;
struct Item {
    std::vector<Assign> props;
};

struct Value {
    int line = 0;
    enum Kind { Int, Float, Str, Ident, Set, Binary, List, Collection } kind = Int;
    std::string found; // the value as an error message shows it
    std::int64_t i = 0;
    bool hex = false;
    double f = 0;
    std::string s; // Str, Ident, Binary
    std::vector<std::string> names;
    std::vector<Value> list;
    std::vector<Item> items;
};

struct Assign {
    std::string path;
    int line = 0;
    Value value;
};

[[noreturn]] void readError(int line, const std::string& what) {
    throw EReadError("Form text, line " + std::to_string(line) + ": " + what);
}

std::vector<std::string> splitPath(const std::string& path) {
    std::vector<std::string> names;
    std::size_t start = 0;
    for (std::size_t dot; (dot = path.find('.', start)) != std::string::npos; start = dot + 1)
        names.push_back(path.substr(start, dot - start));
    names.push_back(path.substr(start));
    return names;
}

std::string nameList(const TEnumInfo& e) {
    std::string s;
    for (int i = 0; i < e.Count(); ++i)
        s += (i ? ", " : "") + e.Name(i);
    return s;
}

class Reader {
public:
    Reader(std::string_view text, TComponent* root, TComponent* owner, bool renameRoot, bool preview = false)
        : lex_(text), root_(root), owner_(owner), rename_(renameRoot), preview_(preview) {}

    TComponent* Run() {
        auto undo = qScopeGuard([this] { cleanUp(); });
        readObject(nullptr, 0);
        if (lex_.Kind() != TFormToken::End) lex_.Expected("end of text after the last 'end'");
        resolveReferences();
        const int endLine = lex_.Line();
        for (TComponent* c : loading_) {
            try {
                c->Loaded();
            } catch (const Exception& e) {
                readError(endLine, "finishing " + describe(c) + " failed: " + e.Message);
            }
        }
        undo.dismiss();
        return root_;
    }

private:
    static std::string describe(TComponent* c) {
        return c->Name().empty() ? "a " + c->ClassName() : c->Name();
    }

    void cleanUp() noexcept {
        for (TComponent* c : loading_)
            if (std::find(created_.begin(), created_.end(), c) == created_.end())
                c->TComponent::Loaded(); // leaves csLoading without the class's own reaction
        if (rootCreated_) {
            delete root_;
            return;
        }
        for (auto it = created_.rbegin(); it != created_.rend(); ++it)
            delete *it;
    }

    // Runs a step that calls into the component classes; their errors get the line.
    template <class F> void guarded(int line, const std::string& what, F&& step) {
        try {
            step();
        } catch (const EReadError&) {
            throw;
        } catch (const Exception& e) {
            readError(line, what + ": " + e.Message);
        } catch (const std::bad_alloc&) {
            throw;
        } catch (const std::exception& e) {
            readError(line, what + ": " + e.what());
        }
    }

    bool wasRead(TComponent* comp) const {
        return std::find(loading_.begin(), loading_.end(), comp) != loading_.end();
    }
    // Before its name and properties, as the framework does, so setters can tell.
    void markLoading(TComponent* comp) {
        if (wasRead(comp)) return;
        comp->Loading();
        loading_.push_back(comp);
    }

    struct Header {
        int line = 0;
        bool inherited = false;
        std::string name, className;
    };

    void readObject(TComponent* parent, int depth) {
        if (depth > MaxDepth) lex_.Error("objects nested too deeply");
        const Header h = readHeader(parent, depth);
        const TClassInfo* cls = findClass(h, depth == 0);
        TComponent* comp = depth == 0 ? rootComponent(h, cls) : childComponent(h, cls);
        const TInstance self = InstanceOf(comp);
        if (parent && !h.inherited) putInto(self, comp, parent, h.line);
        readBody(self, comp, depth);
    }

    // object Name: TClass, inherited Name: TClass, or object TClass (a component without a name).
    Header readHeader(TComponent* parent, int depth) {
        Header h;
        h.line = lex_.Line();
        if (lex_.IsIdent("inherited"))
            h.inherited = true;
        else if (!lex_.IsIdent("object"))
            lex_.Expected(parent || depth ? "a property, 'object', 'inherited' or 'end'"
                                          : "'object' or 'inherited'");
        lex_.Next();
        if (lex_.Kind() != TFormToken::Ident || lex_.Text().find('.') != std::string::npos)
            lex_.Expected("a component name or class name");
        h.name = lex_.Text();
        lex_.Next();
        if (lex_.IsSymbol(':')) {
            lex_.Next();
            if (lex_.Kind() != TFormToken::Ident || lex_.Text().find('.') != std::string::npos)
                lex_.Expected("a class name after ':'");
            h.className = lex_.Text();
            lex_.Next();
        } else {
            h.className = std::move(h.name);
            h.name.clear();
        }
        return h;
    }

    const TClassInfo* findClass(const Header& h, bool isRoot) {
        const TClassInfo* cls = FindClass(h.className);
        if (!cls && isRoot && root_ && (preview_ || SameIdent(root_->ClassName(), h.className)))
            cls = ClassInfoOf(root_);
        if (!cls) readError(h.line, "unknown class " + h.className + " (expected a registered class)");
        return cls;
    }

    // The root: the component read into, or a new one of the text's class.
    TComponent* rootComponent(const Header& h, const TClassInfo* cls) {
        if (!root_) {
            if (h.inherited) readError(h.line, "inherited component '" + h.name + "' does not exist");
            TComponent* comp = create(h, cls, owner_);
            root_ = comp;
            rootCreated_ = true;
            markLoading(comp);
            guarded(h.line, "cannot name the component " + h.name, [&] { comp->SetName(h.name); });
            return comp;
        }
        markLoading(root_);
        const TClassInfo* rootClass = ClassInfoOf(root_);
        if (!preview_ && (!rootClass || !rootClass->InheritsFrom(cls)))
            readError(h.line, "the text describes a " + h.className + " but is read into a " +
                                  (rootClass ? rootClass->Name() : root_->ClassName()));
        if (rename_ && !h.name.empty())
            guarded(h.line, "cannot name the form " + h.name, [&] { root_->SetName(h.name); });
        return root_;
    }

    // A component below the root. `inherited` names one that the form class made; so may `object`,
    // so that a form written with `object` throughout reads back into a fresh instance of its class.
    TComponent* childComponent(const Header& h, const TClassInfo* cls) {
        TComponent* existing = root_->FindComponent(h.name);
        // A second object of a name already read is a new component, which SetName below refuses.
        if (existing && !h.inherited && wasRead(existing)) existing = nullptr;
        if (h.inherited && !existing)
            readError(h.line, "inherited component '" + h.name + "' does not exist");
        if (existing) {
            const TClassInfo* own = ClassInfoOf(existing);
            if (!own || !own->InheritsFrom(cls))
                readError(h.line, (h.inherited ? "inherited component '" : "component '") + h.name +
                                      "' is not a " + h.className);
            markLoading(existing);
            return existing;
        }
        TComponent* comp = create(h, cls, root_);
        created_.push_back(comp);
        markLoading(comp);
        guarded(h.line, "cannot name the component " + h.name, [&] { comp->SetName(h.name); });
        return comp;
    }

    TComponent* create(const Header& h, const TClassInfo* cls, TComponent* owner) {
        if (!cls->CanCreate()) readError(h.line, "class " + h.className + " is not a component class");
        TComponent* comp = nullptr;
        guarded(h.line, "cannot create a " + h.className, [&] { comp = cls->Create(owner); });
        return comp;
    }

    void putInto(const TInstance& self, TComponent* comp, TComponent* parent, int line) {
        void* linkSelf = nullptr;
        if (const TParentLink* link = self.Class->ParentLink(self.Ptr, linkSelf); link && link->SetParent)
            guarded(line, "cannot put " + describe(comp) + " into " + describe(parent),
                    [&] { link->SetParent(linkSelf, parent); });
    }

    // The properties, the nested objects and the closing 'end'.
    void readBody(const TInstance& self, TComponent* comp, int depth) {
        while (lex_.Kind() == TFormToken::Ident && !lex_.IsIdent("object") && !lex_.IsIdent("inherited") &&
               !lex_.IsIdent("end")) {
            const Assign a = readAssign(depth);
            apply(self, a);
        }
        while (lex_.IsIdent("object") || lex_.IsIdent("inherited"))
            readObject(comp, depth + 1);
        if (!lex_.IsIdent("end")) lex_.Expected("a property, 'object', 'inherited' or 'end'");
        lex_.Next();
    }

    Assign readAssign(int depth) {
        Assign a;
        a.path = lex_.Text();
        a.line = lex_.Line();
        lex_.Next();
        if (!lex_.IsSymbol('=')) lex_.Expected("'=' after " + a.path);
        lex_.Next();
        a.value = readValue(depth);
        return a;
    }

    Value readValue(int depth) {
        if (depth > MaxDepth) lex_.Error("values nested too deeply");
        Value v;
        v.line = lex_.Line();
        v.found = lex_.Describe();
        switch (lex_.Kind()) {
        case TFormToken::Integer:
            v.kind = Value::Int;
            v.i = lex_.IntValue();
            v.hex = lex_.IsHex();
            lex_.Next();
            return v;
        case TFormToken::Float:
            v.kind = Value::Float;
            v.f = lex_.FloatValue();
            lex_.Next();
            return v;
        case TFormToken::String:
            v.kind = Value::Str;
            v.s = lex_.Text();
            lex_.Next();
            while (lex_.IsSymbol('+')) {
                lex_.Next();
                if (lex_.Kind() != TFormToken::String) lex_.Expected("a string after '+'");
                v.s += lex_.Text();
                lex_.Next();
            }
            return v;
        case TFormToken::Ident:
            v.kind = Value::Ident;
            v.s = lex_.Text();
            lex_.Next();
            return v;
        default:
            break;
        }
        if (lex_.IsSymbol('[')) {
            v.kind = Value::Set;
            v.found = "a set";
            lex_.Next();
            if (!lex_.IsSymbol(']')) {
                while (true) {
                    if (lex_.Kind() != TFormToken::Ident) lex_.Expected("a name in the set");
                    v.names.push_back(lex_.Text());
                    lex_.Next();
                    if (lex_.IsSymbol(']')) break;
                    if (!lex_.IsSymbol(',')) lex_.Expected("',' or ']'");
                    lex_.Next();
                }
            }
            lex_.Next();
        } else if (lex_.IsSymbol('(')) {
            v.kind = Value::List;
            v.found = "a list";
            lex_.Next();
            while (!lex_.IsSymbol(')')) {
                if (lex_.Kind() == TFormToken::Symbol || lex_.Kind() == TFormToken::End)
                    lex_.Expected("a value or ')'");
                v.list.push_back(readValue(depth + 1));
            }
            lex_.Next();
        } else if (lex_.IsSymbol('{')) {
            v.kind = Value::Binary;
            v.found = "binary data";
            v.s = lex_.ReadBinary();
            lex_.Next();
        } else if (lex_.IsSymbol('<')) {
            v.kind = Value::Collection;
            v.found = "a collection";
            lex_.Next();
            while (lex_.IsIdent("item")) {
                lex_.Next();
                Item item;
                while (!lex_.IsIdent("end")) {
                    if (lex_.Kind() != TFormToken::Ident) lex_.Expected("a property or 'end'");
                    item.props.push_back(readAssign(depth + 1));
                }
                lex_.Next();
                v.items.push_back(std::move(item));
            }
            if (!lex_.IsSymbol('>')) lex_.Expected("'item' or '>'");
            lex_.Next();
        } else {
            lex_.Expected("a value");
        }
        return v;
    }

    void apply(TInstance target, const Assign& a) {
        const std::vector<std::string> names = splitPath(a.path);
        TInstance cur = target;
        for (std::size_t i = 0; i < names.size(); ++i) {
            const TClassInfo::TBoundProp b = cur.Class->FindProperty(cur.Ptr, names[i]);
            if (!b.Info) readError(a.line, cur.Class->Name() + " has no property '" + names[i] + "'");
            const bool lastPart = i + 1 == names.size();
            if (lastPart || (b.Info->Kind == TPropKind::StringList && i + 2 == names.size() &&
                             SameIdent(names[i + 1], "Strings"))) {
                applyValue(b, a);
                return;
            }
            if (b.Info->Kind != TPropKind::Nested)
                readError(a.line, names[i] + " is not an object (in " + a.path + ")");
            cur = b.Info->GetNested(b.Self);
            if (!cur.Class || !cur.Ptr)
                readError(a.line, names[i] + " holds no object whose properties can be set");
        }
    }

    [[noreturn]] static void expected(const Assign& a, const std::string& what) {
        readError(a.line, "expected " + what + " for " + a.path + ", found " + a.value.found);
    }

    void applyValue(const TClassInfo::TBoundProp& b, const Assign& a) {
        const TPropInfo& p = *b.Info;
        const Value& v = a.value;
        if (!p.Writable()) readError(a.line, "property " + a.path + " is read-only");
        if (p.Kind == TPropKind::Collection) {
            applyCollection(b, a);
            return;
        }
        guarded(a.line, "cannot set " + a.path, [&] { applyScalar(p, b.Self, a, v); });
    }

    void applyScalar(const TPropInfo& p, void* self, const Assign& a, const Value& v) {
        switch (p.Kind) {
        case TPropKind::Integer:
        case TPropKind::Color: {
            std::int64_t x = 0;
            if (v.kind == Value::Int) {
                x = v.i;
                // $FFFFFFFF is -1, as the framework's 32-bit integers read hexadecimal.
                if (v.hex && p.Max <= INT32_MAX && x > INT32_MAX &&
                    x <= static_cast<std::int64_t>(UINT32_MAX))
                    x -= std::int64_t(1) << 32;
            } else if (!(v.kind == Value::Ident && p.Idents && p.Idents->ToValue(v.s, x))) {
                expected(a,
                         p.Kind == TPropKind::Color ? "a colour (a number or a colour name)" : "an integer");
            }
            if (x < p.Min || x > p.Max)
                readError(a.line, "value " + std::to_string(x) + " of " + a.path + " is outside " +
                                      std::to_string(p.Min) + ".." + std::to_string(p.Max));
            p.SetOrd(self, x);
            return;
        }
        case TPropKind::Boolean:
            if (v.kind == Value::Ident && (SameIdent(v.s, "True") || SameIdent(v.s, "False")))
                p.SetOrd(self, SameIdent(v.s, "True") ? 1 : 0);
            else
                expected(a, "True or False");
            return;
        case TPropKind::Enumeration: {
            const int index = v.kind == Value::Ident ? p.Enum->IndexOf(v.s) : -1;
            if (index < 0) expected(a, "one of " + nameList(*p.Enum));
            p.SetOrd(self, index);
            return;
        }
        case TPropKind::Set: {
            if (v.kind != Value::Set)
                expected(a, "a set such as [" + (p.Enum->Count() ? p.Enum->Name(0) : "") + "]");
            std::int64_t bits = 0;
            for (const std::string& n : v.names) {
                const int index = p.Enum->IndexOf(n);
                if (index < 0 || index >= 63)
                    readError(a.line, "'" + n + "' in " + a.path + " is not one of " + nameList(*p.Enum));
                bits |= std::int64_t(1) << index;
            }
            p.SetOrd(self, bits);
            return;
        }
        case TPropKind::Float:
            if (v.kind == Value::Float)
                p.SetFloat(self, v.f);
            else if (v.kind == Value::Int)
                p.SetFloat(self, static_cast<double>(v.i));
            else
                expected(a, "a number");
            return;
        case TPropKind::String:
            if (v.kind != Value::Str) expected(a, "a string");
            p.SetStr(self, v.s);
            return;
        case TPropKind::Binary:
            if (v.kind != Value::Binary) expected(a, "binary data { ... }");
            p.SetStr(self, v.s);
            return;
        case TPropKind::StringList: {
            if (v.kind != Value::List) expected(a, "a list of strings ( ... )");
            TStringList list;
            for (const Value& e : v.list) {
                if (e.kind != Value::Str)
                    readError(e.line, "expected a string in " + a.path + ", found " + e.found);
                list.Add(e.s);
            }
            if (p.SetStrings)
                p.SetStrings(self, list);
            else if (TStringList* target = p.GetStrings(self))
                target->Assign(list);
            return;
        }
        case TPropKind::Nested:
            readError(a.line,
                      a.path + " is an object: set its properties instead, as in " + a.path + ".Name = ...");
        case TPropKind::Event:
            applyEvent(p, self, a, v);
            return;
        case TPropKind::Reference:
            applyReference(p, self, a, v);
            return;
        case TPropKind::Collection:
            return; // handled by applyCollection
        }
    }

    void applyReference(const TPropInfo& p, void* self, const Assign& a, const Value& v) {
        if (v.kind != Value::Ident || v.s.find('.') != std::string::npos) expected(a, "a component name");
        if (SameIdent(v.s, "nil")) {
            p.SetComponent(self, nullptr);
            return;
        }
        fixups_.push_back(Fixup{&p, self, a.line, a.path, v.s});
    }

    // Every component of the text exists now; each reference names one of them or the root.
    void resolveReferences() {
        for (const Fixup& f : fixups_) {
            TComponent* target = SameIdent(root_->Name(), f.name) ? root_ : root_->FindComponent(f.name);
            if (!target) readError(f.line, "no component named '" + f.name + "' on the form for " + f.path);
            if (!f.prop->Accepts(target)) {
                const TClassInfo* wanted = FindClass(f.prop->RefType);
                const TClassInfo* own = ClassInfoOf(target);
                readError(f.line, f.name + " is a " + (own ? own->Name() : target->ClassName()) + ", not a " +
                                      (wanted ? wanted->Name() : std::string("component of that kind")) +
                                      ", for " + f.path);
            }
            guarded(f.line, "cannot set " + f.path, [&] { f.prop->SetComponent(f.self, target); });
        }
    }

    void applyEvent(const TPropInfo& p, void* self, const Assign& a, const Value& v) {
        if (v.kind != Value::Ident || v.s.find('.') != std::string::npos) expected(a, "a method name");
        if (preview_) return; // the form's code is not there to bind to
        const TInstance form = InstanceOf(root_);
        void* methodSelf = nullptr;
        const TMethodInfo* m = form.Class ? form.Class->FindMethod(form.Ptr, v.s, methodSelf) : nullptr;
        if (!m)
            readError(a.line, (form.Class ? form.Class->Name() : root_->ClassName()) + " has no method '" +
                                  v.s + "' for " + a.path);
        if (m->EventType != p.EventType)
            readError(a.line, "method '" + v.s + "' does not fit " + a.path + " (its parameters differ)");
        p.SetEvent(self, m->Bind(methodSelf, root_));
    }

    void applyCollection(const TClassInfo::TBoundProp& b, const Assign& a) {
        if (a.value.kind != Value::Collection) expected(a, "a collection < item ... end >");
        TCollection* collection = nullptr;
        guarded(a.line, "cannot read " + a.path, [&] { collection = b.Info->GetCollection(b.Self); });
        if (!collection) readError(a.line, a.path + " holds no collection");
        TCollectionUpdateScope scope(*collection);
        guarded(a.line, "cannot clear " + a.path, [&] { collection->Clear(); });
        for (const Item& item : a.value.items) {
            TCollectionItem* added = nullptr;
            guarded(a.line, "cannot add an item to " + a.path, [&] { added = collection->Add(); });
            const TInstance target = InstanceOf(added);
            if (!target.Class)
                readError(a.line, "the items of " + a.path + " are of a class that is not registered");
            for (const Assign& inner : item.props)
                apply(target, inner);
        }
    }

    // A reference as read: the property, its object and the name, resolved once the whole text is read.
    struct Fixup {
        const TPropInfo* prop;
        void* self;
        int line;
        std::string path, name;
    };

    TFormLexer lex_;
    std::vector<Fixup> fixups_;
    TComponent* root_;
    TComponent* owner_;
    bool rename_;
    bool rootCreated_ = false;
    std::vector<TComponent*> created_; // by this read, root excluded
    std::vector<TComponent*> loading_; // every component read, in creation order
    bool preview_ = false;
};

} // namespace

void ReadComponentText(std::string_view text, TComponent* root, bool renameRoot) {
    if (!root) throw EReadError("Form text: no component to read into");
    Reader(text, root, nullptr, renameRoot).Run();
}

void PreviewComponentText(std::string_view text, TComponent* root) {
    if (!root) throw EReadError("Form text: no component to read into");
    Reader(text, root, nullptr, true, true).Run();
}

TComponent* CreateComponentFromText(std::string_view text, TComponent* owner) {
    return Reader(text, nullptr, owner, true).Run();
}

void ReadComponentFile(const std::string& fileName, TComponent* root) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw EReadError("Cannot open the form file " + fileName);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw EReadError("Cannot read the form file " + fileName);
    ReadComponentText(text, root);
}

} // namespace vexo
