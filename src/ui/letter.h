#pragma once
// TLetter: one glyph of the bitmap font on its way through a scroll area, fading and growing as it
// comes in and fading and shrinking as it goes out; still letters (labels, buttons) are drawn as they are.
#include <cstdint>
#include <memory>

#include "engine/base/base.h"
#include "engine/media/media.h"

class TLetter {
 public:
  // The font frame of the glyph (character code - 33); `char` itself cannot be a member name.
  uint8_t chr = 0;
  float x = 0, y = 0;
  float scrollxspeed = 0, scrollyspeed = 0;
  float minx = 0, maxx = 0, miny = 0, maxy = 0;
  float alpha = 0;
  float fadespeed = 0.1f;
  float fadexbuffer = 10, fadeybuffer = 10;
  float scalespeed = 0.225f;
  float scale = 0.75f;
  float startscale = 0.75f, endscale = 0.75f;
  int red = 0, green = 0, blue = 0;
  // The list that owns the letter; the letter only points back to it so that it can leave it.
  TList<TLetter>* list = nullptr;

  static std::shared_ptr<TLetter> CreateLetter(int chr, double x, double y, double scrollxspeed,
                                               double scrollyspeed, double minx, double maxx, double miny,
                                               double maxy, double alpha, double fadespeed,
                                               double fadexbuffer, double fadeybuffer, float scalespeed,
                                               float startscale, float endscale);

  void SetList(TList<TLetter>* owner) { list = owner; }
  void SetRGB(int r, int g, int b);
  // One step along the scroll; leaves the list once past the area's edge in the direction of travel.
  void Move();
  void Remove();
  // One step with its fades (unless paused), then the drawing while inside the area.
  void DrawScroll(const ImageRef& font, int pause);
  // Draws the glyph where it stands, whatever the area says.
  void DrawStill(const ImageRef& font);
};
