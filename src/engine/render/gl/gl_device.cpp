#include "engine/render/gl/gl_device.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// Constant-initialised, so it is still there when the platform shuts the device down at exit.
constinit std::unique_ptr<GlDevice> gDevice;
constinit bool gOpenFailed = false;
constinit int gSessions = 0;

std::unique_ptr<GlDevice>& DeviceSlot() {
  return gDevice;
}

// Vertices per draw call, which bounds the batch's memory.
constexpr size_t kMaxBatchVertices = 1u << 16;
// Starting size of each frame's vertex buffer (about 1000 outlined sprites, several times a busy frame);
// it grows when a frame needs more.
constexpr size_t kVertexBufferBytes = 1u << 19;

const char* const kVertexShader = R"(#version 330 core
layout(location = 0) in vec2 a_pos;
layout(location = 1) in vec2 a_uv;
layout(location = 2) in vec4 a_color;
uniform vec2 u_scale;
out vec2 v_uv;
flat out vec4 v_color;
void main() {
  v_uv = a_uv;
  v_color = a_color;
  gl_Position = vec4(a_pos.x * u_scale.x - 1.0, 1.0 - a_pos.y * u_scale.y, 0.0, 1.0);
}
)";

const char* const kFragmentShader = R"(#version 330 core
in vec2 v_uv;
flat in vec4 v_color;
uniform sampler2D u_tex;
out vec4 o_color;
void main() {
  o_color = texture(u_tex, v_uv) * v_color;
}
)";

// Mode 1's mask test: a source alpha (texel alpha times the current alpha) below one half is not drawn.
// It has a program of its own, because a shader that may discard costs every other mode too.
const char* const kMaskFragmentShader = R"(#version 330 core
in vec2 v_uv;
flat in vec4 v_color;
uniform sampler2D u_tex;
out vec4 o_color;
void main() {
  vec4 c = texture(u_tex, v_uv) * v_color;
  if (c.a < 0.5) discard;
  o_color = c;
}
)";

GLuint Compile(GLenum kind, const char* source) {
  const GLuint shader = glCreateShader(kind);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint ok = 0;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    glDeleteShader(shader);
    return 0;
  }
  return shader;
}

// The plain and the mask program, each the vertex shader linked with its fragment shader; false if a
// stage or a link fails.
bool BuildPrograms(GLuint (&programs)[2]) {
  const GLuint vs = Compile(GL_VERTEX_SHADER, kVertexShader);
  if (!vs) return false;
  const char* const fragment_shaders[2] = {kFragmentShader, kMaskFragmentShader};
  bool ok = true;
  for (int k = 0; k < 2 && ok; ++k) {
    const GLuint fs = Compile(GL_FRAGMENT_SHADER, fragment_shaders[k]);
    if (!fs) {
      ok = false;
      break;
    }
    programs[k] = glCreateProgram();
    glAttachShader(programs[k], vs);
    glAttachShader(programs[k], fs);
    glLinkProgram(programs[k]);
    glDeleteShader(fs);
    GLint linked = 0;
    glGetProgramiv(programs[k], GL_LINK_STATUS, &linked);
    ok = linked != 0;
  }
  glDeleteShader(vs);
  return ok;
}

uint8_t ClampByte(int value) {
  return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

}  // namespace

GlDevice* GlDevice::Open() {
  auto& slot = DeviceSlot();
  if (slot) return slot.get();
  if (gOpenFailed) return nullptr;
  std::unique_ptr<GlDevice> device(new GlDevice());  // private constructor
  device->session_ = ++gSessions;
  if (!device->Init()) {
    gOpenFailed = true;
    return nullptr;
  }
  slot = std::move(device);
  return slot.get();
}

GlDevice* GlDevice::Get() {
  return DeviceSlot().get();
}

void GlDevice::Shutdown() {
  DeviceSlot().reset();
  gOpenFailed = false;
}

void GlDevice::SetWindowAttributes() {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
}

