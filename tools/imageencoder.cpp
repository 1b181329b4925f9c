// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "imageencoder.h"

#include <QBuffer>
#include <QImageWriter>
#include <QtEndian>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

// 96 dpi, the density the window layouts are designed for. Set here rather
// than left to QImage, whose default follows the screen the tool runs on.
constexpr int DotsPerMeter = 3780;

QByteArray write(const QImage &image, const char *format, int quality = -1)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    if (!writer.write(image))
        throw std::runtime_error(std::string(format) + " encoding failed: " + writer.errorString().toStdString());
    return buffer.data();
}

} // namespace

QByteArray ImageEncoder::bmp(const QImage &source)
{
    const bool indexed = source.format() == QImage::Format_Indexed8;
    // Qt would drop to 4 bits per pixel for a table of 16 colours or fewer.
    if (indexed && source.colorCount() != 256)
        throw std::runtime_error("8-bit bitmap needs an indexed image with a full 256-colour table");
    QImage image = indexed ? source : source.convertToFormat(QImage::Format_RGB32);
    image.setDotsPerMeterX(DotsPerMeter);
    image.setDotsPerMeterY(DotsPerMeter);
    // Qt copies an indexed row's padding bytes from memory as they are;
    // clear them so that the file depends on the pixels alone.
    if (indexed)
        for (int y = 0; y < image.height(); ++y)
            std::fill(image.scanLine(y) + image.width(), image.scanLine(y) + image.bytesPerLine(), 0);
    QByteArray bytes = write(image, "bmp");
    // Qt counts all 256 colours as important; the game's bitmaps say so
    // with 0, the value that means "all of them".
    constexpr int ClrImportantOffset = 14 + 36;
    if (indexed)
        qToLittleEndian<quint32>(0, bytes.data() + ClrImportantOffset);
    return bytes;
}

QByteArray ImageEncoder::jpeg(const QImage &image, int quality)
{
    QByteArray bytes = write(image, "jpg", quality);
    // Qt always states a density in dots per inch. The pictures have no
    // physical size, only square pixels: unit 0, aspect ratio 1:1.
    static const QByteArray jfifStart("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01", 13);
    static const QByteArray squarePixels("\x00\x00\x01\x00\x01", 5);
    if (!bytes.startsWith(jfifStart))
        throw std::runtime_error("Qt's JPEG writer did not start with a JFIF 1.01 header");
    bytes.replace(jfifStart.size(), squarePixels.size(), squarePixels);
    return bytes;
}
