#include "ui/still_layout.h"

#include "ui/glyphs.h"

void LayOutStillText(TList<TLetter>* letters, const std::string& text, const StillLayout& layout) {
  double pen_x = layout.pen_x;
  int tracked_space = SpaceFrom(text, 0);
  for (size_t i = 0; i < text.size(); ++i) {
    const int code = static_cast<unsigned char>(text[i]);
    if (code < kFirstGlyph || code > kLastLayoutCode) continue;
    if (i > 0 && static_cast<int>(i) == tracked_space) {
      pen_x += layout.step;
      tracked_space = layout.track_next_space ? SpaceFrom(text, i) : SpaceFrom(text, 0);
    }
    if (code <= kLastGlyph) {
      auto letter =
          TLetter::CreateLetter(code - kFirstGlyph, pen_x, layout.pen_y, 0, 0, pen_x, layout.area_right,
                                layout.area_top, layout.area_bottom, 1.0, 0, 0, 0, 0.225f, 0.75f, 0.75f);
      letter->SetList(letters);
      letters->AddLast(letter);
    }
    pen_x += layout.step;
  }
}
