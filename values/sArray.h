#pragma once
// A list of strings that splits from and joins into one text. Items are addressed from 0; a bad
// index raises the string list's EStringListError and leaves the array unchanged.
#include "framework/core/TStringList.h"

#include <string>

namespace vexo {

class sArray {
public:
    sArray() = default;
    ~sArray() { list.Clear(); }
    sArray(const sArray&) = delete;
    sArray& operator=(const sArray&) = delete;

    void add(const std::string& text) { list.Add(text); }
    void clear() { list.Clear(); }
    int count() const { return list.Count(); }
    const std::string& get(int i) const { return list.Get(i); }
    void set(int i, const std::string& text) { list.Put(i, text); }
    void remove(int i) { list.Delete(i); }

    // Replaces the items with the pieces of text between delimiter characters (UTF-8, any of
    // them ends a piece); n delimiters give n + 1 items, possibly empty. An empty text gives none.
    void split(const std::string& text, const std::string& delimiters);
    // Every item between quote and quote, separator between two items; "" for no items.
    std::string join(const std::string& separator, const std::string& quote) const;

    const TStringList& strings() const { return list; }

private:
    TStringList list;
};

} // namespace vexo
