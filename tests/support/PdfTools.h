#pragma once
// Reading back the printer's PDF files with poppler's command-line tools (pdfinfo, pdftoppm).
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <string>

namespace vexo {

inline bool HavePoppler() {
    return !QStandardPaths::findExecutable("pdfinfo").isEmpty() &&
           !QStandardPaths::findExecutable("pdftoppm").isEmpty();
}

// One field of pdfinfo's report ("Pages", "Title"), empty when missing.
inline std::string PdfInfo(const std::string& path, const std::string& field) {
    QProcess p;
    p.start("pdfinfo", {QString::fromStdString(path)});
    p.waitForFinished(30000);
    const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split('\n');
    const QString key = QString::fromStdString(field) + ":";
    for (const QString& line : lines)
        if (line.startsWith(key)) return line.mid(key.size()).trimmed().toStdString();
    return {};
}

// The page (1-based) as a picture of dpi pixels per inch.
inline QImage PdfPageImage(const std::string& path, int page, int dpi) {
    const QString prefix = QString::fromStdString(path) + "-page";
    QProcess p;
    p.start("pdftoppm", {"-png", "-r", QString::number(dpi), "-f", QString::number(page), "-l",
                         QString::number(page), "-singlefile", QString::fromStdString(path), prefix});
    p.waitForFinished(60000);
    return QImage(prefix + ".png");
}

} // namespace vexo
