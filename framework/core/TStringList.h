#pragma once
// An ordered list of UTF-8 strings. Indexes start at 0; a bad index raises EStringListError and
// leaves the list unchanged.
#include <functional>
#include <string>
#include <vector>

namespace vexo {

class TStringList {
public:
    TStringList() = default;
    virtual ~TStringList() = default;
    TStringList(const TStringList&) = delete;
    TStringList& operator=(const TStringList&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& Get(int index) const;      // Strings[index]
    void Put(int index, const std::string& text); // Strings[index] = text
    const std::string& operator[](int index) const { return Get(index); }
    int Add(const std::string& text);                // returns the new index
    void Insert(int index, const std::string& text); // index == Count appends
    void Delete(int index);
    void Exchange(int index1, int index2);
    int IndexOf(const std::string& text) const; // case-insensitive, as the framework's; -1 when absent
    void Clear();
    void Assign(const TStringList& source); // copies every string

    // All lines, each followed by a line break ("\n"). Setting splits at "\r\n", "\n" or "\r";
    // a final line break adds no empty line.
    std::string GetText() const;
    void SetText(const std::string& text);

    const std::vector<std::string>& items() const { return items_; }

    // Runs after every change of the strings, so that a control showing them can follow.
    std::function<void()> OnChange;

private:
    [[noreturn]] static void indexError(int index);
    void changed() {
        if (OnChange) OnChange();
    }
    std::vector<std::string> items_;
};

} // namespace vexo
