#include "engine/platform/clock.h"

#include "engine/platform/seam.h"

int64_t ClockMillis() {
  return GetPlatform().Millis();
}

void Delay(int millis) {
  GetPlatform().SleepMillis(millis);
}
