#pragma once
// TButton: a menu entry, a face image with a centred caption that lights up and plays a sound when
// the mouse moves onto it. What a click does is the menu's business.
#include <memory>
#include <string>

#include "engine/audio/audio.h"
#include "engine/base/base.h"
#include "engine/media/media.h"
#include "ui/letter.h"

class TButton : public TList<TLetter> {
 public:
  int posx = 0, posy = 0;
  std::string text = "button";
  double fontscale = 1.0;
  int IsMouseOver = 0;
  // 1 once the mouse has been seen off the face, so that the next entry plays the hover sound.
  int blnPlaySound = 0;
  int intRedHighlight = 255, intGreenHighlight = 255, intBlueHighlight = 255;
  int intRed = 0, intGreen = 0, intBlue = 235;

  // `spare` is not used; `width` is the face's width, across which the caption is centred.
  static std::shared_ptr<TButton> CreateButton(int x, int y, const std::string& text, double fontscale,
                                               double advance, double spare, int width);
  // Draws the face (the hover face under the mouse) and the caption, and updates IsMouseOver.
  void Draw(const ImageRef& face, const ImageRef& hoverFace, const ImageRef& font,
            const SoundRef& hoverSound);
  // As Draw, but lit (hover face, highlight colour, the hover sound on lighting up) as the caller
  // says, for a highlight that the keyboard or a pad moves; IsMouseOver still follows the mouse.
  void DrawLit(const ImageRef& face, const ImageRef& hoverFace, const ImageRef& font,
               const SoundRef& hoverSound, bool lit);
  // Whether the pointer is in (x1, y1)-(x2, y2), edges included; also stored in IsMouseOver.
  int MouseOver(int x1, int y1, int x2, int y2);
};
