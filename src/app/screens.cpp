#include "app/screens.h"

#include "app/credits.h"
#include "app/menu.h"
#include "app/music.h"
#include "common/actions.h"
#include "common/globals.h"
#include "engine/platform/platform.h"
#include "engine/render/render.h"
#include "game/round.h"
#include "game/tutorial.h"
#include "ui/line.h"

namespace {

// Escape, or Start on a pad.
void BackToMenuOnEscape() {
  if (ActionPresses(kActionBack) != 0) gGameState = kStateMenu;
}

// Escape, or B or Start on a pad.
bool LeaveScrollScreen() {
  return ActionPresses(kActionCancel) != 0;
}

}  // namespace

int PlayTutorial() {
  if (!gTutorial) return 0;
  gTutorial->Draw(gFontImage);
  return gTutorial->blnPlayTutorial ? 1 : 0;
}

int DrawClosing() {
  DrawImage(gLogoImage, static_cast<float>(gScreenCenterX), static_cast<float>(gScreenCenterY), 0);
  const int64_t now = ClockMillis();
  if (gClosingStartTime == 0) gClosingStartTime = now;
  const int64_t shown = gClosingStartTime - now;
  if ((shown < 0 ? -shown : shown) > kClosingMillis) {
    gRunning = false;
    StopMusic();
  }
  return 0;
}

void PauseOnFocusLoss() {
  // Another window taking the focus, or minimising, pauses like Escape: the menu, and RESUME waits.
  if (!TakeFocusLoss()) return;
  if (gGameState == kStateTutorial && gTutorial) gTutorial->GiveGameBack();
  if (gGameState == kStatePlay || gGameState == kStateTutorial) gGameState = kStateMenu;
}

void RunScreen() {
  // The window's close box asks for the same goodbye as QUIT.
  if (TakeCloseRequest() && gGameState != kStateClosing) gGameState = kStateClosing;
  PauseOnFocusLoss();

  switch (gGameState) {
    case kStateCredits:
      DrawCredits();
      if (LeaveScrollScreen()) {
        gCreditsLine->Clear();
        gGameState = kStateMenu;
      }
      break;
    case kStateMenu: {
      const int code = DrawMenu();
      ActOnMenuCode(code);
      SetAlpha(1.0f);
      DrawImage(gMouseImage, static_cast<float>(PointerX()), static_cast<float>(PointerY()), 0);
      break;
    }
    case kStatePlay:
      PlayGame();
      BackToMenuOnEscape();
      break;
    case kStateTutorial:
      if (PlayTutorial() == 0) gGameState = kStateMenu;
      BackToMenuOnEscape();
      if (gGameState != kStateTutorial && gTutorial) gTutorial->GiveGameBack();
      break;
    case kStateOptions:
      DrawOptions();
      if (LeaveScrollScreen()) gGameState = kStateMenu;
      break;
    case kStateClosing:
      DrawClosing();
      break;
    default:
      break;
  }
}
