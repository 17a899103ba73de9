#pragma once
// The engine's start state and the end of the process. It sits above every other subsystem because it
// resets or closes each of them.
// Closes the window, then ends the process through the platform with the exit code.
[[noreturn]] void EndProcess(int code = 0);

// Returns the engine to its state at program start: no window, input cleared, audio output closed,
// random seed 4660, default title, registry and platform kept. For tests.
void ResetEngine();
