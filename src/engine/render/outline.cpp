#include "engine/render/outline.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/media/pixmap.h"

namespace {

// The part of convex polygon `poly` where a * x + b * y <= c.
std::vector<OutlinePoint> Clip(const std::vector<OutlinePoint>& poly, float a, float b, float c) {
  std::vector<OutlinePoint> out;
  const size_t n = poly.size();
  for (size_t i = 0; i < n; ++i) {
    const OutlinePoint p = poly[i], q = poly[(i + 1) % n];
    const float dp = a * p.x + b * p.y - c, dq = a * q.x + b * q.y - c;
    if (dp <= 0) out.push_back(p);
    if ((dp < 0 && dq > 0) || (dp > 0 && dq < 0)) {
      const float t = dp / (dp - dq);
      out.push_back({p.x + (q.x - p.x) * t, p.y + (q.y - p.y) * t});
    }
  }
  // Corners that clipping made (nearly) twice.
  std::vector<OutlinePoint> unique;
  for (const OutlinePoint& p : out) {
    if (unique.empty() || std::fabs(p.x - unique.back().x) + std::fabs(p.y - unique.back().y) > 1e-3f) {
      unique.push_back(p);
    }
  }
  while (unique.size() > 1 &&
         std::fabs(unique.front().x - unique.back().x) + std::fabs(unique.front().y - unique.back().y) <=
             1e-3f) {
    unique.pop_back();
  }
  return unique;
}

float PolygonArea(const std::vector<OutlinePoint>& poly) {
  float twice = 0;
  for (size_t i = 0; i < poly.size(); ++i) {
    const OutlinePoint p = poly[i], q = poly[(i + 1) % poly.size()];
    twice += p.x * q.y - q.x * p.y;
  }
  return std::fabs(twice) / 2;
}

float Distance(OutlinePoint p, OutlinePoint q) {
  return std::hypot(p.x - q.x, p.y - q.y);
}

// Triangles of a convex polygon with the shortest inner edges (a software rasteriser shades the blocks
// along a shared edge once for each side).
std::vector<OutlinePoint> Triangulate(const std::vector<OutlinePoint>& poly) {
  const int n = static_cast<int>(poly.size());
  std::vector<OutlinePoint> triangles;
  if (n < 3) return triangles;
  // cost[i][j]: inner edge length of the best triangulation of corners i..j; split[i][j]: its apex.
  std::vector<std::vector<float>> cost(n, std::vector<float>(n, 0));
  std::vector<std::vector<int>> split(n, std::vector<int>(n, -1));
  for (int span = 2; span < n; ++span) {
    for (int i = 0; i + span < n; ++i) {
      const int j = i + span;
      cost[i][j] = std::numeric_limits<float>::max();
      for (int k = i + 1; k < j; ++k) {
        const float c = cost[i][k] + cost[k][j] + (k > i + 1 ? Distance(poly[i], poly[k]) : 0) +
                        (j > k + 1 ? Distance(poly[k], poly[j]) : 0);
        if (c < cost[i][j]) {
          cost[i][j] = c;
          split[i][j] = k;
        }
      }
    }
  }
  std::vector<std::pair<int, int>> pending = {{0, n - 1}};
  while (!pending.empty()) {
    const auto [i, j] = pending.back();
    pending.pop_back();
    if (j - i < 2) continue;
    const int k = split[i][j];
    triangles.insert(triangles.end(), {poly[i], poly[k], poly[j]});
    pending.push_back({i, k});
    pending.push_back({k, j});
  }
  return triangles;
}

}  // namespace

float FrameOutline::Area() const {
  return PolygonArea(corners);
}

