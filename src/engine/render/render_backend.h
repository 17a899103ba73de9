#pragma once
// The renderer back-end interface: what a window's renderer does for the drawing operations. The real
// one draws with OpenGL; the headless one records every draw for tests.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct TImage;

// One frame of an image as a texture of a renderer.
class ImageFrame {
 public:
  virtual ~ImageFrame() = default;
  // Draws the source rectangle (sx, sy, sw, sh) of the frame onto the quad (x0, y0)-(x1, y1) in local
  // coordinates, transformed by the current transform and offset by (tx, ty).
  virtual void Draw(float x0, float y0, float x1, float y1, float tx, float ty, float sx, float sy, float sw,
                    float sh) = 0;
};

class RenderBackend {
 public:
  virtual ~RenderBackend() = default;

  // Textures for every frame of the image, honouring its flags (filtered or not). Frames of one image
  // may share one texture. An entry may be null when a texture cannot be made.
  virtual std::vector<std::shared_ptr<ImageFrame>> CreateFrames(const TImage& image) = 0;

  virtual void SetBlend(int mode) = 0;
  virtual void SetAlpha(float alpha) = 0;                   // clamped to 0..1 by the renderer
  virtual void SetColor(int red, int green, int blue) = 0;  // clamped to 0..255 by the renderer
  virtual void SetClsColor(int red, int green, int blue) = 0;
  virtual void SetViewport(int x, int y, int w, int h) = 0;
  virtual void SetTransform(float ix, float iy, float jx, float jy) = 0;
  virtual void SetLineWidth(float width) = 0;
  virtual void Cls() = 0;
  virtual void Plot(float x, float y) = 0;
  virtual void DrawLine(float x0, float y0, float x1, float y1, float tx, float ty) = 0;
  virtual void DrawRect(float x0, float y0, float x1, float y1, float tx, float ty) = 0;

  // Completes the drawing of the frame, so that a present right after it only shows it: a frame paced
  // by the clock is finished before the wait, and the wait alone decides when it appears.
  virtual void Finish() {}
  // Presents the back buffer, with vertical synchronisation or without.
  virtual void Present(bool vsync) = 0;
  // Whether presenting with vsync by itself gives 60 frames per second (so no software pacing is
  // needed); otherwise a vsynced present still keeps the picture from tearing.
  virtual bool VsyncPacesAt60() { return false; }

  // Reads the back buffer as RGBA rows, top row first. False when the renderer cannot.
  virtual bool ReadPixels(std::vector<uint8_t>* /*rgba*/, int* /*width*/, int* /*height*/) { return false; }
};
