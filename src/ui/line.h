#pragma once
// TLine: a text in a small markup ("/n" line end, "/c" centre the rest of the line, "/rgb(r,g,b)"
// colour) laid out as letters that scroll through an area, fade in and out, and optionally start over.
#include <string>

#include "engine/base/base.h"
#include "engine/media/media.h"
#include "ui/letter.h"

class TLine : public TList<TLetter> {
 public:
  int LetterPosition = 0;
  double x = 0, xoriginal = 0;
  double y = 0, yoriginal = 0;
  double xspeed = 0, yspeed = 0;
  double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  double charheight = 32, charwidth = 32;
  // 1-based position of the space being tracked; 0 when there is none, -1 before it is looked up.
  int spaceposition = -1;
  int scrollcomplete = 0;
  int Loop = 0;
  double loopwait = 10, loopwaitdefault = 10, loopspeed = -1;
  int pause = 0;
  // 0: lines end at "/n"; 1: every space ends a line.
  int style = 0;
  float fadespeed = 0.01f, fadexbuffer = 100, fadeybuffer = 100;
  float scalespeed = 0.225f, startscale = 0.75f, endscale = 0.75f;
  std::string newlinedelim = "/n", centerdelim = "/c", colordelim = "/rgb";
  int mRed = 0, mGreen = 0, mBlue = 0;
  int linenumber = 0;

  // Called once per frame with the same text: the first call lays the whole text out and draws nothing;
  // later calls scroll, fade and draw every letter once. The frame images are not drawn by this line.
  void Draw(const std::string& text, const ImageRef& font, const ImageRef& frameImage,
            const ImageRef& wireImage, int restart, float alphaOverride, int useAlphaOverride);
  // The text from the 1-based position `start` up to, not including, the next "/n".
  std::string GetCenterTextString(const std::string& text, int start) const;
  // "r,g,b" into mRed, mGreen, mBlue.
  void SetRGBColor(const std::string& spec);

 private:
  void LayOut(const std::string& text, float sx, float sy);
  void Scroll(const ImageRef& font, float alphaOverride, int useAlphaOverride);
  void ResetPen();
};
