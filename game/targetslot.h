// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// What the game knows about one spot.
struct TargetSlot {
    // 0: the spot is empty. Otherwise the last tick the sprite stays up.
    int32_t ExpiryTick = 0;
    // The target here has been struck and shows the splash.
    bool Hit = false;
};
