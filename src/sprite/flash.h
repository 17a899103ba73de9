#pragma once
// The flashing of an invincible sprite: its alpha bounces between 1 and a low bound by a fixed step
// each drawn frame.

// One step: alpha moves by increment; at a bound it is held there and the step turns round.
inline void StepFlash(float& alpha, float& increment, float low) {
  alpha += increment;
  if (alpha > 1) {
    alpha = 1;
    increment = -increment;
  } else if (alpha < low) {
    alpha = low;
    increment = -increment;
  }
}
