#pragma once
// GlDevice: the one OpenGL 3.3 core context of the process (made on a hidden 1 x 1 window and made
// current on every game window in turn, so textures, shaders and buffers outlive windows) and its
// batcher, which turns the drawing operations into as few draw calls as possible.
#include <SDL.h>
#include <epoxy/gl.h>

#include <cstdint>
#include <vector>

class GlDevice {
 public:
  struct Vertex {
    float x, y, u, v;
    uint32_t rgba;  // red in the lowest byte
  };

  // The device, made on first call (SDL video must be up); null when no GL 3.3 core context can be
  // had. After a failure every later call fails at once.
  static GlDevice* Open();
  // The device if it exists.
  static GlDevice* Get();
  // Drops the context and the hidden window (before SDL shuts down). Textures still alive afterwards
  // are left to the driver.
  static void Shutdown();

  // The window attributes every window drawn with the device's context is made with. SDL keeps them
  // process-wide, and other code (another renderer) may change them, so they are set before each
  // window.
  static void SetWindowAttributes();

  ~GlDevice();
  GlDevice(const GlDevice&) = delete;
  GlDevice& operator=(const GlDevice&) = delete;

  SDL_GLContext Context() const { return context_; }
  // Tells apart the devices of one process: GL names of an earlier device mean nothing to this one.
  int Session() const { return session_; }
  SDL_Window* HiddenWindow() const { return hidden_; }
  int MaxTextureSize() const { return max_texture_size_; }

  // The picture drawn from now on: logical size (the projection), the rectangle of the drawable it
  // fills, the drawable's height (GL counts rows from the bottom).
  void SetTarget(int logical_w, int logical_h, int box_x, int box_y, int box_w, int box_h, int drawable_h);
  void SetViewport(int x, int y, int w, int h);  // clip rectangle in logical pixels

  void SetBlend(int mode);
  void SetColor(int red, int green, int blue);
  void SetAlpha(float alpha);
  void SetClsColor(int red, int green, int blue);
  void SetTransform(float ix, float iy, float jx, float jy);

  // Clears the clip rectangle to the clear colour; bars outside the picture become black.
  void Cls();
  // A quad with local corners (x0, y0)-(x1, y1), transformed and offset by (tx, ty), textured from
  // (u0, v0)-(u1, v1) of `texture` (0: untextured).
  void Quad(GLuint texture, float x0, float y0, float x1, float y1, float tx, float ty, float u0, float v0,
            float u1, float v1);
  // Triangles given by `count` corners (x, y pairs) in units of the quad (x0, y0)-(x1, y1): (0, 0) is
  // its first corner, (1, 1) the opposite one; textured from the same units of (u0, v0)-(u1, v1).
  void Triangles(GLuint texture, const float* points, size_t count, float x0, float y0, float x1, float y1,
                 float tx, float ty, float u0, float v0, float u1, float v1);
  // Whether a texel of alpha 0 leaves the picture as it was under the current blend mode, so drawing
  // can skip such texels.
  bool BlendIgnoresClearTexels() const;
  void Line(float x0, float y0, float x1, float y1, float tx, float ty);
  void Point(float x, float y);

  // Sends the pending batch to the GPU.
  void Flush();
  // Ends a frame: counts its draw calls.
  void EndFrame();
  bool UsesTexture(GLuint texture) const { return !batch_.empty() && batch_texture_ == texture; }
  int DrawCallsLastFrame() const { return last_frame_draw_calls_; }
  int DrawCallsThisFrame() const { return draw_calls_; }

  // Reads the picture's rectangle of the back buffer, top row first.
  bool ReadPixels(std::vector<uint8_t>* rgba, int* width, int* height);

 private:
  GlDevice() = default;
  bool Init();
  void Begin(GLuint texture, GLenum primitive, size_t vertices);
  void ApplyBlend(int mode);
  void UpdateScissor();

  int session_ = 0;
  SDL_Window* hidden_ = nullptr;
  SDL_GLContext context_ = nullptr;
  // One vertex buffer per frame in flight, reused once the GPU has finished that frame (its fence),
  // so the stream never waits and never reallocates.
  static constexpr int kFramesInFlight = 3;
  GLuint program_[2] = {}, white_ = 0;  // plain, and with mode 1's mask test
  int used_program_ = 0;
  GLuint vao_[kFramesInFlight] = {}, vbo_[kFramesInFlight] = {};
  GLsync fence_[kFramesInFlight] = {};
  size_t vbo_capacity_[kFramesInFlight] = {};
  int segment_ = 0;
  bool segment_open_ = false;
  size_t vbo_offset_ = 0;
  GLint scale_uniform_[2] = {-1, -1};
  int max_texture_size_ = 0;

  std::vector<Vertex> batch_;
  GLuint batch_texture_ = 0;
  GLenum batch_primitive_ = GL_TRIANGLES;
  int batch_blend_ = -1;

  // Drawing state.
  int blend_ = 1;
  int applied_blend_ = -1;
  int red_ = 255, green_ = 255, blue_ = 255;
  float alpha_ = 1;
  uint32_t rgba_ = 0xffffffffu;
  float cls_[3] = {0, 0, 0};
  float ix_ = 1, iy_ = 0, jx_ = 0, jy_ = 1;

  // Target.
  int logical_w_ = 1, logical_h_ = 1;
  int box_x_ = 0, box_y_ = 0, box_w_ = 1, box_h_ = 1, drawable_h_ = 1;
  int clip_x_ = 0, clip_y_ = 0, clip_w_ = 0, clip_h_ = 0;
  bool clip_set_ = false;

  int draw_calls_ = 0;
  int last_frame_draw_calls_ = 0;
};
