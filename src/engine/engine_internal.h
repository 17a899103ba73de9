#pragma once
// Hooks between the engine's modules (not for game code).
#include <memory>

class AudioDevice;

// Each module returns to its state at program start.
void ResetGraphicsState();
void ResetInputState();
void ResetAudioState();

// Closes the open window, if any (EndProcess).
void CloseAllGraphics();
