// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "iconwriter.h"

#include "imageencoder.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

#include <stdexcept>

namespace {

enum ResourceType : quint16 { Icon = 1, Cursor = 2 };

// The image of an icon or a cursor is a bitmap without its 14-byte file
// header, its rows followed by those of a 1-bit AND mask. Its header gives
// twice the picture's height and counts the mask's bytes too.
QByteArray iconImage(const QImage &colour, const QImage &andMask)
{
    constexpr int FileHeaderBytes = 14, HeightOffset = 8, SizeImageOffset = 20;
    const qsizetype maskBytes = qsizetype((andMask.width() + 31) / 32 * 4) * andMask.height();
    QByteArray image = ImageEncoder::bmp(colour).mid(FileHeaderBytes);
    const quint32 colourBytes = qFromLittleEndian<quint32>(image.constData() + SizeImageOffset);
    qToLittleEndian<qint32>(colour.height() * 2, image.data() + HeightOffset);
    qToLittleEndian<quint32>(colourBytes + quint32(maskBytes), image.data() + SizeImageOffset);
    return image + ImageEncoder::bmp(andMask).right(maskBytes);
}

// ICONDIR with its one ICONDIRENTRY; the image follows right after it.
// Icons keep planes and bit count in field1 and field2, cursors the hot spot.
QByteArray withDirectory(ResourceType type, QSize size, int colourCount, int field1, int field2,
                         const QByteArray &image)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(type) << quint16(1) << quint8(size.width() % 256) << quint8(size.height() % 256)
        << quint8(colourCount) << quint8(0) << quint16(field1) << quint16(field2) << quint32(image.size())
        << quint32(6 + 16);
    return bytes + image;
}

QImage monochrome(QSize size, uint index)
{
    QImage image(size, QImage::Format_Mono);
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    image.fill(index);
    return image;
}

} // namespace

QByteArray IconWriter::monochromeCursor(const QImage &shape, QPoint hotSpot)
{
    // Palette entry 0 is black, so a drawn pixel has XOR 0 and AND 0; every
    // other pixel has AND 1, transparent.
    const QImage argb = shape.convertToFormat(QImage::Format_ARGB32);
    QImage andMask = monochrome(argb.size(), 1);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(argb.pixel(x, y)) >= 128)
                andMask.setPixel(x, y, 0);
    return withDirectory(Cursor, argb.size(), 2, hotSpot.x(), hotSpot.y(),
                         iconImage(monochrome(argb.size(), 0), andMask));
}

QByteArray IconWriter::vgaIcon(const QImage &indexed16)
{
    if (indexed16.format() != QImage::Format_Indexed8 || indexed16.colorTable() != vgaPalette())
        throw std::runtime_error("icon image must be indexed in the VGA palette");
    return withDirectory(Icon, indexed16.size(), 16, 1, 4, iconImage(indexed16, monochrome(indexed16.size(), 0)));
}

QList<QRgb> IconWriter::vgaPalette()
{
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}
