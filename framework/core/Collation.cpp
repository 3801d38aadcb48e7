#include "framework/core/Collation.h"

#include <QCollator>
#include <QLocale>

namespace vexo {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int sign(int v) {
    return (v > 0) - (v < 0);
}

// The collator may call distinct texts equal (it ignores some differences that the case-insensitive
// comparison sees); they then order as that comparison has them.
int tieOrder(const QString& a, const QString& b) {
    return sign(QString::compare(a, b, Qt::CaseInsensitive));
}

} // namespace

const QCollator& SpanishCollator(Qt::CaseSensitivity cs) {
    static const QCollator sensitive = [] {
        QCollator c(QLocale(QLocale::Spanish, QLocale::Spain));
        c.setCaseSensitivity(Qt::CaseSensitive);
        return c;
    }();
    static const QCollator insensitive = [] {
        QCollator c(QLocale(QLocale::Spanish, QLocale::Spain));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return cs == Qt::CaseSensitive ? sensitive : insensitive;
}

int CompareTextNoCase(const QString& a, const QString& b) {
    const int collated = SpanishCollator(Qt::CaseInsensitive).compare(a, b);
    return collated != 0 ? sign(collated) : tieOrder(a, b);
}

TextSortKey::TextSortKey(std::string_view utf8)
    : key_(SpanishCollator(Qt::CaseInsensitive).sortKey(fromUtf8(utf8))) {}

int TextSortKey::compare(const TextSortKey& other) const {
    return sign(key_.compare(other.key_));
}

int BreakTextTie(std::string_view a, std::string_view b) {
    // The same bytes are the same text: nothing to convert.
    if (a == b) return 0;
    return tieOrder(fromUtf8(a), fromUtf8(b));
}

} // namespace vexo
