#include "engine/media/overlap.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kFar = 1e9;

// One frame as the test sees it: where its solid bits live and how big its quad is.
struct FrameView {
  const TPixmap* pixmap;
  int alpha_offset;  // byte of a pixel holding its alpha, or -1 when the format has none
  int bpp;
  bool bits;          // one bit a pixel (then alpha_offset is unused)
  int width, height;  // the quad's size in local units (the image's frame size)
  double hx, hy;      // the image's handle

  bool Opaque() const { return !bits && alpha_offset < 0; }
  bool SolidAt(int col, int row) const {
    if (bits) return SolidBit(pixmap->Row(row), col);
    if (alpha_offset < 0) return true;
    return pixmap->Row(row)[static_cast<size_t>(col) * bpp + alpha_offset] >= 128;
  }
};

bool MakeView(const TImage& image, int frame, FrameView* view) {
  if (frame < 0 || frame >= image.FrameCount() || image.width < 1 || image.height < 1) return false;
  const TPixmap* pixmap = image.pixmaps[frame].get();
  if (!pixmap || pixmap->width < 1 || pixmap->height < 1) return false;
  view->pixmap = pixmap;
  view->bpp = BytesPerPixel(pixmap->format);
  view->bits = pixmap->format == kFormatSolid1;
  switch (pixmap->format) {
    case kFormatA8:
      view->alpha_offset = 0;
      break;
    case kFormatBGRA8888:
    case kFormatRGBA8888:
      view->alpha_offset = 3;
      break;
    default:
      view->alpha_offset = -1;
      break;
  }
  view->width = image.width;
  view->height = image.height;
  view->hx = image.handle_x;
  view->hy = image.handle_y;
  return true;
}

// Unrotated and unscaled, a frame covers exactly width x height screen pixels and texel (c, r) lands on
// pixel (left + c, top + r): the whole test is a walk over the two frames' shared rectangle.
int OverlapUnscaled(const FrameView& a, double ax, double ay, const FrameView& b, double bx, double by) {
  // Pixel X is covered when its centre X + 0.5 lies in [ax - hx, ax - hx + width).
  const int64_t a_left = static_cast<int64_t>(std::ceil(ax - a.hx - 0.5));
  const int64_t a_top = static_cast<int64_t>(std::ceil(ay - a.hy - 0.5));
  const int64_t b_left = static_cast<int64_t>(std::ceil(bx - b.hx - 0.5));
  const int64_t b_top = static_cast<int64_t>(std::ceil(by - b.hy - 0.5));
  const int64_t x0 = std::max(a_left, b_left), x1 = std::min(a_left + a.width, b_left + b.width);
  const int64_t y0 = std::max(a_top, b_top), y1 = std::min(a_top + a.height, b_top + b.height);
  if (x0 >= x1 || y0 >= y1) return 0;
  if (a.Opaque() && b.Opaque()) return 1;
  const int a_col = static_cast<int>(x0 - a_left), b_col = static_cast<int>(x0 - b_left);
  const int span = static_cast<int>(x1 - x0);
  for (int64_t y = y0; y < y1; ++y) {
    const int a_row = static_cast<int>(y - a_top), b_row = static_cast<int>(y - b_top);
    for (int i = 0; i < span; ++i) {
      if (a.SolidAt(a_col + i, a_row) && b.SolidAt(b_col + i, b_row)) return 1;
    }
  }
  return 0;
}

// A frame under a general transform: screen pixel centres map back to texel coordinates.
struct Placement {
  FrameView view;
  double x, y;                        // where the handle lands
  double m00, m01, m10, m11;          // inverse of the transform
  double min_x, max_x, min_y, max_y;  // bounding box of the transformed quad

  // Texel coordinates (0..width, 0..height inside the quad) of the screen point (sx, sy).
  void TexelAt(double sx, double sy, double* tx, double* ty) const {
    const double dx = sx - x, dy = sy - y;
    *tx = m00 * dx + m01 * dy + view.hx;
    *ty = m10 * dx + m11 * dy + view.hy;
  }

  bool SolidAtScreen(double sx, double sy) const {
    double tx, ty;
    TexelAt(sx, sy, &tx, &ty);
    if (!(tx >= 0 && tx < view.width && ty >= 0 && ty < view.height)) return false;
    // u = tx / width picks column int(u * pixmap width), limited to the last column; with one texel per
    // local unit that is int(tx) itself, without the rounding of the division.
    const TPixmap& p = *view.pixmap;
    const int col =
        p.width == view.width ? static_cast<int>(tx) : static_cast<int>(tx / view.width * p.width);
    const int row =
        p.height == view.height ? static_cast<int>(ty) : static_cast<int>(ty / view.height * p.height);
    return view.SolidAt(std::min(col, p.width - 1), std::min(row, p.height - 1));
  }

