#pragma once
// TText: a still label in the bitmap font (the level readout, the tutorial's instructions), laid out
// once when it is made.
#include <memory>
#include <string>

#include "engine/base/base.h"
#include "engine/media/media.h"
#include "ui/letter.h"

class TText : public TList<TLetter> {
 public:
  int posx = 0, posy = 0;
  std::string text = "text";
  double fontscale = 1.0;
  int intRed = 0, intGreen = 0, intBlue = 235;

  // `spare` is not used. With centred 1 the text is centred in `centrewidth` pixels from x.
  static std::shared_ptr<TText> CreateText(int x, int y, const std::string& text, double fontscale,
                                           double advance, double spare, int centrewidth, int centred);
  void Draw(const ImageRef& font);
};
