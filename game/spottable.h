// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>

#include <array>

// Top-left corners of the eight spots where targets pop up, in play-area
// pixels. With 76 x 56 sprites no two sprites or strike areas overlap.
inline constexpr std::array<QPoint, 8> SpotTable = {{
    {20, 20}, {40, 125}, {60, 190}, {200, 50},
    {230, 155}, {380, 110}, {430, 20}, {415, 190},
}};

// A strike reaches this many pixels beyond a sprite to the left and above,
// and not at all to the right or below.
inline constexpr int StrikeReach = 10;
