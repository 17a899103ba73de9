#pragma once
// The screen states of the main loop and the work each screen does in one frame.

enum ScreenState : int {
  kStateCredits = 0,
  kStateMenu = 1,
  kStatePlay = 2,
  kStateTutorial = 3,
  kStateOptions = 4,
  kStateClosing = 99,
};

// How long the closing logo stays up, in milliseconds (the loop ends on the first frame past it).
inline constexpr int kClosingMillis = 2000;

// The work of the current screen state for one frame (step 3 of a frame). A request to close the game
// window turns into the closing screen first.
void RunScreen();
// One frame of the tutorial; 0 once it has finished, or when there is no tutorial to run.
int PlayTutorial();
// The closing screen: the logo, and the end of the loop just over two seconds after its first frame.
int DrawClosing();
