#include "engine/render/frame_pacer.h"

#include "engine/platform/seam.h"

void PaceSchedule::Start(int hz, int64_t per_second, int64_t now) {
  if (hz <= 0) {
    *this = PaceSchedule();
    return;
  }
  hz_ = hz;
  period_ = per_second / hz;
  remainder_ = per_second - period_ * hz;
  accumulator_ = 0;
  due_ = now;
}

int64_t PaceSchedule::NextDue(int64_t now, int64_t restart_after) {
  if (hz_ <= 0) return now;
  due_ += period_;
  accumulator_ += remainder_;
  if (accumulator_ >= hz_) {
    accumulator_ -= hz_;
    due_ += 1;
  }
  if (due_ > now) return due_;
  if (now - due_ >= restart_after) due_ = now;
  return now;
}

void FramePacer::Wait(Platform& platform) {
  const int64_t now = platform.Millis();
  const int64_t due = NextDue(now);
  if (due > now) platform.WaitUntil(due);
}

void RetracePacer::Wait(Platform& platform) {
  const int64_t now = platform.Micros();
  const int64_t due = NextDue(now);
  if (due > now) platform.WaitUntilMicros(due);
}
