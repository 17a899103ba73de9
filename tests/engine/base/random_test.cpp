#include "engine/base/random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "engine/platform/headless/headless_platform.h"

TEST(EngineRandom, FixedStartingSequence) {
  UseHeadlessPlatform();
  EXPECT_EQ(RandomState(), 4660);
  // The first value takes two steps: 224942860 then 539475828.
  const double r = RandomDouble(0.0, 1.0);
  EXPECT_EQ(RandomState(), 539475828);
  EXPECT_DOUBLE_EQ(r, 0.4189887270692887);

  ResetEngine();
  EXPECT_EQ(RandomInt(1000, 8000), 3933);
  ResetEngine();
  EXPECT_EQ(RandomInt(1000, 8000), 3933);
}

TEST(EngineRandom, BoundsAndReversedArguments) {
  UseHeadlessPlatform();
  int low = 1 << 30, high = -(1 << 30);
  for (int i = 0; i < 20000; ++i) {
    const int v = RandomInt(1000, 8000);
    low = std::min(low, v);
    high = std::max(high, v);
  }
  EXPECT_GE(low, 1000);
  EXPECT_LE(high, 8000);
  EXPECT_LT(low, 1010);
  EXPECT_GT(high, 7990);

  for (int i = 0; i < 100; ++i) EXPECT_EQ(RandomInt(5, 5), 5);
  for (int i = 0; i < 1000; ++i) {
    const int v = RandomInt(10, 3);
    EXPECT_GE(v, 3);
    EXPECT_LE(v, 10);
    const double d = RandomDouble(1000, 3000);
    EXPECT_GE(d, 1000);
    EXPECT_LT(d, 3000);
    const double e = RandomDouble(3000, 1000);
    EXPECT_GE(e, 1000);
    EXPECT_LE(e, 3000);
  }
  // The widest range must not overflow (the sanitizer build would stop here).
  for (int i = 0; i < 100; ++i) RandomInt(INT_MIN, INT_MAX);
}

TEST(EngineRandom, SeedsThatWouldStickAreMovedIntoRange) {
  UseHeadlessPlatform();
  SeedRandom(0);
  EXPECT_NE(RandomState(), 0);
  RandomInt(0, 10);
  EXPECT_GT(RandomState(), 0);
  SeedRandom(-5);
  EXPECT_GT(RandomState(), 0);
  SeedRandom(2147483647);
  EXPECT_GT(RandomState(), 0);
}
