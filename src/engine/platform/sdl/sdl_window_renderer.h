#pragma once
// SdlWindowRenderer: one SDL window of the platform together with its OpenGL renderer. The SDL side owns
// the window: it is destroyed after the renderer is done with it, and while it lives the platform knows
// it as the open window (for its events and the pointer mapping).
#include <SDL.h>

#include "engine/render/gl/gl_renderer.h"

class SdlPlatform;

// How this window's swaps reach 60 frames per second, from its display's rate and a short measurement;
// decided again whenever the window moves to or from full screen.
SwapPlan DecideSwaps(SDL_Window* window);

// Destroys the window last: as a base constructed before the renderer, it is destroyed after it.
class SdlOwnedWindow {
 public:
  explicit SdlOwnedWindow(SDL_Window* window) : owned_window_(window) {}
  ~SdlOwnedWindow() { SDL_DestroyWindow(owned_window_); }
  SdlOwnedWindow(const SdlOwnedWindow&) = delete;
  SdlOwnedWindow& operator=(const SdlOwnedWindow&) = delete;

 protected:
  SDL_Window* owned_window_;
};

class SdlWindowRenderer : private SdlOwnedWindow, public GlRenderer {
 public:
  SdlWindowRenderer(SdlPlatform* platform, SDL_Window* window, int width, int height, SwapPlan swaps);
  ~SdlWindowRenderer() override;

  SDL_Window* Window() const { return owned_window_; }
  uint32_t WindowId() const { return window_id_; }
  // The game window may be resized and switch between window and the desktop's full screen, on the
  // same window, so textures and everything else survive; the chooser may not.
  void SetResizable(bool resizable) { resizable_ = resizable; }
  bool SetFullScreen(bool on);
  bool FullScreen() const;

 private:
  SdlPlatform* platform_;
  uint32_t window_id_;
  int picture_w_, picture_h_;
  bool resizable_ = false;
};
