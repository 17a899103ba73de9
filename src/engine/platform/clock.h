#pragma once
// The millisecond clock: monotonic, 1 ms resolution, 64 bits so it never wraps.
#include <cstdint>

int64_t ClockMillis();
// Sleeps for the given number of milliseconds.
void Delay(int millis);
