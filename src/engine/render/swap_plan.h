#pragma once
// SwapPlan: how one window reaches 60 frames per second without tearing, decided from its display's
// refresh rate and how long a swap with interval 1 was measured to take there.
struct SwapPlan {
  int interval = 1;             // the swap interval a vsynced present uses
  bool software_pacing = true;  // whether the frame is also held back to 1/60 s by the clock
  bool operator==(const SwapPlan&) const = default;
};

// refresh_hz: the display's rate (0 when unknown); swap_ms: the measured time of one swap with interval
// 1 (0 or less when it could not be measured). A display at 60, 120, 180 or 240 Hz (within 1 Hz) whose
// swaps really wait for it is paced by the interval alone (1, 2, 3 or 4); anything else keeps vsync on
// and paces in software.
SwapPlan PlanSwaps(int refresh_hz, double swap_ms);
