#include "game/level_display.h"

#include <string>

#include "common/globals.h"
#include "ui/text.h"
#include "ui/text_number.h"

int DrawLevel() {
  if (!gLevelNumberText || TextToInt(gLevelNumberText->text) != gLevel) {
    gLevelNumberText = TText::CreateText(160, 10, std::to_string(gLevel), 1.0, 24.0, 32.0, 32, 0);
  }
  if (gLevelLabel) gLevelLabel->Draw(gFontImage);
  gLevelNumberText->Draw(gFontImage);
  return 0;
}
