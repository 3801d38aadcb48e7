#pragma once
// JPEG files for the picture tests, written by Qt's own JPEG writer so that the decoder under test
// reads data it did not produce.
#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <fstream>
#include <string>

namespace vexo {

inline std::string MakeJpeg(int width, int height, const QColor& color) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 95);
    return bytes.toStdString();
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

} // namespace vexo
