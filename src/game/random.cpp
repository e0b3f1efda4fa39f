#include "game/random.h"

#include <chrono>
#include <random>

namespace {
std::mt19937_64 generator{0x5eed};
}

void SeedRandom(uint64_t seed) { generator.seed(seed); }

void SeedRandomFromClock() {
  SeedRandom(static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
             static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
}

int64_t RandomInt(int64_t n) {
  if (n <= 0) return 0;
  return std::uniform_int_distribution<int64_t>(0, n)(generator);
}
