#pragma once
// A real SDL window drawn with OpenGL, for pixel tests under Xvfb: skipped when there is no display.
// Pixels are read from the back buffer before the flip.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "engine/media/image.h"
#include "engine/platform/headless/headless_platform.h"
#include "engine/platform/sdl/sdl_platform.h"
#include "engine/platform/seam.h"
#include "engine/render/graphics.h"
#include "engine/render/render_backend.h"

struct Rgb {
  int r, g, b;
};

class GlWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    platform_ = CreateSdlPlatform();
    ASSERT_TRUE(platform_) << "SDL video did not start";
    SetPlatform(platform_);
    ResetEngine();
  }
  void TearDown() override {
    if (!platform_) return;
    ResetEngine();  // closes the window while SDL is still up
    UseHeadlessPlatform();
    platform_.reset();
  }

  GraphicsRef Open(int width = 800, int height = 600, int depth = 0) {
    GraphicsRef g = OpenGraphics(width, height, depth, 60, 0);
    EXPECT_TRUE(g);
    return g;
  }

  // Reads the back buffer; true on success.
  bool Read() {
    return CurrentGraphics() && CurrentGraphics()->backend->ReadPixels(&pixels_, &width_, &height_);
  }
  Rgb At(int x, int y) const {
    const uint8_t* p = pixels_.data() + (static_cast<size_t>(y) * width_ + x) * 4;
    return {p[0], p[1], p[2]};
  }
  bool Lit(int x, int y) const {
    const Rgb c = At(x, y);
    return c.r + c.g + c.b > 0;
  }

  // A one-frame image filled with one colour.
  static ImageRef Solid(int w, int h, uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255, int flags = 0) {
    ImageRef image = CreateImage(w, h, 1, flags);
    if (!image) return nullptr;
    Fill(*image->pixmaps[0], r, g, b, a);
    return image;
  }
  static void Fill(TPixmap& pixmap, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    for (int y = 0; y < pixmap.height; ++y) {
      for (int x = 0; x < pixmap.width; ++x) {
        uint8_t* p = pixmap.Row(y) + x * 4;
        p[0] = r, p[1] = g, p[2] = b, p[3] = a;
      }
    }
  }

  std::shared_ptr<Platform> platform_;
  std::vector<uint8_t> pixels_;
  int width_ = 0, height_ = 0;
};