bool GlDevice::Init() {
  SetWindowAttributes();
  hidden_ =
      SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI);
  if (!hidden_) return false;
  context_ = SDL_GL_CreateContext(hidden_);
  if (!context_) return false;
  if (SDL_GL_MakeCurrent(hidden_, context_) != 0) return false;
  if (epoxy_gl_version() < 33 || !epoxy_is_desktop_gl()) return false;

  // Mesa builds its whole library of GLSL built-in functions (some 6 MB) the first time a context
  // compiles or links, and keeps it until that context is destroyed. The programs are built in a
  // short-lived context that shares this one's objects, so the library goes with it; where no such
  // context can be made, they are built here.
  SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 1);
  SDL_GLContext builder = SDL_GL_CreateContext(hidden_);
  SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 0);
  bool built = builder && BuildPrograms(program_);
  if (builder) glFinish();
  if (SDL_GL_MakeCurrent(hidden_, context_) != 0) {
    if (builder) SDL_GL_DeleteContext(builder);
    return false;
  }
  if (builder) {
    SDL_GL_DeleteContext(builder);
  } else {
    built = BuildPrograms(program_);
  }
  if (!built) return false;
  for (int k = 0; k < 2; ++k) {
    glUseProgram(program_[k]);
    scale_uniform_[k] = glGetUniformLocation(program_[k], "u_scale");
    glUniform1i(glGetUniformLocation(program_[k], "u_tex"), 0);
  }
  glUseProgram(program_[0]);
  used_program_ = 0;

  glGenVertexArrays(kFramesInFlight, vao_);
  glGenBuffers(kFramesInFlight, vbo_);
  for (int k = 0; k < kFramesInFlight; ++k) {
    glBindVertexArray(vao_[k]);
    glBindBuffer(GL_ARRAY_BUFFER, vbo_[k]);
    vbo_capacity_[k] = kVertexBufferBytes - kVertexBufferBytes % sizeof(Vertex);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vbo_capacity_[k]), nullptr, GL_STREAM_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                          reinterpret_cast<void*>(offsetof(Vertex, x)));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                          reinterpret_cast<void*>(offsetof(Vertex, u)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex),
                          reinterpret_cast<void*>(offsetof(Vertex, rgba)));
  }

  // Untextured shapes sample this, so everything goes through one shader.
  const uint32_t white = 0xffffffffu;
  glGenTextures(1, &white_);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, white_);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, &white);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);

  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_texture_size_);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glEnable(GL_SCISSOR_TEST);
  return glGetError() == GL_NO_ERROR;
}

GlDevice::~GlDevice() {
  if (context_) {
    if (hidden_) SDL_GL_MakeCurrent(hidden_, context_);
    for (GLuint program : program_) {
      if (program) glDeleteProgram(program);
    }
    for (int k = 0; k < kFramesInFlight; ++k) {
      if (fence_[k]) glDeleteSync(fence_[k]);
    }
    glDeleteBuffers(kFramesInFlight, vbo_);
    glDeleteVertexArrays(kFramesInFlight, vao_);
    if (white_) glDeleteTextures(1, &white_);
    SDL_GL_MakeCurrent(nullptr, nullptr);
    SDL_GL_DeleteContext(context_);
  }
  if (hidden_) SDL_DestroyWindow(hidden_);
}

void GlDevice::SetTarget(int logical_w, int logical_h, int box_x, int box_y, int box_w, int box_h,
                         int drawable_h) {
  Flush();
  logical_w_ = std::max(logical_w, 1);
  logical_h_ = std::max(logical_h, 1);
  box_x_ = box_x;
  box_y_ = box_y;
  box_w_ = std::max(box_w, 1);
  box_h_ = std::max(box_h, 1);
  drawable_h_ = drawable_h;
  glViewport(box_x_, drawable_h_ - box_y_ - box_h_, box_w_, box_h_);
  for (int k = 0; k < 2; ++k) {
    glUseProgram(program_[k]);
    glUniform2f(scale_uniform_[k], 2.0f / static_cast<float>(logical_w_),
                2.0f / static_cast<float>(logical_h_));
  }
  glUseProgram(program_[used_program_]);
  if (!clip_set_) {
    clip_x_ = clip_y_ = 0;
    clip_w_ = logical_w_;
    clip_h_ = logical_h_;
  }
  UpdateScissor();
}

void GlDevice::SetViewport(int x, int y, int w, int h) {
  Flush();
  clip_x_ = x;
  clip_y_ = y;
  clip_w_ = std::max(w, 0);
  clip_h_ = std::max(h, 0);
  clip_set_ = true;
  UpdateScissor();
}

