#include "engine/render/letterbox.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kWholeScaleShare = 0.9;
}  // namespace

Letterbox FitLetterbox(int picture_w, int picture_h, int surface_w, int surface_h) {
  Letterbox box;
  if (picture_w <= 0 || picture_h <= 0 || surface_w <= 0 || surface_h <= 0) {
    box.w = std::max(picture_w, 0);
    box.h = std::max(picture_h, 0);
    return box;
  }
  double scale =
      std::min(static_cast<double>(surface_w) / picture_w, static_cast<double>(surface_h) / picture_h);
  // A whole-number scale keeps every picture pixel the same size; take it when it gives up little room.
  const double whole = std::floor(scale);
  if (whole >= 1 && whole >= scale * kWholeScaleShare) scale = whole;
  box.w = std::clamp(static_cast<int>(std::lround(picture_w * scale)), 1, surface_w);
  box.h = std::clamp(static_cast<int>(std::lround(picture_h * scale)), 1, surface_h);
  box.x = (surface_w - box.w) / 2;
  box.y = (surface_h - box.h) / 2;
  box.scale_x = static_cast<float>(picture_w) / box.w;
  box.scale_y = static_cast<float>(picture_h) / box.h;
  box.offset_x = static_cast<float>(box.x);
  box.offset_y = static_cast<float>(box.y);
  return box;
}
