#pragma once
// The main menu: the title picture, the five buttons shown (CREDITS or RESUME on top), the click rules,
// and what each entry does to the screen flow.

enum MenuCode : int {
  kMenuNone = -1,
  kMenuCredits = 0,
  kMenuTutorial = 1,
  kMenuOptions = 2,
  kMenuNewGame = 3,
  kMenuQuit = 4,
  kMenuResume = 5,
};

// Draws the menu and returns the entry chosen this frame (kMenuNone when none). Only exactly one left
// click in the frame picks an entry; so do Enter, Space or a pad's A on the highlighted entry, which
// Up and Down (Tab, Shift+Tab, the d-pad or stick) move. A pick plays the click sound.
int DrawMenu();
// The highlighted entry, 0 (top) to 4 (QUIT), or -1; and back to none, as at start.
int MenuHighlight();
void ResetMenuFocus();
// The menu background, centred at the top of the screen.
int DrawTitleImage();
// Moves the screen flow on for a menu code.
void ActOnMenuCode(int code);
