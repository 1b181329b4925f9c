// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

#include <vector>

// Finds the flat water of a picture and counts how many of its pixels a
// decoded copy gets wrong. The game wipes sprites with the plain window
// colour, so any tint left in the water would show round every wiped spot.
//
// JPEG codes 16x16 blocks (the 2x2-subsampled chroma covers 16 pixels per
// block) and smooths chroma across block borders by one chroma sample, so a
// pixel counts as flat water when every block within reach of it holds
// nothing but water. Ringing round an edge stays inside the edge's blocks
// and does not count against the water.
class WaterChecker
{
public:
    static constexpr int BlockSize = 16;
    static constexpr int Reach = 2;

    WaterChecker(const QImage &source, QRgb water);

    int flatPixels() const { return static_cast<int>(m_flat.size()); }
    int wrongPixels(const QImage &decoded) const;

private:
    QRgb m_water;
    std::vector<QPoint> m_flat;
};
