#include "common/random_number.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr double kModulus = 2147483647.0;
constexpr double kMultiplier = 16807.0;
// One less than the modulus, so the largest state gives exactly 1.0.
constexpr double kDivisor = 2147483646.0;
}  // namespace

std::shared_ptr<TRandomNumber> TRandomNumber::Create(double seed) {
  auto generator = std::make_shared<TRandomNumber>();
  generator->seed = seed;
  generator->last = NormaliseSeed(seed);
  return generator;
}

double TRandomNumber::NormaliseSeed(double seed) {
  // A state of 0 stays 0 forever and a negative one only gives values below 0: fold every seed (the
  // clock can be anything) into the sequence's own range 1..2147483646.
  if (!std::isfinite(seed)) return 1.0;
  double s = std::fmod(std::trunc(seed), kModulus);
  if (s < 0) s += kModulus;
  if (s == 0) s = 1.0;
  return s;
}

int TRandomNumber::setseed(double s) {
  seed = s;
  return 0;
}

double TRandomNumber::getnumber() {
  last = std::fmod(kMultiplier * last + 0, kModulus);
  return last / kDivisor;
}

double TRandomNumber::RndDouble(double min, double max) {
  const double r = getnumber();
  return r * (max - min) + min;
}

int TRandomNumber::Rnd(double min, double max) {
  const double v = (max - min) * getnumber() + min;
  return RoundDrawn(v);
}

int TRandomNumber::RoundDrawn(double v) {
  char text[64];
  std::snprintf(text, sizeof text, "%#.17lg", v);
  const char* point = std::strchr(text, '.');
  int digit = 0;
  if (point != nullptr && point[1] >= '0' && point[1] <= '9') digit = point[1] - '0';
  const double rounded = digit >= 5 ? std::ceil(v) : std::floor(v);
  // Out-of-range values cannot be held by an Int; pin them instead of converting undefinedly.
  if (!(rounded > static_cast<double>(INT_MIN))) return INT_MIN;
  if (!(rounded < static_cast<double>(INT_MAX))) return INT_MAX;
  return static_cast<int>(rounded);
}
