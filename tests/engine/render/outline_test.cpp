// Outlines of image frames: they must hold every pixel a visible texel can colour, and leave out
// clear space where that pays.
#include "engine/render/outline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "engine/media/pixmap.h"

namespace {

// Whether (x, y) lies inside the convex polygon or on its edge (either winding).
bool Inside(const std::vector<OutlinePoint>& poly, float x, float y) {
  int sign = 0;
  for (size_t i = 0; i < poly.size(); ++i) {
    const OutlinePoint p = poly[i], q = poly[(i + 1) % poly.size()];
    const float cross = (q.x - p.x) * (y - p.y) - (q.y - p.y) * (x - p.x);
    if (std::fabs(cross) < 1e-3f) continue;
    const int s = cross > 0 ? 1 : -1;
    if (sign != 0 && s != sign) return false;
    sign = s;
  }
  return true;
}

float TriangleArea(const std::vector<OutlinePoint>& t) {
  float sum = 0;
  for (size_t i = 0; i + 2 < t.size(); i += 3) {
    sum += std::fabs((t[i + 1].x - t[i].x) * (t[i + 2].y - t[i].y) -
                     (t[i + 2].x - t[i].x) * (t[i + 1].y - t[i].y)) /
           2;
  }
  return sum;
}

std::shared_ptr<TPixmap> Shape(int w, int h, const std::function<int(int, int)>& alpha) {
  auto pixmap = TPixmap::Create(w, h, kFormatRGBA8888);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) pixmap->Row(y)[x * 4 + 3] = static_cast<uint8_t>(alpha(x, y));
  }
  return pixmap;
}

// Every visible texel's square, grown by `reach`, lies inside the outline, and the triangles cover the
// polygon exactly.
void ExpectHoldsEveryVisibleTexel(const TPixmap& pixmap, float reach) {
  const FrameOutline outline = OutlineOf(pixmap, pixmap.width, pixmap.height, reach);
  EXPECT_NEAR(TriangleArea(outline.triangles), outline.Area(), 0.01f);
  for (int y = 0; y < pixmap.height; ++y) {
    for (int x = 0; x < pixmap.width; ++x) {
      if (pixmap.Row(y)[x * 4 + 3] == 0) continue;
      const float x0 = std::fmax(x - reach, 0.0f), x1 = std::fmin(x + 1 + reach, pixmap.width * 1.0f);
      const float y0 = std::fmax(y - reach, 0.0f), y1 = std::fmin(y + 1 + reach, pixmap.height * 1.0f);
      for (auto [cx, cy] : {std::pair{x0, y0}, {x1, y0}, {x0, y1}, {x1, y1}}) {
        ASSERT_TRUE(Inside(outline.corners, cx, cy))
            << "texel " << x << "," << y << " corner " << cx << "," << cy;
      }
    }
  }
}

TEST(FrameOutline, HoldsEveryVisibleTexelOfSmallAndDiagonalShapes) {
  // A thin diagonal line: the diagonal cuts of the octagon must not clip its ends.
  auto diagonal = Shape(64, 64, [](int x, int y) { return std::abs(x - y) <= 1 ? 200 : 0; });
  auto anti = Shape(64, 64, [](int x, int y) { return std::abs(x + y - 63) <= 1 ? 200 : 0; });
  auto dot = Shape(64, 64, [](int x, int y) { return x == 40 && y == 9 ? 1 : 0; });
  auto ring = Shape(64, 64, [](int x, int y) {
    const float d = std::hypot(x - 20.0f, y - 30.0f);
    return d > 10 && d < 14 ? 255 : 0;
  });
  for (const auto& pixmap : {diagonal, anti, dot, ring}) {
    for (float reach : {0.125f, 0.5f}) ExpectHoldsEveryVisibleTexel(*pixmap, reach);
  }
}

TEST(FrameOutline, LeavesOutClearSpaceOnlyWhereItPays) {
  // A small blob in a corner of a big frame: far smaller than the frame.
  auto blob = Shape(64, 64, [](int x, int y) { return x >= 40 && x < 56 && y >= 4 && y < 20 ? 255 : 0; });
  const FrameOutline small = OutlineOf(*blob, 64, 64, 0.5f);
  EXPECT_FALSE(small.whole);
  EXPECT_LT(small.Area(), 18.0f * 18.0f);
  ExpectHoldsEveryVisibleTexel(*blob, 0.5f);

  // A disc that fills its square gains too little to pay for more triangles.
  auto disc = Shape(64, 64, [](int x, int y) { return std::hypot(x - 31.5f, y - 31.5f) < 32 ? 255 : 0; });
  EXPECT_TRUE(OutlineOf(*disc, 64, 64, 0.5f).whole);

  auto clear = Shape(32, 32, [](int, int) { return 0; });
  const FrameOutline none = OutlineOf(*clear, 32, 32, 0.5f);
  EXPECT_FALSE(none.whole);
  EXPECT_TRUE(none.corners.empty());
  EXPECT_TRUE(none.triangles.empty());

  // Pixels without alpha, or a pixmap that does not match the frame (its edge is repeated), are drawn
  // whole.
  auto rgb = TPixmap::Create(16, 16, kFormatRGB888);
  EXPECT_TRUE(OutlineOf(*rgb, 16, 16, 0.5f).whole);
  EXPECT_TRUE(OutlineOf(*blob, 80, 64, 0.5f).whole);
  EXPECT_EQ(OutlineOf(*blob, 80, 64, 0.5f).triangles.size(), 6u);
}

}  // namespace
