#pragma once

#include <QImage>

// Finds the flat water of a picture (pixels of the water colour with no
// other colour within Margin pixels) and counts how many of them a decoded
// copy gets wrong. The game wipes sprites with the plain window colour, so
// any tint left in the water would show as a patch around every wiped spot.
class WaterChecker
{
public:
    static constexpr int Margin = 8;

    WaterChecker(const QImage &source, QRgb water);

    int flatPixels() const { return static_cast<int>(m_flat.size()); }
    int wrongPixels(const QImage &decoded) const;

private:
    QRgb m_water;
    std::vector<QPoint> m_flat;
};
