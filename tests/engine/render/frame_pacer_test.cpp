// The software frame schedule of timed flips, on the settable clock.
#include "engine/render/frame_pacer.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/platform/headless/headless_platform.h"
#include "engine/render/graphics.h"
#include "engine/render/swap_plan.h"

namespace {

TEST(FramePacer, SixtyHertzIsSixteenSeventeenSeventeen) {
  auto platform = UseHeadlessPlatform();
  FramePacer pacer;
  pacer.Start(60, platform->Millis());
  std::vector<int64_t> lengths;
  int64_t last = platform->Millis();
  const int64_t start = last;
  for (int i = 0; i < 60; ++i) {
    pacer.Wait(*platform);
    lengths.push_back(platform->Millis() - last);
    last = platform->Millis();
  }
  EXPECT_EQ((std::vector<int64_t>(lengths.begin(), lengths.begin() + 6)),
            (std::vector<int64_t>{16, 17, 17, 16, 17, 17}));
  EXPECT_EQ(last - start, 1000);
}

TEST(FramePacer, LateFrameRestartsTheScheduleWithoutCatchingUp) {
  auto platform = UseHeadlessPlatform();
  FramePacer pacer;
  pacer.Start(60, platform->Millis());
  pacer.Wait(*platform);
  platform->AdvanceMillis(100);  // a slow frame
  const int64_t late = platform->Millis();
  pacer.Wait(*platform);
  EXPECT_EQ(platform->Millis(), late);  // presented at once
  pacer.Wait(*platform);
  EXPECT_GE(platform->Millis() - late, 16);  // then full frames again
  EXPECT_LE(platform->Millis() - late, 17);

  // Work inside a frame is absorbed by the wait.
  const int64_t before = platform->Millis();
  platform->AdvanceMillis(10);
  pacer.Wait(*platform);
  EXPECT_LE(platform->Millis() - before, 17);

  // Odd rates still give exactly hz frames a second; no rate means no pacing.
  pacer.Start(70, platform->Millis());
  const int64_t start = platform->Millis();
  for (int i = 0; i < 70; ++i) pacer.Wait(*platform);
  EXPECT_EQ(platform->Millis() - start, 1000);
  pacer.Start(0, platform->Millis());
  EXPECT_FALSE(pacer.Active());
  EXPECT_EQ(pacer.NextDue(5), 5);
}

TEST(FramePacer, TimedFlipOfAWindowIsPacedByItsRate) {
  auto platform = UseHeadlessPlatform();
  ASSERT_TRUE(OpenGraphics(340, 100, 0, 60, 0));
  const int64_t start = platform->Millis();
  for (int i = 0; i < 60; ++i) Flip(-1);
  EXPECT_EQ(platform->Millis() - start, 1000);
  EXPECT_EQ(platform->Flips(), 60);
  EXPECT_EQ(platform->VsyncFlips(), 0);
  // At once: no wait.
  Flip(0);
  EXPECT_EQ(platform->Millis() - start, 1000);
}

TEST(FramePacer, RetraceScheduleNeitherDriftsNorRushes) {
  RetracePacer pacer;
  pacer.Start(60, 0);
  int64_t now = 0;
  for (int i = 0; i < 600; ++i) now = pacer.NextDue(now);
  EXPECT_EQ(now, 10000000) << "600 frames are exactly ten seconds";

  pacer.Start(60, 0);
  EXPECT_EQ(pacer.NextDue(0), 16666);
  // A little late: shown at once, and the schedule stays where it was.
  EXPECT_EQ(pacer.NextDue(36000), 36000);
  EXPECT_EQ(pacer.NextDue(36100), 50000);
  // Late by more than half a frame: the schedule starts again from then, no catching up.
  EXPECT_EQ(pacer.NextDue(90000), 90000);
  EXPECT_EQ(pacer.NextDue(90000), 106667);
}

TEST(FramePacer, SwapPlanUsesTheIntervalOnlyWhereTheDisplayPacesSixtyItself) {
  const SwapPlan software{1, true};
  // Multiples of 60 Hz whose swaps really wait: the interval alone paces, one retrace in k.
  EXPECT_EQ(PlanSwaps(60, 16.7), (SwapPlan{1, false}));
  EXPECT_EQ(PlanSwaps(59, 16.9), (SwapPlan{1, false}));
  EXPECT_EQ(PlanSwaps(120, 8.3), (SwapPlan{2, false}));
  EXPECT_EQ(PlanSwaps(180, 5.6), (SwapPlan{3, false}));
  EXPECT_EQ(PlanSwaps(239, 4.2), (SwapPlan{4, false}));
  // A driver that ignores the interval (a virtual display) returns at once: the clock paces.
  EXPECT_EQ(PlanSwaps(60, 0.4), software);
  EXPECT_EQ(PlanSwaps(120, 5.0), software);
  // Rates that are no multiple of 60, or beyond 240, keep vsync on with software pacing.
  for (int hz : {50, 75, 90, 100, 144, 165, 300}) EXPECT_EQ(PlanSwaps(hz, 1000.0 / hz), software) << hz;
  // Nothing known: the safe choice.
  EXPECT_EQ(PlanSwaps(0, 16.7), software);
  EXPECT_EQ(PlanSwaps(60, 0), software);
}

}  // namespace
