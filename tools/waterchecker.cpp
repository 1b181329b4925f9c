// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "waterchecker.h"

#include <algorithm>

WaterChecker::WaterChecker(const QImage &source, QRgb water) : m_water(water | 0xFF000000u)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width(), h = image.height();
    const int columns = (w + BlockSize - 1) / BlockSize, rows = (h + BlockSize - 1) / BlockSize;
    std::vector<char> plain(static_cast<std::size_t>(columns * rows), 1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (image.pixel(x, y) != m_water)
                plain[static_cast<std::size_t>((y / BlockSize) * columns + x / BlockSize)] = 0;

    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            bool flat = true;
            for (int by = std::max(0, y - Reach) / BlockSize; by <= std::min(h - 1, y + Reach) / BlockSize; ++by)
                for (int bx = std::max(0, x - Reach) / BlockSize; bx <= std::min(w - 1, x + Reach) / BlockSize;
                     ++bx)
                    flat = flat && plain[static_cast<std::size_t>(by * columns + bx)];
            if (flat)
                m_flat.emplace_back(x, y);
        }
}

int WaterChecker::wrongPixels(const QImage &decoded) const
{
    const QImage image = decoded.convertToFormat(QImage::Format_RGB32);
    return static_cast<int>(std::count_if(m_flat.begin(), m_flat.end(),
                                          [&](const QPoint &p) { return image.pixel(p) != m_water; }));
}
