#include "engine/render/gl/gl_texture.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/media/image.h"
#include "engine/media/pixmap.h"
#include "engine/render/gl/gl_device.h"
#include "engine/render/gl/gl_stats.h"
#include "engine/render/outline.h"

namespace {

// A GL texture name, deleted with its last user while the context still exists.
class GlTexture {
 public:
  explicit GlTexture(int session) : session_(session) { glGenTextures(1, &id_); }
  ~GlTexture() {
    GlDevice* device = Device();
    if (!device) return;
    if (device->UsesTexture(id_)) device->Flush();  // the pending batch still samples it
    glDeleteTextures(1, &id_);
  }
  GlTexture(const GlTexture&) = delete;
  GlTexture& operator=(const GlTexture&) = delete;
  GLuint id() const { return id_; }
  // The device the texture lives in, or null when that device is gone.
  GlDevice* Device() const {
    GlDevice* device = GlDevice::Get();
    return device && device->Session() == session_ ? device : nullptr;
  }

 private:
  int session_;
  GLuint id_ = 0;
};

constinit bool gOutlines = true;

// Corners of an outline's triangles in units of the frame (0..1), as the device takes them; null when
// the outline is the whole frame.
using OutlineUnits = std::shared_ptr<const std::vector<float>>;

class GlImageFrame : public ImageFrame {
 public:
  GlImageFrame(std::shared_ptr<GlTexture> texture, float u0, float v0, float u1, float v1, float w, float h,
               OutlineUnits outline)
      : texture_(std::move(texture)),
        u0_(u0),
        v0_(v0),
        du_((u1 - u0) / w),
        dv_((v1 - v0) / h),
        w_(w),
        h_(h),
        outline_(std::move(outline)) {}

  void Draw(float x0, float y0, float x1, float y1, float tx, float ty, float sx, float sy, float sw,
            float sh) override {
    GlDevice* device = texture_->Device();
    if (!device) return;
    const float u0 = u0_ + sx * du_, v0 = v0_ + sy * dv_, u1 = u0_ + (sx + sw) * du_,
                v1 = v0_ + (sy + sh) * dv_;
    const bool whole_frame = sx == 0 && sy == 0 && sw == w_ && sh == h_;
    if (outline_ && gOutlines && whole_frame && device->BlendIgnoresClearTexels()) {
      device->Triangles(texture_->id(), outline_->data(), outline_->size() / 2, x0, y0, x1, y1, tx, ty, u0,
                        v0, u1, v1);
      return;
    }
    device->Quad(texture_->id(), x0, y0, x1, y1, tx, ty, u0, v0, u1, v1);
  }

 private:
  std::shared_ptr<GlTexture> texture_;
  float u0_, v0_, du_, dv_, w_, h_;
  OutlineUnits outline_;
};

// The frame's outline in frame units, or null when it is the whole frame. Mipmapped textures are left
// whole: their smaller levels spread each texel further than the outline allows for.
OutlineUnits OutlineUnitsOf(const TPixmap& pixmap, int w, int h, int flags) {
  if (flags & kImageMipmapped) return nullptr;
  const FrameOutline outline = OutlineOf(pixmap, w, h, (flags & kImageFiltered) ? 0.5f : 0.125f);
  if (outline.whole) return nullptr;
  auto units = std::make_shared<std::vector<float>>();
  units->reserve(outline.triangles.size() * 2);
  for (const OutlinePoint& p : outline.triangles) {
    units->push_back(p.x / static_cast<float>(w));
    units->push_back(p.y / static_cast<float>(h));
  }
  return units;
}

// Copies frame pixels as RGBA into the w x h window at (x, y) of an atlas `stride` pixels wide, plus a
// one-pixel ring repeating the edge pixels when `pad` is set.
void Blit(const TPixmap& pixmap, int w, int h, std::vector<uint8_t>* atlas, int stride, int x, int y,
          bool pad) {
  const int p = pad ? 1 : 0;
  for (int row = -p; row < h + p; ++row) {
    const int sy = std::clamp(row, 0, std::min(h, pixmap.height) - 1);
    uint8_t* dst = atlas->data() + (static_cast<size_t>(y + row) * stride + x - p) * 4;
    const uint8_t* src = pixmap.Row(sy);
    const int fw = std::min(w, pixmap.width);
    for (int col = -p; col < w + p; ++col, dst += 4) {
      const int sx = std::clamp(col, 0, fw - 1);
      if (pixmap.format == kFormatRGBA8888) {
        std::memcpy(dst, src + static_cast<size_t>(sx) * 4, 4);
      } else {
        pixmap.GetRGBA(sx, sy, dst);
      }
    }
  }
}

GLint MinFilter(int flags) {
  const bool filtered = flags & kImageFiltered;
  if (flags & kImageMipmapped) return filtered ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_NEAREST;
  return filtered ? GL_LINEAR : GL_NEAREST;
}

std::shared_ptr<GlTexture> Upload(const GlDevice& device, const std::vector<uint8_t>& rgba, int w, int h,
                                  int flags) {
  auto texture = std::make_shared<GlTexture>(device.Session());
  glBindTexture(GL_TEXTURE_2D, texture->id());
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, MinFilter(flags));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, (flags & kImageFiltered) ? GL_LINEAR : GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  if (flags & kImageMipmapped) glGenerateMipmap(GL_TEXTURE_2D);
  if (glGetError() != GL_NO_ERROR) return nullptr;
  return texture;
}

}  // namespace

