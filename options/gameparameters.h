// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// The three parameters that govern a game, with their defaults. The game
// window holds them; the options dialog reads them when it opens and writes
// them back on OK, keeping the game length within its bounds.
struct GameParameters {
    static constexpr int32_t DefaultGameLength = 150;
    static constexpr int32_t LongestGameLength = 9999;

    int32_t TargetLife = 15; // ticks a new target stays up
    int32_t SpawnRange = 30; // modulus of the spawn draw made on every tick
    int32_t GameLength = DefaultGameLength; // ticks in one game

    void restoreDefaults() { *this = GameParameters{}; }
};
