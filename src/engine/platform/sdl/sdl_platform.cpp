#include "engine/platform/sdl/sdl_platform.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "engine/platform/sdl/sdl_display.h"
#include "engine/platform/sdl/sdl_platform_internal.h"
#include "engine/render/gl/gl_device.h"
#include "engine/render/graphics.h"

namespace {
using SteadyClock = std::chrono::steady_clock;

void SetHints() {
  // The game reads stop signals itself (on every screen, also where it reads no events); SDL's own
  // handlers would only turn two of them into a quit event.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // With only an X display named, only X is tried: SDL would otherwise go on to drivers that print
  // their own complaints or show nothing.
  if (!std::getenv("SDL_VIDEODRIVER") && std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  }
}

// An X server that is busy (many clients connecting at once, one going away) can refuse a connection
// for a moment, and the game would give up on a display that answers a little later. A display that
// is truly missing still fails, half a second later.
bool InitVideo() {
  constexpr int kAttempts = 5;
  for (int attempt = 1;; ++attempt) {
    SetHints();  // SDL_Quit forgets them
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0) return true;
    if (attempt == kAttempts) return false;
    SDL_Quit();
    std::this_thread::sleep_for(std::chrono::milliseconds(50 * attempt));
  }
}
}  // namespace

SdlPlatform::SdlPlatform() = default;

SdlPlatform::~SdlPlatform() {
  // Windows and the OpenGL context must go while SDL can still destroy them.
  CloseAllGraphics();
  ClosePads();
  GlDevice::Shutdown();
  SDL_Quit();
}

int64_t SdlPlatform::Millis() {
  // The monotonic clock counts from system start and never steps backwards.
  return std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now().time_since_epoch()).count();
}

void SdlPlatform::SleepMillis(int millis) {
  if (millis > 0) std::this_thread::sleep_for(std::chrono::milliseconds(millis));
}

void SdlPlatform::WaitUntil(int64_t deadline) {
  // Sleep to one millisecond before the deadline (the scheduler may oversleep by about that much),
  // then spin for the rest.
  for (;;) {
    const int64_t left = deadline - Millis();
    if (left <= 0) return;
    if (left > 1) {
      std::this_thread::sleep_for(std::chrono::milliseconds(left - 1));
    } else {
      std::this_thread::yield();
    }
  }
}

int64_t SdlPlatform::Micros() {
  return std::chrono::duration_cast<std::chrono::microseconds>(SteadyClock::now().time_since_epoch()).count();
}

void SdlPlatform::WaitUntilMicros(int64_t deadline) {
  // The scheduler wakes a sleeper up to about a millisecond late, more on a busy machine: sleep to
  // 1.5 ms before the deadline, then keep the processor until it comes. Yielding it instead lets any
  // other runnable thread have a whole time slice, which makes the frame late by milliseconds; the
  // frame is drawn already (the renderer's threads are idle), so little else wants it.
  constexpr int64_t kSpin = 1500;
  for (;;) {
    const int64_t left = deadline - Micros();
    if (left <= 0) return;
    if (left > kSpin) std::this_thread::sleep_for(std::chrono::microseconds(left - kSpin));
  }
}

void SdlPlatform::SetPointerVisible(bool visible) {
  pointer_visible = visible;
  SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void SdlPlatform::WarpPointer(int x, int y) {
  SDL_Window* window = Window();
  if (!window) return;
  const Letterbox map = PointerMapping();
  SDL_WarpMouseInWindow(window, static_cast<int>(x / map.scale_x + map.offset_x),
                        static_cast<int>(y / map.scale_y + map.offset_y));
}

void SdlPlatform::Exit(int code) {
  SDL_Quit();
  std::_Exit(code);
}

std::shared_ptr<Platform> CreateSdlPlatform() {
  if (!InitVideo()) return nullptr;
  // When no display answers SDL falls back to a driver that shows nothing, and the game would run
  // unseen for ever. A driver the user chose by name is trusted.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!std::getenv("SDL_VIDEODRIVER") && !VideoDriverShowsWindows(driver)) {
    SDL_Quit();
    return nullptr;
  }
  if (driver && std::strcmp(driver, "x11") == 0) EndProcessOnDisplayLoss();
  // Without game-controller support the game still plays from the keyboard. Pads already plugged in
  // arrive as added events like the ones plugged in later.
  SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
  return std::make_shared<SdlPlatform>();
}
