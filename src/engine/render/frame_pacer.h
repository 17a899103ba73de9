#pragma once
// FramePacer: the software frame schedule of a timed Flip. Whole-millisecond frames whose lengths add
// up to exactly one second per hz frames (16/17/17 ms at 60 Hz); a late frame restarts the schedule.
#include <cstdint>

class Platform;

class FramePacer {
 public:
  // Starts a schedule of hz frames per second at `now`; hz <= 0 turns pacing off.
  void Start(int hz, int64_t now);
  bool Active() const { return hz_ > 0; }
  int Hz() const { return hz_; }

  // Advances the schedule by one frame and returns the time the frame is due. When it is already
  // due (or late) the schedule restarts at `now` and `now` is returned.
  int64_t NextDue(int64_t now);
  // Advances the schedule and waits on the platform's clock until the frame is due.
  void Wait(Platform& platform);

 private:
  int hz_ = 0;
  int period_ = 0;
  int remainder_ = 0;
  int accumulator_ = 0;
  int64_t due_ = 0;
};

// RetracePacer: 60 frames per second by the clock where vsync does not pace them, on absolute deadlines
// in microseconds (1/60 s each, the remainder spread so that none is lost), so that frames neither drift
// nor jitter by whole milliseconds. A frame a little late keeps the schedule; one late by half a frame
// or more restarts it instead of rushing the next frames.
class RetracePacer {
 public:
  void Start(int hz, int64_t now_micros);
  bool Active() const { return hz_ > 0; }
  // Advances by one frame and returns when it is due (now when it is late).
  int64_t NextDue(int64_t now_micros);
  void Wait(Platform& platform);

 private:
  int hz_ = 0;
  int64_t period_ = 0;
  int64_t remainder_ = 0;
  int64_t accumulator_ = 0;
  int64_t due_ = 0;
};
