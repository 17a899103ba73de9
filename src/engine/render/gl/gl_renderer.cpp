#include "engine/render/gl/gl_renderer.h"

#include "engine/render/gl/gl_device.h"
#include "engine/render/gl/gl_stats.h"
#include "engine/render/gl/gl_texture.h"

GlRenderer::GlRenderer(SDL_Window* window, int width, int height, SwapPlan swaps)
    : window_(window), width_(width), height_(height), swaps_(swaps) {
  UpdateTarget();
}

GlRenderer::~GlRenderer() {
  if (GlDevice* device = GlDevice::Get()) {
    device->Flush();
    SDL_GL_MakeCurrent(device->HiddenWindow(), device->Context());
  }
}

void GlRenderer::EnsureCurrent() {
  GlDevice* device = GlDevice::Get();
  if (!device) return;
  if (SDL_GL_GetCurrentWindow() != window_ || SDL_GL_GetCurrentContext() != device->Context()) {
    SDL_GL_MakeCurrent(window_, device->Context());
    swap_interval_ = -1;
  }
}

void GlRenderer::UpdateTarget() {
  GlDevice* device = GlDevice::Get();
  if (!device) return;
  int drawable_w = 0, drawable_h = 0, window_w = 0, window_h = 0;
  SDL_GL_GetDrawableSize(window_, &drawable_w, &drawable_h);
  SDL_GetWindowSize(window_, &window_w, &window_h);
  const Letterbox box = FitLetterbox(width_, height_, drawable_w, drawable_h);
  device->SetTarget(width_, height_, box.x, box.y, box.w, box.h, drawable_w > 0 ? drawable_h : box.h);
  // The pointer arrives in window points, which differ from drawable pixels on HiDPI screens.
  pointer_map_ = FitLetterbox(width_, height_, window_w, window_h);
}

std::vector<std::shared_ptr<ImageFrame>> GlRenderer::CreateFrames(const TImage& image) {
  EnsureCurrent();
  return MakeGlFrames(image);
}

void GlRenderer::SetBlend(int mode) {
  if (GlDevice* device = GlDevice::Get()) device->SetBlend(mode);
}
void GlRenderer::SetAlpha(float alpha) {
  if (GlDevice* device = GlDevice::Get()) device->SetAlpha(alpha);
}
void GlRenderer::SetColor(int red, int green, int blue) {
  if (GlDevice* device = GlDevice::Get()) device->SetColor(red, green, blue);
}
void GlRenderer::SetClsColor(int red, int green, int blue) {
  if (GlDevice* device = GlDevice::Get()) device->SetClsColor(red, green, blue);
}
void GlRenderer::SetViewport(int x, int y, int w, int h) {
  EnsureCurrent();
  if (GlDevice* device = GlDevice::Get()) device->SetViewport(x, y, w, h);
}
void GlRenderer::SetTransform(float ix, float iy, float jx, float jy) {
  if (GlDevice* device = GlDevice::Get()) device->SetTransform(ix, iy, jx, jy);
}
// Lines are always one pixel wide (core profile contexts need not draw wider ones).
void GlRenderer::SetLineWidth(float) {}

void GlRenderer::Cls() {
  EnsureCurrent();
  UpdateTarget();
  if (GlDevice* device = GlDevice::Get()) device->Cls();
}

void GlRenderer::Plot(float x, float y) {
  if (GlDevice* device = GlDevice::Get()) device->Point(x, y);
}

void GlRenderer::DrawLine(float x0, float y0, float x1, float y1, float tx, float ty) {
  if (GlDevice* device = GlDevice::Get()) device->Line(x0, y0, x1, y1, tx, ty);
}

void GlRenderer::DrawRect(float x0, float y0, float x1, float y1, float tx, float ty) {
  if (GlDevice* device = GlDevice::Get()) device->Quad(0, x0, y0, x1, y1, tx, ty, 0.5f, 0.5f, 0.5f, 0.5f);
}

void GlRenderer::Finish() {
  GlDevice* device = GlDevice::Get();
  if (!device) return;
  EnsureCurrent();
  device->Flush();
  glFinish();
}

void GlRenderer::Present(bool vsync) {
  GlDevice* device = GlDevice::Get();
  if (!device) return;
  EnsureCurrent();
  device->EndFrame();
  const int interval = vsync ? swaps_.interval : 0;
  if (interval != swap_interval_) {
    SDL_GL_SetSwapInterval(interval);
    swap_interval_ = interval;
  }
  SDL_GL_SwapWindow(window_);
  UpdateTarget();
}

bool GlRenderer::ReadPixels(std::vector<uint8_t>* rgba, int* width, int* height) {
  GlDevice* device = GlDevice::Get();
  if (!device) return false;
  EnsureCurrent();
  return device->ReadPixels(rgba, width, height);
}

int GlDrawCallsLastFrame() {
  GlDevice* device = GlDevice::Get();
  return device ? device->DrawCallsLastFrame() : 0;
}

int GlDrawCallsThisFrame() {
  GlDevice* device = GlDevice::Get();
  return device ? device->DrawCallsThisFrame() : 0;
}

void GlSubmit() {
  if (GlDevice* device = GlDevice::Get()) device->Flush();
}

void GlFinish() {
  if (GlDevice* device = GlDevice::Get()) {
    device->Flush();
    glFinish();
  }
}