void GlDevice::UpdateScissor() {
  // Logical pixels to drawable pixels, rounding the edges the same way on both sides.
  const double kx = static_cast<double>(box_w_) / logical_w_, ky = static_cast<double>(box_h_) / logical_h_;
  const int left = box_x_ + static_cast<int>(clip_x_ * kx + 0.5);
  const int right = box_x_ + static_cast<int>((clip_x_ + clip_w_) * kx + 0.5);
  const int top = box_y_ + static_cast<int>(clip_y_ * ky + 0.5);
  const int bottom = box_y_ + static_cast<int>((clip_y_ + clip_h_) * ky + 0.5);
  glScissor(left, drawable_h_ - bottom, std::max(right - left, 0), std::max(bottom - top, 0));
}

void GlDevice::SetBlend(int mode) {
  blend_ = (mode >= 1 && mode <= 5) ? mode : 2;
}

void GlDevice::SetColor(int red, int green, int blue) {
  red_ = red;
  green_ = green;
  blue_ = blue;
  SetAlpha(alpha_);
}

void GlDevice::SetAlpha(float alpha) {
  alpha_ = alpha;
  const float a = alpha >= 0 ? std::min(alpha, 1.0f) : 0.0f;  // NaN counts as 0
  const auto a8 = static_cast<uint32_t>(a * 255.0f);
  rgba_ = ClampByte(red_) | (ClampByte(green_) << 8) | (ClampByte(blue_) << 16) | (a8 << 24);
}

void GlDevice::SetClsColor(int red, int green, int blue) {
  cls_[0] = ClampByte(red) / 255.0f;
  cls_[1] = ClampByte(green) / 255.0f;
  cls_[2] = ClampByte(blue) / 255.0f;
}

void GlDevice::SetTransform(float ix, float iy, float jx, float jy) {
  ix_ = ix;
  iy_ = iy;
  jx_ = jx;
  jy_ = jy;
}

void GlDevice::Cls() {
  Flush();
  const bool letterboxed = box_x_ != 0 || box_y_ != 0 || drawable_h_ != box_h_;
  if (letterboxed) {
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
  }
  glClearColor(cls_[0], cls_[1], cls_[2], 1);
  glClear(GL_COLOR_BUFFER_BIT);
}

void GlDevice::Begin(GLuint texture, GLenum primitive, size_t vertices) {
  if (!batch_.empty() && (texture != batch_texture_ || primitive != batch_primitive_ ||
                          blend_ != batch_blend_ || batch_.size() + vertices > kMaxBatchVertices)) {
    Flush();
  }
  batch_texture_ = texture;
  batch_primitive_ = primitive;
  batch_blend_ = blend_;
}

void GlDevice::Quad(GLuint texture, float x0, float y0, float x1, float y1, float tx, float ty, float u0,
                    float v0, float u1, float v1) {
  Begin(texture ? texture : white_, GL_TRIANGLES, 6);
  const float ax = x0 * ix_, bx = x1 * ix_, ay = x0 * jx_, by = x1 * jx_;
  const float cx = y0 * iy_, dx = y1 * iy_, cy = y0 * jy_, dy = y1 * jy_;
  const Vertex a = {ax + cx + tx, ay + cy + ty, u0, v0, rgba_};
  const Vertex c = {bx + dx + tx, by + dy + ty, u1, v1, rgba_};
  batch_.insert(
      batch_.end(),
      {a, {bx + cx + tx, by + cy + ty, u1, v0, rgba_}, c, a, c, {ax + dx + tx, ay + dy + ty, u0, v1, rgba_}});
}

void GlDevice::Triangles(GLuint texture, const float* points, size_t count, float x0, float y0, float x1,
                         float y1, float tx, float ty, float u0, float v0, float u1, float v1) {
  Begin(texture, GL_TRIANGLES, count);
  const float kx = x1 - x0, ky = y1 - y0, ku = u1 - u0, kv = v1 - v0;
  for (size_t i = 0; i < count; ++i) {
    const float px = points[2 * i], py = points[2 * i + 1];
    const float x = x0 + kx * px, y = y0 + ky * py;
    batch_.push_back({x * ix_ + y * iy_ + tx, x * jx_ + y * jy_ + ty, u0 + ku * px, v0 + kv * py, rgba_});
  }
}

bool GlDevice::BlendIgnoresClearTexels() const {
  return blend_ == 1 || blend_ == 3 || blend_ == 4;
}

