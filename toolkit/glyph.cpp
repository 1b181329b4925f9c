// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/glyph.h"

#include <QPixmap>

namespace {

QPixmap masked(const QImage &bitmap)
{
    QImage image = bitmap.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == transparent)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return QPixmap::fromImage(image);
}

} // namespace

QIcon glyphIcon(const QImage &bitmap, const QImage &doubleDensity)
{
    if (bitmap.isNull())
        return QIcon();
    QIcon icon(masked(bitmap));
    if (!doubleDensity.isNull()) {
        QPixmap doubled = masked(doubleDensity);
        doubled.setDevicePixelRatio(2);
        icon.addPixmap(doubled);
    }
    return icon;
}
