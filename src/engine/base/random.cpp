#include "engine/base/random.h"

#include <cstdint>

namespace {
constexpr int32_t kModulus = 2147483647;
int32_t g_state = 4660;

// One Park-Miller step (multiplier 48271) by Schrage's method: no intermediate leaves 32 bits.
int32_t Step() {
  int32_t next = 48271 * (g_state % 44488) - 3399 * (g_state / 44488);
  if (next < 0) next += kModulus;
  g_state = next;
  return next;
}

double UnitDouble() {
  const int32_t a = Step() & 0x1FFFFFFC;
  const int32_t b = Step() & 0x1FFFFFF8;
  return (a + b / 134217728.0) / 536870912.0;
}
}  // namespace

double RandomDouble(double min, double max) {
  const double r = UnitDouble();
  if (max > min) return min + r * (max - min);
  return max + r * (min - max);
}

int RandomInt(int min, int max) {
  const double r = UnitDouble();
  const int64_t range = static_cast<int64_t>(max) - min;
  if (range > 0) return static_cast<int>(min + static_cast<int64_t>(r * static_cast<double>(range + 1)));
  return static_cast<int>(max + static_cast<int64_t>(r * static_cast<double>(1 - range)));
}

void SeedRandom(int seed) {
  // 0 and multiples of the modulus would stick at 0; negatives are folded into range.
  int64_t s = static_cast<int64_t>(seed) % kModulus;
  if (s < 0) s += kModulus;
  if (s == 0) s = 1;
  g_state = static_cast<int32_t>(s);
}

int RandomState() {
  return g_state;
}
