#pragma once
// The Spanish text order, in one place: the collators behind AnsiCompareText and AnsiCompareStr,
// and sort keys that order texts exactly as AnsiCompareText does, for sorts that would otherwise
// collate each text many times.
#include <QString>

#include <string>
#include <string_view>

class QCollator;

namespace vexo {

// The process's Spanish (Spain) collator, letter case ignored or kept.
const QCollator& SpanishCollator(Qt::CaseSensitivity cs);

// -1, 0 or 1 in AnsiCompareText's order: the case-insensitive collator first and, where it calls
// two distinct texts equal, a plain case-insensitive comparison, so that 0 means the same text but
// for letter case.
int CompareTextNoCase(const QString& a, const QString& b);

// Appends a UTF-8 text's place in the case-insensitive collator's order to out, as bytes: the
// order of two texts is the order of their key bytes (unsigned, a key that is a prefix of the
// other first) and, where the keys are equal, BreakTextTie's. No key holds a zero byte, so keys may
// sit back to back in one buffer, which is how a sort keeps a million of them dense. Invalid UTF-8
// reads as U+FFFD, as in AnsiCompareText.
void AppendTextSortKey(std::string_view utf8, std::string& out);

// One text's key, for a sort of few texts or a test.
class TextSortKey {
public:
    explicit TextSortKey(std::string_view utf8) { AppendTextSortKey(utf8, key_); }
    // -1, 0 or 1.
    int compare(const TextSortKey& other) const { return (key_ > other.key_) - (key_ < other.key_); }

private:
    std::string key_; // compared as char_traits<char> does: unsigned bytes
};

// -1, 0 or 1: AnsiCompareText's order of two UTF-8 texts whose sort keys compare equal.
int BreakTextTie(std::string_view a, std::string_view b);

} // namespace vexo
