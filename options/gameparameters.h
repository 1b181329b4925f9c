#pragma once

#include <cstdint>

// The three parameters that govern a game. The game window holds them; the
// options dialog reads them when it opens and writes them back on OK.
struct GameParameters {
    int32_t TargetLife = 0; // ticks a new target stays up
    int32_t SpawnRange = 0; // modulus of the spawn draw made on every tick
    int32_t GameLength = 0; // ticks in one game
};
