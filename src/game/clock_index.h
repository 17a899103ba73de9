#pragma once
// The number a new shot or particle carries as its index: the clock in tenths of a second.
#include <cstdint>
#include <cstdlib>

#include "engine/platform/platform.h"

inline int ClockTenths() {
  return static_cast<int>(std::llabs(ClockMillis() / 100) & 0x7fffffff);
}
