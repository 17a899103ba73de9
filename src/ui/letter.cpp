#include "ui/letter.h"

#include "engine/render/render.h"

std::shared_ptr<TLetter> TLetter::CreateLetter(int chr, double x, double y, double scrollxspeed,
                                               double scrollyspeed, double minx, double maxx, double miny,
                                               double maxy, double alpha, double fadespeed,
                                               double fadexbuffer, double fadeybuffer, float scalespeed,
                                               float startscale, float endscale) {
  auto letter = std::make_shared<TLetter>();
  letter->chr = static_cast<uint8_t>(chr);
  letter->x = static_cast<float>(x);
  letter->y = static_cast<float>(y);
  letter->scrollxspeed = static_cast<float>(scrollxspeed);
  letter->scrollyspeed = static_cast<float>(scrollyspeed);
  letter->minx = static_cast<float>(minx);
  letter->maxx = static_cast<float>(maxx);
  letter->miny = static_cast<float>(miny);
  letter->maxy = static_cast<float>(maxy);
  letter->alpha = static_cast<float>(alpha);
  letter->fadespeed = static_cast<float>(fadespeed);
  letter->fadexbuffer = static_cast<float>(fadexbuffer);
  letter->fadeybuffer = static_cast<float>(fadeybuffer);
  letter->scalespeed = scalespeed;
  letter->startscale = startscale;
  letter->endscale = endscale;
  letter->scale = startscale;
  return letter;
}

void TLetter::SetRGB(int r, int g, int b) {
  red = r;
  green = g;
  blue = b;
}

void TLetter::Move() {
  x += scrollxspeed;
  y += scrollyspeed;
  if ((x < minx && scrollxspeed < 0) || (x > maxx && scrollxspeed > 0) || (y < miny && scrollyspeed < 0) ||
      (y > maxy && scrollyspeed > 0)) {
    Remove();
  }
}

void TLetter::Remove() {
  if (list) list->Remove(this);
  list = nullptr;
}

void TLetter::DrawScroll(const ImageRef& font, int pause) {
  if (pause == 0) {
    Move();
    // The exit zone at the top and bottom is 40 pixels deeper than the entry zone, so letters are
    // faint before they reach the area's edge.
    const bool fading_out = (minx <= x && x <= minx + fadexbuffer && scrollxspeed < 0) ||
                            (maxx - fadexbuffer <= x && x <= maxx && scrollxspeed > 0) ||
                            (miny <= y && y <= miny + fadeybuffer + 40 && scrollyspeed < 0) ||
                            (maxy - fadeybuffer - 40 <= y && y <= maxy && scrollyspeed > 0);
    if (fading_out) {
      if (alpha > 0) alpha -= fadespeed;
      if (scale > startscale) scale -= scalespeed;
    }
    const bool fading_in = (minx <= x && x <= minx + fadexbuffer && scrollxspeed > 0) ||
                           (maxx - fadexbuffer <= x && x <= maxx && scrollxspeed < 0) ||
                           (miny <= y && y <= miny + fadeybuffer && scrollyspeed > 0) ||
                           (maxy - fadeybuffer <= y && y <= maxy && scrollyspeed < 0);
    if (fading_in) {
      if (alpha < 1) alpha += fadespeed;
      if (scale < endscale) scale += scalespeed;
    }
  }
  if (minx <= x && x <= maxx && miny <= y && y <= maxy) DrawStill(font);
}

void TLetter::DrawStill(const ImageRef& font) {
  SetAlpha(alpha);
  SetScale(scale, scale);
  SetColor(red, green, blue);
  DrawImage(font, x, y, chr);
  SetScale(1, 1);
}
