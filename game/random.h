// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// The game's random generator: a 64-bit linear congruential generator with
// one state for the whole program, used only from the GUI thread. Its
// sequence is fixed, so a seed always gives the same targets.
void SeedRandom(uint32_t seed);

// The next draw, from 0 to 2^31 - 1.
int32_t Random();
