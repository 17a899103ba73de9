// The SDL platform's windows: each an SDL window drawn with the process's one OpenGL context.
#include "engine/platform/sdl/sdl_platform_internal.h"
#include "engine/platform/sdl/sdl_window_renderer.h"
#include "engine/render/gl/gl_device.h"

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
                                                           int /*flags*/, const std::string& title) {
  GlDevice* device = GlDevice::Open();
  if (!device) return nullptr;
  // Full screen keeps the desktop's display mode and scales the picture instead.
  Uint32 window_flags = SDL_WINDOW_OPENGL | SDL_WINDOW_ALLOW_HIGHDPI;
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
  return std::make_shared<SdlWindowRenderer>(this, created, width, height, vsync_at_60);
}

SdlWindowRenderer::SdlWindowRenderer(SdlPlatform* platform, SDL_Window* window, int width, int height,
                                     bool vsync_at_60)
    : SdlOwnedWindow(window),
      GlRenderer(window, width, height, vsync_at_60),
      platform_(platform),
      window_id_(SDL_GetWindowID(window)) {
  platform_->open_window = this;
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
