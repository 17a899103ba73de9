#pragma once
// Letterbox: where a fixed-size picture goes when it is scaled, aspect kept, to fill a larger surface,
// and how surface coordinates map back to picture pixels (for the pointer in full-screen play).

struct Letterbox {
  // The picture's rectangle on the surface, in surface pixels.
  int x = 0, y = 0, w = 0, h = 0;
  // picture = (surface - offset) * scale.
  float scale_x = 1, scale_y = 1;
  float offset_x = 0, offset_y = 0;
};

// The largest centred rectangle of the picture's aspect that fits the surface, at a whole-number scale
// when that is at least 90 % of the largest one (pixels stay square and sharp). Surface rows count
// from the top. A degenerate size gives the identity mapping over the picture's own size.
Letterbox FitLetterbox(int picture_w, int picture_h, int surface_w, int surface_h);
