#pragma once
// The operating system as the game sees it: keyboard and mouse, the clock, stop signals, and the
// platform seam the program's entry installs (the real SDL2 platform, or the headless one in tests).
#include "engine/platform/clock.h"
#include "engine/platform/input.h"
#include "engine/platform/seam.h"
#include "engine/platform/stop_signals.h"
