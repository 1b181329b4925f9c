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
    QImage image = source.depth() <= 8 ? source : source.convertToFormat(QImage::Format_RGB32);
    image.setDotsPerMeterX(DotsPerMeter);
    image.setDotsPerMeterY(DotsPerMeter);
    // Qt copies the padding bytes of 1- and 8-bit rows from memory as they
    // are; clear them so that the file depends on the pixels alone.
    const int usedBytes = (image.width() * image.depth() + 7) / 8;
    if (image.depth() <= 8)
        for (int y = 0; y < image.height(); ++y)
            std::fill(image.scanLine(y) + usedBytes, image.scanLine(y) + image.bytesPerLine(), 0);
    QByteArray bytes = write(image, "bmp");
    // Qt counts every colour of the table as important; the game's files
    // say 0, which means all of them.
    constexpr int ClrImportantOffset = 14 + 36;
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

QByteArray ImageEncoder::png(const QImage &image)
{
    return write(image.convertToFormat(QImage::Format_ARGB32), "png");
}
