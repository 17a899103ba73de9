#pragma once
// The frame timer: how long the previous frame took, in seconds, so movers can scale their per-second
// speeds, plus a frames-per-second count refreshed about once a second.
#include <cstdint>

class TDelta {
 public:
  TDelta() = delete;

  // Takes the clock as the starting point of the first frame.
  static int Start();
  // Measures the frame that just ended; called once per frame right after the flip.
  static int Update();
  // The length of the previous frame in seconds (whole milliseconds times the float value of 0.001).
  static double Time();
  static int FPS();

  // Back to the program-start state (tests).
  static void Reset();
  // The same steps with a given clock value, so the arithmetic can be checked without waiting.
  static int StartAt(int64_t now_millis);
  static int UpdateAt(int64_t now_millis);
};
