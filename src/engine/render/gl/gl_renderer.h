#pragma once
// GlRenderer: the renderer of one SDL window, drawing through the shared GlDevice; it fits the
// picture to the window's drawable (letterboxed in full screen), presents with or without vertical
// sync and keeps how window points map back to the picture. The window itself belongs to the caller.
#include <SDL.h>

#include <memory>

#include "engine/render/letterbox.h"
#include "engine/render/render_backend.h"
#include "engine/render/swap_plan.h"

class GlRenderer : public RenderBackend {
 public:
  // Takes the window, which must be able to use the device's context; `swaps` says how a vsynced
  // present paces it.
  GlRenderer(SDL_Window* window, int width, int height, SwapPlan swaps);
  ~GlRenderer() override;

  std::vector<std::shared_ptr<ImageFrame>> CreateFrames(const TImage& image) override;
  void SetBlend(int mode) override;
  void SetAlpha(float alpha) override;
  void SetColor(int red, int green, int blue) override;
  void SetClsColor(int red, int green, int blue) override;
  void SetViewport(int x, int y, int w, int h) override;
  void SetTransform(float ix, float iy, float jx, float jy) override;
  void SetLineWidth(float width) override;
  void Cls() override;
  void Plot(float x, float y) override;
  void DrawLine(float x0, float y0, float x1, float y1, float tx, float ty) override;
  void DrawRect(float x0, float y0, float x1, float y1, float tx, float ty) override;
  void Finish() override;
  void Present(bool vsync) override;
  bool VsyncPacesAt60() override { return !swaps_.software_pacing; }
  // For a window that changed display or mode.
  void SetSwapPlan(SwapPlan swaps) {
    swaps_ = swaps;
    swap_interval_ = -1;  // measuring the new plan set an interval of its own
  }
  bool ReadPixels(std::vector<uint8_t>* rgba, int* width, int* height) override;

  // How window points (the pointer's coordinates) map to picture pixels, as of the last fit.
  const Letterbox& PointerMapping() const { return pointer_map_; }

 protected:
  // Fits the picture to the drawable and the pointer mapping to the window.
  void UpdateTarget();

 private:
  // Makes our window current again if something else (another renderer) took the context.
  void EnsureCurrent();

  SDL_Window* window_;
  Letterbox pointer_map_;
  int width_, height_;
  SwapPlan swaps_;
  int swap_interval_ = -1;
};