void GlDevice::Line(float x0, float y0, float x1, float y1, float tx, float ty) {
  Begin(white_, GL_LINES, 2);
  // Through pixel centres; the line primitive leaves out the end pixel.
  batch_.push_back({x0 * ix_ + y0 * iy_ + tx + 0.5f, x0 * jx_ + y0 * jy_ + ty + 0.5f, 0.5f, 0.5f, rgba_});
  batch_.push_back({x1 * ix_ + y1 * iy_ + tx + 0.5f, x1 * jx_ + y1 * jy_ + ty + 0.5f, 0.5f, 0.5f, rgba_});
}

void GlDevice::Point(float x, float y) {
  Begin(white_, GL_POINTS, 1);
  batch_.push_back({x + 0.5f, y + 0.5f, 0.5f, 0.5f, rgba_});
}

void GlDevice::ApplyBlend(int mode) {
  if (mode == applied_blend_) return;
  applied_blend_ = mode;
  const int program = mode == 1 ? 1 : 0;
  if (program != used_program_) {
    glUseProgram(program_[program]);
    used_program_ = program;
  }
  switch (mode) {
    case 3:
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      break;
    case 4:
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE);
      break;
    case 5:
      glEnable(GL_BLEND);
      glBlendFunc(GL_DST_COLOR, GL_ZERO);
      break;
    default:
      glDisable(GL_BLEND);
      break;
  }
}

void GlDevice::Flush() {
  if (batch_.empty()) return;
  const size_t bytes = batch_.size() * sizeof(Vertex);
  if (!segment_open_) {
    // This frame's buffer was last drawn from kFramesInFlight frames ago; that is almost always done.
    if (fence_[segment_]) {
      glClientWaitSync(fence_[segment_], GL_SYNC_FLUSH_COMMANDS_BIT, 1000000000);
      glDeleteSync(fence_[segment_]);
      fence_[segment_] = nullptr;
    }
    glBindVertexArray(vao_[segment_]);
    glBindBuffer(GL_ARRAY_BUFFER, vbo_[segment_]);
    vbo_offset_ = 0;
    segment_open_ = true;
  }
  size_t& capacity = vbo_capacity_[segment_];
  if (vbo_offset_ + bytes > capacity) {
    // A frame bigger than the buffer: fresh, larger storage (the driver keeps the old one for the
    // draws already sent).
    capacity = std::max(capacity * 2, bytes);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(capacity), nullptr, GL_STREAM_DRAW);
    vbo_offset_ = 0;
  }
  // Only bytes no draw of this buffer's frames in flight uses are written, so no wait is needed.
  void* dst =
      glMapBufferRange(GL_ARRAY_BUFFER, static_cast<GLintptr>(vbo_offset_), static_cast<GLsizeiptr>(bytes),
                       GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_RANGE_BIT | GL_MAP_UNSYNCHRONIZED_BIT);
  if (!dst) {
    batch_.clear();
    return;
  }
  std::memcpy(dst, batch_.data(), bytes);
  glUnmapBuffer(GL_ARRAY_BUFFER);
  const auto first = static_cast<GLint>(vbo_offset_ / sizeof(Vertex));
  vbo_offset_ += bytes;

  ApplyBlend(batch_blend_);
  glBindTexture(GL_TEXTURE_2D, batch_texture_);
  glDrawArrays(batch_primitive_, first, static_cast<GLsizei>(batch_.size()));
  ++draw_calls_;
  batch_.clear();
}

void GlDevice::EndFrame() {
  Flush();
  last_frame_draw_calls_ = draw_calls_;
  draw_calls_ = 0;
  if (segment_open_) {
    fence_[segment_] = glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
    segment_ = (segment_ + 1) % kFramesInFlight;
    segment_open_ = false;
  }
}

bool GlDevice::ReadPixels(std::vector<uint8_t>* rgba, int* width, int* height) {
  if (!rgba || !width || !height) return false;
  Flush();
  const int w = box_w_, h = box_h_;
  std::vector<uint8_t> rows(static_cast<size_t>(w) * h * 4);
  glReadBuffer(GL_BACK);
  glReadPixels(box_x_, drawable_h_ - box_y_ - h, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
  if (glGetError() != GL_NO_ERROR) return false;
  rgba->resize(rows.size());
  const size_t stride = static_cast<size_t>(w) * 4;
  for (int y = 0; y < h; ++y) {
    std::memcpy(rgba->data() + static_cast<size_t>(y) * stride,
                rows.data() + static_cast<size_t>(h - 1 - y) * stride, stride);
  }
  *width = w;
  *height = h;
  return true;
}
