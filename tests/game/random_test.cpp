// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/random.h"

#include <gtest/gtest.h>

TEST(Random, SeedZeroGivesTheKnownFirstDraws)
{
    SeedRandom(0);
    EXPECT_EQ(Random(), 346);
    EXPECT_EQ(Random(), 13854878);
    EXPECT_EQ(Random(), 1621890440);
}

TEST(Random, EightSpotsAreDrawnEvenly)
{
    // The spawn draw is taken modulo the population setting; each of the eight
    // spots must come up about equally often.
    SeedRandom(12345);
    int counts[8] = {};
    const int draws = 80000;
    for (int i = 0; i < draws; ++i)
        ++counts[Random() % 8];
    for (const int count : counts) {
        EXPECT_GT(count, draws / 8 * 9 / 10);
        EXPECT_LT(count, draws / 8 * 11 / 10);
    }
}
