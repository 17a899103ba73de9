#include "ui/text.h"

#include "engine/render/render.h"
#include "ui/still_layout.h"

std::shared_ptr<TText> TText::CreateText(int x, int y, const std::string& text, double fontscale,
                                         double advance, double /*spare*/, int centrewidth, int centred) {
  auto label = std::make_shared<TText>();
  label->posx = x;
  label->posy = y;
  label->text = text;
  label->fontscale = fontscale;
  StillLayout layout;
  layout.step = advance * fontscale;
  layout.pen_x = x;
  if (centred == 1) layout.pen_x = x + (centrewidth - layout.step * static_cast<double>(text.size())) / 2;
  layout.pen_y = y;
  layout.area_right = x + 160;
  layout.area_top = y;
  layout.area_bottom = y + 48;
  layout.track_next_space = true;
  LayOutStillText(label.get(), text, layout);
  return label;
}

void TText::Draw(const ImageRef& font) {
  SetBlend(3);
  ForEach([&](const std::shared_ptr<TLetter>& letter) {
    letter->SetRGB(intRed, intGreen, intBlue);
    letter->DrawStill(font);
  });
  SetColor(255, 255, 255);
  SetBlend(1);
}
