// How it works: the writer walks the tree from the root. Each component is written with its
// registered class, then its stored properties through the registry (nested objects flatten to
// dotted names), then its children: the components the root owns whose parent it is, with the
// root also taking those that have no parent in the tree. Strings follow the framework's rules:
// printable ASCII in quotes, everything else as #code, long texts split with +.
#include "framework/streaming/FormWriter.h"

#include "framework/core/TCollection.h"
#include "framework/core/TCollectionItem.h"
#include "framework/core/TComponent.h"
#include "framework/core/TStringList.h"
#include "framework/core/Utf8.h"
#include "framework/streaming/ClassRegistry.h"
#include "framework/streaming/FilerErrors.h"

#include <charconv>
#include <cmath>

namespace vexo {

namespace {

// The framework breaks string and binary lines after this many characters.
constexpr std::size_t LineLength = 64;

std::string indentText(int indent) {
    return std::string(static_cast<std::size_t>(indent) * 2, ' ');
}

// A string value; continuation lines get indent.
std::string quote(const std::string& s, int indent) {
    if (s.empty()) return "''";
    std::string out;
    bool inQuote = false;
    std::size_t lineChars = 0;
    for (std::size_t i = 0; i < s.size();) {
        if (lineChars >= LineLength) {
            if (inQuote) out += '\'';
            out += " +\n" + indentText(indent);
            inQuote = false;
            lineChars = 0;
        }
        // An invalid sequence reads as one U+FFFD per byte.
        const std::uint32_t cp = sUtf8Next(s, i);
        if (cp >= 0x20 && cp < 0x7F) {
            if (!inQuote) {
                out += '\'';
                inQuote = true;
                ++lineChars;
            }
            out += static_cast<char>(cp);
            if (cp == '\'') out += '\'';
            ++lineChars;
        } else {
            if (inQuote) {
                out += '\'';
                inQuote = false;
            }
            const std::string code = "#" + std::to_string(cp);
            out += code;
            lineChars += code.size();
        }
    }
    if (inQuote) out += '\'';
    return out;
}

class Writer {
public:
    explicit Writer(TComponent* root) : root_(root) {}

    std::string Run() {
        writeObject(root_, 0);
        return std::move(out_);
    }

private:
    void line(int indent, const std::string& text) { out_ += indentText(indent) + text + "\n"; }
    // Puts text at the end of the last line written (the framework closes lists there: "'b')").
    void closeLastLine(const std::string& text) {
        out_.pop_back();
        out_ += text + "\n";
    }

    TInstance instanceFor(TComponent* c) {
        const TClassInfo* exact = FindClass(std::type_index(typeid(*c)));
        // The root may be of an unregistered form class: the reader matches it by class name.
        const TClassInfo* info = exact ? exact : (c == root_ ? ClassInfoOf(c) : nullptr);
        if (!info)
            throw EWriteError("Cannot write " + describe(c) + ": class " + c->ClassName() +
                              " is not registered");
        return TInstance{info, info->Cast(c)};
    }

    static std::string describe(TComponent* c) {
        return c->Name().empty() ? "a " + c->ClassName() : c->Name();
    }

    TComponent* parentOf(TComponent* c) {
        const TInstance self = InstanceOf(c);
        void* linkSelf = nullptr;
        const TParentLink* link = self.Class ? self.Class->ParentLink(self.Ptr, linkSelf) : nullptr;
        return link && link->GetParent ? link->GetParent(linkSelf) : nullptr;
    }

    std::vector<TComponent*> childrenOf(TComponent* c) {
        std::vector<TComponent*> result;
        if (c == root_)
            for (int i = 0; i < root_->ComponentCount(); ++i) {
                TComponent* owned = root_->Components(i);
                TComponent* parent = parentOf(owned);
                if (!parent || (parent != root_ && parent->Owner() != root_)) result.push_back(owned);
            }
        const TInstance self = InstanceOf(c);
        void* linkSelf = nullptr;
        if (const TParentLink* link = self.Class ? self.Class->ParentLink(self.Ptr, linkSelf) : nullptr;
            link && link->Children)
            for (TComponent* child : link->Children(linkSelf))
                if (child->Owner() == root_) result.push_back(child);
        return result;
    }

    void writeObject(TComponent* c, int indent) {
        const TInstance self = instanceFor(c);
        const std::string className =
            self.Class->Type() == std::type_index(typeid(*c)) ? self.Class->Name() : c->ClassName();
        line(indent, "object " + (c->Name().empty() ? "" : c->Name() + ": ") + className);
        writeProperties(self, "", indent + 1);
        for (TComponent* child : childrenOf(c))
            writeObject(child, indent + 1);
        line(indent, "end");
    }

