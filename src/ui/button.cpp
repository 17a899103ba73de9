#include "ui/button.h"

#include "common/collision.h"
#include "engine/platform/platform.h"
#include "engine/render/render.h"
#include "ui/still_layout.h"

std::shared_ptr<TButton> TButton::CreateButton(int x, int y, const std::string& text, double fontscale,
                                               double advance, double /*spare*/, int width) {
  auto button = std::make_shared<TButton>();
  button->posx = x;
  button->posy = y;
  button->text = text;
  button->fontscale = fontscale;
  StillLayout layout;
  layout.step = advance * fontscale;
  layout.pen_x = x + (width - layout.step * static_cast<double>(text.size())) / 2;
  layout.pen_y = y + 16;
  layout.area_right = x + 160;
  layout.area_top = y + 16;
  layout.area_bottom = y + 48;
  layout.track_next_space = false;
  LayOutStillText(button.get(), text, layout);
  return button;
}

void TButton::Draw(const ImageRef& face, const ImageRef& hoverFace, const ImageRef& font,
                   const SoundRef& hoverSound) {
  const int face_width = face ? face->width : 0;
  const int face_height = face ? face->height : 0;
  const int over = MouseOver(posx, posy, posx + face_width, posy + face_height);
  DrawLit(face, hoverFace, font, hoverSound, over == 1);
}

void TButton::DrawLit(const ImageRef& face, const ImageRef& hoverFace, const ImageRef& font,
                      const SoundRef& hoverSound, bool lit) {
  const int face_width = face ? face->width : 0;
  const int face_height = face ? face->height : 0;
  MouseOver(posx, posy, posx + face_width, posy + face_height);
  if (!lit) {
    DrawImage(face, static_cast<float>(posx), static_cast<float>(posy), 0);
    blnPlaySound = 1;
  } else {
    DrawImage(hoverFace, static_cast<float>(posx), static_cast<float>(posy), 0);
    if (blnPlaySound == 1) {
      PlaySound(hoverSound);
      blnPlaySound = 0;
    }
  }
  SetBlend(3);
  ForEach([&](const std::shared_ptr<TLetter>& letter) {
    if (lit) {
      letter->SetRGB(intRedHighlight, intGreenHighlight, intBlueHighlight);
    } else {
      letter->SetRGB(intRed, intGreen, intBlue);
    }
    letter->DrawStill(font);
  });
  SetColor(255, 255, 255);
  SetBlend(1);
}

int TButton::MouseOver(int x1, int y1, int x2, int y2) {
  IsMouseOver = TCollision::PointToBox(PointerX(), PointerY(), x1, y1, x2, y2);
  return IsMouseOver;
}
