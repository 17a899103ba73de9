#pragma once
// The layout shared by labels and buttons: one still letter per glyph, placed along a pen that moves
// by a fixed step. Spaces make no letter; only the tracked space moves the pen.
#include <string>

#include "engine/base/base.h"
#include "ui/letter.h"

struct StillLayout {
  double pen_x = 0, pen_y = 0;
  double step = 24;
  // The letters carry an area (unused for still drawing): x from the pen to area_right, y from area_top
  // to area_bottom.
  double area_right = 0, area_top = 0, area_bottom = 0;
  // Labels track the next space after each one passed; buttons keep tracking the first space.
  bool track_next_space = true;
};

void LayOutStillText(TList<TLetter>* letters, const std::string& text, const StillLayout& layout);
