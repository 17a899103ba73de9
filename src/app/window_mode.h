#pragma once
// TWindowMode: the small chooser shown before the game window opens, asking for windowed or full-screen
// play, or to quit. It draws plain rectangles and the built-in text font. A click picks a button; so
// does Enter on the button that Left, Right and Tab move a focus frame to; Escape is Quit.
#include <string>

class TWindowMode {
 public:
  TWindowMode() = delete;

  static constexpr int C_NoWindow = -1;  // the chooser's window could not be opened at all
  static constexpr int C_Cancelled = 0;
  static constexpr int C_Window = 1;
  static constexpr int C_FullScreen = 2;

  static constexpr int kWidth = 340;
  static constexpr int kHeight = 100;

  // Opens the chooser, waits for a choice, closes it and returns one of the constants above. The window's
  // close box counts as Quit.
  static int GetMode(const std::string& title, const std::string& credit);
  // One frame of the open chooser: draws it and reads the mouse and keys. Returns true once a choice
  // is made, with the choice in *result.
  static bool Step(const std::string& title, const std::string& credit, int* result);
  static int DrawButton(const std::string& text, int x, int y, int w, int h, int highlighted);
  static int PointToBox(int px, int py, int x1, int y1, int x2, int y2);
};