  // The screen columns whose centres may lie inside the quad on the row through sy; one column wider on
  // each side than the exact solution, which the per-pixel test then settles.
  bool ColumnsOnRow(double sy, int64_t* first, int64_t* last) const {
    double lo = min_x, hi = max_x;
    // tx and ty are affine in sx along the row: tx = m00 * sx + c0, ty = m10 * sx + c1.
    const double c0 = m01 * (sy - y) - m00 * x + view.hx;
    const double c1 = m11 * (sy - y) - m10 * x + view.hy;
    if (!Clip(m00, c0, view.width, &lo, &hi) || !Clip(m10, c1, view.height, &lo, &hi)) return false;
    *first = static_cast<int64_t>(std::floor(lo - 0.5)) - 1;
    *last = static_cast<int64_t>(std::ceil(hi - 0.5)) + 1;
    return true;
  }

  // Narrows [lo, hi] to where 0 <= slope * s + offset <= limit.
  static bool Clip(double slope, double offset, double limit, double* lo, double* hi) {
    if (slope == 0) return offset >= 0 && offset < limit;
    double s0 = -offset / slope, s1 = (limit - offset) / slope;
    if (s0 > s1) std::swap(s0, s1);
    *lo = std::max(*lo, s0);
    *hi = std::min(*hi, s1);
    return *lo <= *hi;
  }
};

bool Place(const FrameView& view, double x, double y, double ix, double iy, double jx, double jy,
           Placement* p) {
  const double det = ix * jy - iy * jx;
  if (det == 0 || !std::isfinite(det)) return false;
  p->view = view;
  p->x = x;
  p->y = y;
  p->m00 = jy / det;
  p->m01 = -iy / det;
  p->m10 = -jx / det;
  p->m11 = ix / det;
  const double lx[2] = {-view.hx, -view.hx + view.width};
  const double ly[2] = {-view.hy, -view.hy + view.height};
  p->min_x = p->min_y = INFINITY;
  p->max_x = p->max_y = -INFINITY;
  for (double px : lx) {
    for (double py : ly) {
      const double sx = px * ix + py * iy + x, sy = px * jx + py * jy + y;
      p->min_x = std::min(p->min_x, sx), p->max_x = std::max(p->max_x, sx);
      p->min_y = std::min(p->min_y, sy), p->max_y = std::max(p->max_y, sy);
    }
  }
  return std::fabs(p->min_x) < kFar && std::fabs(p->max_x) < kFar && std::fabs(p->min_y) < kFar &&
         std::fabs(p->max_y) < kFar;
}

int OverlapTransformed(const Placement& a, const Placement& b) {
  if (a.max_x <= b.min_x || b.max_x <= a.min_x || a.max_y <= b.min_y || b.max_y <= a.min_y) return 0;
  // Rows whose centres lie inside both boxes.
  const double top = std::max(a.min_y, b.min_y), bottom = std::min(a.max_y, b.max_y);
  const int64_t first_row = static_cast<int64_t>(std::ceil(top - 0.5));
  const int64_t end_row = static_cast<int64_t>(std::ceil(bottom - 0.5));
  for (int64_t row = first_row; row < end_row; ++row) {
    const double sy = static_cast<double>(row) + 0.5;
    int64_t a_first, a_last, b_first, b_last;
    if (!a.ColumnsOnRow(sy, &a_first, &a_last) || !b.ColumnsOnRow(sy, &b_first, &b_last)) continue;
    const int64_t first = std::max(a_first, b_first), last = std::min(a_last, b_last);
    for (int64_t col = first; col <= last; ++col) {
      const double sx = static_cast<double>(col) + 0.5;
      if (a.SolidAtScreen(sx, sy) && b.SolidAtScreen(sx, sy)) return 1;
    }
  }
  return 0;
}

}  // namespace

int FramesOverlapTransformed(const TImage& a, float ax, float ay, int frame_a, const TImage& b, float bx,
                             float by, int frame_b, float ix, float iy, float jx, float jy) {
  // Positions this far out (or not numbers at all) are never on any screen; they would only overflow
  // the pixel arithmetic below.
  for (float v : {ax, ay, bx, by}) {
    if (!(std::fabs(v) < kFar)) return 0;
  }
  FrameView va, vb;
  if (!MakeView(a, frame_a, &va) || !MakeView(b, frame_b, &vb)) return 0;
  const bool identity = ix == 1 && iy == 0 && jx == 0 && jy == 1;
  const bool texel_per_pixel = va.pixmap->width == va.width && va.pixmap->height == va.height &&
                               vb.pixmap->width == vb.width && vb.pixmap->height == vb.height;
  if (identity && texel_per_pixel) return OverlapUnscaled(va, ax, ay, vb, bx, by);
  Placement pa, pb;
  if (!Place(va, ax, ay, ix, iy, jx, jy, &pa) || !Place(vb, bx, by, ix, iy, jx, jy, &pb)) return 0;
  return OverlapTransformed(pa, pb);
}
