// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pixelart.h"

#include <QFile>
#include <QStringList>

#include <stdexcept>

namespace {

QRgb colourOf(QChar c)
{
    switch (c.unicode()) {
    case '.':
        return qRgba(0, 0, 0, 0);
    case 'X':
        return qRgb(0, 0, 0);
    case 'r':
        return qRgb(255, 0, 0);
    case 'o':
        return qRgb(255, 255, 255);
    default:
        throw std::runtime_error(std::string("unknown pixel character '") + static_cast<char>(c.unicode()) + "'");
    }
}

} // namespace

QImage PixelArt::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error("cannot read " + path.toStdString());
    QStringList rows;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QString row = line.trimmed();
        if (!row.isEmpty() && !row.startsWith(u';'))
            rows << row;
    }
    if (rows.isEmpty())
        throw std::runtime_error(path.toStdString() + " holds no pixels");
    QImage image(static_cast<int>(rows.first().size()), static_cast<int>(rows.size()), QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        if (rows[y].size() != image.width())
            throw std::runtime_error(path.toStdString() + ": rows differ in length");
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, colourOf(rows[y][x]));
    }
    return image;
}
