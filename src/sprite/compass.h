#pragma once
// The eight-point compass: headings 0..7 or angles 0, 45, ..., 315 degrees, 0 up and 90 right on a screen
// whose y grows downwards. Diagonals step the full amount on both axes.

// Unit step on the x axis for a compass angle; 0 for any angle that is not a multiple of 45 in 0..315.
int CompassXStep(int angle);
// Unit step on the y axis (up is -1).
int CompassYStep(int angle);
// 45 x heading for headings 0..7, otherwise 0.
int CompassAngle(int heading);
