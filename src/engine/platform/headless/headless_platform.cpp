#include "engine/platform/headless/headless_platform.h"

#include <cstdlib>

#include "engine/process/process.h"

HeadlessPlatform::HeadlessPlatform() = default;

void HeadlessPlatform::SleepMillis(int millis) {
  if (millis > 0) now_ += millis;
}

void HeadlessPlatform::WaitUntil(int64_t deadline) {
  if (deadline > now_) now_ = deadline;
}

void HeadlessPlatform::PressKey(int code) {
  PushEvent({InputEvent::kKeyDown, code, 0, 0, false});
}
void HeadlessPlatform::ReleaseKey(int code) {
  PushEvent({InputEvent::kKeyUp, code, 0, 0, false});
}
void HeadlessPlatform::TapKey(int code) {
  PressKey(code);
  ReleaseKey(code);
}

void HeadlessPlatform::MoveMouse(int x, int y) {
  mouse_x_ = x;
  mouse_y_ = y;
  PushEvent({InputEvent::kMotion, 0, x, y, false});
}

void HeadlessPlatform::PressButton(int button) {
  PushEvent({InputEvent::kButtonDown, button, mouse_x_, mouse_y_, false});
}
void HeadlessPlatform::ReleaseButton(int button) {
  PushEvent({InputEvent::kButtonUp, button, mouse_x_, mouse_y_, false});
}

void HeadlessPlatform::Click(int button, int x, int y) {
  MoveMouse(x, y);
  PressButton(button);
  ReleaseButton(button);
}

void HeadlessPlatform::RequestClose() {
  PushEvent({InputEvent::kCloseRequest, 0, 0, 0, false});
}

void HeadlessPlatform::PlugPad(int pad) {
  PushEvent({InputEvent::kPadAdded, 0, 0, 0, false, pad});
}
void HeadlessPlatform::UnplugPad(int pad) {
  PushEvent({InputEvent::kPadRemoved, 0, 0, 0, false, pad});
}
void HeadlessPlatform::PressPadButton(int pad, int button) {
  PushEvent({InputEvent::kPadButtonDown, button, 0, 0, false, pad});
}
void HeadlessPlatform::ReleasePadButton(int pad, int button) {
  PushEvent({InputEvent::kPadButtonUp, button, 0, 0, false, pad});
}
void HeadlessPlatform::TapPadButton(int pad, int button) {
  PressPadButton(pad, button);
  ReleasePadButton(pad, button);
}
void HeadlessPlatform::MovePadAxis(int pad, int axis, int value) {
  PushEvent({InputEvent::kPadAxis, axis, value, 0, false, pad});
}
void HeadlessPlatform::LoseFocus() {
  PushEvent({InputEvent::kFocusLost, 0, 0, 0, false});
}
void HeadlessPlatform::GainFocus() {
  PushEvent({InputEvent::kFocusGained, 0, 0, 0, false});
}
void HeadlessPlatform::Minimise() {
  PushEvent({InputEvent::kMinimized, 0, 0, 0, false});
}
void HeadlessPlatform::Restore() {
  PushEvent({InputEvent::kRestored, 0, 0, 0, false});
}

bool HeadlessPlatform::SetFullScreen(bool on) {
  if (windows_.empty()) return false;
  if (on != full_screen_) ++full_screen_switches_;
  full_screen_ = on;
  return true;
}

void HeadlessPlatform::PollEvents(std::vector<InputEvent>* out) {
  out->insert(out->end(), pending_.begin(), pending_.end());
  pending_.clear();
}

void HeadlessPlatform::Presented(bool vsync) {
  ++flips_;
  if (vsync) ++vsync_flips_;
  last_frame_ = std::move(current_);
  current_.clear();
}

void HeadlessPlatform::Exit(int code) {
  std::exit(code);
}

std::shared_ptr<HeadlessPlatform> UseHeadlessPlatform() {
  auto platform = std::make_shared<HeadlessPlatform>();
  SetPlatform(platform);
  ResetEngine();
  return platform;
}
