#include "app/menu.h"

#include "app/screen_state.h"
#include "common/globals.h"
#include "engine/audio/audio.h"
#include "engine/platform/platform.h"
#include "engine/render/render.h"
#include "game/player.h"
#include "game/tutorial.h"
#include "ui/button.h"

namespace {

const std::shared_ptr<TButton>& TopButton() {
  return gGameInProgress == 0 ? gCreditsButton : gResumeButton;
}

void DrawButton(const std::shared_ptr<TButton>& button) {
  if (button) button->Draw(gMenuButtonImage, gMenuButtonHoverImage, gFontImage, gMouseOverSound);
}

bool Over(const std::shared_ptr<TButton>& button) {
  return button && button->IsMouseOver == 1;
}

}  // namespace

int DrawTitleImage() {
  const int width = gTitleImage ? gTitleImage->width : 0;
  DrawImage(gTitleImage, static_cast<float>((gScreenWidth - width) / 2), 0, 0);
  return 0;
}

int DrawMenu() {
  // Kept as a byte, as the count always was: 256 clicks in one frame would read as none.
  const uint8_t clicks = static_cast<uint8_t>(ButtonPresses(1));
  int code = kMenuNone;
  DrawTitleImage();

  DrawButton(TopButton());
  DrawButton(gTutorialButton);
  DrawButton(gOptionsButton);
  DrawButton(gNewGameButton);
  DrawButton(gQuitButton);

  if (clicks == 1) {
    if (Over(TopButton())) code = gGameInProgress == 0 ? kMenuCredits : kMenuResume;
    if (Over(gTutorialButton)) code = kMenuTutorial;
    if (Over(gOptionsButton)) code = kMenuOptions;
    if (Over(gNewGameButton)) code = kMenuNewGame;
    if (Over(gQuitButton)) code = kMenuQuit;
  }
  if (code > kMenuNone) PlaySound(gMouseClickSound);
  return code;
}

void ActOnMenuCode(int code) {
  switch (code) {
    case kMenuCredits:
      gGameState = kStateCredits;
      break;
    case kMenuTutorial:
      gGameState = kStateTutorial;
      // Every visit starts the tutorial from its first lesson.
      gTutorial = std::make_shared<TTutorial>();
      gTutorial->KeepGameAside();
      break;
    case kMenuOptions:
      gGameState = kStateOptions;
      break;
    case kMenuNewGame:
      gGameState = kStatePlay;
      gGameInProgress = 0;
      if (gPlayer) gPlayer->blnEnableFire = true;
      break;
    case kMenuQuit:
      gGameState = kStateClosing;
      break;
    case kMenuResume:
      gGameState = kStatePlay;
      gGameInProgress = 1;
      break;
    default:
      break;
  }
}
