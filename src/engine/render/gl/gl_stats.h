#pragma once
// Figures of the OpenGL renderer for the drawing benchmark (no SDL or GL headers needed).

// Draw calls of the last presented frame.
int GlDrawCallsLastFrame();
// Draw calls sent so far in the frame being drawn.
int GlDrawCallsThisFrame();
// Sends the pending batch to the driver.
void GlSubmit();
// Sends the pending batch and waits until the GPU has finished every command.
void GlFinish();
