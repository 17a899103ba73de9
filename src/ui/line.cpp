#include "ui/line.h"

#include <algorithm>

#include "engine/render/render.h"
#include "ui/glyphs.h"
#include "ui/text_number.h"

namespace {

bool StartsWith(const std::string& text, size_t at, const std::string& tag) {
  return !tag.empty() && text.compare(at, tag.size(), tag) == 0;
}

}  // namespace

void TLine::Draw(const std::string& text, const ImageRef& font, const ImageRef& /*frameImage*/,
                 const ImageRef& /*wireImage*/, int restart, float alphaOverride, int useAlphaOverride) {
  float sx = 1, sy = 1;
  GetScale(&sx, &sy);

  if (restart == 1) {
    Clear();
    ResetPen();
    loopwait = loopwaitdefault;
    scrollcomplete = 0;
  }

  if (LetterPosition < static_cast<int>(text.size())) {
    LayOut(text, sx, sy);
    return;
  }

  if (scrollcomplete == 1 && Loop == 1) {
    loopwait += loopspeed;
    if (loopwait > 0) return;
    scrollcomplete = 0;
    loopwait = loopwaitdefault;
    ResetPen();
    return;
  }

  if (scrollcomplete == 0) Scroll(font, alphaOverride, useAlphaOverride);
}

void TLine::ResetPen() {
  spaceposition = -1;
  LetterPosition = 0;
  x = xoriginal;
  y = yoriginal;
}

void TLine::LayOut(const std::string& text, float sx, float sy) {
  const int length = static_cast<int>(text.size());
  while (LetterPosition < length) {
    int p = LetterPosition;
    if (p == 0) {
      spaceposition = SpaceFrom(text, 0);
      xoriginal = x;
      yoriginal = y;
      loopwaitdefault = loopwait;
    }
    const int code = static_cast<unsigned char>(text[p]);
    bool centre = false;
    bool line_end = false;
    if (code >= kFirstGlyph && code <= kLastLayoutCode) {
      if (spaceposition == -1) spaceposition = SpaceFrom(text, 0);
      if (p + 3 < length && StartsWith(text, p, colordelim)) {
        // A tag without its ")" takes the rest of the text as its colour.
        const size_t open = static_cast<size_t>(p) + colordelim.size() + 1;
        const size_t close = text.find(')', open);
        const size_t end = close == std::string::npos ? text.size() : close;
        SetRGBColor(open < end ? text.substr(open, end - open) : std::string());
        p = static_cast<int>(end) + 1;
      }
      if (p + 1 < length) {
        centre = StartsWith(text, p, centerdelim);
        line_end = !centre && StartsWith(text, p, newlinedelim);
      }
      // Only characters the font has make a letter; anything else after a colour tag (or a "{") just
      // takes a letter's width below.
      const int at = p < length ? static_cast<unsigned char>(text[p]) : 0;
      if (!centre && !line_end && at >= kFirstGlyph && at <= kLastGlyph) {
        auto letter =
            TLetter::CreateLetter(at - kFirstGlyph, x, y, xspeed, yspeed, xmin, xmax, ymin, ymax, 0,
                                  fadespeed, fadexbuffer, fadeybuffer, scalespeed, startscale, endscale);
        letter->SetRGB(mRed, mGreen, mBlue);
        letter->SetList(this);
        AddLast(letter);
      }
    }

    if (centre) {
      p += 2;
      const std::string rest = GetCenterTextString(text, p + 1);
      x = xoriginal + (xmax - xoriginal - charwidth * sx * static_cast<double>(rest.size())) / 2;
      LetterPosition = p;
      continue;
    }

    p += line_end ? 2 : 1;
    if (style == 0) {
      if (line_end) {
        spaceposition = SpaceFrom(text, static_cast<size_t>(std::min(p, length)));
        y += charheight * sy;
        x = xoriginal;
        ++linenumber;
      } else {
        x += charwidth * sx;
      }
    } else if (style == 1) {
      if (p == spaceposition) {
        spaceposition = SpaceFrom(text, static_cast<size_t>(std::min(p, length)));
        y += charheight * sy;
        x = xoriginal;
        ++linenumber;
      } else {
        x += charwidth * sx;
      }
    }
    LetterPosition = p;
  }
}

void TLine::Scroll(const ImageRef& font, float alphaOverride, int useAlphaOverride) {
  SetBlend(3);
  int counted = 0;
  ForEach([&](const std::shared_ptr<TLetter>& letter) {
    if (pause == 0 && useAlphaOverride == 1 && alphaOverride > -9.99f) letter->alpha = alphaOverride;
    letter->DrawScroll(font, pause);
    ++counted;
  });
  if (counted == 0) scrollcomplete = 1;
  SetBlend(1);
}

std::string TLine::GetCenterTextString(const std::string& text, int start) const {
  const size_t from = start > 0 ? static_cast<size_t>(start - 1) : 0;
  if (from >= text.size()) return std::string();
  const size_t end = text.find(newlinedelim, from);
  return end == std::string::npos ? text.substr(from) : text.substr(from, end - from);
}

void TLine::SetRGBColor(const std::string& spec) {
  int values[3] = {0, 0, 0};
  size_t start = 0;
  for (int i = 0; i < 3; ++i) {
    const size_t comma = spec.find(',', start);
    const std::string field =
        spec.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    values[i] = TextToInt(field);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  mRed = values[0];
  mGreen = values[1];
  mBlue = values[2];
}
