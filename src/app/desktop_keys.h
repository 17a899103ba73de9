#pragma once
// Keys that work on every screen of the game window: F11 and Alt+Enter switch between window and
// full screen, M mutes and unmutes every sound until the game ends.

// Acts on those keys pressed since the last frame.
void HandleDesktopKeys();
