#pragma once
// The Spanish text order, in one place: the collators behind AnsiCompareText and AnsiCompareStr,
// and sort keys that order texts exactly as AnsiCompareText does, for sorts that would otherwise
// collate each text many times.
#include <QCollatorSortKey>
#include <QString>

#include <string_view>

class QCollator;

namespace vexo {

// The process's Spanish (Spain) collator, letter case ignored or kept.
const QCollator& SpanishCollator(Qt::CaseSensitivity cs);

// -1, 0 or 1 in AnsiCompareText's order: the case-insensitive collator first and, where it calls
// two distinct texts equal, a plain case-insensitive comparison, so that 0 means the same text but
// for letter case.
int CompareTextNoCase(const QString& a, const QString& b);

// A UTF-8 text's place in the case-insensitive collator's order, computed once for a sort that
// compares each text many times. AnsiCompareText's order of two texts is their keys' order and,
// where the keys are equal, BreakTextTie's. The key holds nothing but the collator's key, so that a
// sort's keys stay dense in memory and the texts are read only for ties. Invalid UTF-8 reads as
// U+FFFD, as in AnsiCompareText.
class TextSortKey {
public:
    explicit TextSortKey(std::string_view utf8);
    // -1, 0 or 1.
    int compare(const TextSortKey& other) const;

private:
    QCollatorSortKey key_;
};

// -1, 0 or 1: AnsiCompareText's order of two UTF-8 texts whose sort keys compare equal.
int BreakTextTie(std::string_view a, std::string_view b);

} // namespace vexo