FrameOutline OutlineOf(const TPixmap& pixmap, int w, int h, float reach) {
  FrameOutline outline;
  const float fw = static_cast<float>(w), fh = static_cast<float>(h);
  const std::vector<OutlinePoint> rect = {{0, 0}, {fw, 0}, {fw, fh}, {0, fh}};
  const std::vector<OutlinePoint> rect_triangles = {rect[0], rect[1], rect[2], rect[0], rect[2], rect[3]};
  outline.corners = rect;
  outline.triangles = rect_triangles;
  if (w <= 0 || h <= 0 || pixmap.width != w || pixmap.height != h || !FormatHasAlpha(pixmap.format)) {
    return outline;
  }

  // Extremes over the visible texels' squares, grown by `reach`, along x, y and both diagonals: they
  // bound an octagon that holds every pixel a visible texel can reach.
  constexpr float kBig = std::numeric_limits<float>::max();
  float min_x = kBig, max_x = -kBig, min_y = kBig, max_y = -kBig;
  float min_sum = kBig, max_sum = -kBig, min_diff = kBig, max_diff = -kBig;
  uint8_t rgba[4];
  auto visible = [&](int x, int y) {
    pixmap.GetRGBA(x, y, rgba);
    return rgba[3] != 0;
  };
  for (int y = 0; y < h; ++y) {
    int first = 0;
    while (first < w && !visible(first, y)) ++first;
    if (first == w) continue;
    int last = w - 1;
    while (!visible(last, y)) --last;
    const float fy = static_cast<float>(y), x0 = static_cast<float>(first), x1 = static_cast<float>(last);
    min_x = std::min(min_x, x0 - reach);
    max_x = std::max(max_x, x1 + 1 + reach);
    min_y = std::min(min_y, fy - reach);
    max_y = std::max(max_y, fy + 1 + reach);
    min_sum = std::min(min_sum, x0 + fy - 2 * reach);
    max_sum = std::max(max_sum, x1 + fy + 2 + 2 * reach);
    min_diff = std::min(min_diff, x0 - fy - 1 - 2 * reach);
    max_diff = std::max(max_diff, x1 - fy + 1 + 2 * reach);
  }
  if (min_x == kBig) {
    outline.corners.clear();
    outline.triangles.clear();
    outline.whole = false;
    return outline;
  }
  std::vector<OutlinePoint> box = rect;
  box = Clip(box, -1, 0, -min_x);
  box = Clip(box, 1, 0, max_x);
  box = Clip(box, 0, -1, -min_y);
  box = Clip(box, 0, 1, max_y);
  std::vector<OutlinePoint> octagon = box;
  octagon = Clip(octagon, -1, -1, -min_sum);
  octagon = Clip(octagon, 1, 1, max_sum);
  octagon = Clip(octagon, -1, 1, -min_diff);
  octagon = Clip(octagon, 1, -1, max_diff);
  if (box.size() < 3) return outline;  // degenerate: keep the rectangle

  // The tighter octagon needs more triangles, and a rasteriser that shades whole blocks of pixels pays
  // for every edge: each outer edge shades about two pixels per unit of length for nothing, and an
  // inner edge about four (its blocks are shaded once from each side). Take the cheaper shape.
  auto cost = [](const std::vector<OutlinePoint>& poly, const std::vector<OutlinePoint>& triangles) {
    float outer = 0, all = 0;
    for (size_t i = 0; i < poly.size(); ++i) outer += Distance(poly[i], poly[(i + 1) % poly.size()]);
    for (size_t t = 0; t + 2 < triangles.size(); t += 3) {
      all += Distance(triangles[t], triangles[t + 1]) + Distance(triangles[t + 1], triangles[t + 2]) +
             Distance(triangles[t + 2], triangles[t]);
    }
    return PolygonArea(poly) + 2 * outer + 2 * (all - outer);  // inner edges are counted twice in `all`
  };
  std::vector<OutlinePoint> box_triangles = Triangulate(box);
  float best = cost(box, box_triangles);
  outline.corners = box;
  outline.triangles = box_triangles;
  if (octagon.size() >= 3) {
    std::vector<OutlinePoint> octagon_triangles = Triangulate(octagon);
    if (const float c = cost(octagon, octagon_triangles); c < best) {
      best = c;
      outline.corners = octagon;
      outline.triangles = octagon_triangles;
    }
  }
  // Not worth a different shape unless it leaves out a good part of the rectangle.
  if (best > 0.97f * cost(rect, rect_triangles)) {
    outline.corners = rect;
    outline.triangles = rect_triangles;
    return outline;
  }
  outline.whole = false;
  return outline;
}
