// The game's one random generator, seeded once per run from the clock.
#pragma once

#include <cstdint>

void SeedRandom(uint64_t seed);
void SeedRandomFromClock();
// Uniform integer in 0..n inclusive (n >= 0).
int64_t RandomInt(int64_t n);
