#pragma once
// What the SDL platform asks of the display: that it shows windows, and that losing it ends the process
// at once instead of in a teardown that waits on a dead connection.

// Whether SDL's video driver of this name puts windows on a screen someone can see (x11, wayland,
// kmsdrm, ...); the off-screen and dummy drivers do not.
bool VideoDriverShowsWindows(const char* driver);

// With the X11 driver: a lost connection to the X server (or a request it refuses where nobody expects
// it) prints one line on stderr and ends the process with exit code 1 on the spot, running no exit
// handlers or static destructors (they would call into SDL and OpenGL over the dead connection and wait
// forever).
void EndProcessOnDisplayLoss();
