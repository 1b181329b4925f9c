#include "waterchecker.h"

#include <vector>

WaterChecker::WaterChecker(const QImage &source, QRgb water) : m_water(water | 0xFF000000u)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width(), h = image.height();
    // Summed-area table of non-water pixels, so each window costs O(1).
    std::vector<int> sum(static_cast<std::size_t>((w + 1) * (h + 1)), 0);
    auto at = [&sum, w](int x, int y) -> int & { return sum[static_cast<std::size_t>(y * (w + 1) + x)]; };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            at(x + 1, y + 1) = (image.pixel(x, y) != m_water ? 1 : 0) + at(x, y + 1) + at(x + 1, y) - at(x, y);

    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int x0 = std::max(0, x - Margin), y0 = std::max(0, y - Margin);
            const int x1 = std::min(w, x + Margin + 1), y1 = std::min(h, y + Margin + 1);
            if (at(x1, y1) - at(x0, y1) - at(x1, y0) + at(x0, y0) == 0)
                m_flat.emplace_back(x, y);
        }
}

int WaterChecker::wrongPixels(const QImage &decoded) const
{
    const QImage image = decoded.convertToFormat(QImage::Format_RGB32);
    int wrong = 0;
    for (const QPoint &p : m_flat)
        if (image.pixel(p) != m_water)
            ++wrong;
    return wrong;
}
