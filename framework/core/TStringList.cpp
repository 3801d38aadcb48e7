#include "framework/core/TStringList.h"

#include "framework/core/Exception.h"
#include "framework/core/SysUtils.h"

#include <climits>
#include <new>

namespace vexo {

void TStringList::indexError(int index) {
    throw EStringListError("Índice de lista fuera de rango (" + std::to_string(index) + ")");
}

const std::string& TStringList::Get(int index) const {
    if (index < 0 || index >= Count()) indexError(index);
    return items_[static_cast<std::size_t>(index)];
}

void TStringList::Put(int index, const std::string& text) {
    if (index < 0 || index >= Count()) indexError(index);
    items_[static_cast<std::size_t>(index)] = text;
    changed();
}

int TStringList::Add(const std::string& text) {
    Insert(Count(), text);
    return Count() - 1;
}

void TStringList::Insert(int index, const std::string& text) {
    if (index < 0 || index > Count()) indexError(index);
    if (Count() == INT_MAX) throw EStringListError("La lista está llena (" + std::to_string(Count()) + ")");
    try {
        items_.insert(items_.begin() + index, text);
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory("Memoria insuficiente para ampliar la lista");
    }
    changed();
}

void TStringList::Delete(int index) {
    if (index < 0 || index >= Count()) indexError(index);
    items_.erase(items_.begin() + index);
    changed();
}

void TStringList::Exchange(int index1, int index2) {
    if (index1 < 0 || index1 >= Count()) indexError(index1);
    if (index2 < 0 || index2 >= Count()) indexError(index2);
    items_[static_cast<std::size_t>(index1)].swap(items_[static_cast<std::size_t>(index2)]);
    changed();
}

int TStringList::IndexOf(const std::string& text) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (AnsiSameText(items_[i], text)) return static_cast<int>(i);
    return -1;
}

void TStringList::Clear() {
    items_.clear();
    changed();
}

void TStringList::Assign(const TStringList& source) {
    if (&source == this) return;
    // Copy first so that a failed allocation leaves this list as it was.
    std::vector<std::string> copy;
    try {
        copy = source.items_;
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory("Memoria insuficiente para copiar la lista");
    }
    items_.swap(copy);
    changed();
}

std::string TStringList::GetText() const {
    std::size_t size = 0;
    for (const std::string& s : items_)
        size += s.size() + 1;
    std::string text;
    text.reserve(size);
    for (const std::string& s : items_) {
        text += s;
        text += '\n';
    }
    return text;
}

void TStringList::SetText(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text, start, i - start);
        if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < n) lines.emplace_back(text, start, n - start);
    items_.swap(lines);
    changed();
}

} // namespace vexo
