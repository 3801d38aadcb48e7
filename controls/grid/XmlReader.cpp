#include "controls/grid/XmlReader.h"

#include "framework/core/SysUtils.h"
#include "values/VexoConvert.h"

#include <algorithm>

namespace vexo {

namespace {
const std::string emptyToken;
} // namespace

void XmlReader::SetText(const std::string& text) {
    // Every tag ends up alone on a line: a line break after each ">" and before each "<", with a
    // blank in front of "<" dropped so that indentation does not become a text token.
    std::string s = text;
    s.erase(std::remove_if(s.begin(), s.end(), [](char c) { return c == '\r' || c == '\n'; }), s.end());
    replaceAll(">", ">\n", s);
    replaceAll(" <", "<", s);
    replaceAll("<", "\n<", s);
    tokens_.split(s, "\n");
    index_ = -1;
}

bool XmlReader::Next() {
    if (index_ + 1 >= tokens_.count()) return false;
    ++index_;
    return true;
}

const std::string& XmlReader::Token() const {
    return index_ >= 0 && index_ < tokens_.count() ? tokens_.get(index_) : emptyToken;
}

int XmlReader::TokenKind() const {
    const std::string& t = Token();
    if (t.empty()) return kEmpty;
    if (t[0] != '<') return kText;
    if (t.rfind("<!", 0) == 0) return kDeclaration;
    if (t.find("/>") != std::string::npos) return kEmptyElement;
    return kTag;
}

bool XmlReader::IsElement() const {
    const int kind = TokenKind();
    return kind == kTag || (kind == kEmptyElement && Token().find('=') != std::string::npos);
}

std::string XmlReader::TagName() const {
    const std::string& t = Token();
    const std::size_t start = t.find('<');
    if (start == std::string::npos) return {};
    std::size_t end = t.find(' ', start + 1);
    if (end == std::string::npos) end = t.find('>', start + 1);
    if (end == std::string::npos) end = t.find("/>", start + 1);
    if (end == std::string::npos) return {};
    return t.substr(start + 1, end - start - 1);
}

std::string XmlReader::Attribute(const std::string& name) const {
    const std::string& t = Token();
    // A name is matched only outside quoted values: a caption that holds text such as
    // Width=" must not be taken for the Width attribute, or text the grid wrote itself would not
    // read back. Outside values, a longer name that ends with name still matches first.
    // Upper-casing may change byte lengths (a malformed byte becomes a three-byte replacement
    // character), so a hit in the upper-cased token is confirmed on the original token.
    const std::string key = AnsiUpperCase(name) + "=\"";
    const std::string upper = AnsiUpperCase(t);
    const bool aligned = upper.size() == t.size();
    auto matchesAt = [&](std::size_t i) { return AnsiUpperCase(t.substr(i, key.size())) == key; };
    std::size_t at = std::string::npos;
    bool inValue = false;
    for (std::size_t i = 0; i + key.size() <= t.size(); ++i) {
        if (t[i] == '"') {
            inValue = !inValue;
            continue;
        }
        if (inValue) continue;
        if ((!aligned || upper.compare(i, key.size(), key) == 0) && matchesAt(i)) {
            at = i;
            break;
        }
    }
    if (at == std::string::npos) return {};
    const std::size_t from = at + key.size();
    const std::size_t to = t.find('"', from);
    std::string value = t.substr(from, to == std::string::npos ? std::string::npos : to - from);
    replaceAll("&gt;", ">", value);
    replaceAll("&lt;", "<", value);
    replaceAll("&quot;", "\"", value);
    // Last, so that an escaped "&" never starts another escape; a text written without escapes
    // holds no "&amp;" and reads as before.
    replaceAll("&amp;", "&", value);
    return value;
}

} // namespace vexo
