#include "engine/render/frame_pacer.h"

#include "engine/platform/seam.h"

void FramePacer::Start(int hz, int64_t now) {
  if (hz <= 0) {
    *this = FramePacer();
    return;
  }
  hz_ = hz;
  period_ = 1000 / hz;
  remainder_ = 1000 - period_ * hz;
  accumulator_ = 0;
  due_ = now;
}

int64_t FramePacer::NextDue(int64_t now) {
  if (hz_ <= 0) return now;
  due_ += period_;
  // The remainder spreads the milliseconds that 1000 / hz loses over the second, one at a time.
  accumulator_ += remainder_;
  if (accumulator_ >= hz_) {
    accumulator_ -= hz_;
    due_ += 1;
  }
  if (due_ - now > 0) return due_;
  // Late: start again from now rather than rushing the next frames to catch up.
  due_ = now;
  return now;
}

void FramePacer::Wait(Platform& platform) {
  const int64_t now = platform.Millis();
  const int64_t due = NextDue(now);
  if (due > now) platform.WaitUntil(due);
}

void RetracePacer::Start(int hz, int64_t now_micros) {
  if (hz <= 0) {
    *this = RetracePacer();
    return;
  }
  hz_ = hz;
  period_ = 1000000 / hz;
  remainder_ = 1000000 - period_ * hz;
  accumulator_ = 0;
  due_ = now_micros;
}

int64_t RetracePacer::NextDue(int64_t now_micros) {
  if (hz_ <= 0) return now_micros;
  due_ += period_;
  accumulator_ += remainder_;
  if (accumulator_ >= hz_) {
    accumulator_ -= hz_;
    due_ += 1;
  }
  if (due_ > now_micros) return due_;
  if (now_micros - due_ >= period_ / 2) due_ = now_micros;
  return now_micros;
}

void RetracePacer::Wait(Platform& platform) {
  const int64_t now = platform.Micros();
  const int64_t due = NextDue(now);
  if (due > now) platform.WaitUntilMicros(due);
}
