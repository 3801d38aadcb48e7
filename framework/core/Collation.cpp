#include "framework/core/Collation.h"

#include <QCollator>
#include <QLocale>

#include <stdexcept>
#include <unicode/ucol.h>

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

namespace {

// The case-insensitive collator's keys straight from ICU, which is what QCollator uses on this
// platform: QCollatorSortKey gives no access to its bytes, and a sort of a million rows spends most
// of its time chasing each key's separate heap block. Opened exactly as QCollator opens it for
// SpanishCollator(Qt::CaseInsensitive) (Qt 6's ICU backend: normalisation on, secondary strength,
// numeric collation off, punctuation not ignored), so the keys order as that collator compares.
UCollator* spanishKeyCollator() {
    static UCollator* const collator = [] {
        UErrorCode status = U_ZERO_ERROR;
        UCollator* c = ucol_open("es_ES", &status);
        ucol_setAttribute(c, UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
        ucol_setAttribute(c, UCOL_STRENGTH, UCOL_SECONDARY, &status);
        ucol_setAttribute(c, UCOL_NUMERIC_COLLATION, UCOL_OFF, &status);
        ucol_setAttribute(c, UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
        if (U_FAILURE(status)) throw std::runtime_error("The Spanish collator cannot be opened");
        return c;
    }();
    return collator;
}

} // namespace

void AppendTextSortKey(std::string_view utf8, std::string& out) {
    const QString text = fromUtf8(utf8);
    const auto* units = reinterpret_cast<const UChar*>(text.utf16());
    const auto length = static_cast<int32_t>(text.size());
    const std::size_t start = out.size();
    // A first guess that fits most keys; ICU says how long the key is when it does not fit.
    std::size_t room = 16 + static_cast<std::size_t>(length) * 2;
    for (;;) {
        out.resize(start + room);
        const int32_t size =
            ucol_getSortKey(spanishKeyCollator(), units, length,
                            reinterpret_cast<uint8_t*>(out.data() + start), static_cast<int32_t>(room));
        if (static_cast<std::size_t>(size) <= room) {
            out.resize(start + static_cast<std::size_t>(size) - 1); // without the closing zero byte
            return;
        }
        room = static_cast<std::size_t>(size);
    }
}

int BreakTextTie(std::string_view a, std::string_view b) {
    // The same bytes are the same text: nothing to convert.
    if (a == b) return 0;
    return tieOrder(fromUtf8(a), fromUtf8(b));
}

} // namespace vexo
