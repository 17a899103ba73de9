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

// Quads per draw call: their vertices stay addressable by 16-bit indices.
constexpr size_t kMaxQuads = 16384;
constexpr size_t kMaxBatchVertices = kMaxQuads * 4;
// Starting size of each frame's vertex buffer (about 3000 sprites, several times a busy frame); it grows
// when a frame needs more.
constexpr size_t kVertexBufferBytes = 1u << 18;

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

// Mode 1's mask test lives here: a source alpha (texel alpha times the current alpha) below the
// reference is not drawn. Other modes pass a negative reference.
const char* const kFragmentShader = R"(#version 330 core
in vec2 v_uv;
flat in vec4 v_color;
uniform sampler2D u_tex;
uniform float u_alpha_ref;
out vec4 o_color;
void main() {
  vec4 c = texture(u_tex, v_uv) * v_color;
  if (c.a < u_alpha_ref) discard;
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

// The vertex and fragment shaders linked into one program; 0 if either stage or the link fails.
GLuint BuildProgram() {
  const GLuint vs = Compile(GL_VERTEX_SHADER, kVertexShader);
  const GLuint fs = Compile(GL_FRAGMENT_SHADER, kFragmentShader);
  GLuint program = 0;
  if (vs && fs) {
    program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (!linked) {
      glDeleteProgram(program);
      program = 0;
    }
  }
  if (vs) glDeleteShader(vs);
  if (fs) glDeleteShader(fs);
  return program;
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
  // compiles or links, and keeps it until that context is destroyed. The program is built in a
  // short-lived context that shares this one's objects, so the library goes with it; where no such
  // context can be made, it is built here.
  SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 1);
  SDL_GLContext builder = SDL_GL_CreateContext(hidden_);
  SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 0);
  if (builder) {
    program_ = BuildProgram();
    glFinish();
  }
  if (SDL_GL_MakeCurrent(hidden_, context_) != 0) {
    if (builder) SDL_GL_DeleteContext(builder);
    return false;
  }
  if (builder) {
    SDL_GL_DeleteContext(builder);
  } else {
    program_ = BuildProgram();
  }
  if (!program_) return false;
  glUseProgram(program_);
  scale_uniform_ = glGetUniformLocation(program_, "u_scale");
  alpha_ref_uniform_ = glGetUniformLocation(program_, "u_alpha_ref");
  glUniform1i(glGetUniformLocation(program_, "u_tex"), 0);

  // Quads as two triangles each, the same indices for every batch (offset by the base vertex).
  std::vector<uint16_t> indices(kMaxQuads * 6);
  for (size_t q = 0; q < kMaxQuads; ++q) {
    const auto v = static_cast<uint16_t>(q * 4);
    const uint16_t quad[6] = {v, static_cast<uint16_t>(v + 1), static_cast<uint16_t>(v + 2),
                              v, static_cast<uint16_t>(v + 2), static_cast<uint16_t>(v + 3)};
    std::copy(quad, quad + 6, indices.begin() + static_cast<ptrdiff_t>(q * 6));
  }
  glGenBuffers(1, &ebo_);
  glGenVertexArrays(kFramesInFlight, vao_);
  glGenBuffers(kFramesInFlight, vbo_);
  for (int k = 0; k < kFramesInFlight; ++k) {
    glBindVertexArray(vao_[k]);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, ebo_);
    if (k == 0) {
      glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(uint16_t)),
                   indices.data(), GL_STATIC_DRAW);
    }
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
    if (program_) glDeleteProgram(program_);
    for (int k = 0; k < kFramesInFlight; ++k) {
      if (fence_[k]) glDeleteSync(fence_[k]);
    }
    glDeleteBuffers(kFramesInFlight, vbo_);
    glDeleteVertexArrays(kFramesInFlight, vao_);
    if (ebo_) glDeleteBuffers(1, &ebo_);
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
  glUniform2f(scale_uniform_, 2.0f / static_cast<float>(logical_w_), 2.0f / static_cast<float>(logical_h_));
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

void GlDevice::Begin(GLuint texture, GLenum primitive) {
  const size_t room = primitive == GL_TRIANGLES ? 4 : 2;
  if (!batch_.empty() && (texture != batch_texture_ || primitive != batch_primitive_ ||
                          blend_ != batch_blend_ || batch_.size() + room > kMaxBatchVertices)) {
    Flush();
  }
  batch_texture_ = texture;
  batch_primitive_ = primitive;
  batch_blend_ = blend_;
}

void GlDevice::Quad(GLuint texture, float x0, float y0, float x1, float y1, float tx, float ty, float u0,
                    float v0, float u1, float v1) {
  Begin(texture ? texture : white_, GL_TRIANGLES);
  const float ax = x0 * ix_, bx = x1 * ix_, ay = x0 * jx_, by = x1 * jx_;
  const float cx = y0 * iy_, dx = y1 * iy_, cy = y0 * jy_, dy = y1 * jy_;
  batch_.push_back({ax + cx + tx, ay + cy + ty, u0, v0, rgba_});
  batch_.push_back({bx + cx + tx, by + cy + ty, u1, v0, rgba_});
  batch_.push_back({bx + dx + tx, by + dy + ty, u1, v1, rgba_});
  batch_.push_back({ax + dx + tx, ay + dy + ty, u0, v1, rgba_});
}

void GlDevice::Line(float x0, float y0, float x1, float y1, float tx, float ty) {
  Begin(white_, GL_LINES);
  // Through pixel centres; the line primitive leaves out the end pixel.
  batch_.push_back({x0 * ix_ + y0 * iy_ + tx + 0.5f, x0 * jx_ + y0 * jy_ + ty + 0.5f, 0.5f, 0.5f, rgba_});
  batch_.push_back({x1 * ix_ + y1 * iy_ + tx + 0.5f, x1 * jx_ + y1 * jy_ + ty + 0.5f, 0.5f, 0.5f, rgba_});
}

void GlDevice::Point(float x, float y) {
  Begin(white_, GL_POINTS);
  batch_.push_back({x + 0.5f, y + 0.5f, 0.5f, 0.5f, rgba_});
}

void GlDevice::ApplyBlend(int mode) {
  if (mode == applied_blend_) return;
  applied_blend_ = mode;
  glUniform1f(alpha_ref_uniform_, mode == 1 ? 0.5f : -1.0f);
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
  const auto count = static_cast<GLsizei>(batch_.size());
  if (batch_primitive_ == GL_TRIANGLES) {
    glDrawElementsBaseVertex(GL_TRIANGLES, count / 4 * 6, GL_UNSIGNED_SHORT, nullptr, first);
  } else {
    glDrawArrays(batch_primitive_, first, count);
  }
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
