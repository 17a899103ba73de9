#include "engine/render/swap_plan.h"

#include <cmath>

SwapPlan PlanSwaps(int refresh_hz, double swap_ms) {
  SwapPlan software;  // interval 1 and the clock
  if (refresh_hz <= 0 || swap_ms <= 0) return software;
  const int multiple = static_cast<int>(std::lround(refresh_hz / 60.0));
  if (multiple < 1 || multiple > 4 || std::abs(refresh_hz - 60 * multiple) > 1) return software;
  // Drivers may ignore the interval (virtual displays, some compositors): then a swap returns about as
  // fast as the copy, far below one retrace. Anything from three quarters of a retrace up counts as
  // waiting for it.
  const double retrace_ms = 1000.0 / refresh_hz;
  if (swap_ms < 0.75 * retrace_ms) return software;
  return SwapPlan{multiple, false};
}
