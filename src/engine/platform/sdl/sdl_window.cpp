// The SDL platform's windows: each an SDL window drawn with the process's one OpenGL context.
#include "engine/platform/sdl/sdl_platform_internal.h"
#include "engine/platform/sdl/sdl_window_renderer.h"
#include "engine/render/gl/gl_device.h"
#include "engine/render/graphics.h"

namespace {

// Whether presenting with swap interval 1 really waits for a 60 Hz retrace on this window's display.
// Drivers may ignore the interval (virtual displays, some compositors), so the first time it is
// measured over a few blank frames, and the answer kept for the process.
bool VsyncPacesAt60(SDL_Window* window) {
  SDL_DisplayMode mode;
  const int display = SDL_GetWindowDisplayIndex(window);
  if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0) return false;
  if (mode.refresh_rate < 59 || mode.refresh_rate > 61) return false;
  static int measured = -1;
  if (measured >= 0) return measured == 1;
  measured = 0;
  if (SDL_GL_SetSwapInterval(1) != 0) return false;
  constexpr int kWarmUp = 4, kFrames = 20;
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
  // A real 60 Hz retrace gives 16.7 ms frames; an ignored interval gives frames as fast as the copy.
  measured = seconds / kFrames >= 0.012 ? 1 : 0;
  return measured == 1;
}

}  // namespace

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
  const bool vsync_at_60 = VsyncPacesAt60(created);
  auto renderer = std::make_shared<SdlWindowRenderer>(this, created, width, height, vsync_at_60);
  renderer->SetResizable(resizable);
  return renderer;
}

SdlWindowRenderer::SdlWindowRenderer(SdlPlatform* platform, SDL_Window* window, int width, int height,
                                     bool vsync_at_60)
    : SdlOwnedWindow(window),
      GlRenderer(window, width, height, vsync_at_60),
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