    void writeProperties(const TInstance& inst, const std::string& prefix, int indent) {
        for (const TClassInfo::TBoundProp& b : inst.Class->Properties(inst.Ptr)) {
            const TPropInfo& p = *b.Info;
            if (p.Stored && !p.Stored(b.Self)) continue;
            const std::string name = prefix + p.Name;
            switch (p.Kind) {
            case TPropKind::Nested: {
                const TInstance sub = p.GetNested(b.Self);
                if (sub.Class && sub.Ptr) writeProperties(sub, name + ".", indent);
                break;
            }
            case TPropKind::Collection:
                writeCollection(p.GetCollection(b.Self), name, indent);
                break;
            case TPropKind::StringList: {
                if (!p.Writable()) break;
                const TStringList* list = p.GetStrings(b.Self);
                if (!list || list->Count() == 0) break;
                line(indent, name + ".Strings = (");
                for (const std::string& s : list->items())
                    line(indent + 1, quote(s, indent + 2));
                closeLastLine(")");
                break;
            }
            case TPropKind::Event: {
                TObject* target = nullptr;
                std::string method;
                if (p.GetBinding && p.GetBinding(b.Self, target, method) && target == root_)
                    line(indent, name + " = " + method);
                break;
            }
            case TPropKind::Reference: {
                if (!p.Writable()) break;
                if (const std::string target = referenceName(p.GetComponent(b.Self)); !target.empty())
                    line(indent, name + " = " + target);
                break;
            }
            case TPropKind::Binary: {
                if (!p.Writable()) break;
                const std::string bytes = p.GetStr(b.Self);
                if (bytes.empty() && p.HasDefault) break;
                writeBinary(bytes, name, indent);
                break;
            }
            default:
                if (p.Writable()) writeScalar(p, b.Self, name, indent);
                break;
            }
        }
    }

    // A reference is written when the reader can find it again: the root, or a named component
    // the root owns. Any other component lies outside this text.
    std::string referenceName(TComponent* c) const {
        if (!c || c->Name().empty()) return {};
        return c == root_ || c->Owner() == root_ ? c->Name() : std::string();
    }

    void writeScalar(const TPropInfo& p, void* self, const std::string& name, int indent) {
        std::string text;
        switch (p.Kind) {
        case TPropKind::Float: {
            const double v = p.GetFloat(self);
            if (p.HasDefault && v == p.DefaultFloat) return;
            if (!std::isfinite(v))
                throw EWriteError("Cannot write " + name + ": the value is not a finite number");
            char buf[64];
            const auto result = std::to_chars(buf, buf + sizeof buf, v);
            text.assign(buf, result.ptr);
            if (text.find_first_of(".e") == std::string::npos) text += ".0";
            break;
        }
        case TPropKind::String: {
            const std::string v = p.GetStr(self);
            if (p.HasDefault && v == p.DefaultStr) return;
            text = quote(v, indent + 1);
            break;
        }
        default: {
            const std::int64_t v = p.GetOrd(self);
            if (p.HasDefault && v == p.DefaultOrd) return;
            text = ordinalText(p, v, name);
            break;
        }
        }
        line(indent, name + " = " + text);
    }

    static std::string ordinalText(const TPropInfo& p, std::int64_t v, const std::string& name) {
        switch (p.Kind) {
        case TPropKind::Boolean:
            return v ? "True" : "False";
        case TPropKind::Enumeration:
            if (v < 0 || v >= p.Enum->Count())
                throw EWriteError("Cannot write " + name + ": " + std::to_string(v) + " is not a value of " +
                                  p.Enum->TypeName());
            return p.Enum->Name(static_cast<int>(v));
        case TPropKind::Set: {
            std::string s = "[";
            for (int i = 0; i < 64; ++i) {
                if (!(static_cast<std::uint64_t>(v) & (std::uint64_t(1) << i))) continue;
                if (i >= p.Enum->Count())
                    throw EWriteError("Cannot write " + name + ": the set holds a value outside " +
                                      p.Enum->TypeName());
                s += (s.size() > 1 ? ", " : "") + p.Enum->Name(i);
            }
            return s + "]";
        }
        default:
            if (p.Idents)
                if (const std::string* ident = p.Idents->ToName(v)) return *ident;
            return std::to_string(v);
        }
    }

    void writeCollection(TCollection* collection, const std::string& name, int indent) {
        if (!collection || collection->Count() == 0) return;
        line(indent, name + " = <");
        for (int i = 0; i < collection->Count(); ++i) {
            TCollectionItem* item = collection->Items(i);
            const TInstance inst = InstanceOf(item);
            if (!inst.Class || inst.Class->Type() != std::type_index(typeid(*item)))
                throw EWriteError("Cannot write " + name + ": class " + item->ClassName() +
                                  " is not registered");
            line(indent + 1, "item");
            writeProperties(inst, "", indent + 2);
            line(indent + 1, "end");
        }
        closeLastLine(">");
    }

    void writeBinary(const std::string& bytes, const std::string& name, int indent) {
        static constexpr char digits[] = "0123456789ABCDEF";
        if (bytes.empty()) {
            line(indent, name + " = {}");
            return;
        }
        line(indent, name + " = {");
        std::string row;
        for (const char ch : bytes) {
            const auto byte = static_cast<unsigned char>(ch);
            row += digits[byte >> 4];
            row += digits[byte & 0xF];
            if (row.size() == LineLength) {
                line(indent + 1, row);
                row.clear();
            }
        }
        if (!row.empty()) line(indent + 1, row);
        closeLastLine("}");
    }

    TComponent* root_;
    std::string out_;
};

} // namespace

std::string WriteComponentText(TComponent* root) {
    if (!root) throw EWriteError("No component to write");
    return Writer(root).Run();
}

} // namespace vexo
