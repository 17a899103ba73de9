// The SDL platform's windows: each an SDL window drawn with the process's one OpenGL context.
#include <algorithm>

#include "engine/platform/sdl/sdl_platform_internal.h"
#include "engine/platform/sdl/sdl_window_renderer.h"
#include "engine/render/gl/gl_device.h"
#include "engine/render/graphics.h"

namespace {

// The time of one swap with interval 1 on this window, in milliseconds, over a few blank frames (0 if the
// interval cannot be set).
double MeasureSwapMs(SDL_Window* window) {
  if (SDL_GL_SetSwapInterval(1) != 0) return 0;
  constexpr int kWarmUp = 2, kFrames = 8;
  glDisable(GL_SCISSOR_TEST);
  glClearColor(0, 0, 0, 1);
  uint64_t start = 0;
  for (int i = 0; i < kWarmUp + kFrames; ++i) {
    if (i == kWarmUp) start = SDL_GetPerformanceCounter();
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapWindow(window);
  }
  glEnable(GL_SCISSOR_TEST);
  const double seconds =
      static_cast<double>(SDL_GetPerformanceCounter() - start) / SDL_GetPerformanceFrequency();
  return seconds * 1000.0 / kFrames;
}

}  // namespace

SwapPlan DecideSwaps(SDL_Window* window) {
  SDL_DisplayMode mode;
  const int display = SDL_GetWindowDisplayIndex(window);
  if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0) return PlanSwaps(0, 0);
  // Only a rate that an interval could pace is worth the blank frames of measuring.
  const SwapPlan plan = PlanSwaps(mode.refresh_rate, 1000.0 / std::max(mode.refresh_rate, 1));
  if (plan.software_pacing) return plan;
  return PlanSwaps(mode.refresh_rate, MeasureSwapMs(window));
}

std::shared_ptr<RenderBackend> SdlPlatform::CreateGraphics(int width, int height, int depth, int /*hz*/,
                                                           int flags, const std::string& title) {
  GlDevice* device = GlDevice::Open();
  if (!device) return nullptr;
  // Full screen keeps the desktop's display mode and scales the picture instead.
  Uint32 window_flags = SDL_WINDOW_OPENGL | SDL_WINDOW_ALLOW_HIGHDPI;
  const bool resizable = (flags & kGraphicsResizable) != 0;
  if (resizable) window_flags |= SDL_WINDOW_RESIZABLE;
  int window_w = width, window_h = height;
  if (depth != 0) {
    window_flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    // Made at the screen's size from the start: without a window manager to resize it, a full-screen
    // window would otherwise keep its requested size while SDL reports the screen's.
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(0, &bounds) == 0) {
      window_w = bounds.w;
      window_h = bounds.h;
    }
  }
  GlDevice::SetWindowAttributes();
  SDL_Window* created = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                         window_w, window_h, window_flags);
  if (!created) return nullptr;
  if (SDL_GL_MakeCurrent(created, device->Context()) != 0) {
    SDL_GL_MakeCurrent(device->HiddenWindow(), device->Context());
    SDL_DestroyWindow(created);
    return nullptr;
  }
  // Decided for each window: the chooser and the game window may sit on different displays.
  auto renderer = std::make_shared<SdlWindowRenderer>(this, created, width, height, DecideSwaps(created));
  renderer->SetResizable(resizable);
  return renderer;
}

SdlWindowRenderer::SdlWindowRenderer(SdlPlatform* platform, SDL_Window* window, int width, int height,
                                     SwapPlan swaps)
    : SdlOwnedWindow(window),
      GlRenderer(window, width, height, swaps),
      platform_(platform),
      window_id_(SDL_GetWindowID(window)),
      picture_w_(width),
      picture_h_(height) {
  platform_->open_window = this;
}

bool SdlWindowRenderer::FullScreen() const {
  return (SDL_GetWindowFlags(owned_window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP;
}

bool SdlWindowRenderer::SetFullScreen(bool on) {
  if (!resizable_) return false;
  if (on == FullScreen()) return true;
  if (SDL_SetWindowFullscreen(owned_window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return false;
  if (!on) {
    // A window made full screen from the start was made at the screen's size; back in a window it
    // takes the picture's own size again.
    int w = 0, h = 0;
    SDL_GetWindowSize(owned_window_, &w, &h);
    SDL_Rect usable;
    const int display = SDL_GetWindowDisplayIndex(owned_window_);
    if (display >= 0 && SDL_GetDisplayUsableBounds(display, &usable) == 0 &&
        (w >= usable.w || h >= usable.h)) {
      SDL_SetWindowSize(owned_window_, picture_w_, picture_h_);
      SDL_SetWindowPosition(owned_window_, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                            SDL_WINDOWPOS_CENTERED_DISPLAY(display));
    }
  }
  UpdateTarget();
  // Full screen and a window may be paced differently (a compositor, another display).
  SetSwapPlan(DecideSwaps(owned_window_));
  return true;
}

bool SdlPlatform::SetFullScreen(bool on) {
  return open_window && open_window->SetFullScreen(on);
}

bool SdlPlatform::FullScreen() const {
  return open_window && open_window->FullScreen();
}

SdlWindowRenderer::~SdlWindowRenderer() {
  if (platform_->open_window == this) platform_->open_window = nullptr;
}

SDL_Window* SdlPlatform::Window() const {
  return open_window ? open_window->Window() : nullptr;
}

uint32_t SdlPlatform::WindowId() const {
  return open_window ? open_window->WindowId() : 0;
}

Letterbox SdlPlatform::PointerMapping() const {
  return open_window ? open_window->PointerMapping() : Letterbox();
}
