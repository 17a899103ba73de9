#pragma once
// The main loop: the window-mode chooser, the game window, then one frame after another until QUIT.
#include <string>

// Runs the chooser and the game. Returns 0 after QUIT, or 1 when no window could be opened (after
// saying so on stderr). Quit in the chooser ends the process at once with code 0.
int MainLoop();

// Opens the game window for a chooser result (windowed or full screen) and gets the run ready: screen
// centre, closing timer, pointer hidden, frame clock started, the player's tank made. False when no
// window can be had.
bool OpenGameWindow(int windowMode);
// One frame: music, alpha blending, the current screen's work, flip, frame clock, clear. Presses left
// over when the screen changes are dropped, so each press counts only on the screen where it was made.
void RunFrame();
// Frames until the loop is told to stop (QUIT, or a stop signal); then the pointer is shown again.
// Returns 0.
int RunFrames();

// Print the one line that explains why the game cannot start: no OpenGL 3.3 window, or no display at all.
void ReportNoWindow();
void ReportNoDisplay();
// "Written by: " and the programmer's name, the chooser's second line.
std::string CreditLine();
