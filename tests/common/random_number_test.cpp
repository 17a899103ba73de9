#include "common/random_number.h"

#include <gtest/gtest.h>

#include <climits>

TEST(RandomNumber, MinimalStandardSequence) {
  auto generator = TRandomNumber::Create(1);
  EXPECT_EQ(generator->seed, 1.0);
  EXPECT_EQ(generator->getnumber(), 16807.0 / 2147483646.0);
  EXPECT_EQ(generator->last, 16807.0);
  generator->getnumber();
  EXPECT_EQ(generator->last, 282475249.0);
  generator->getnumber();
  EXPECT_EQ(generator->last, 1622650073.0);
  for (int i = 4; i <= 10000; ++i) generator->getnumber();
  EXPECT_EQ(generator->last, 1043618065.0);

  // setseed only records the seed.
  EXPECT_EQ(generator->setseed(77), 0);
  EXPECT_EQ(generator->seed, 77.0);
  EXPECT_EQ(generator->last, 1043618065.0);
}

TEST(RandomNumber, LargestStateGivesExactlyOne) {
  auto generator = TRandomNumber::Create(1);
  // 16807 x 739806647 = 2147483646 (mod 2147483647): the state just before the largest one.
  generator->last = 739806647.0;
  EXPECT_EQ(generator->getnumber(), 1.0);
  EXPECT_EQ(generator->last, 2147483646.0);
}

TEST(RandomNumber, RoundingThroughTheDecimalText) {
  EXPECT_EQ(TRandomNumber::RoundDrawn(2.5), 3);
  EXPECT_EQ(TRandomNumber::RoundDrawn(2.4999999999999996), 2);
  EXPECT_EQ(TRandomNumber::RoundDrawn(0.000056), 1);
  EXPECT_EQ(TRandomNumber::RoundDrawn(-2.7), -2);
  EXPECT_EQ(TRandomNumber::RoundDrawn(-2.3), -3);
  EXPECT_EQ(TRandomNumber::RoundDrawn(360.0), 360);
  EXPECT_EQ(TRandomNumber::RoundDrawn(0.0), 0);
  // Values an Int cannot hold are pinned rather than converted undefinedly.
  EXPECT_EQ(TRandomNumber::RoundDrawn(1e300), INT_MAX);
  EXPECT_EQ(TRandomNumber::RoundDrawn(-1e300), INT_MIN);
}

TEST(RandomNumber, RndCoversTheWholeRangeInclusive) {
  auto generator = TRandomNumber::Create(12345);
  bool seen_min = false, seen_max = false;
  for (int i = 0; i < 20000; ++i) {
    const int v = generator->Rnd(0, 360);
    ASSERT_GE(v, 0);
    ASSERT_LE(v, 360);
    seen_min |= v == 0;
    seen_max |= v == 360;
  }
  EXPECT_TRUE(seen_min);
  EXPECT_TRUE(seen_max);
  for (int i = 0; i < 1000; ++i) {
    const double d = generator->RndDouble(1.5, 2.5);
    ASSERT_GT(d, 1.5);
    ASSERT_LE(d, 2.5);
  }
}

TEST(RandomNumber, DegenerateSeedsAreMovedIntoRange) {
  // 0 would stick at 0 and a negative seed would only give negative values.
  for (double seed : {0.0, -1.0, -2147483647.0, 2147483647.0, 4294967294.0, 1e18}) {
    auto generator = TRandomNumber::Create(seed);
    EXPECT_EQ(generator->seed, seed);
    for (int i = 0; i < 100; ++i) {
      const double r = generator->getnumber();
      ASSERT_GT(r, 0.0) << seed;
      ASSERT_LE(r, 1.0) << seed;
    }
  }
  EXPECT_EQ(TRandomNumber::NormaliseSeed(5), 5.0);
  EXPECT_EQ(TRandomNumber::NormaliseSeed(2147483646), 2147483646.0);
  EXPECT_EQ(TRandomNumber::NormaliseSeed(-1), 2147483646.0);
  // Two different seeds keep giving different sequences.
  EXPECT_NE(TRandomNumber::Create(0)->getnumber(), TRandomNumber::Create(2)->getnumber());
}
