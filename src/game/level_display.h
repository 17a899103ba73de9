#pragma once
// The in-game level readout ("Level: " and the number) drawn at the top left of the play screen.

// Draws the level label and the current level number; rebuilds the number label only when gLevel changes.
// Returns 0.
int DrawLevel();
