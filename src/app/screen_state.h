#pragma once
// The screen states of the main loop, and how long the closing screen lasts.

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
