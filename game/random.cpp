// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/random.h"

namespace {

uint64_t g_state = 0;

constexpr uint64_t Multiplier = 0x15A00004E35ull;

} // namespace

void SeedRandom(uint32_t seed)
{
    g_state = uint32_t(seed * 22695477u + 1u);
}

int32_t Random()
{
    g_state = g_state * Multiplier + 1u; // wraps modulo 2^64
    return int32_t((g_state >> 32) & 0x7FFFFFFFu);
}
