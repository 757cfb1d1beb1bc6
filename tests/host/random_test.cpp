#include "host/random.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>

namespace {

// The generator written out with 64-bit arithmetic, for comparison.
struct ReferenceLcg {
    std::uint64_t state;
    int below(std::uint64_t n) {
        state = (state * 134775813u + 1u) % (std::uint64_t{1} << 32);
        return static_cast<int>((n * state) / (std::uint64_t{1} << 32));
    }
};

TEST(RandomTest, FollowsTheLinearCongruentialSequence) {
    for (std::uint32_t seed : {0u, 1u, 12345678u, 86399999u, 0xFFFFFFFFu}) {
        rng::setRandomSeed(seed);
        ReferenceLcg reference{seed};
        for (int n : {6, 4, 1, 100, 2147483647, 6, 6, 37}) {
            ASSERT_EQ(rng::randomBelow(n), reference.below(n)) << "seed " << seed << " n " << n;
            ASSERT_EQ(rng::randomSeed(), reference.state);
        }
    }
}

TEST(RandomTest, KnownFirstDrawsFromZero) {
    // States worked out by hand: 1, 134775814, then 134775814 * 134775813 + 1 =
    // 18164519904586783, which is 3698175007 modulo 2^32, then 870078620.
    rng::setRandomSeed(0);
    const std::array<std::uint32_t, 4> states{1u, 134775814u, 3698175007u, 870078620u};
    const std::array<int, 4> faces{0, 0, 5, 1};  // 6 * state >> 32
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(rng::randomBelow(6), faces[i]);
        EXPECT_EQ(rng::randomSeed(), states[i]);
    }
}

TEST(RandomTest, EmptyRangeGivesZeroButStillDraws) {
    rng::setRandomSeed(99);
    EXPECT_EQ(rng::randomBelow(0), 0);
    EXPECT_EQ(rng::randomBelow(-5), 0);
    ReferenceLcg reference{99};
    reference.below(1);
    reference.below(1);
    EXPECT_EQ(rng::randomSeed(), reference.state);
}

TEST(RandomTest, FacesAreRoughlyEven) {
    rng::setRandomSeed(20240305);
    constexpr int kDraws = 60000;
    std::array<int, 6> counts{};
    for (int i = 0; i < kDraws; ++i) {
        const int face = rng::randomBelow(6);
        ASSERT_GE(face, 0);
        ASSERT_LT(face, 6);
        ++counts[face];
    }
    for (int count : counts) {
        EXPECT_GT(count, kDraws / 6 * 95 / 100);
        EXPECT_LT(count, kDraws / 6 * 105 / 100);
    }
}

TEST(RandomTest, SeedIsMillisecondsSinceMidnightUtc) {
    using namespace std::chrono;
    const sys_days day = year{2024} / March / 5;
    EXPECT_EQ(rng::timeOfDaySeed(day), 0u);
    EXPECT_EQ(rng::timeOfDaySeed(day + hours{13} + minutes{45} + seconds{27} + milliseconds{123}),
              ((13u * 60 + 45) * 60 + 27) * 1000 + 123);
    EXPECT_EQ(rng::timeOfDaySeed(day + days{1} - milliseconds{1}), 86399999u);
    // Before 1970 the day still starts at midnight.
    const sys_days old = year{1969} / December / 31;
    EXPECT_EQ(rng::timeOfDaySeed(old + hours{23} + milliseconds{5}), 23u * 3600 * 1000 + 5);
}

TEST(RandomTest, RandomizeSeedsFromTheClock) {
    const auto before = rng::timeOfDaySeed(std::chrono::system_clock::now());
    rng::randomize();
    const auto seeded = rng::randomSeed();
    const auto after = rng::timeOfDaySeed(std::chrono::system_clock::now());
    if (before <= after) {  // not across midnight
        EXPECT_GE(seeded, before);
        EXPECT_LE(seeded, after);
    }
}

}  // namespace
