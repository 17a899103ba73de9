#pragma once
// Figures and switches of the OpenGL renderer for the drawing tests and benchmark (no SDL or GL headers
// needed).

// Draw calls of the last presented frame.
int GlDrawCallsLastFrame();
// Draw calls sent so far in the frame being drawn.
int GlDrawCallsThisFrame();
// Sends the pending batch to the driver.
void GlSubmit();
// Sends the pending batch and waits until the GPU has finished every command.
void GlFinish();
// Whether sprites under the alpha-weighted blends are drawn as their outlines (the default) or as
// whole rectangles; for comparing the two.
void GlSetOutlines(bool on);
