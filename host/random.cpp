#include "host/random.h"

namespace rng {

namespace {

std::uint32_t state = 0;

}  // namespace

void randomize() {
    state = timeOfDaySeed(std::chrono::system_clock::now());
}

void setRandomSeed(std::uint32_t seed) {
    state = seed;
}

std::uint32_t randomSeed() {
    return state;
}

int randomBelow(int n) {
    state = state * 134775813u + 1u;  // wraps modulo 2^32
    if (n < 1) return 0;
    const std::uint64_t product = static_cast<std::uint64_t>(n) * state;
    return static_cast<int>(product >> 32);
}

std::uint32_t timeOfDaySeed(std::chrono::system_clock::time_point when) {
    using namespace std::chrono;
    const auto sinceEpoch = duration_cast<milliseconds>(when.time_since_epoch());
    const auto sinceMidnight = sinceEpoch - floor<days>(sinceEpoch);
    return static_cast<std::uint32_t>(sinceMidnight.count());
}

}  // namespace rng
