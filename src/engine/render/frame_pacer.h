#pragma once
// FramePacer: the software frame schedule of a timed Flip. Whole-millisecond frames whose lengths add
// up to exactly one second per hz frames (16/17/17 ms at 60 Hz); a late frame restarts the schedule.
#include <cstdint>

class Platform;

// PaceSchedule: absolute deadlines for hz frames a second, counted in `per_second` ticks. Each frame is
// whole ticks long and the ticks that per_second / hz loses are spread one at a time, so hz frames add up
// to exactly one second.
class PaceSchedule {
 public:
  constexpr PaceSchedule() = default;
  void Start(int hz, int64_t per_second, int64_t now);
  bool Active() const { return hz_ > 0; }
  int Hz() const { return hz_; }
  int64_t Period() const { return period_; }
  // Advances by one frame and returns when it is due. A frame already due returns `now`; one late by
  // `restart_after` ticks or more also restarts the schedule at `now` instead of rushing the next frames.
  int64_t NextDue(int64_t now, int64_t restart_after);

 private:
  int hz_ = 0;
  int64_t period_ = 0;
  int64_t remainder_ = 0;
  int64_t accumulator_ = 0;
  int64_t due_ = 0;
};

class FramePacer {
 public:
  // Starts a schedule of hz frames per second at `now`; hz <= 0 turns pacing off.
  void Start(int hz, int64_t now) { schedule_.Start(hz, 1000, now); }
  bool Active() const { return schedule_.Active(); }
  int Hz() const { return schedule_.Hz(); }

  // Advances the schedule by one frame and returns the time the frame is due. When it is already
  // due (or late) the schedule restarts at `now` and `now` is returned.
  int64_t NextDue(int64_t now) { return schedule_.NextDue(now, 0); }
  // Advances the schedule and waits on the platform's clock until the frame is due.
  void Wait(Platform& platform);

 private:
  PaceSchedule schedule_;
};

// RetracePacer: 60 frames per second by the clock where vsync does not pace them, on absolute deadlines
// in microseconds, so that frames neither drift nor jitter by whole milliseconds. A frame a little late
// keeps the schedule; one late by half a frame or more restarts it instead of rushing the next frames.
class RetracePacer {
 public:
  void Start(int hz, int64_t now_micros) { schedule_.Start(hz, 1000000, now_micros); }
  bool Active() const { return schedule_.Active(); }
  // Advances by one frame and returns when it is due (now when it is late).
  int64_t NextDue(int64_t now_micros) { return schedule_.NextDue(now_micros, schedule_.Period() / 2); }
  void Wait(Platform& platform);

 private:
  PaceSchedule schedule_;
};