std::vector<std::shared_ptr<ImageFrame>> MakeGlFrames(const TImage& image) {
  const int count = image.FrameCount();
  std::vector<std::shared_ptr<ImageFrame>> frames(count);
  GlDevice* device = GlDevice::Get();
  const int w = image.width, h = image.height;
  if (!device || w <= 0 || h <= 0) return frames;
  // The batch may sample the texture unit we are about to rebind; draw it first.
  device->Flush();
  const int max_size = device->MaxTextureSize();
  const float fw = static_cast<float>(w), fh = static_cast<float>(h);

  // Mipmapped frames get textures of their own: smaller levels of an atlas would mix frames.
  if (image.flags & kImageMipmapped) {
    if (w > max_size || h > max_size) return frames;
    std::vector<uint8_t> rgba(static_cast<size_t>(w) * h * 4);
    for (int i = 0; i < count; ++i) {
      if (!image.pixmaps[i]) continue;
      Blit(*image.pixmaps[i], w, h, &rgba, w, 0, 0, false);
      if (auto texture = Upload(*device, rgba, w, h, image.flags)) {
        frames[i] = std::make_shared<GlImageFrame>(texture, 0.0f, 0.0f, 1.0f, 1.0f, fw, fh, nullptr);
      }
    }
    return frames;
  }

  const int cell_w = w + 2, cell_h = h + 2;
  if (cell_w > max_size || cell_h > max_size) return frames;
  const int max_cols = max_size / cell_w, max_rows = max_size / cell_h;
  for (int first = 0; first < count; first += max_cols * max_rows) {
    const int n = std::min(count - first, max_cols * max_rows);
    // Roughly square, to stay well inside the size limit.
    int cols = std::clamp(static_cast<int>(std::ceil(std::sqrt(n * static_cast<double>(cell_h) / cell_w))), 1,
                          std::min(n, max_cols));
    int rows = (n + cols - 1) / cols;
    if (rows > max_rows) {
      cols = max_cols;
      rows = (n + cols - 1) / cols;
    }
    const int atlas_w = cols * cell_w, atlas_h = rows * cell_h;
    std::vector<uint8_t> rgba(static_cast<size_t>(atlas_w) * atlas_h * 4, 0);
    for (int k = 0; k < n; ++k) {
      const TPixmap* pixmap = image.pixmaps[first + k].get();
      if (pixmap && pixmap->width > 0 && pixmap->height > 0) {
        Blit(*pixmap, w, h, &rgba, atlas_w, (k % cols) * cell_w + 1, (k / cols) * cell_h + 1, true);
      }
    }
    auto texture = Upload(*device, rgba, atlas_w, atlas_h, image.flags);
    if (!texture) continue;
    for (int k = 0; k < n; ++k) {
      if (!image.pixmaps[first + k]) continue;
      const float x = static_cast<float>((k % cols) * cell_w + 1),
                  y = static_cast<float>((k / cols) * cell_h + 1);
      frames[first + k] = std::make_shared<GlImageFrame>(
          texture, x / atlas_w, y / atlas_h, (x + fw) / atlas_w, (y + fh) / atlas_h, fw, fh,
          OutlineUnitsOf(*image.pixmaps[first + k], w, h, image.flags));
    }
  }
  return frames;
}

void GlSetOutlines(bool on) {
  gOutlines = on;
}
