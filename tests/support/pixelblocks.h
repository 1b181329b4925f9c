// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

// The share of a picture's 2 x 2 pixel blocks that are not one colour. A
// picture blown up from half its size has none; the game's pictures drawn at
// their own size have a tenth to a half.
inline double mixedBlockShare(const QImage &picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    long blocks = 0, mixed = 0;
    for (int y = 0; y + 1 < image.height(); y += 2)
        for (int x = 0; x + 1 < image.width(); x += 2, ++blocks) {
            const QRgb c = image.pixel(x, y);
            mixed += image.pixel(x + 1, y) != c || image.pixel(x, y + 1) != c || image.pixel(x + 1, y + 1) != c;
        }
    return blocks ? double(mixed) / double(blocks) : 0.0;
}
