#include "common/delta.h"

#include "engine/platform/platform.h"

namespace {
// The float value of 0.001, widened: frame times keep exactly the value the game has always moved by.
constexpr double kMillisToSeconds = static_cast<double>(0.001f);

int64_t g_last_millis = 0;
double g_delta_time = 0;
int g_frame_count = 0;
int g_fps = 0;
double g_fps_timer = 0;
}  // namespace

int TDelta::Start() {
  return StartAt(ClockMillis());
}

int TDelta::Update() {
  return UpdateAt(ClockMillis());
}

double TDelta::Time() {
  return g_delta_time;
}

int TDelta::FPS() {
  return g_fps;
}

void TDelta::Reset() {
  g_last_millis = 0;
  g_delta_time = 0;
  g_frame_count = 0;
  g_fps = 0;
  g_fps_timer = 0;
}

int TDelta::StartAt(int64_t now_millis) {
  g_last_millis = now_millis;
  return 0;
}

int TDelta::UpdateAt(int64_t now_millis) {
  const double now = static_cast<double>(now_millis);
  double elapsed = now - static_cast<double>(g_last_millis);
  // A clock that jumps backwards would send every mover the wrong way for a frame; treat it as no time.
  if (elapsed < 0) elapsed = 0;
  ++g_frame_count;
  if (now > g_fps_timer + 1000) {
    g_fps = g_frame_count;
    g_frame_count = 0;
    g_fps_timer = now;
  }
  g_delta_time = elapsed * kMillisToSeconds;
  g_last_millis = now_millis;
  return 0;
}
