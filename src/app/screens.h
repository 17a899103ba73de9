#pragma once
// The work each screen state of the main loop does in one frame.
#include "app/screen_state.h"

// The work of the current screen state for one frame (step 3 of a frame). A request to close the game
// window turns into the closing screen first.
void RunScreen();
// Play and the tutorial go to the menu when the window has lost the focus or been minimised.
void PauseOnFocusLoss();
// One frame of the tutorial; 0 once it has finished, or when there is no tutorial to run.
int PlayTutorial();
// The closing screen: the logo, and the end of the loop just over two seconds after its first frame.
int DrawClosing();
