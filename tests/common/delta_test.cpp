#include "common/delta.h"

#include <gtest/gtest.h>

#include "engine/platform/headless/headless_platform.h"

TEST(Delta, FrameTimeIsWholeMillisecondsTimesFloatMilli) {
  TDelta::Reset();
  TDelta::StartAt(5000);
  TDelta::UpdateAt(5016);
  EXPECT_EQ(TDelta::Time(), 0.016000000759959221);
  TDelta::UpdateAt(5033);
  EXPECT_EQ(TDelta::Time(), 0.017000000807456672);
  TDelta::UpdateAt(5033);
  EXPECT_EQ(TDelta::Time(), 0.0);
  // A stall is passed on unclamped.
  TDelta::UpdateAt(10033);
  EXPECT_NEAR(TDelta::Time(), 5.0, 1e-6);
}

TEST(Delta, ClockSteppingBackwardsGivesNoTime) {
  TDelta::Reset();
  TDelta::StartAt(100000);
  TDelta::UpdateAt(90000);
  EXPECT_EQ(TDelta::Time(), 0.0);
  // Measuring goes on from the new clock value.
  TDelta::UpdateAt(90010);
  EXPECT_EQ(TDelta::Time(), 10 * 0.0010000000474974513);
}

TEST(Delta, FramesPerSecondRefreshesAfterMoreThanASecond) {
  TDelta::Reset();
  TDelta::StartAt(50000);
  // The first update refreshes at once, because the refresh stamp starts at 0.
  TDelta::UpdateAt(50000);
  EXPECT_EQ(TDelta::FPS(), 1);
  // 60 frames of 16 ms reach 50960; exactly 1000 ms later is not yet "more than".
  for (int i = 1; i <= 60; ++i) TDelta::UpdateAt(50000 + i * 16);
  EXPECT_EQ(TDelta::FPS(), 1);
  TDelta::UpdateAt(51000);
  EXPECT_EQ(TDelta::FPS(), 1);
  TDelta::UpdateAt(51001);
  EXPECT_EQ(TDelta::FPS(), 62);
}

TEST(Delta, ReadsTheEngineClock) {
  auto platform = UseHeadlessPlatform();
  TDelta::Reset();
  TDelta::Start();
  platform->AdvanceMillis(20);
  TDelta::Update();
  EXPECT_EQ(TDelta::Time(), 20 * 0.0010000000474974513);
}
