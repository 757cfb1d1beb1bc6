#pragma once

#include <chrono>
#include <cstdint>

// The one random generator of the process: it rolls the host's dice, picks the
// first seat and scatters the dice pictures on the client. A 32-bit linear
// congruential generator, s := s * 134775813 + 1, read through its upper bits.
// Not thread-safe; everything runs on the user-interface thread.
namespace rng {

// Seeds from the UTC time of day, once at program start.
void randomize();

void setRandomSeed(std::uint32_t seed);
std::uint32_t randomSeed();

// A draw from 0 to n - 1, each equally likely. Advances the state even when
// n < 1, which gives 0.
int randomBelow(int n);

// Milliseconds since midnight UTC of the given moment.
std::uint32_t timeOfDaySeed(std::chrono::system_clock::time_point when);

}  // namespace rng
