#include "values/sArray.h"

#include "framework/core/Utf8.h"

#include <algorithm>
#include <vector>

namespace vexo {

void sArray::split(const std::string& text, const std::string& delimiters) {
    list.Clear();
    if (text.empty()) return;
    // Malformed bytes among the delimiters are dropped: a byte that is no character cannot end one.
    std::vector<char32_t> marks;
    for (std::size_t pos = 0; pos < delimiters.size();) {
        bool valid = true;
        const char32_t c = sUtf8Next(delimiters, pos, &valid);
        if (valid) marks.push_back(c);
    }
    std::size_t itemStart = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        bool valid = true;
        const char32_t c = sUtf8Next(text, pos, &valid);
        if (valid && std::find(marks.begin(), marks.end(), c) != marks.end()) {
            list.Add(text.substr(itemStart, start - itemStart));
            itemStart = pos;
        }
    }
    list.Add(text.substr(itemStart));
}

std::string sArray::join(const std::string& separator, const std::string& quote) const {
    std::string out;
    for (int i = 0, n = list.Count(); i < n; ++i) {
        if (i > 0) out += separator;
        out += quote;
        out += list.Get(i);
        out += quote;
    }
    return out;
}

} // namespace vexo
