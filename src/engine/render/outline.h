#pragma once
// FrameOutline: a convex polygon of at most eight corners around the visible (alpha > 0) pixels of an
// image frame, cut into triangles. A sprite drawn as its outline instead of its whole rectangle shades
// fewer pixels; what it leaves out are fully transparent texels, which change nothing under the blends
// that weigh the source by its alpha.
#include <vector>

struct TPixmap;

struct OutlinePoint {
  float x, y;  // frame pixels, (0, 0) the frame's top left corner
};

struct FrameOutline {
  // The polygon's corners in order round it; empty when no pixel is visible.
  std::vector<OutlinePoint> corners;
  // Three corners per triangle, covering the polygon exactly.
  std::vector<OutlinePoint> triangles;
  // True when the polygon is the whole frame rectangle, so there is nothing to gain.
  bool whole = true;

  // Area of the polygon in frame pixels.
  float Area() const;
};

// The outline of the w x h frame held in `pixmap`. `reach` is how far past its own square a texel can
// colour a pixel: half a texel under bilinear filtering, a little above 0 without it (so that a pixel
// centre on a texel's edge still lies inside). A pixmap of another size than the frame, or without
// alpha, gives the whole rectangle.
FrameOutline OutlineOf(const TPixmap& pixmap, int w, int h, float reach);
