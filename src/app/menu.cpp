#include "app/menu.h"

#include "app/screen_state.h"
#include "common/actions.h"
#include "common/collision.h"
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

constexpr int kColumnSize = 5;
constexpr int kNoHighlight = -1;

// The lit entry of the column, moved by the keys and pads and by the mouse moving onto an entry.
struct MenuFocus {
  int highlight = kNoHighlight;
  bool pointer_known = false;
  int pointer_x = 0, pointer_y = 0;
};
MenuFocus gFocus;

std::shared_ptr<TButton> ColumnButton(int index) {
  switch (index) {
    case 0:
      return TopButton();
    case 1:
      return gTutorialButton;
    case 2:
      return gOptionsButton;
    case 3:
      return gNewGameButton;
    case 4:
      return gQuitButton;
    default:
      return nullptr;
  }
}

int ColumnCode(int index) {
  static constexpr int kCodes[kColumnSize] = {kMenuCredits, kMenuTutorial, kMenuOptions, kMenuNewGame,
                                              kMenuQuit};
  if (index == 0 && gGameInProgress != 0) return kMenuResume;
  return index >= 0 && index < kColumnSize ? kCodes[index] : kMenuNone;
}

int EntryUnderPointer(int x, int y) {
  const int w = gMenuButtonImage ? gMenuButtonImage->width : 0;
  const int h = gMenuButtonImage ? gMenuButtonImage->height : 0;
  int found = kNoHighlight;
  for (int i = 0; i < kColumnSize; ++i) {
    const std::shared_ptr<TButton> button = ColumnButton(i);
    if (button &&
        TCollision::PointToBox(x, y, button->posx, button->posy, button->posx + w, button->posy + h))
      found = i;
  }
  return found;
}

// Down (or Tab) from no highlight lights the top entry, Up (or Shift+Tab) the bottom one; both wrap.
void MoveFocus() {
  const int x = PointerX(), y = PointerY();
  if (!gFocus.pointer_known || x != gFocus.pointer_x || y != gFocus.pointer_y) {
    gFocus.highlight = EntryUnderPointer(x, y);
    gFocus.pointer_known = true;
    gFocus.pointer_x = x;
    gFocus.pointer_y = y;
  }
  for (int n = ActionPresses(kActionNext); n > 0; --n)
    gFocus.highlight = gFocus.highlight == kNoHighlight ? 0 : (gFocus.highlight + 1) % kColumnSize;
  for (int n = ActionPresses(kActionPrevious); n > 0; --n)
    gFocus.highlight = gFocus.highlight == kNoHighlight ? kColumnSize - 1
                                                        : (gFocus.highlight + kColumnSize - 1) % kColumnSize;
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

void ResetMenuFocus() {
  gFocus = MenuFocus();
}

int MenuHighlight() {
  return gFocus.highlight;
}

int DrawMenu() {
  // Kept as a byte, as the count always was: 256 clicks in one frame would read as none.
  const uint8_t clicks = static_cast<uint8_t>(ButtonPresses(1));
  int code = kMenuNone;
  MoveFocus();
  const bool picked = ActionPresses(kActionSelect) != 0;
  DrawTitleImage();

  for (int i = 0; i < kColumnSize; ++i) {
    if (const std::shared_ptr<TButton> button = ColumnButton(i))
      button->DrawLit(gMenuButtonImage, gMenuButtonHoverImage, gFontImage, gMouseOverSound,
                      i == gFocus.highlight);
  }

  if (clicks == 1) {
    if (Over(TopButton())) code = gGameInProgress == 0 ? kMenuCredits : kMenuResume;
    if (Over(gTutorialButton)) code = kMenuTutorial;
    if (Over(gOptionsButton)) code = kMenuOptions;
    if (Over(gNewGameButton)) code = kMenuNewGame;
    if (Over(gQuitButton)) code = kMenuQuit;
  }
  if (code == kMenuNone && picked) code = ColumnCode(gFocus.highlight);
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
