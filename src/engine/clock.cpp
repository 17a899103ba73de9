#include "engine/clock.h"

#include "engine/platform.h"

int64_t ClockMillis() {
  return GetPlatform().Millis();
}

void Delay(int millis) {
  GetPlatform().SleepMillis(millis);
}
